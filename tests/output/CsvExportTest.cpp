#include "output/CsvExport.h"

#include "platform/FileAccess.h"
#include "support/ScriptedServices.h"
#include "support/SpecialFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

CalendarDocument September2004()
{
    CalendarDocument doc;
    BuildSpan(doc, 8, 2004);
    CalendarDay& friday = doc.Days[2]; // Friday 3 September 2004
    friday.HasOvernight = true;
    friday.OvernightReason = QStringLiteral("Weekend");
    friday.OvernightPickup = QStringLiteral("06:00PM");
    friday.OvernightDropoff = QStringLiteral("08:30AM");
    return doc;
}

TEST(CsvExport, DefaultOptionsWriteOnlyTheHeader)
{
    EXPECT_EQ(CsvText(September2004(), CsvOptions{}),
              QStringLiteral("\"Year\",\"Month\",\"Day\"\r\n"));
}

TEST(CsvExport, SemicolonWithOvernightColumns)
{
    CsvOptions options;
    options.Overnights = options.OvernightReason = options.OvernightStart = options.OvernightEnd =
        true;
    options.Separator = QLatin1Char(';');
    EXPECT_EQ(
        CsvText(September2004(), options),
        QStringLiteral(
            "\"Year\";\"Month\";\"Day\";\"Overnight Stay Reason\";\"Overnight Stay Pickup Time\";"
            "\"Overnight Stay Dropoff Time\"\r\n"
            "\"2004\";\"September\";\"3\";\"Weekend\";1800;830\r\n"));
}

TEST(CsvExport, AllColumnsDayVisitFreeDaysNoneTimesAndCuts)
{
    CalendarDocument doc = September2004();
    doc.Days[2].OvernightPickup = QStringLiteral("<None>");
    doc.Days[3].HasDayVisit = true;
    doc.Days[3].DayVisitReason = QStringLiteral("A reason that is longer than thirty characters");
    doc.Days[3].DayVisitStart = QStringLiteral("10:00AM");
    doc.Days[3].DayVisitEnd = QStringLiteral("04:15PM");
    CsvOptions options;
    options.WeekDay = true;
    options.Overnights = options.OvernightReason = options.OvernightStart = options.OvernightEnd =
        true;
    options.DayVisits = options.DayVisitReason = options.DayVisitStart = options.DayVisitEnd = true;
    const QStringList lines = CsvText(doc, options).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4); // header, two days, and the empty rest after the last CR LF
    EXPECT_EQ(
        lines[1],
        QStringLiteral("\"2004\",\"September\",\"3\",\"FRIDAY\",\"Weekend\",0,830,\"\",-1,-1"));
    EXPECT_EQ(lines[2], QStringLiteral("\"2004\",\"September\",\"4\",\"SATURDAY\",\"\",-1,-1,"
                                       "\"A reason that is longer than t\",1000,1615"));
    EXPECT_TRUE(lines[3].isEmpty());
}

// A quote inside a reason is doubled, so a CSV reader gets the reason back as one field; the
// cut to 30 characters applies to the reason itself, before the doubling.
TEST(CsvExport, QuotesInsideReasonsAreDoubled)
{
    const struct {
        const char* Reason;
        const char* Line;
    } cases[] = {
        {"Dad said \"ok\", then left",
         "\"2004\",\"September\",\"3\",\"Dad said \"\"ok\"\", then left\""},
        {"\"", "\"2004\",\"September\",\"3\",\"\"\"\""},
        {"\"Quoted\"", "\"2004\",\"September\",\"3\",\"\"\"Quoted\"\"\""},
        {"Twenty-nine characters long: \" and more",
         "\"2004\",\"September\",\"3\",\"Twenty-nine characters long: \"\"\""},
        {"No quotes, one comma", "\"2004\",\"September\",\"3\",\"No quotes, one comma\""},
    };
    CsvOptions options;
    options.Overnights = options.OvernightReason = true;
    for (const auto& c : cases) {
        CalendarDocument doc = September2004();
        doc.Days[2].OvernightReason = QString::fromUtf8(c.Reason);
        const QStringList lines = CsvText(doc, options).split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), 3) << c.Reason;
        EXPECT_EQ(lines[1], QString::fromUtf8(c.Line)) << c.Reason;
    }
}

TEST(CsvExport, AllDaysCarryTheirCalendarYear)
{
    CalendarDocument doc;
    BuildSpan(doc, 6, 2004); // July 2004 .. June 2006
    CsvOptions options;
    options.AllDays = true;
    const QString text = CsvText(doc, options);
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 1 + doc.DayCount);
    EXPECT_TRUE(text.contains(QStringLiteral("\"2006\",\"February\",\"1\"\r\n"))); // month 20
    EXPECT_TRUE(text.contains(QStringLiteral("\"2005\",\"February\",\"1\"\r\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\"2006\",\"June\",\"30\"\r\n")));
}

TEST(CsvExport, TimeNumbers)
{
    const struct {
        const char* Text;
        int Number;
    } cases[] = {{"07:30AM", 730},  {"07:30PM", 1930}, {"11:05PM", 2305}, {"<None>", 0},
                 {" ", 0},          {"", 0},           {"12:30PM", 1230}, {"12:30AM", 30},
                 {"00:15PM", 1215}, {"12:00AM", 2400}, {"12:00PM", 1200}};
    for (const auto& c : cases)
        EXPECT_EQ(CsvTimeNumber(QString::fromLatin1(c.Text)), c.Number) << c.Text;
}

