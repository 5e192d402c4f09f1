#include "patterns/WeekdayPatterns.h"

#include "PatternTestSupport.h"

#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

const QString Pickup = QStringLiteral("06:00PM");
const QString Dropoff = QStringLiteral("08:00AM");

PatternRequest Request(const CalendarDocument& doc, PatternKind kind, const QString& weekdays,
                       const QString& from, const QString& to, ListKind list = ListKind::Overnights)
{
    PatternRequest request;
    request.Dialog = IsMonthlyKind(kind) ? PatternDialog::Monthly : PatternDialog::OddEvenAll;
    request.Kind = list;
    request.Pattern = kind;
    request.Weekdays = Weekdays(weekdays);
    request.Range = RangeOf(doc, from, to);
    request.Pickup = Pickup;
    request.Dropoff = Dropoff;
    request.Reason = QStringLiteral("Weekend");
    return request;
}

// One Apply on a fresh calendar, every question answered Yes to All.
struct PatternCase {
    const char* Name;
    int StartMonth; // of the calendar, 0 = January
    int StartYear;
    PatternKind Kind;
    const char* Weekdays;
    int WeekBegin;
    const char* From;
    const char* To;
    QStringList Marked; // every overnight afterwards, in date order
};

class PatternDays : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternDays, MarkExactlyTheseDays)
{
    const PatternCase& c = GetParam();
    CalendarDocument doc = SpanFrom(c.StartMonth, c.StartYear);
    PatternRequest request =
        Request(doc, c.Kind, QLatin1String(c.Weekdays), QLatin1String(c.From), QLatin1String(c.To));
    request.WeekBegin = c.WeekBegin;
    ScriptedQuestions questions;
    const PatternRunResult result = ApplyPatternList(doc, request, questions);
    EXPECT_TRUE(result.Ran);
    EXPECT_EQ(MarkedDates(doc, ListKind::Overnights), c.Marked);
    EXPECT_EQ(result.Count, c.Marked.size());
}

QStringList Dates(std::initializer_list<const char*> dates)
{
    QStringList list;
    for (const char* date : dates)
        list << QLatin1String(date);
    return list;
}

