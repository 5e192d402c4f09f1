#include "cli/BulkCommandParts.h"
#include "cli/CliCommands.h"
#include "cli/CliRun.h"

#include "platform/FileLock.h"
#include "support/SpecialFiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace custodex;
using custodex::cli_test::CliRun;
using custodex::cli_test::RunCommand;

namespace {

const QString DataDir = QStringLiteral(CUSTODEX_TEST_DATA);

QJsonObject InfoJson(const QString& path)
{
    const CliRun run = RunCommand({QStringLiteral("info"), path, QStringLiteral("--json")});
    EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
    return QJsonDocument::fromJson(run.Out.toUtf8()).object();
}

TEST(CliNew, WritesAnEmptySpanThatInfoDescribes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Smith.cdb"));
    const CliRun made =
        RunCommand({QStringLiteral("new"), QStringLiteral("--client"), QStringLiteral("Smith"),
                    QStringLiteral("--year"), QStringLiteral("2024"), QStringLiteral("--month"),
                    QStringLiteral("march"), path});
    ASSERT_EQ(made.Status, 0) << made.Err.toStdString();

    const QJsonObject info = InfoJson(path);
    EXPECT_EQ(info[QStringLiteral("client")].toString(), QStringLiteral("Smith"));
    EXPECT_EQ(info[QStringLiteral("startMonth")].toString(), QStringLiteral("March"));
    EXPECT_EQ(info[QStringLiteral("startYear")].toInt(), 2024);
    EXPECT_EQ(info[QStringLiteral("endYearText")].toString(), QStringLiteral("2026"));
    EXPECT_EQ(info[QStringLiteral("dayCount")].toInt(), 730);

    const QJsonObject first =
        info[QStringLiteral("counters")][QStringLiteral("firstYear")].toObject();
    EXPECT_EQ(first[QStringLiteral("days")].toInt(), 365);
    EXPECT_EQ(first[QStringLiteral("custodialOvernights")].toInt(), 365);
    const QJsonArray texts = first[QStringLiteral("texts")].toArray();
    ASSERT_EQ(texts.size(), 8);
    EXPECT_EQ(texts[0].toString(), QStringLiteral("0"));
    EXPECT_EQ(texts[1].toString(), QStringLiteral("365"));
    EXPECT_EQ(texts[2].toString(), QStringLiteral("00.0%"));
    EXPECT_EQ(texts[3].toString(), QStringLiteral("100.0%"));

    const QJsonObject settings = info[QStringLiteral("settings")].toObject();
    EXPECT_EQ(settings[QStringLiteral("backgroundColour")].toInt(), 16777215);
    EXPECT_EQ(settings[QStringLiteral("overnightColour")].toInt(), 12632256);
    EXPECT_EQ(settings[QStringLiteral("overnightHours")].toString(), QStringLiteral("24:00"));
    EXPECT_EQ(settings[QStringLiteral("sleepMinutes")].toInt(), 480);
    EXPECT_EQ(settings[QStringLiteral("custodialName")].toString(), QStringLiteral("Custodial"));
    EXPECT_TRUE(settings[QStringLiteral("exclusions")].toArray().isEmpty());

    const QJsonObject flags = info[QStringLiteral("flags")].toObject();
    EXPECT_FALSE(flags[QStringLiteral("changesPending")].toBool());
    EXPECT_TRUE(flags[QStringLiteral("distributionStale")].toBool());
    EXPECT_TRUE(flags[QStringLiteral("distributionHadErrors")].toBool());
    EXPECT_EQ(info[QStringLiteral("defaultTimes")][QStringLiteral("overNiteStrtTime")].toString(),
              QStringLiteral("<None>"));
    EXPECT_EQ(info[QStringLiteral("defaultReasons")][QStringLiteral("overniteReasons")]
                  [QStringLiteral("text")]
                      .toString(),
              QStringLiteral(" "));

    const QJsonArray days = info[QStringLiteral("days")].toArray();
    ASSERT_EQ(days.size(), 730);
    const QJsonObject last = days.last().toObject();
    EXPECT_EQ(last[QStringLiteral("year")].toInt(), 2026);
    EXPECT_EQ(last[QStringLiteral("month")].toString(), QStringLiteral("February"));
    EXPECT_EQ(last[QStringLiteral("day")].toInt(), 28);
    EXPECT_EQ(last[QStringLiteral("weekday")].toString(), QStringLiteral("SATURDAY"));
    EXPECT_EQ(last[QStringLiteral("overnightPickup")].toString(), QString());
}

TEST(CliInfo, FixtureValues)
{
    const QJsonObject info = InfoJson(DataDir + QStringLiteral("/Jones.Smith.cdb"));
    EXPECT_EQ(info[QStringLiteral("client")].toString(), QStringLiteral("Jones"));
    const QJsonObject both =
        info[QStringLiteral("counters")][QStringLiteral("bothYears")].toObject();
    EXPECT_EQ(both[QStringLiteral("overnights")].toInt(), 3);
    EXPECT_EQ(both[QStringLiteral("dayVisits")].toInt(), 2);
    EXPECT_EQ(both[QStringLiteral("texts")].toArray()[2].toString(), QStringLiteral("00.4%"));
    EXPECT_FALSE(info[QStringLiteral("flags")][QStringLiteral("distributionStale")].toBool());
    EXPECT_EQ(info[QStringLiteral("settings")][QStringLiteral("exclusions")].toArray().size(), 2);
    const QJsonObject july8 = info[QStringLiteral("days")].toArray()[188].toObject();
    EXPECT_EQ(july8[QStringLiteral("day")].toInt(), 8);
    EXPECT_EQ(july8[QStringLiteral("year")].toInt(), 2023);
    EXPECT_EQ(july8[QStringLiteral("dayVisitReason")].toString(), QStringLiteral("Grand;ma"));

    const CliRun text =
        RunCommand({QStringLiteral("info"), DataDir + QStringLiteral("/OneYear.cdb")});
    EXPECT_EQ(text.Status, 0);
    EXPECT_TRUE(text.Out.contains(QStringLiteral("January 2023 (731 days, to 2024)")))
        << text.Out.toStdString();
}

TEST(CliNew, RefusalsWriteNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Smith.cdb"));
    const struct {
        QString Client, Year, Month, Message;
    } cases[] = {
        {QStringLiteral("  "), QStringLiteral("2024"), QStringLiteral("March"),
         QStringLiteral("A Client Name is a required entry.")},
        {QStringLiteral("Smith"), QString(), QStringLiteral("March"),
         QStringLiteral("You must enter a year before you can start a Calendar.")},
        {QStringLiteral("Smith"), QStringLiteral("2k24"), QStringLiteral("March"),
         QStringLiteral("Illegal character in year.  Only the\ndigits 0 thru 9 are allowed.")},
        {QStringLiteral("Smith"), QStringLiteral("3000"), QStringLiteral("March"),
         QStringLiteral("The Calendar year must be greater than 1000\nand less than 3000")},
        {QStringLiteral("Smith"), QStringLiteral("2024"), QStringLiteral("Mrch"),
         QStringLiteral("Please select a valid start month.")},
        // Whole names only: "Maybe" holds "MAY" and was taken for May.
        {QStringLiteral("Smith"), QStringLiteral("2024"), QStringLiteral("Maybe"),
         QStringLiteral("Please select a valid start month.")},
        {QStringLiteral("Smith"), QStringLiteral("abc"), QStringLiteral("march"),
         QStringLiteral("Illegal character in year.  Only the\ndigits 0 thru 9 are allowed.")},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCommand({QStringLiteral("new"), QStringLiteral("--client"), c.Client,
                                       QStringLiteral("--year"), c.Year, QStringLiteral("--month"),
                                       c.Month, path});
        // A wrong year or month is a wrong command line; its usage follows the message.
        EXPECT_EQ(run.Status, c.Client.trimmed().isEmpty() ? 1 : 2) << c.Month.toStdString();
        EXPECT_TRUE(run.Err.startsWith(c.Message + QLatin1Char('\n'))) << run.Err.toStdString();
        EXPECT_FALSE(QFile::exists(path));
    }
}

TEST(CliResave, ReadsAndWritesAgainButNeverOverALockedFile)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("Copy.cdb"));
    ASSERT_EQ(RunCommand({QStringLiteral("resave"), DataDir + QStringLiteral("/OneYear.cdb"), out})
                  .Status,
              0);
    const QJsonObject info = InfoJson(out);
    EXPECT_EQ(info[QStringLiteral("dayCount")].toInt(), 731);

    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    ASSERT_TRUE(SetFileLocked(out, true));
    const CliRun locked =
        RunCommand({QStringLiteral("resave"), DataDir + QStringLiteral("/Jones.Smith.cdb"), out});
    EXPECT_NE(locked.Status, 0);
    EXPECT_EQ(locked.Err, QStringLiteral("Error!  Can't write to ") + out +
                              QStringLiteral("\nbecause the file is locked!\n"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    SetFileLocked(out, false);

    const CliRun missing =
        RunCommand({QStringLiteral("resave"), dir.filePath(QStringLiteral("None.cdb")), out});
    EXPECT_NE(missing.Status, 0);
    EXPECT_EQ(missing.Err, QStringLiteral("Error reading ") +
                               dir.filePath(QStringLiteral("None.cdb")) +
                               QStringLiteral("\nThe file does not exist.\n"));
}

TEST(CliPreview, WritesThePictureOfACalendar)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("Jones.png"));
    QString output;
    QString errors;
    QTextStream outStream(&output);
    QTextStream errStream(&errors);
    ASSERT_EQ(
        RunCli({QStringLiteral("preview"), QStringLiteral(CUSTODEX_TEST_DATA "/Jones.Smith.cdb"),
                out, QStringLiteral("--size"), QStringLiteral("900x1400")},
               outStream, errStream),
        0)
        << errors.toStdString();
    const QImage picture(out);
    EXPECT_EQ(picture.size(), QSize(900, 1400));
    EXPECT_NE(RunCli({QStringLiteral("preview"), QStringLiteral("missing.cdb"), out}, outStream,
                     errStream),
              0);
    EXPECT_NE(
        RunCli({QStringLiteral("preview"), QStringLiteral(CUSTODEX_TEST_DATA "/Jones.Smith.cdb"),
                out, QStringLiteral("--size"), QStringLiteral("huge")},
               outStream, errStream),
        0);
}

} // namespace

