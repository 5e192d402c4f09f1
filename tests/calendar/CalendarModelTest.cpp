#include "calendar/CalendarModel.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace custodex;

namespace {

CalendarDocument Span(int startMonthIndex, int startYear)
{
    CalendarDocument doc;
    BuildSpan(doc, startMonthIndex, startYear);
    RecountCounters(doc);
    return doc;
}

struct SpanCase {
    int StartMonthIndex;
    int StartYear;
    int FirstYearDays;
    int SecondYearDays;
    const char* EndYearText;
    int Month13Year;
};

class SpanTest : public ::testing::TestWithParam<SpanCase> {};

TEST_P(SpanTest, BuildsBothYearsAndTheirBoundaries)
{
    const SpanCase c = GetParam();
    const CalendarDocument doc = Span(c.StartMonthIndex, c.StartYear);
    EXPECT_EQ(doc.FirstYearCounters.Days, c.FirstYearDays);
    EXPECT_EQ(doc.SecondYearCounters.Days, c.SecondYearDays);
    EXPECT_EQ(doc.DayCount, c.FirstYearDays + c.SecondYearDays);
    EXPECT_EQ(doc.SecondYearFirstDay, c.FirstYearDays);
    EXPECT_EQ(doc.EndYearText, QString::fromLatin1(c.EndYearText));
    EXPECT_EQ(doc.StartYearText, QString::number(c.StartYear));
    EXPECT_EQ(doc.MonthTable[12].Year, c.Month13Year);
    EXPECT_EQ(doc.MonthTable[12].FirstDay, doc.SecondYearFirstDay);
    EXPECT_EQ(doc.MonthTable[12].MonthName, DisplayMonthNames().at(c.StartMonthIndex));
    EXPECT_EQ(doc.Days.front().DayOfMonth, 1);
    EXPECT_EQ(doc.ShownMonthNumber, 1);
    EXPECT_TRUE(doc.ShowingFirstYear);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, SpanTest,
    ::testing::Values(SpanCase{0, 2023, 365, 366, "2024", 2024}, // January start, 2024 leap
                      SpanCase{2, 2023, 366, 365, "2025", 2024}, // ends with February 2024
                      SpanCase{1, 2024, 366, 365, "2026", 2025}, // February 2024 first
                      SpanCase{0, 1900, 365, 365, "1901", 1901}, // 1900 is not a leap year
                      SpanCase{1, 2000, 366, 365, "2002", 2001}, // 2000 is
                      SpanCase{11, 2999, 365, 365, "3001", 3000},
                      SpanCase{0, 1000, 365, 365, "1001", 1001}));

// Every day of a span matches the proleptic Gregorian calendar, weekday included.
TEST(BuildSpan, DaysFollowTheGregorianCalendarAcrossCenturies)
{
    for (int year :
         {1000, 1582, 1700, 1899, 1900, 1999, 2000, 2023, 2024, 2099, 2100, 2400, 2998}) {
        for (int month = 0; month < 12; ++month) {
            const CalendarDocument doc = Span(month, year);
            QDate date(year, month + 1, 1);
            for (const CalendarDay& day : doc.Days) {
                ASSERT_EQ(day.DayOfMonth, date.day()) << year << " " << month;
                ASSERT_EQ(day.MonthName, DisplayMonthNames().at(date.month() - 1));
                ASSERT_EQ(day.WeekdayName, WeekdayKeys().at(date.dayOfWeek() % 7))
                    << date.toString(Qt::ISODate).toStdString();
                date = date.addDays(1);
            }
            ASSERT_EQ(date, QDate(year + 2, month + 1, 1));
        }
    }
}

TEST(BuildYear, FirstOfJanuaryAndYearTexts)
{
    EXPECT_EQ(BuildYear(QStringLiteral("/2000"), 0).front().WeekdayName,
              QStringLiteral("SATURDAY"));
    EXPECT_EQ(BuildYear(QStringLiteral("/1900"), 0).front().WeekdayName, QStringLiteral("MONDAY"));
    EXPECT_EQ(BuildYear(QStringLiteral("/2100"), 0).front().WeekdayName, QStringLiteral("FRIDAY"));
    EXPECT_EQ(YearFromYearText(QStringLiteral("/05")), 2005);
    EXPECT_EQ(YearFromYearText(QStringLiteral("12/31/1999")), 1999);
    const DayList days = BuildYear(QStringLiteral("/05"), 0);
    EXPECT_EQ(days.size(), 365u);
    EXPECT_EQ(days.front().WeekdayName, QStringLiteral("SATURDAY")); // 1 January 2005
    const CalendarDay fresh = days[40];
    EXPECT_FALSE(fresh.HasOvernight);
    EXPECT_EQ(fresh.OvernightReason, QStringLiteral(" "));
    EXPECT_EQ(fresh.DayVisitEnd, QStringLiteral("<None>"));
}

TEST(BuildMonthTables, YearsAndButtonCaptions)
{
    const CalendarDocument doc = Span(8, 2004); // September 2004
    EXPECT_EQ(doc.MonthButtonCaptions[0], QStringLiteral("2004  September"));
    EXPECT_EQ(doc.MonthButtonCaptions[4], QStringLiteral("2005  January"));
    EXPECT_EQ(doc.MonthButtonCaptions[12], QStringLiteral("2005  September"));
    EXPECT_EQ(doc.MonthButtonCaptions[23], QStringLiteral("2006  August"));
    EXPECT_EQ(doc.FirstYearOfMonth[8], 2004);
    EXPECT_EQ(doc.FirstYearOfMonth[0], 2005);
    EXPECT_EQ(doc.MonthTable[23].Year, 2006);
    EXPECT_EQ(YearOfDay(doc, static_cast<int>(doc.Days.size()) - 1), 2006);
    EXPECT_EQ(YearOfDay(doc, 0), 2004);
}

TEST(FindDay, WalksToTheMonthOfEitherYear)
{
    const CalendarDocument doc = Span(2, 2023); // March 2023 .. February 2025
    const int first = FindDay(doc, 1, true, 29);
    ASSERT_GE(first, 0);
    EXPECT_EQ(YearOfDay(doc, first), 2024);    // February 2024 has a 29th
    EXPECT_EQ(FindDay(doc, 1, false, 29), -1); // February 2025 has not
    const int march = FindDay(doc, 2, false, 31);
    ASSERT_GE(march, 0);
    EXPECT_EQ(YearOfDay(doc, march), 2024);
    EXPECT_GE(march, doc.SecondYearFirstDay);
    EXPECT_EQ(FindDay(doc, 12, true, 1), -1);
}

TEST(RecountCounters, AnnotationReasonsAreNotCounted)
{
    CalendarDocument doc = Span(0, 2023);
    auto mark = [&](int index, bool overnight, const char* reason) {
        CalendarDay& day = doc.Days[static_cast<std::size_t>(index)];
        (overnight ? day.HasOvernight : day.HasDayVisit) = true;
        (overnight ? day.OvernightReason : day.DayVisitReason) = QString::fromUtf8(reason);
    };
    mark(0, true, "Weekend");
    mark(1, true, "*Note only");
    mark(2, true, "");
    mark(3, false, "NN-Zoo");
    mark(4, false, "*Also a note");
    mark(400, true, "Second year");
    RecountCounters(doc);

    EXPECT_EQ(doc.FirstYearCounters.Overnights, 2);
    EXPECT_EQ(doc.FirstYearCounters.CustodialOvernights, 363);
    EXPECT_EQ(doc.FirstYearCounters.DayVisits, 1);
    EXPECT_EQ(doc.SecondYearCounters.Overnights, 1);
    EXPECT_EQ(doc.BothYearsCounters.Days, 731);
    EXPECT_EQ(doc.BothYearsCounters.Overnights, 3);
    EXPECT_EQ(doc.BothYearsCounters.CustodialDayVisits, 730);
    const std::array<QString, 8> expected{QStringLiteral("2"),     QStringLiteral("363"),
                                          QStringLiteral("00.5%"), QStringLiteral("99.5%"),
                                          QStringLiteral("1"),     QStringLiteral("364"),
                                          QStringLiteral("00.3%"), QStringLiteral("99.7%")};
    EXPECT_EQ(doc.FirstYearCounters.Texts, expected);
}

TEST(PercentText, RoundsToOneDecimal)
{
    const struct {
        int Count, Days;
        const char* Text;
    } cases[] = {{135, 365, "37.0%"},  {0, 365, "00.0%"},       {365, 365, "100.0%"},
                 {3, 365, "00.8%"},    {1, 3, "33.3%"},         {2, 3, "66.7%"},
                 {999, 1000, "99.9%"}, {9996, 10000, "100.0%"}, {36, 365, "09.9%"},
                 {730, 730, "100.0%"}, {95, 1000, "09.5%"}};
    for (const auto& c : cases)
        EXPECT_EQ(PercentText(c.Count, c.Days), QString::fromLatin1(c.Text))
            << c.Count << "/" << c.Days;
}

TEST(ReasonDisplayText, RemovesPatternWordsAndKeepsTheNoNapMark)
{
    const struct {
        const char* Reason;
        const char* Shown;
    } cases[] = {{"NN-Even Weekend", "NN-Weekend"},
                 {"All Holidays", "Holidays"},
                 {"Oddity", "Oddity"},
                 {"Odd Friday", "Friday"},
                 {"Even", "Even"},
                 {"NN-", "NN-"},
                 {"*Even note", "*Even note"},
                 {" ", " "}};
    for (const auto& c : cases)
        EXPECT_EQ(ReasonDisplayText(QString::fromUtf8(c.Reason)), QString::fromUtf8(c.Shown));
}

TEST(Snapshots, RestoreBringsBackEveryField)
{
    CalendarDocument doc = Span(5, 2024);
    doc.Days[10].HasOvernight = true;
    doc.Days[10].OvernightReason = QStringLiteral("Before");
    TakeSnapshot(doc, SnapshotKind::Entry);
    const DayList before = doc.Days;

    doc.Days[10].OvernightReason = QStringLiteral("After");
    doc.Days[11].HasDayVisit = true;
    doc.Days[11].DayVisitStart = QStringLiteral("09:00AM");
    TakeSnapshot(doc, SnapshotKind::Undo);
    doc.Days[12].HasOvernight = true;
    RestoreSnapshot(doc, SnapshotKind::Undo);
    EXPECT_FALSE(doc.Days[12].HasOvernight);
    EXPECT_EQ(doc.Days[11].DayVisitStart, QStringLiteral("09:00AM"));

    RestoreSnapshot(doc, SnapshotKind::Entry);
    EXPECT_EQ(doc.Days, before);
}

TEST(ClearCalendar, LeavesNoCalendar)
{
    CalendarDocument doc = Span(0, 2023);
    ClearCalendar(doc);
    EXPECT_FALSE(doc.HasCalendar());
    EXPECT_EQ(doc.SecondYearFirstDay, -1);
    EXPECT_EQ(doc.DayCount, 0);
    EXPECT_EQ(FindDay(doc, 0, true, 1), -1);
}

TEST(CutText, KeepsTheCapacityInCharacters)
{
    EXPECT_EQ(CutText(QStringLiteral("abcdef"), 4), QStringLiteral("abcd"));
    EXPECT_EQ(CutText(QStringLiteral("ab"), 4), QStringLiteral("ab"));
    const QString emoji = QStringLiteral("abc") + QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_EQ(CutText(emoji, 4), QStringLiteral("abc")); // no half surrogate pair
}

TEST(DurationMinutes, ReadsHoursAndMinutes)
{
    EXPECT_EQ(DurationMinutes(QStringLiteral("24:00")), 1440);
    EXPECT_EQ(DurationMinutes(QStringLiteral("01:30")), 90);
    EXPECT_EQ(DurationMinutes(QStringLiteral("1:30")), -1);
    EXPECT_EQ(DurationMinutes(QStringLiteral("ab:cd")), -1);
}

} // namespace