// Weekdays are listed Monday first; March 2023 has its Fridays on the 3rd, 10th, 17th, 24th
// and 31st, April 2023 on the 7th, 14th, 21st and 28th.
INSTANTIATE_TEST_SUITE_P(
    Cases, PatternDays,
    ::testing::Values(
        // Counting goes on across the month end: April 7 is the sixth Friday.
        PatternCase{"OddFridays", 2, 2023, PatternKind::Odd, "fri", 0, "2023-03-01", "2023-04-30",
                    Dates({"2023-03-03", "2023-03-17", "2023-03-31", "2023-04-14", "2023-04-28"})},
        // The 3rd is counted before the range, not marked.
        PatternCase{"OddFridaysFromThe10th", 2, 2023, PatternKind::Odd, "fri", 0, "2023-03-10",
                    "2023-04-30", Dates({"2023-03-17", "2023-03-31", "2023-04-14", "2023-04-28"})},
        PatternCase{"EvenFridays", 2, 2023, PatternKind::Even, "fri", 0, "2023-03-01", "2023-03-31",
                    Dates({"2023-03-10", "2023-03-24"})},
        // A Monday whose Sunday lies before the range is not marked.
        PatternCase{"MondayAndSundayWrap", 2, 2023, PatternKind::All, "mon,sun", 0, "2023-03-06",
                    "2023-03-20", Dates({"2023-03-12", "2023-03-13", "2023-03-19", "2023-03-20"})},
        // A run cut by the end of the range keeps only its first day.
        PatternCase{"RunCutByTheRange", 2, 2023, PatternKind::All, "fri,sat,sun", 0, "2023-03-01",
                    "2023-03-10", Dates({"2023-03-03", "2023-03-04", "2023-03-05", "2023-03-10"})},
        // Whole weeks from Wednesday, every second one: March 1, 2023 is a Wednesday.
        PatternCase{"EvenWeeksFromWednesday", 2, 2023, PatternKind::Even,
                    "mon,tue,wed,thu,fri,sat,sun", 2, "2023-03-01", "2023-03-31",
                    Dates({"2023-03-08", "2023-03-09", "2023-03-10", "2023-03-11", "2023-03-12",
                           "2023-03-13", "2023-03-14", "2023-03-22", "2023-03-23", "2023-03-24",
                           "2023-03-25", "2023-03-26", "2023-03-27", "2023-03-28"})},
        // June 2023 has Fridays on the 2nd, 9th, 16th, 23rd and 30th: from the 10th the 16th is
        // the third; July's second Friday is the 14th.
        PatternCase{"SecondFridayFromThe10th", 5, 2023, PatternKind::Second, "fri", 0, "2023-06-10",
                    "2023-07-31", Dates({"2023-07-14"})},
        // Only July, October and December 2023 have five Sundays in July to December.
        PatternCase{"FifthSunday", 5, 2023, PatternKind::Fifth, "sun", 0, "2023-07-01",
                    "2023-12-31", Dates({"2023-07-30", "2023-10-29", "2023-12-31"})},
        PatternCase{"FirstWeekFromMonday", 5, 2023, PatternKind::First,
                    "mon,tue,wed,thu,fri,sat,sun", 0, "2023-06-01", "2023-07-31",
                    Dates({"2023-06-05", "2023-06-06", "2023-06-07", "2023-06-08", "2023-06-09",
                           "2023-06-10", "2023-06-11", "2023-07-03", "2023-07-04", "2023-07-05",
                           "2023-07-06", "2023-07-07", "2023-07-08", "2023-07-09"})},
        // The last Friday of June 2023 is the 30th: the run goes on into July, past the range.
        PatternCase{"LastWeekendAcrossMonthEnd", 5, 2023, PatternKind::Last, "fri,sat,sun", 0,
                    "2023-06-01", "2023-06-30", Dates({"2023-06-30", "2023-07-01", "2023-07-02"})},
        // A range ending on July 20 never reaches July's end, so July gets nothing.
        PatternCase{"LastWithRangeEndingOnThe20th", 5, 2023, PatternKind::Last, "fri,sat,sun", 0,
                    "2023-06-01", "2023-07-20", Dates({"2023-06-30", "2023-07-01", "2023-07-02"})},
        // A range starting after the month's last Monday gives that month no Monday run.
        PatternCase{"LastMondayAndWednesday", 5, 2023, PatternKind::Last, "mon,wed", 0,
                    "2023-06-27", "2023-07-31", Dates({"2023-06-28", "2023-07-26", "2023-07-31"})},
        // A full week from the last Monday of June 2023 (the 26th) runs into July.
        PatternCase{"LastWeekFromMonday", 5, 2023, PatternKind::Last, "mon,tue,wed,thu,fri,sat,sun",
                    0, "2023-06-01", "2023-06-30",
                    Dates({"2023-06-26", "2023-06-27", "2023-06-28", "2023-06-29", "2023-06-30",
                           "2023-07-01", "2023-07-02"})}),
    [](const ::testing::TestParamInfo<PatternCase>& info) { return info.param.Name; });

TEST(PatternRuns, OvernightStayTimesOnFirstAndLastDay)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    ScriptedQuestions questions;
    ApplyPatternList(doc,
                     Request(doc, PatternKind::All, QStringLiteral("fri,sat,sun"),
                             QStringLiteral("2023-03-01"), QStringLiteral("2023-03-31")),
                     questions);
    const struct {
        const char* Date;
        QString Pickup;
        QString Dropoff;
    } expected[] = {{"2023-03-03", Pickup, NoTimeText},
                    {"2023-03-04", NoTimeText, NoTimeText},
                    {"2023-03-05", NoTimeText, Dropoff}};
    for (const auto& e : expected) {
        const CalendarDay& day = DayAt(doc, QLatin1String(e.Date));
        EXPECT_EQ(day.OvernightReason, QStringLiteral("Weekend")) << e.Date;
        EXPECT_EQ(day.OvernightPickup, e.Pickup) << e.Date;
        EXPECT_EQ(day.OvernightDropoff, e.Dropoff) << e.Date;
        EXPECT_FALSE(day.HasDayVisit);
    }
    EXPECT_EQ(questions.Told, QStringList{QStringLiteral("Added 13 days of Weekend to Calendar.")});
    EXPECT_EQ(questions.Kinds.front(), PromptKind::Information);
    EXPECT_EQ(doc.FirstYearCounters.Overnights, 13);
}