namespace {

TEST(CliExportCsv, OptionsSeparatorAndRefusal)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("Jones.csv"));
    const QString in = DataDir + QStringLiteral("/Jones.Smith.cdb");
    ASSERT_EQ(RunCommand({QStringLiteral("export-csv"), in, out, QStringLiteral("--overnights"),
                          QStringLiteral("--overnight-reason"), QStringLiteral("--separator"),
                          QStringLiteral(";")})
                  .Status,
              0);
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\"Year\";\"Month\";\"Day\";\"Overnight Stay "
                                 "Reason\"\r\n\"2023\";\"March\";\"15\";\"Weekend\"\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 1 + 5); // five overnight days

    const QString refused = dir.filePath(QStringLiteral("None.csv"));
    const CliRun blank = RunCommand({QStringLiteral("export-csv"), in, refused,
                                     QStringLiteral("--separator"), QStringLiteral(" ")});
    EXPECT_NE(blank.Status, 0);
    EXPECT_EQ(blank.Err,
              QStringLiteral(
                  "Error!  The field separator cannot be a space or a null\nPlease try again.\n"));
    EXPECT_FALSE(QFile::exists(refused));
}

} // namespace

namespace {

// The program's message as the CLI prints it: "\n\r" as a plain line break, then a line end.
QString Printed(QString message)
{
    return message.replace(QStringLiteral("\n\r"), QStringLiteral("\n")) + QLatin1Char('\n');
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void PutFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

struct stat Status(const QString& path)
{
    struct stat info {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info;
}

// Opening a FIFO waits for its other end. A command that does so is freed (the FIFO fed and
// drained until it returns) so that the fault fails the test instead of hanging it.
CliRun RunBesideFifo(const QStringList& arguments, const QString& fifo)
{
    auto running = std::async(std::launch::async, [arguments] { return RunCommand(arguments); });
    if (running.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "the command waited on the FIFO " << fifo.toStdString();
        const QByteArray name = QFile::encodeName(fifo);
        while (running.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
            if (const int reader = ::open(name.constData(), O_RDONLY | O_NONBLOCK); reader >= 0) {
                char buffer[65536];
                while (::read(reader, buffer, sizeof buffer) > 0) {
                }
                ::close(reader);
            }
            if (const int writer = ::open(name.constData(), O_WRONLY | O_NONBLOCK); writer >= 0)
                ::close(writer);
        }
    }
    return running.get();
}

const QString Jones = DataDir + QStringLiteral("/Jones.Smith.cdb");

// Every command that writes a file, with its output at `target`.
const struct WritingCommand {
    const char* Name;
    QStringList (*Arguments)(const QString& target);
} WritingCommands[] = {
    {"new",
     [](const QString& target) {
         return QStringList{QStringLiteral("new"),   QStringLiteral("--client"),
                            QStringLiteral("Smith"), QStringLiteral("--year"),
                            QStringLiteral("2024"),  QStringLiteral("--month"),
                            QStringLiteral("March"), target};
     }},
    {"resave",
     [](const QString& target) {
         return QStringList{QStringLiteral("resave"), Jones, target};
     }},
    {"export-csv",
     [](const QString& target) {
         return QStringList{QStringLiteral("export-csv"), Jones, target,
                            QStringLiteral("--all-columns")};
     }},
    {"preview",
     [](const QString& target) {
         return QStringList{QStringLiteral("preview"), Jones, target, QStringLiteral("--size"),
                            QStringLiteral("300x400")};
     }},
};

void PrintTo(const WritingCommand& command, std::ostream* os)
{
    *os << command.Name;
}

enum class Target { LockedFile, Fifo, DeviceNode };

class CliWriteTarget : public ::testing::TestWithParam<std::tuple<WritingCommand, Target>> {};

// Nothing replaces a locked file, a FIFO or a device node: the command says so and leaves the
// target exactly as it was, permissions included.
TEST_P(CliWriteTarget, IsRefusedAndLeftAsItWas)
{
    const auto& [command, kind] = GetParam();
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("Target"));
    const QByteArray name = QFile::encodeName(target);
    QString expected;
    switch (kind) {
    case Target::LockedFile:
        PutFile(target, "kept as it was");
        ASSERT_TRUE(SetFileLocked(target, true));
        expected = QStringLiteral("Error!  Can't write to ") + target +
                   QStringLiteral("\n\rbecause the file is locked!");
        break;
    case Target::Fifo:
        ASSERT_EQ(::mkfifo(name.constData(), 0644), 0);
        expected = QStringLiteral("Error!  Could not create file named\n\r") + target +
                   QStringLiteral("\n\rIt is not a regular file.");
        break;
    case Target::DeviceNode:
        if (::geteuid() != 0)
            GTEST_SKIP() << "making a device node needs root";
        ASSERT_EQ(::mknod(name.constData(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
        expected = QStringLiteral("Error!  Could not create file named\n\r") + target +
                   QStringLiteral("\n\rIt is not a regular file.");
        break;
    }
    const struct stat before = Status(target);

    const CliRun run = RunBesideFifo(command.Arguments(target), target);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, Printed(expected));

    const struct stat after = Status(target);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_rdev, before.st_rdev);
    if (kind == Target::LockedFile) {
        EXPECT_EQ(FileBytes(target), QByteArray("kept as it was"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              QStringList{QStringLiteral("Target")});
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<WritingCommand, Target>>& info)
{
    const char* const kinds[] = {"LockedFile", "Fifo", "DeviceNode"};
    std::string name = std::string(std::get<0>(info.param).Name) + "_" +
                       kinds[static_cast<int>(std::get<1>(info.param))];
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryWritingCommand, CliWriteTarget,
                         ::testing::Combine(::testing::ValuesIn(WritingCommands),
                                            ::testing::Values(Target::LockedFile, Target::Fifo,
                                                              Target::DeviceNode)),
                         CaseName);

// A FIFO given as the calendar is refused at once, never opened and waited on.
TEST(CliReading, FifoCalendarIsRefusedWithoutWaiting)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("Pipe.cdb"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString out = dir.filePath(QStringLiteral("Out"));
    const QStringList cases[] = {
        {QStringLiteral("info"), fifo},
        {QStringLiteral("resave"), fifo, out},
        {QStringLiteral("export-csv"), fifo, out, QStringLiteral("--overnights")},
        {QStringLiteral("preview"), fifo, out},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.first().toStdString());
        const CliRun run = RunBesideFifo(arguments, fifo);
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err, QStringLiteral("Error reading ") + fifo +
                               QStringLiteral("\nIt is not a regular file.\n"));
        EXPECT_FALSE(QFile::exists(out));
    }
}

// "Error reading" says why the file could not be read (it used to stop at the name).
TEST(CliReading, ErrorReadingSaysWhy)
{
    QTemporaryDir dir;
    const QString large = dir.filePath(QStringLiteral("Large.cdb"));
    {
        QFile file(large);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(60 * 1024 * 1024)); // sparse: no disk taken
    }
    const QString unreadable = dir.filePath(QStringLiteral("Closed.cdb"));
    ASSERT_TRUE(QFile::copy(DataDir + QStringLiteral("/Jones.Smith.cdb"), unreadable));
    ASSERT_TRUE(QFile::setPermissions(unreadable, QFileDevice::WriteOwner));
    const struct {
        QString Path;
        const char* Cause;
    } cases[] = {
        {dir.filePath(QStringLiteral("Missing.cdb")), "The file does not exist."},
        {dir.path(), "It is a folder, not a file."},
        {large, "It is too large: the program reads files of at most 16 MB."},
        {unreadable, "You have no permission to read it."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Cause);
        if (c.Path == unreadable && ::geteuid() == 0)
            continue; // root reads every file
        for (const char* command : {"info", "guidelines"}) {
            const CliRun run = RunCommand({QString::fromLatin1(command), c.Path});
            EXPECT_EQ(run.Status, 1);
            EXPECT_EQ(run.Err, QStringLiteral("Error reading ") + c.Path + QLatin1Char('\n') +
                                   QString::fromLatin1(c.Cause) + QLatin1Char('\n'));
        }
    }
}

// Text that is not UTF-8 is refused by name with exit 2 and nothing written (it used to be
// stored as U+FFFD without a word); the words are read as UTF-8, bytes that are not kept apart.
TEST(CliArguments, BytesThatAreNotUtf8AreRefused)
{
    const struct {
        QByteArray Bytes;
        QString Text; // empty: not UTF-8
    } words[] = {
        {"Plain", QStringLiteral("Plain")},
        {"Caf\xc3\xa9 \xf0\x9f\x87\xba\xf0\x9f\x87\xb8",
         QStringLiteral("Caf\u00e9 \U0001F1FA\U0001F1F8")},
        {"Caf\xe9", QString()},
        {"\xff", QString()},
        {"\xc0\xaf", QString()},         // an overlong "/"
        {"\xed\xa0\x80", QString()},     // a surrogate
        {"\xf4\x90\x80\x80", QString()}, // past U+10FFFF
        {"\xe2\x82", QString()},         // cut short
    };
    for (const auto& w : words) {
        const QString read = ArgumentText(w.Bytes);
        if (!w.Text.isEmpty())
            EXPECT_EQ(read, w.Text);
        else
            EXPECT_NE(read, QString::fromUtf8(w.Bytes)) << w.Bytes.toHex().toStdString();
    }

    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("Garcia.cdb"));
    ASSERT_EQ(
        RunCommand({QStringLiteral("new"), QStringLiteral("--client"), QStringLiteral("Garcia"),
                    QStringLiteral("--year"), QStringLiteral("2025"), QStringLiteral("--month"),
                    QStringLiteral("March"), in})
            .Status,
        0);
    const QByteArray before = custodex::testing::FileBytes(in);
    const QString latin1 = ArgumentText("Nuit \xe9t\xe9");
    const struct {
        QStringList Arguments;
        const char* Named;
    } cases[] = {
        {{QStringLiteral("set-guideline"), in, in, QStringLiteral("--measure"),
          QStringLiteral("overnights"), QStringLiteral("--at-least"), QStringLiteral("100"),
          QStringLiteral("--name"), latin1},
         "--name"},
        {{QStringLiteral("set-guideline"), in, in, QStringLiteral("--measure"),
          QStringLiteral("overnights"), QStringLiteral("--at-least"), QStringLiteral("100"),
          QStringLiteral("--name=") + latin1},
         "--name"},
        {{QStringLiteral("new"), QStringLiteral("--client"), latin1, QStringLiteral("--year"),
          QStringLiteral("2025"), QStringLiteral("--month"), QStringLiteral("March"),
          dir.filePath(QStringLiteral("New.cdb"))},
         "--client"},
        {{QStringLiteral("resave"), in, dir.filePath(latin1 + QStringLiteral(".cdb"))}, "OUT.cdb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Named);
        const CliRun run = RunCommand(c.Arguments);
        EXPECT_EQ(run.Status, 2);
        EXPECT_TRUE(run.Err.startsWith(QString::fromLatin1(c.Named) +
                                       QStringLiteral(" holds bytes that are not UTF-8 text.\n")))
            << run.Err.toStdString();
    }
    EXPECT_EQ(custodex::testing::FileBytes(in), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Garcia.cdb")});
}

// A calendar is never replaced by accident: an existing OUT.cdb other than the input needs
// --overwrite; resaving a calendar onto itself, however spelled, is allowed.
TEST(CliCalendarTarget, ExistingFileNeedsOverwriteUnlessItIsTheInput)
{
    QTemporaryDir dir;
    const QString mine = dir.filePath(QStringLiteral("Mine.cdb"));
    const QString other = dir.filePath(QStringLiteral("Other.cdb"));
    const QString link = dir.filePath(QStringLiteral("Link.cdb"));
    const QString oneYear = DataDir + QStringLiteral("/OneYear.cdb");
    const QStringList newSmith{QStringLiteral("new"),   QStringLiteral("--client"),
                               QStringLiteral("Smith"), QStringLiteral("--year"),
                               QStringLiteral("2024"),  QStringLiteral("--month"),
                               QStringLiteral("March")};
    const QString exists = QStringLiteral(" already exists!\nGive --overwrite to write over it.\n");
    const struct {
        const char* Name;
        QStringList Arguments;
        QString Target;
        QString Err;    // empty when the command succeeds
        int Overnights; // in the target afterwards: OneYear.cdb has 1, Jones 3
    } cases[] = {
        {"new onto a file", newSmith + QStringList{other}, other,
         QStringLiteral("File ") + other + exists, 1},
        {"new --overwrite", newSmith + QStringList{QStringLiteral("--overwrite"), other}, other,
         QString(), 0},
        {"resave onto another file",
         {QStringLiteral("resave"), Jones, other},
         other,
         QStringLiteral("File ") + other + exists,
         1},
        {"resave --overwrite",
         {QStringLiteral("resave"), QStringLiteral("--overwrite"), Jones, other},
         other,
         QString(),
         3},
        {"resave onto itself", {QStringLiteral("resave"), mine, mine}, mine, QString(), 1},
        {"resave onto itself spelled otherwise",
         {QStringLiteral("resave"), mine, dir.path() + QStringLiteral("/./Mine.cdb")},
         mine,
         QString(),
         1},
        {"resave onto a link to itself",
         {QStringLiteral("resave"), mine, link},
         mine,
         QString(),
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const QString& copy : {mine, other}) {
            QFile::remove(copy);
            ASSERT_TRUE(QFile::copy(oneYear, copy));
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        }
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(mine, link));
        const QByteArray before = FileBytes(c.Target);

        const CliRun run = RunCommand(c.Arguments);
        EXPECT_EQ(run.Status, c.Err.isEmpty() ? 0 : 1);
        EXPECT_EQ(run.Err, c.Err);
        if (!c.Err.isEmpty()) {
            EXPECT_EQ(FileBytes(c.Target), before);
        }
        EXPECT_EQ(InfoJson(c.Target)[QStringLiteral("counters")][QStringLiteral("bothYears")]
                                    [QStringLiteral("overnights")]
                                        .toInt(),
                  c.Overnights);
        EXPECT_TRUE(QFileInfo(link).isSymLink());
    }
}

// An existing output is replaced only with --overwrite (keeping its permissions), and never
// when it is the calendar being read: no command turns a calendar into its own export.
TEST(CliOutputs, ReplaceAnExistingFileOnlyWithOverwriteAndNeverTheInput)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("Output"));
    const QString calendar = dir.filePath(QStringLiteral("Calendar.cdb"));
    constexpr mode_t permissions = 0640;
    const struct {
        const char* Command;
        QByteArray Start;
    } cases[] = {{"export-csv", "\"Year\",\"Month\",\"Day\""}, {"preview", "\x89PNG"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Command);
        const auto& writer = *std::find_if(
            std::begin(WritingCommands), std::end(WritingCommands),
            [&c](const WritingCommand& w) { return std::strcmp(w.Name, c.Command) == 0; });
        PutFile(target, "old output");
        ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), permissions), 0);

        CliRun run = RunCommand(writer.Arguments(target));
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err, QStringLiteral("File ") + target +
                               QStringLiteral(" already exists!\nGive --overwrite to write over "
                                              "it.\n"));
        EXPECT_EQ(FileBytes(target), QByteArray("old output"));

        run = RunCommand(writer.Arguments(target) << QStringLiteral("--overwrite"));
        EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
        EXPECT_TRUE(FileBytes(target).startsWith(c.Start));
        EXPECT_EQ(Status(target).st_mode & 07777, permissions);

        QFile::remove(calendar);
        ASSERT_TRUE(QFile::copy(Jones, calendar));
        const QByteArray before = FileBytes(calendar);
        QStringList onItself = writer.Arguments(target);
        onItself.replace(onItself.indexOf(Jones), calendar);
        onItself.replace(onItself.indexOf(target), calendar);
        run = RunCommand(onItself << QStringLiteral("--overwrite"));
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err, QStringLiteral("File ") + calendar +
                               QStringLiteral(" is the calendar being read!\nChoose another file "
                                              "to write.\n"));
        EXPECT_EQ(FileBytes(calendar), before);
    }
}

