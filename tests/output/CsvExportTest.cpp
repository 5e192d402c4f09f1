#include "output/CsvExport.h"

#include <gtest/gtest.h>

using namespace custodex;

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