TEST(PatternRuns, DayVisitsGetBothTimesOnEveryDay)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    ScriptedQuestions questions;
    PatternRequest request =
        Request(doc, PatternKind::All, QStringLiteral("sat,sun"), QStringLiteral("2023-03-01"),
                QStringLiteral("2025-02-28"), ListKind::DayVisits);
    request.Pickup = QStringLiteral("09:00AM");
    request.Dropoff = QStringLiteral("05:00PM");
    request.NoNap = true;
    ApplyPatternList(doc, request, questions);
    for (const char* date : {"2023-03-04", "2023-03-05"}) {
        const CalendarDay& day = DayAt(doc, QLatin1String(date));
        EXPECT_TRUE(day.HasDayVisit);
        EXPECT_FALSE(day.HasOvernight);
        EXPECT_EQ(day.DayVisitReason, QStringLiteral("NN-Weekend"));
        EXPECT_EQ(day.DayVisitStart, QStringLiteral("09:00AM"));
        EXPECT_EQ(day.DayVisitEnd, QStringLiteral("05:00PM"));
    }
    // No rule for the calendar's last day of a day visit (February 28, 2025 is a Friday; the
    // 23rd is a Sunday).
    EXPECT_EQ(DayAt(doc, QStringLiteral("2025-02-23")).DayVisitEnd, QStringLiteral("05:00PM"));
    // The list of the main window takes the field's text, without the no-nap prefix.
    EXPECT_EQ(doc.DayVisitReasons.Items, QStringList{QStringLiteral("Weekend")});
    EXPECT_TRUE(doc.OverniteReasons.Items.isEmpty());
}

TEST(PatternRuns, CalendarsLastDayEndsTheStayAtMidnight)
{
    // The calendar from March 2023 ends on Friday, February 28, 2025.
    const struct {
        PatternKind Kind;
        QString DropoffField;
        QString LastDropoff;
    } cases[] = {{PatternKind::All, Dropoff, QStringLiteral("12:00AM")},
                 {PatternKind::All, NoTimeText, NoTimeText},
                 {PatternKind::Last, Dropoff, QStringLiteral("12:00AM")}};
    for (const auto& c : cases) {
        CalendarDocument doc = SpanFrom(2, 2023);
        PatternRequest request =
            Request(doc, c.Kind, QStringLiteral("fri,sat,sun"), QStringLiteral("2025-02-01"),
                    QStringLiteral("2025-02-28"));
        request.Dropoff = c.DropoffField;
        ScriptedQuestions questions;
        ApplyPatternList(doc, request, questions);
        const CalendarDay& last = doc.Days.back();
        EXPECT_TRUE(last.HasOvernight);
        EXPECT_EQ(last.OvernightPickup, Pickup);
        EXPECT_EQ(last.OvernightDropoff, c.LastDropoff);
    }
}

TEST(PatternRuns, LastRunReachingTheCalendarsEnd)
{
    // From June 2023 the calendar ends on Saturday, May 31, 2025; May's last Friday is the 30th.
    CalendarDocument doc = SpanFrom(5, 2023);
    ScriptedQuestions questions;
    ApplyPatternList(doc,
                     Request(doc, PatternKind::Last, QStringLiteral("fri,sat,sun"),
                             QStringLiteral("2025-05-01"), QStringLiteral("2025-05-31")),
                     questions);
    EXPECT_EQ(MarkedDates(doc, ListKind::Overnights), Dates({"2025-05-30", "2025-05-31"}));
    EXPECT_EQ(DayAt(doc, QStringLiteral("2025-05-30")).OvernightPickup, Pickup);
    EXPECT_EQ(DayAt(doc, QStringLiteral("2025-05-30")).OvernightDropoff, NoTimeText);
    EXPECT_EQ(DayAt(doc, QStringLiteral("2025-05-31")).OvernightDropoff, QStringLiteral("12:00AM"));
}