TEST(CsvExport, SeparatorChoices)
{
    EXPECT_EQ(CsvSeparator(CsvSeparatorChoice::Comma, QString()), QLatin1Char(','));
    EXPECT_EQ(CsvSeparator(CsvSeparatorChoice::Semicolon, QString()), QLatin1Char(';'));
    EXPECT_EQ(CsvSeparator(CsvSeparatorChoice::Custom, QStringLiteral("|")), QLatin1Char('|'));
    EXPECT_FALSE(CsvSeparator(CsvSeparatorChoice::Custom, QString()));
    EXPECT_FALSE(CsvSeparator(CsvSeparatorChoice::Custom, QStringLiteral(" ")));
    EXPECT_EQ(CsvSeparatorMessage,
              QStringLiteral(
                  "Error!  The field separator cannot be a space or a null\n\rPlease try again."));
}

} // namespace

namespace {

struct ExportFolder {
    QString Path(const char* name) const { return Dir.filePath(QLatin1String(name)); }
    QTemporaryDir Dir;
};

} // namespace

// The question is about the file that will be written, whatever name was typed.
TEST(CsvExportFile, AsksAboutTheFileActuallyWritten)
{
    const struct {
        const char* Existing;
        const char* Chosen;
        const char* Written;
        bool Asked;
    } cases[] = {
        {"Jones.Smith.csv", "Jones.Smith", "Jones.Smith.csv", true},
        {"x.txt", "x.txt", "x.txt.csv", false},
        {"Report.CSV", "Report.CSV", "Report.CSV", true},
        {nullptr, "New", "New.csv", false},
    };
    for (const auto& c : cases) {
        ExportFolder folder;
        if (c.Existing) {
            ASSERT_EQ(WriteWholeFile(folder.Path(c.Existing), "old"), FileWriteError::None);
        }
        ScriptedPrompter prompts;
        const QString written = folder.Path(c.Written);
        if (c.Asked) {
            prompts.Expect(QStringLiteral("File ") + written +
                               QStringLiteral(" already exists!\n\rWrite over it?"),
                           PromptAnswer::Ok);
        }
        CalendarDocument doc = September2004();
        EXPECT_TRUE(SaveCsvFile(doc, folder.Path(c.Chosen), CsvOptions{}, prompts)) << c.Chosen;
        EXPECT_EQ(FileBytes(written), QByteArray("\"Year\",\"Month\",\"Day\"\r\n")) << c.Chosen;
        EXPECT_EQ(doc.ClientFolder, folder.Dir.path() + QLatin1Char('/'));
        if (c.Existing && QLatin1String(c.Existing) != QLatin1String(c.Written)) {
            EXPECT_EQ(FileBytes(folder.Path(c.Existing)), QByteArray("old"));
        }
    }
}

// Cancel, a locked file or a FIFO: nothing is written and the client folder stays.
TEST(CsvExportFile, RefusalsChangeNothing)
{
    ExportFolder folder;
    ASSERT_EQ(WriteWholeFile(folder.Path("Kept.csv"), "old"), FileWriteError::None);
    ASSERT_TRUE(MakeLockedFile(folder.Path("Locked.csv"), "locked"));
    ASSERT_TRUE(MakeFifo(folder.Path("Fifo.csv")));
    auto question = [&](const char* name) {
        return QStringLiteral("File ") + folder.Path(name) +
               QStringLiteral(" already exists!\n\rWrite over it?");
    };
    const struct {
        const char* Chosen;
        PromptAnswer Answer;
        QString Error;
    } cases[] = {
        {"Kept", PromptAnswer::Cancel, QString()},
        {"Locked", PromptAnswer::Ok,
         QStringLiteral("Error!  Can't write to ") + folder.Path("Locked.csv") +
             QStringLiteral("\n\rbecause the file is locked!")},
        {"Fifo", PromptAnswer::Ok,
         QStringLiteral("Error!  Could not create file named\n\r") + folder.Path("Fifo.csv") +
             QStringLiteral("\n\rIt is not a regular file.")},
    };
    for (const auto& c : cases) {
        ScriptedPrompter prompts;
        const QString name = QLatin1String(c.Chosen) + QStringLiteral(".csv");
        prompts.Expect(question(name.toLatin1().constData()), c.Answer);
        if (!c.Error.isEmpty()) {
            prompts.Expect(c.Error, PromptAnswer::Ok);
        }
        CalendarDocument doc = September2004();
        doc.ClientFolder = QStringLiteral("/clients/");
        EXPECT_FALSE(SaveCsvFile(doc, folder.Path(c.Chosen), CsvOptions{}, prompts)) << c.Chosen;
        EXPECT_EQ(doc.ClientFolder, QStringLiteral("/clients/"));
    }
    EXPECT_EQ(FileBytes(folder.Path("Kept.csv")), QByteArray("old"));
    EXPECT_EQ(FileBytes(folder.Path("Locked.csv")), QByteArray("locked"));
    EXPECT_FALSE(QFileInfo(folder.Path("Locked.csv")).permissions() & QFileDevice::WriteOwner);
    EXPECT_TRUE(IsFifo(folder.Path("Fifo.csv")));
}