TEST(CliUsage, WrongCommandLinesExitWithTwoAndWriteNothing)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("Out"));
    const struct {
        QStringList Arguments;
        QString FirstLine;
    } cases[] = {
        {{}, QStringLiteral("No command given.")},
        {{QStringLiteral("frobnicate"), Jones}, QStringLiteral("Unknown command 'frobnicate'.")},
        {{QStringLiteral("--json"), QStringLiteral("info"), Jones},
         QStringLiteral("Unknown option 'json'.")},
        {{QStringLiteral("info"), Jones, QStringLiteral("--bogus")},
         QStringLiteral("Unknown option 'bogus'.")},
        {{QStringLiteral("new"), out, QStringLiteral("--client")},
         QStringLiteral("Missing value after '--client'.")},
        {{QStringLiteral("export-csv"), Jones, out, QStringLiteral("--separator")},
         QStringLiteral("Missing value after '--separator'.")},
        {{QStringLiteral("info"), Jones, Jones},
         QStringLiteral("info needs 1 argument: IN.cdb (2 given).")},
        {{QStringLiteral("resave"), Jones},
         QStringLiteral("resave needs 2 arguments: IN.cdb OUT.cdb (1 given).")},
        {{QStringLiteral("new"), QStringLiteral("--client"), QStringLiteral("Smith")},
         QStringLiteral("new needs 1 argument: OUT.cdb (0 given).")},
        {{QStringLiteral("preview"), Jones, out, QStringLiteral("--size"), QStringLiteral("huge")},
         QStringLiteral("--size needs WxH, for example 1280x2048")},
        {{QStringLiteral("preview"), Jones, out, QStringLiteral("--size"),
          QStringLiteral("100x900")},
         QStringLiteral("--size must be between 200x200 and 20000x20000")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = RunCommand(c.Arguments);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Err.section(QLatin1Char('\n'), 0, 0), c.FirstLine);
        EXPECT_TRUE(run.Err.contains(QStringLiteral("Usage: custodex-cli")));
        EXPECT_TRUE(run.Out.isEmpty());
        EXPECT_FALSE(QFile::exists(out));
    }
}