TEST(PatternOverwrite, NoKeepsTheMarkAndCancelStopsTheRun)
{
    const QString question =
        QStringLiteral("March 17 (FRIDAY) is already marked as an Overnight because of "
                       "\"Birthday\"\n\rOverwrite it?");
    {
        CalendarDocument doc = SpanFrom(2, 2023);
        MarkDay(doc, QStringLiteral("2023-03-17"), ListKind::Overnights,
                QStringLiteral("Birthday"));
        ScriptedQuestions questions;
        questions.Answers = {OverwriteAnswer::No};
        const PatternRunResult result =
            ApplyPatternList(doc,
                             Request(doc, PatternKind::Odd, QStringLiteral("fri"),
                                     QStringLiteral("2023-03-01"), QStringLiteral("2023-03-31")),
                             questions);
        EXPECT_EQ(questions.Asked, QStringList{question});
        EXPECT_EQ(DayAt(doc, QStringLiteral("2023-03-17")).OvernightReason,
                  QStringLiteral("Birthday"));
        EXPECT_EQ(result.Count, 2);
        EXPECT_TRUE(DayAt(doc, QStringLiteral("2023-03-31")).HasOvernight);
    }
    {
        CalendarDocument doc = SpanFrom(2, 2023);
        MarkDay(doc, QStringLiteral("2023-03-17"), ListKind::Overnights,
                QStringLiteral("Birthday"));
        ScriptedQuestions questions;
        questions.Answers = {OverwriteAnswer::Cancel};
        const PatternRunResult result =
            ApplyPatternList(doc,
                             Request(doc, PatternKind::Odd, QStringLiteral("fri"),
                                     QStringLiteral("2023-03-01"), QStringLiteral("2023-03-31")),
                             questions);
        EXPECT_TRUE(result.Stopped);
        EXPECT_EQ(MarkedDates(doc, ListKind::Overnights), Dates({"2023-03-03", "2023-03-17"}));
        EXPECT_EQ(DayAt(doc, QStringLiteral("2023-03-17")).OvernightReason,
                  QStringLiteral("Birthday"));
        EXPECT_EQ(questions.Told,
                  (QStringList{QStringLiteral("List application terminated by operator request."),
                               QStringLiteral("Added 1 days of Weekend to Calendar.")}));
        EXPECT_EQ(doc.AppliedChangeCount, 1);
    }
}

TEST(PatternOverwrite, YesToAllAsksOnceAndOnlyAnnotationsCount)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    MarkDay(doc, QStringLiteral("2023-03-03"), ListKind::Overnights, QStringLiteral("Birthday"));
    MarkDay(doc, QStringLiteral("2023-03-17"), ListKind::Overnights, QStringLiteral("*note"));
    MarkDay(doc, QStringLiteral("2023-03-31"), ListKind::Overnights, QStringLiteral("Trip"));
    ScriptedQuestions questions;
    questions.Answers = {OverwriteAnswer::YesToAll};
    const PatternRunResult result =
        ApplyPatternList(doc,
                         Request(doc, PatternKind::Odd, QStringLiteral("fri"),
                                 QStringLiteral("2023-03-01"), QStringLiteral("2023-03-31")),
                         questions);
    EXPECT_EQ(questions.Asked.size(), 1);
    EXPECT_EQ(result.Count, 1); // the annotation only
    EXPECT_TRUE(result.DaysChanged);
    for (const char* date : {"2023-03-03", "2023-03-17", "2023-03-31"})
        EXPECT_EQ(DayAt(doc, QLatin1String(date)).OvernightReason, QStringLiteral("Weekend"));
    // No unmarked day was marked, so the main window's list stays as it was.
    EXPECT_TRUE(doc.OverniteReasons.Items.isEmpty());
}

