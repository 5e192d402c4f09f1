#include "patterns/DateRange.h"

#include "PatternTestSupport.h"

#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

TEST(DateRangeLists, WholeCalendarFromAMarchStart)
{
    const CalendarDocument doc = SpanFrom(2, 2023); // March 2023 to February 2025
    DateRangeBlock block;
    EXPECT_FALSE(DateRangeFilled(block));
    FillDateRange(doc, block);
    EXPECT_TRUE(DateRangeFilled(block));
    EXPECT_EQ(block.Start.Months.first(), QStringLiteral("March"));
    EXPECT_EQ(block.Start.Months.last(), QStringLiteral("February"));
    EXPECT_EQ(block.Start.Months.size(), 12);
    EXPECT_EQ(block.Start.Years, (QStringList{QStringLiteral("2023"), QStringLiteral("2024"),
                                              QStringLiteral("2025")}));
    EXPECT_EQ(block.Start.Month, QStringLiteral("March"));
    EXPECT_EQ(block.Start.Day, QStringLiteral("1"));
    EXPECT_EQ(block.Start.Year, QStringLiteral("2023"));
    EXPECT_EQ(block.Start.Days.size(), 31);
    EXPECT_EQ(block.End.Month, QStringLiteral("February"));
    EXPECT_EQ(block.End.Day, QStringLiteral("28"));
    EXPECT_EQ(block.End.Year, QStringLiteral("2025"));
    EXPECT_EQ(block.End.Days.size(), 28);
    EXPECT_EQ(block.CalendarLastDay, 28);
    const DateRangeCheck check = CheckDateRange(doc, block);
    ASSERT_TRUE(check.Ok) << check.Message.toStdString();
    EXPECT_EQ(check.First, 0);
    EXPECT_EQ(check.Last, static_cast<int>(doc.Days.size()) - 1);
}

TEST(DateRangeLists, JanuaryStartListsTwoYears)
{
    const CalendarDocument doc = SpanFrom(0, 2024);
    DateRangeBlock block;
    FillDateRange(doc, block);
    EXPECT_EQ(block.End.Years, (QStringList{QStringLiteral("2024"), QStringLiteral("2025")}));
    EXPECT_EQ(block.End.Month, QStringLiteral("December"));
    EXPECT_EQ(block.End.Day, QStringLiteral("31"));
}

TEST(DateRangeLists, DayListFollowsMonthAndYear)
{
    const CalendarDocument doc = SpanFrom(2, 2023);
    DateRangeBlock block;
    FillDateRange(doc, block);
    DateRangeSide& side = block.Start;
    side.Day = QStringLiteral("31");
    side.Month = QStringLiteral("fEBRUARY"); // typed: takes the item's spelling
    side.Year = QStringLiteral("2024");
    ASSERT_TRUE(DateRangeSideChanged(side));
    EXPECT_EQ(side.Month, QStringLiteral("February"));
    EXPECT_EQ(side.Days.size(), 29); // leap year
    EXPECT_EQ(side.Day, QStringLiteral("29"));

    // An entry that names no item leaves the day list alone.
    side.Month = QStringLiteral("Febuary");
    EXPECT_FALSE(DateRangeSideChanged(side));
    EXPECT_EQ(side.Days.size(), 29);
    EXPECT_EQ(DaysInMonthOf(1, 2100), 28); // century rule
}

struct RangeCase {
    const char* Name;
    void (*Change)(DateRangeBlock&);
    RangeField Focus;
    const char* Message;
};

class DateRangeRefusals : public ::testing::TestWithParam<RangeCase> {};

TEST_P(DateRangeRefusals, MessageAndFocus)
{
    const CalendarDocument doc = SpanFrom(2, 2023);
    DateRangeBlock block;
    FillDateRange(doc, block);
    GetParam().Change(block);
    const DateRangeCheck check = CheckDateRange(doc, block);
    EXPECT_FALSE(check.Ok);
    EXPECT_EQ(check.Focus, GetParam().Focus);
    EXPECT_EQ(check.Message, QString::fromUtf8(GetParam().Message));
}

