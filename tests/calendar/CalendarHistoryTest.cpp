#include "calendar/CalendarHistory.h"

#include <gtest/gtest.h>

using namespace custodex;

namespace {

// A calendar as opened from its file: nothing pending, the distribution up to date.
class HistoryTest : public ::testing::Test {
protected:
    HistoryTest()
    {
        BuildSpan(Doc, 2, 2025); // March 2025 to February 2027
        RecountCounters(Doc);
        Doc.ChangesPending = false;
        Doc.DistributionStale = false;
        Doc.QTotOvernights = 7;
        History.Restart(true);
    }

    void MarkOvernight(int index, const QString& reason = QStringLiteral("Weekend"))
    {
        CalendarDay& day = Doc.Days.at(static_cast<std::size_t>(index));
        day.HasOvernight = true;
        day.OvernightReason = reason;
        Doc.ChangesPending = true;
        Doc.DistributionStale = true;
        RecountCounters(Doc);
    }

    CalendarDocument Doc;
    CalendarHistory History{Doc};
};

TEST_F(HistoryTest, UndoBringsBackDaysCountersFlagsAndCleanStateRedoTakesThemAgain)
{
    const DayList opened = Doc.Days;
    const CalendarContent before = CaptureContent(Doc);
    MarkOvernight(11);
    ASSERT_TRUE(History.Record(QStringLiteral("Overnight on March 12, 2025"), before));
    const DayList marked = Doc.Days;
    EXPECT_EQ(Doc.BothYearsCounters.Overnights, 1);
    EXPECT_TRUE(Doc.ChangesPending);
    EXPECT_EQ(History.Stack().undoText(), QStringLiteral("Overnight on March 12, 2025"));

    History.Stack().undo();
    EXPECT_EQ(Doc.Days, opened);
    EXPECT_EQ(Doc.BothYearsCounters.Overnights, 0);
    EXPECT_FALSE(Doc.DistributionStale);
    EXPECT_EQ(Doc.QTotOvernights, 7);
    EXPECT_FALSE(Doc.ChangesPending) << "back at the state opened: no save question";

    History.Stack().redo();
    EXPECT_EQ(Doc.Days, marked);
    EXPECT_EQ(Doc.BothYearsCounters.Overnights, 1);
    EXPECT_TRUE(Doc.DistributionStale);
    EXPECT_TRUE(Doc.ChangesPending);
}

TEST_F(HistoryTest, SavingMakesTheCurrentStateCleanAndUndoingAwayFromItPending)
{
    const CalendarContent before = CaptureContent(Doc);
    MarkOvernight(3);
    History.Record(QStringLiteral("one"), before);
    History.MarkSaved();
    EXPECT_FALSE(Doc.ChangesPending);
    History.Stack().undo();
    EXPECT_TRUE(Doc.ChangesPending);
    History.Stack().redo();
    EXPECT_FALSE(Doc.ChangesPending);
}

TEST_F(HistoryTest, ANewCalendarStaysPendingEvenWithEveryStepUndone)
{
    History.Restart(false);
    const CalendarContent before = CaptureContent(Doc);
    MarkOvernight(3);
    History.Record(QStringLiteral("one"), before);
    History.Stack().undo();
    EXPECT_TRUE(Doc.ChangesPending) << "never saved: closing must still ask";
}

TEST_F(HistoryTest, AChangeMadeOutsideTheHistoryStaysAndKeepsTheCalendarPending)
{
    const CalendarContent before = CaptureContent(Doc);
    MarkOvernight(3);
    History.Record(QStringLiteral("one"), before);
    Doc.ClientName = QStringLiteral("Renamed"); // typed into the client name field
    Doc.ChangesPending = true;
    History.Stack().undo();
    EXPECT_EQ(Doc.ClientName, QStringLiteral("Renamed"));
    EXPECT_FALSE(Doc.Days[3].HasOvernight);
    EXPECT_TRUE(Doc.ChangesPending);
}

TEST_F(HistoryTest, SettingsAndGuidelinesAreRestoredWithTheirMinutes)
{
    const CalendarContent before = CaptureContent(Doc);
    Doc.OvernightHours = QStringLiteral("12:00");
    RecomputeDurationMinutes(Doc);
    Doc.Guidelines.push_back(Guideline{});
    History.Record(QStringLiteral("Change Preferences"), before);
    History.Stack().undo();
    EXPECT_EQ(Doc.OvernightHours, QStringLiteral("24:00"));
    EXPECT_EQ(Doc.OvernightMinutes, 24 * 60);
    EXPECT_TRUE(Doc.Guidelines.empty());
}

TEST_F(HistoryTest, NothingChangedMakesNoStep)
{
    EXPECT_FALSE(History.Record(QStringLiteral("none"), CaptureContent(Doc)));
    EXPECT_FALSE(History.Stack().canUndo());
}

TEST_F(HistoryTest, KeepsAtLeastAHundredSteps)
{
    for (int i = 0; i < CalendarHistory::StepLimit + 5; ++i) {
        const CalendarContent before = CaptureContent(Doc);
        MarkOvernight(i, QStringLiteral("R%1").arg(i));
        History.Record(QStringLiteral("step"), before);
    }
    int undone = 0;
    while (History.Stack().canUndo()) {
        History.Stack().undo();
        ++undone;
    }
    EXPECT_EQ(undone, CalendarHistory::StepLimit);
    EXPECT_FALSE(Doc.Days[5].HasOvernight);
    EXPECT_TRUE(Doc.Days[4].HasOvernight) << "the oldest steps were dropped";
}

TEST_F(HistoryTest, DayStepsAreNamedForTheDayAndWhatHappenedToIt)
{
    struct Case {
        bool overnightBefore, overnightAfter, visitBefore, visitAfter;
        const char* name;
    };
    const Case cases[] = {
        {false, true, false, false, "Overnight on March 12, 2025"},
        {true, false, false, false, "Remove Overnight on March 12, 2025"},
        {false, false, false, true, "Day Visit on March 12, 2025"},
        {false, false, true, false, "Remove Day Visit on March 12, 2025"},
    };
    for (const Case& c : cases) {
        DayList before = Doc.Days;
        before[11].HasOvernight = c.overnightBefore;
        before[11].HasDayVisit = c.visitBefore;
        DayList after = Doc.Days;
        after[11].HasOvernight = c.overnightAfter;
        after[11].HasDayVisit = c.visitAfter;
        EXPECT_EQ(DescribeDayStep(Doc, before, after, QStringLiteral("fallback")),
                  QLatin1String(c.name));
    }
    DayList two = Doc.Days;
    two[1].HasOvernight = two[2].HasOvernight = true;
    EXPECT_EQ(DescribeDayStep(Doc, Doc.Days, two, QStringLiteral("fallback")),
              QStringLiteral("fallback"));
}

} // namespace