TEST(PatternOverwrite, YesOverwritesOneDayAndAsksAgain)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    MarkDay(doc, QStringLiteral("2023-03-04"), ListKind::DayVisits, QStringLiteral("*Zoo"));
    MarkDay(doc, QStringLiteral("2023-03-11"), ListKind::DayVisits, QStringLiteral("Zoo"));
    ScriptedQuestions questions;
    questions.Answers = {OverwriteAnswer::Yes, OverwriteAnswer::Yes};
    PatternRequest request =
        Request(doc, PatternKind::All, QStringLiteral("sat"), QStringLiteral("2023-03-01"),
                QStringLiteral("2023-03-11"), ListKind::DayVisits);
    const PatternRunResult result = ApplyPatternList(doc, request, questions);
    EXPECT_EQ(result.Count, 1);
    EXPECT_EQ(questions.Asked,
              (QStringList{QStringLiteral("March 4 (SATURDAY) is already marked as an Day Visit "
                                          "because of \"*Zoo\"\n\rOverwrite it?"),
                           QStringLiteral("March 11 (SATURDAY) is already marked as an Day Visit "
                                          "because of \"Zoo\"\n\rOverwrite it?")}));
    // The monthly dialogs word it "a Day Visit".
    CalendarDocument monthly = SpanFrom(2, 2023);
    MarkDay(monthly, QStringLiteral("2023-03-04"), ListKind::DayVisits, QStringLiteral("Zoo"));
    ScriptedQuestions asked;
    asked.Answers = {OverwriteAnswer::No};
    request =
        Request(monthly, PatternKind::First, QStringLiteral("sat"), QStringLiteral("2023-03-01"),
                QStringLiteral("2023-03-31"), ListKind::DayVisits);
    ApplyPatternList(monthly, request, asked);
    EXPECT_EQ(asked.Asked, QStringList{QStringLiteral("March 4 (SATURDAY) is already marked as a "
                                                      "Day Visit because of \"Zoo\"\n\rOverwrite "
                                                      "it?")});
}

TEST(PatternOverwrite, DeclinedDayKeepsItsPlaceInTheRun)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    MarkDay(doc, QStringLiteral("2023-03-04"), ListKind::Overnights, QStringLiteral("Party"),
            QStringLiteral("01:00PM"), QStringLiteral("02:00PM"));
    ScriptedQuestions questions;
    questions.Answers = {OverwriteAnswer::No};
    ApplyPatternList(doc,
                     Request(doc, PatternKind::All, QStringLiteral("fri,sat,sun"),
                             QStringLiteral("2023-03-01"), QStringLiteral("2023-03-05")),
                     questions);
    const CalendarDay& friday = DayAt(doc, QStringLiteral("2023-03-03"));
    const CalendarDay& saturday = DayAt(doc, QStringLiteral("2023-03-04"));
    const CalendarDay& sunday = DayAt(doc, QStringLiteral("2023-03-05"));
    EXPECT_EQ(friday.OvernightPickup, Pickup);
    EXPECT_EQ(friday.OvernightDropoff, NoTimeText);
    EXPECT_EQ(saturday.OvernightReason, QStringLiteral("Party"));
    EXPECT_EQ(saturday.OvernightPickup, QStringLiteral("01:00PM"));
    EXPECT_EQ(sunday.OvernightPickup, NoTimeText);
    EXPECT_EQ(sunday.OvernightDropoff, Dropoff);
}

TEST(PatternApply, RefusalsTellAndChangeNothing)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    const CalendarDocument before = doc;
    ScriptedQuestions questions;
    PatternRequest request = Request(doc, PatternKind::Odd, QString(), QStringLiteral("2023-03-01"),
                                     QStringLiteral("2023-03-31"));
    PatternRunResult result = ApplyPatternList(doc, request, questions);
    EXPECT_EQ(result.Focus, PatternFocus::WeekdayList);
    EXPECT_EQ(questions.Told, QStringList{QStringLiteral("You must select a day from the Weekday "
                                                         "list\n\rbefore you can apply the days to "
                                                         "your calendar.")});
    EXPECT_EQ(questions.Kinds.back(), PromptKind::Error);

    request.Weekdays = Weekdays(QStringLiteral("fri"));
    request.Range.End.Day = QStringLiteral("32");
    result = ApplyPatternList(doc, request, questions);
    EXPECT_FALSE(result.Ran);
    EXPECT_EQ(result.Focus, PatternFocus::Range);
    EXPECT_EQ(result.RangeFocus, RangeField::EndDay);
    EXPECT_TRUE(questions.Told.last().startsWith(QStringLiteral("Invalid entry \"32\"")));
    EXPECT_EQ(doc.Days, before.Days);
    EXPECT_EQ(doc.AppliedChangeCount, 0);
    EXPECT_TRUE(doc.UndoSnapshot.empty());
}