INSTANTIATE_TEST_SUITE_P(
    Checks, DateRangeRefusals,
    ::testing::Values(
        RangeCase{"StartMonth", [](DateRangeBlock& b) { b.Start.Month = QStringLiteral("Marc"); },
                  RangeField::StartMonth,
                  "Invalid entry \"Marc\" found in \"Start On\" month.\n\rPlease correct and try "
                  "again."},
        RangeCase{"StartDay", [](DateRangeBlock& b) { b.Start.Day = QStringLiteral("32"); },
                  RangeField::StartDay,
                  "Invalid entry \"32\" found in \"Start On\" day.\n\rPlease correct and try "
                  "again."},
        RangeCase{"StartYear", [](DateRangeBlock& b) { b.Start.Year = QStringLiteral("2022"); },
                  RangeField::StartYear,
                  "Invalid entry \"2022\" found in \"Start On\" year.\n\rPlease correct and try "
                  "again."},
        RangeCase{"EndMonthCutTo25",
                  [](DateRangeBlock& b) {
                      b.End.Month = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123");
                  },
                  RangeField::EndMonth,
                  "Invalid entry \"abcdefghijklmnopqrstuvwxy\" found in \"End Before\" "
                  "month.\n\rPlease correct and try again."},
        RangeCase{"EndDay", [](DateRangeBlock& b) { b.End.Day = QStringLiteral("29"); },
                  RangeField::EndDay,
                  "Invalid entry \"29\" found in \"End Before\" day.\n\rPlease correct and try "
                  "again."},
        RangeCase{"EndYear", [](DateRangeBlock& b) { b.End.Year = QString(); }, RangeField::EndYear,
                  "Invalid entry \"\" found in \"End Before\" year.\n\rPlease correct and try "
                  "again."},
        // The start is checked before the end.
        RangeCase{"StartBeforeEnd",
                  [](DateRangeBlock& b) {
                      b.Start.Month = QStringLiteral("x");
                      b.End.Month = QStringLiteral("y");
                  },
                  RangeField::StartMonth,
                  "Invalid entry \"x\" found in \"Start On\" month.\n\rPlease correct and try "
                  "again."},
        RangeCase{"BeforeTheCalendar",
                  [](DateRangeBlock& b) {
                      b.Start.Month = QStringLiteral("February");
                      b.Start.Day = QStringLiteral("28");
                  },
                  RangeField::StartMonth,
                  "Your \"Start ON...\" Date of February 28, 2023 comes before\n\rthe beginning of "
                  "your calendar, March 1, 2023.\n\rPlease correct and try again."},
        RangeCase{"AfterTheCalendar",
                  [](DateRangeBlock& b) {
                      b.End.Month = QStringLiteral("March");
                      b.End.Day = QStringLiteral("1");
                  },
                  RangeField::EndMonth,
                  "Your \"End Before...\" Date of March 1, 2025 comes after\n\rthe ending of your "
                  "calendar, February 28, 2025.\n\rPlease correct and try again."},
        RangeCase{"StartAfterEnd",
                  [](DateRangeBlock& b) {
                      b.Start.Month = QStringLiteral("June");
                      b.Start.Day = QStringLiteral("2");
                      b.End.Month = QStringLiteral("June");
                      b.End.Day = QStringLiteral("1");
                      b.End.Year = QStringLiteral("2023");
                  },
                  RangeField::StartMonth,
                  "Your \"Start ON...\" Date of June 2, 2023 comes after\n\ryour \"End Before...\" "
                  "date of June 1, 2023.\n\rPlease correct and try again."}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return info.param.Name; });

TEST(DateRangeCheck, SameDayAndCaseOfTypedEntriesPass)
{
    const CalendarDocument doc = SpanFrom(2, 2023);
    DateRangeBlock block = RangeOf(doc, QStringLiteral("2024-06-15"), QStringLiteral("2024-06-15"));
    block.Start.Month = QStringLiteral("JUNE");
    const DateRangeCheck check = CheckDateRange(doc, block);
    ASSERT_TRUE(check.Ok) << check.Message.toStdString();
    EXPECT_EQ(DateOf(doc, check.First), QStringLiteral("2024-06-15"));
    EXPECT_EQ(check.Last, check.First);
}

struct RemoveRangeCase {
    const char* From;
    const char* To;
    const char* First; // "" for no day
    const char* Last;
};

class RemoveDays : public ::testing::TestWithParam<RemoveRangeCase> {};

TEST_P(RemoveDays, NeverLeaveTheDayList)
{
    const CalendarDocument doc = SpanFrom(2, 2023);
    const DateRangeBlock block =
        RangeOf(doc, QLatin1String(GetParam().From), QLatin1String(GetParam().To));
    const DayIndexRange range = RemoveDayRange(doc, block);
    if (*GetParam().First == '\0') {
        EXPECT_EQ(range.First, -1);
        return;
    }
    ASSERT_GE(range.First, 0);
    EXPECT_EQ(DateOf(doc, range.First), QLatin1String(GetParam().First));
    EXPECT_EQ(DateOf(doc, range.Last), QLatin1String(GetParam().Last));
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, RemoveDays,
    ::testing::Values(RemoveRangeCase{"2023-05-01", "2023-05-31", "2023-05-01", "2023-05-31"},
                      // Before the calendar: from its first day; after it: to its last.
                      RemoveRangeCase{"2022-01-01", "2026-01-01", "2023-03-01", "2025-02-28"},
                      // A start after the calendar's last day looks at nothing.
                      RemoveRangeCase{"2025-03-01", "2025-12-31", "", ""},
                      // The first day is always looked at, but nothing after the end.
                      RemoveRangeCase{"2023-06-10", "2023-06-01", "2023-06-10", "2023-06-10"}));

TEST(RemoveDays, EntriesThatNameNoDateLookAtNothing)
{
    const CalendarDocument doc = SpanFrom(2, 2023);
    DateRangeBlock block;
    FillDateRange(doc, block);
    block.Start.Year = QStringLiteral("20x3");
    EXPECT_EQ(RemoveDayRange(doc, block).First, -1);
}

} // namespace