// A value option never takes the option after it as its value: "--write --overwrite" wrote a
// calendar named "--overwrite".
TEST(CliOptions, AValueOptionNeverTakesTheNextOption)
{
    QTemporaryDir dir;
    const QString calendar = dir.filePath(QStringLiteral("Smith.cdb"));
    ASSERT_EQ(RunCommand({QStringLiteral("new"), QStringLiteral("--client"),
                          QStringLiteral("Smith"), QStringLiteral("--year"), QStringLiteral("2024"),
                          QStringLiteral("--month"), QStringLiteral("march"), calendar})
                  .Status,
              0);
    QDir::setCurrent(dir.path());
    const CliRun run = RunCommand({QStringLiteral("distribution"), calendar,
                                   QStringLiteral("--write"), QStringLiteral("--overwrite")});
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(run.Err.startsWith(QStringLiteral("--write needs a value.\n")))
        << run.Err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Smith.cdb")});
}

TEST(CliHelp, ListsEveryCommandAndExplainsEachOptionAndArgument)
{
    const CliRun tool = RunCommand({QStringLiteral("--help")});
    EXPECT_EQ(tool.Status, 0);
    EXPECT_TRUE(tool.Err.isEmpty());

    const struct {
        QString Command;
        QStringList Shown;
    } cases[] = {
        {QStringLiteral("info"), {QStringLiteral("IN.cdb"), QStringLiteral("--json")}},
        {QStringLiteral("new"),
         {QStringLiteral("OUT.cdb"), QStringLiteral("--client <name>"),
          QStringLiteral("--year <YYYY>"), QStringLiteral("--month <month>"),
          QStringLiteral("--overwrite")}},
        {QStringLiteral("resave"),
         {QStringLiteral("IN.cdb"), QStringLiteral("OUT.cdb"), QStringLiteral("--overwrite")}},
        {QStringLiteral("export-csv"),
         {QStringLiteral("IN.cdb"), QStringLiteral("OUT.csv"), QStringLiteral("--weekday"),
          QStringLiteral("--overnights"), QStringLiteral("--overnight-reason"),
          QStringLiteral("--overnight-start"), QStringLiteral("--overnight-end"),
          QStringLiteral("--day-visits"), QStringLiteral("--day-visit-reason"),
          QStringLiteral("--day-visit-start"), QStringLiteral("--day-visit-end"),
          QStringLiteral("--all-days"), QStringLiteral("--all-columns"),
          QStringLiteral("--separator <C>")}},
        {QStringLiteral("preview"),
         {QStringLiteral("IN.cdb"), QStringLiteral("OUT.png"), QStringLiteral("--size <WxH>")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Command.toStdString());
        // The tool's list: the name, then a one-line description.
        const QStringList listed =
            tool.Out.split(QLatin1Char('\n'))
                .filter(QRegularExpression(QStringLiteral("^  ") +
                                           QRegularExpression::escape(c.Command) +
                                           QStringLiteral(" +\\S")));
        EXPECT_EQ(listed.size(), 1) << tool.Out.toStdString();

        const CliRun help = RunCommand({c.Command, QStringLiteral("--help")});
        EXPECT_EQ(help.Status, 0);
        EXPECT_TRUE(help.Out.startsWith(QStringLiteral("Usage: custodex-cli ") + c.Command +
                                        QStringLiteral(" [options]")));
        // Each entry is followed on its line by an explanation.
        for (const QString& shown : c.Shown)
            EXPECT_TRUE(help.Out.contains(QRegularExpression(QStringLiteral("\\n  ") +
                                                             QRegularExpression::escape(shown) +
                                                             QStringLiteral(" +\\S"))))
                << shown.toStdString() << '\n'
                << help.Out.toStdString();
        EXPECT_EQ(RunCommand({QStringLiteral("help"), c.Command}).Out, help.Out);
    }

    const CliRun version = RunCommand({QStringLiteral("--version")});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, QStringLiteral("custodex-cli " CUSTODEX_VERSION "\n"));
}