TEST(PatternApply, ZeroAddedIsStillTold)
{
    CalendarDocument doc = SpanFrom(5, 2023);
    ScriptedQuestions questions;
    // June 2023 has four Mondays.
    const PatternRunResult result =
        ApplyPatternList(doc,
                         Request(doc, PatternKind::Fifth, QStringLiteral("mon"),
                                 QStringLiteral("2023-06-01"), QStringLiteral("2023-06-30")),
                         questions);
    EXPECT_EQ(result.Count, 0);
    EXPECT_EQ(questions.Told, QStringList{QStringLiteral("Added 0 days of Weekend to Calendar.")});
}

TEST(PatternNoNap, NeverInFrontOfAnAnnotation)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    PatternRequest request = Request(doc, PatternKind::All, QStringLiteral("sat"),
                                     QStringLiteral("2023-03-01"), QStringLiteral("2023-03-04"));
    request.NoNap = true;
    request.Reason = QStringLiteral("*Camp");
    ScriptedQuestions questions;
    ApplyPatternList(doc, request, questions);
    // "NN-*Camp" would no longer be an annotation and would be counted.
    EXPECT_EQ(DayAt(doc, QStringLiteral("2023-03-04")).OvernightReason, QStringLiteral("*Camp"));
    EXPECT_EQ(doc.FirstYearCounters.Overnights, 0);
}

TEST(PatternRemove, IgnoresCaseAndTakesNoNapMarks)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    MarkDay(doc, QStringLiteral("2023-03-04"), ListKind::Overnights, QStringLiteral("Weekend"));
    MarkDay(doc, QStringLiteral("2023-03-11"), ListKind::Overnights, QStringLiteral("NN-weekend"));
    MarkDay(doc, QStringLiteral("2023-03-18"), ListKind::Overnights, QStringLiteral("Weekends"));
    MarkDay(doc, QStringLiteral("2023-03-25"), ListKind::DayVisits, QStringLiteral("Weekend"));
    MarkDay(doc, QStringLiteral("2023-04-01"), ListKind::Overnights, QStringLiteral("Weekend"));
    ScriptedQuestions questions;
    const PatternRunResult result =
        RemovePatternList(doc, ListKind::Overnights,
                          RangeOf(doc, QStringLiteral("2023-03-01"), QStringLiteral("2023-03-31")),
                          QStringLiteral("WEEKEND"), questions);
    EXPECT_EQ(result.Count, 2);
    EXPECT_EQ(MarkedDates(doc, ListKind::Overnights), Dates({"2023-03-18", "2023-04-01"}));
    EXPECT_TRUE(DayAt(doc, QStringLiteral("2023-03-25")).HasDayVisit);
    const CalendarDay& removed = DayAt(doc, QStringLiteral("2023-03-04"));
    EXPECT_TRUE(removed.OvernightReason.isEmpty());
    EXPECT_TRUE(removed.OvernightPickup.isEmpty());
    EXPECT_TRUE(removed.OvernightDropoff.isEmpty());
    EXPECT_EQ(questions.Told,
              QStringList{QStringLiteral("Removed 2 days of WEEKEND from Calendar.")});
    EXPECT_EQ(doc.AppliedChangeCount, 1);
}

