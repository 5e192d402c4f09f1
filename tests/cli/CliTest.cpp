#include "cli/CliCommands.h"

#include "platform/FileLock.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;

namespace {

const QString DataDir = QStringLiteral(CUSTODEX_TEST_DATA);

struct CliRun {
    int Status = 0;
    QString Out;
    QString Err;
};

CliRun RunCommand(const QStringList& arguments)
{
    CliRun run;
    QTextStream out(&run.Out);
    QTextStream err(&run.Err);
    run.Status = RunCli(arguments, out, err);
    return run;
}

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
    };
    for (const auto& c : cases) {
        const CliRun run = RunCommand({QStringLiteral("new"), QStringLiteral("--client"), c.Client,
                                       QStringLiteral("--year"), c.Year, QStringLiteral("--month"),
                                       c.Month, path});
        EXPECT_NE(run.Status, 0);
        EXPECT_EQ(run.Err, c.Message + QLatin1Char('\n'));
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
                               dir.filePath(QStringLiteral("None.cdb")) + QLatin1Char('\n'));
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