// Every bulk command prints its overwrite questions through one class: the word printed and
// the answer given follow the policy and what the engine's question offers, and a warning goes
// to standard error except where a command tells it with the rest.
TEST(CliPrintedQuestions, AnswerWhatTheQuestionOffersAndSendWarningsWhereAsked)
{
    using cli::PrintedQuestions;
    const struct {
        OverwriteChoices Choices;
        bool YesToAll;
        OverwriteAnswer Answer;
        const char* Printed;
    } cases[] = {
        {OverwriteChoices::YesNo, true, OverwriteAnswer::Yes, "Yes"},
        {OverwriteChoices::YesNo, false, OverwriteAnswer::No, "No"},
        {OverwriteChoices::YesYesToAllNoCancel, true, OverwriteAnswer::YesToAll, "Yes to All"},
        {OverwriteChoices::YesYesToAllNoCancel, false, OverwriteAnswer::No, "No"},
        {OverwriteChoices::YesYesToAllNoNoToAllCancel, true, OverwriteAnswer::YesToAll,
         "Yes to All"},
        {OverwriteChoices::YesYesToAllNoNoToAllCancel, false, OverwriteAnswer::NoToAll,
         "No to All"},
    };
    for (const auto& c : cases) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        PrintedQuestions questions(outStream, errStream, c.YesToAll);
        EXPECT_EQ(
            questions.AskOverwrite(QStringLiteral("Day 1 is set to A.\n\rOverwrite?"), c.Choices),
            c.Answer)
            << c.Printed;
        outStream.flush();
        EXPECT_EQ(out, QStringLiteral("Day 1 is set to A.\nOverwrite?\n") +
                           QLatin1String(c.Printed) + QLatin1Char('\n'));
        EXPECT_EQ(err, QString());
    }

    for (const auto warnings :
         {PrintedQuestions::Warnings::ToErrors, PrintedQuestions::Warnings::ToOutput}) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        PrintedQuestions questions(outStream, errStream, false, warnings);
        questions.Tell(PromptKind::Error, QStringLiteral("E\n\r1"));
        questions.Tell(PromptKind::Warning, QStringLiteral("W"));
        questions.Tell(PromptKind::Information, QStringLiteral("I"));
        outStream.flush();
        errStream.flush();
        const bool warningsOut = warnings == PrintedQuestions::Warnings::ToOutput;
        EXPECT_EQ(err, warningsOut ? QStringLiteral("E\n1\n") : QStringLiteral("E\n1\nW\n"));
        EXPECT_EQ(out, warningsOut ? QStringLiteral("W\nI\n") : QStringLiteral("I\n"));
    }
}

} // namespace