TEST(PatternRemove, StartAfterTheCalendarRemovesNothing)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    MarkDay(doc, QStringLiteral("2025-02-28"), ListKind::Overnights, QStringLiteral("Weekend"));
    DateRangeBlock range = RangeOf(doc, QStringLiteral("2025-02-01"), QStringLiteral("2025-02-28"));
    range.Start.Month = QStringLiteral("March"); // March 1, 2025: a day after the last
    ScriptedQuestions questions;
    const PatternRunResult result =
        RemovePatternList(doc, ListKind::Overnights, range, QStringLiteral("Weekend"), questions);
    EXPECT_EQ(result.Count, 0);
    EXPECT_FALSE(result.Counted);
    EXPECT_TRUE(doc.Days.back().HasOvernight);
    EXPECT_EQ(questions.Told,
              QStringList{QStringLiteral("Removed 0 days of Weekend from Calendar.")});
}

TEST(PatternRemove, OnlyMarkedDaysAreRemoved)
{
    // An unmarked day read from a file has an empty reason; an empty field must not count it.
    CalendarDocument doc = SpanFrom(2, 2023);
    for (CalendarDay& day : doc.Days)
        day.OvernightReason.clear();
    ScriptedQuestions questions;
    const PatternRunResult result =
        RemovePatternList(doc, ListKind::Overnights,
                          RangeOf(doc, QStringLiteral("2023-03-01"), QStringLiteral("2023-03-31")),
                          QString(), questions);
    EXPECT_EQ(result.Count, 0);
}

struct ReasonCase {
    PatternDialog Dialog;
    ListKind Kind;
    PatternKind Pattern;
    const char* Weekdays;
    int WeekBegin;
    const char* Reason;
};

class PatternReasons : public ::testing::TestWithParam<ReasonCase> {};

TEST_P(PatternReasons, DefaultReason)
{
    const ReasonCase& c = GetParam();
    EXPECT_EQ(DefaultPatternReason(c.Dialog, c.Kind, c.Pattern, Weekdays(QLatin1String(c.Weekdays)),
                                   c.WeekBegin, QStringLiteral("typed")),
              QLatin1String(c.Reason));
}

const char* const AllDays = "mon,tue,wed,thu,fri,sat,sun";

INSTANTIATE_TEST_SUITE_P(
    Texts, PatternReasons,
    ::testing::Values(ReasonCase{PatternDialog::OddEvenAll, ListKind::Overnights, PatternKind::Even,
                                 "fri,sat,sun", 0, "Even Friday, Saturday, Sunday"},
                      ReasonCase{PatternDialog::OddEvenAll, ListKind::DayVisits, PatternKind::Odd,
                                 AllDays, 4, "Odd full weeks beginning on Friday "},
                      ReasonCase{PatternDialog::OddEvenAll, ListKind::Overnights, PatternKind::All,
                                 "", 0, "typed"},
                      ReasonCase{PatternDialog::Monthly, ListKind::Overnights, PatternKind::Second,
                                 "fri,sat", 0, "Second Friday, Saturday of each month"},
                      ReasonCase{PatternDialog::Monthly, ListKind::Overnights, PatternKind::Last,
                                 AllDays, 0, "A full week beginning on Last Monday  of each month"},
                      ReasonCase{
                          PatternDialog::Monthly, ListKind::DayVisits, PatternKind::First, AllDays,
                          6, "A full week beginning on First Sunday of the month of each month"},
                      ReasonCase{PatternDialog::Monthly, ListKind::DayVisits, PatternKind::Fifth,
                                 "", 0, "typed"}));

TEST(PatternRunStarts, FirstDayOfEachChosenStretch)
{
    const struct {
        const char* Chosen;
        int WeekBegin;
        const char* Starts;
    } cases[] = {{"fri,sat,sun", 0, "fri"},
                 {"mon,sun", 0, "sun"},
                 {"mon,wed", 0, "mon,wed"},
                 {"sat,sun,mon,wed", 0, "wed,sat"},
                 {AllDays, 2, "wed"}};
    for (const auto& c : cases)
        EXPECT_EQ(RunStartWeekdays(Weekdays(QLatin1String(c.Chosen)), c.WeekBegin),
                  Weekdays(QLatin1String(c.Starts)))
            << c.Chosen;
}

