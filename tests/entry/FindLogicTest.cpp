#include "entry/FindLogic.h"

#include <gtest/gtest.h>

using namespace custodex;

TEST(FindLogic, MatchCaseAndScope)
{
    CalendarDay day;
    day.OvernightReason = QStringLiteral("Summer CAMP");
    day.DayVisitReason = QStringLiteral("Zoo camp");
    EXPECT_TRUE(FindInDay(day, QStringLiteral("camp"), FindScope::Overnights, false).InOvernight);
    EXPECT_FALSE(FindInDay(day, QStringLiteral("camp"), FindScope::Overnights, true).Any());
    const FindHit both = FindInDay(day, QStringLiteral("camp"), FindScope::Both, false);
    EXPECT_EQ(FoundInText(both), QStringLiteral("Found in Overnight and DayVisit:"));
    const FindHit visit = FindInDay(day, QStringLiteral("CAMP"), FindScope::DayVisits, true);
    EXPECT_FALSE(visit.Any()); // the overnight reason is not searched in this scope
    EXPECT_EQ(FoundInText(FindInDay(day, QStringLiteral("zoo"), FindScope::Both, false)),
              QStringLiteral("Found in Day Visit:"));
}

TEST(FindLogic, WalksMonthsAndYears)
{
    CalendarDocument doc;
    BuildSpan(doc, 11, 2024); // December 2024 .. November 2026
    FindSearch search;
    BeginFindStep(doc, search);
    EXPECT_EQ(search.CurrentDay, 0);
    while (search.CurrentDay < 31)
        ASSERT_TRUE(MoveToNextDay(doc, search));
    EXPECT_EQ(search.MonthPosition, 2); // 1 January 2025
    EXPECT_EQ(FoundDateText(doc, search), QStringLiteral("January 1, 2025"));
    while (search.CurrentDay < doc.SecondYearFirstDay)
        ASSERT_TRUE(MoveToNextDay(doc, search));
    EXPECT_FALSE(search.ShowingFirstYear);
    EXPECT_EQ(search.MonthPosition, 13);
    while (MoveToNextDay(doc, search)) {
    }
    EXPECT_EQ(search.CurrentDay, static_cast<int>(doc.Days.size()) - 1);
    EXPECT_EQ(search.MonthPosition, 24);
    // From the last day the next search starts over.
    BeginFindStep(doc, search);
    EXPECT_EQ(search.CurrentDay, 0);
    EXPECT_TRUE(search.ShowingFirstYear);
    // Find Next continues with the day after the hit.
    search.CurrentDay = 40;
    search.MonthPosition = 2;
    BeginFindStep(doc, search);
    EXPECT_EQ(search.CurrentDay, 41);
}

// A step never reads outside the day list, and an empty text is found nowhere.
TEST(FindLogic, StepsStayInsideTheCalendar)
{
    CalendarDocument doc;
    BuildSpan(doc, 0, 2025);
    doc.Days[3].OvernightReason = QStringLiteral("Camp");
    for (int current : {-1, static_cast<int>(doc.Days.size()), 100000}) {
        FindSearch search;
        search.CurrentDay = current;
        EXPECT_EQ(FindStep(doc, search, QStringLiteral("Camp"), FindScope::Both, false).Result,
                  FindStepResult::NoCurrentDay)
            << current;
        EXPECT_EQ(search.CurrentDay, current);
    }
    FindSearch search;
    BeginFindStep(doc, search);
    FindStepOutcome outcome;
    int steps = 0;
    do {
        outcome = FindStep(doc, search, QString(), FindScope::Both, false);
        ++steps;
    } while (outcome.Result == FindStepResult::MovedOn);
    EXPECT_EQ(outcome.Result, FindStepResult::EndOfCalendar);
    EXPECT_EQ(steps, static_cast<int>(doc.Days.size()));
    EXPECT_TRUE(search.EndReached);

    BeginFindStep(doc, search);
    while (
        (outcome = FindStep(doc, search, QStringLiteral("camp"), FindScope::Both, false)).Result ==
        FindStepResult::MovedOn) {
    }
    EXPECT_EQ(outcome.Result, FindStepResult::Hit);
    EXPECT_EQ(search.CurrentDay, 3);
    EXPECT_FALSE(search.EndReached);
}