TEST(PatternDialogSession, UndoIsOneLevelAndTheCountFollowsRealRuns)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    MarkDay(doc, QStringLiteral("2023-03-04"), ListKind::Overnights, QStringLiteral("Weekend"));
    const CalendarDocument opened = doc;
    PatternDialogState state;
    ResetPatternDialog(state, PatternDialog::OddEvenAll);
    OpenPatternDialog(doc, state, PatternDialog::OddEvenAll, ListKind::Overnights);
    state.Reason = QStringLiteral("Weekend");
    ScriptedQuestions questions;

    // A Remove that found nothing still gives Undo something to take back, but is not counted.
    state.Range = RangeOf(doc, QStringLiteral("2023-06-01"), QStringLiteral("2023-06-30"));
    RemoveListClick(doc, state, ListKind::Overnights, questions);
    EXPECT_TRUE(state.UndoEnabled);
    EXPECT_FALSE(state.Changes);
    UndoClick(doc, state);
    EXPECT_EQ(doc.AppliedChangeCount, 0);

    state.Range = RangeOf(doc, QStringLiteral("2023-03-01"), QStringLiteral("2023-03-31"));
    RemoveListClick(doc, state, ListKind::Overnights, questions);
    EXPECT_TRUE(state.Changes);
    EXPECT_EQ(doc.AppliedChangeCount, 1);
    EXPECT_FALSE(DayAt(doc, QStringLiteral("2023-03-04")).HasOvernight);
    UndoClick(doc, state);
    EXPECT_EQ(doc.Days, opened.Days);
    EXPECT_EQ(doc.AppliedChangeCount, 0);
    EXPECT_FALSE(state.UndoEnabled);
    UndoClick(doc, state); // a second Undo does nothing
    EXPECT_EQ(doc.AppliedChangeCount, 0);

    // An overwrite that adds nothing to the count is still a change Cancel must ask about.
    state.Weekdays = Weekdays(QStringLiteral("sat"));
    state.Pattern = PatternKind::All;
    state.Range = RangeOf(doc, QStringLiteral("2023-03-04"), QStringLiteral("2023-03-04"));
    state.Changes = false;
    questions.Answers = {OverwriteAnswer::Yes};
    const PatternRunResult result =
        ApplyListClick(doc, state, PatternDialog::OddEvenAll, ListKind::Overnights, questions);
    EXPECT_EQ(result.Count, 0);
    EXPECT_TRUE(state.Changes);
    EXPECT_EQ(doc.AppliedChangeCount, 1);
}

TEST(PatternDialogSession, OpeningFillsAndResetClears)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    doc.OverNiteStrtTime = QStringLiteral("06:00PM");
    doc.DayVisitEndTime = QStringLiteral("04:00PM");
    for (const auto dialog : {PatternDialog::OddEvenAll, PatternDialog::Monthly}) {
        for (const auto kind : {ListKind::Overnights, ListKind::DayVisits}) {
            PatternDialogState state;
            ResetPatternDialog(state, dialog);
            EXPECT_EQ(state.Pattern,
                      dialog == PatternDialog::Monthly ? PatternKind::First : PatternKind::Odd);
            OpenPatternDialog(doc, state, dialog, kind);
            EXPECT_EQ(state.Pickup,
                      kind == ListKind::Overnights ? QStringLiteral("06:00PM") : NoTimeText);
            EXPECT_EQ(state.Dropoff,
                      kind == ListKind::Overnights ? NoTimeText : QStringLiteral("04:00PM"));
            EXPECT_EQ(state.Range.Start.Month, QStringLiteral("March"));
            // Entries stay between openings; only the odd/even/all day-visit dialog keeps its
            // no-nap box.
            state.Range.Start.Month = QStringLiteral("April");
            state.Pickup = QStringLiteral("07:00PM");
            state.NoNap = true;
            state.Changes = true;
            OpenPatternDialog(doc, state, dialog, kind);
            EXPECT_EQ(state.Range.Start.Month, QStringLiteral("April"));
            EXPECT_EQ(state.Pickup, QStringLiteral("07:00PM"));
            EXPECT_EQ(state.NoNap,
                      dialog == PatternDialog::OddEvenAll && kind == ListKind::DayVisits);
            EXPECT_FALSE(state.Changes);
            EXPECT_FALSE(state.UndoEnabled);
        }
    }
}

} // namespace
