#include "patterns/StandardSchedules.h"
#include "PatternTestSupport.h"
#include "holidays/HolidayApplication.h"

#include <QDate>
#include <gtest/gtest.h>

#include <deque>

using namespace custodex;
using namespace custodex::testing;

namespace {

const QString Exchange = QStringLiteral("06:00PM");

QStringList Dates(std::initializer_list<const char*> dates)
{
    QStringList list;
    for (const char* date : dates)
        list << QString::fromLatin1(date);
    return list;
}

// September 2025 to August 2027: three calendar years; September 1, 2025 is a Monday.
CalendarDocument September2025()
{
    return SpanFrom(8, 2025);
}

QDate DateAt(const CalendarDocument& doc, int index)
{
    return QDate::fromString(DateOf(doc, index), Qt::ISODate);
}

ScheduleRequest RequestFor(const CalendarDocument& doc, const QString& name, bool nonCustodialFirst,
                           const QDate& from, const QDate& to)
{
    ScheduleRequest request;
    request.Choice.Schedule = ScheduleNamed(name);
    request.Choice.NonCustodialFirst = nonCustodialFirst;
    request.Range = RangeOf(doc, from.toString(Qt::ISODate), to.toString(Qt::ISODate));
    request.Exchange = Exchange;
    return request;
}

// The non-custodial nights as the orders word them, worked out on dates alone: the cycles as
// "F" (the first parent) and "o" (the other) per day of two weeks from the start, the weekend
// rules from the Fridays.
bool NonCustodialNight(const QString& name, bool nonCustodialFirst, bool longWeekend,
                       const QDate& start, const QDate& date)
{
    static const std::map<QString, QString> cycles{
        {QStringLiteral("alternating-weeks"), QStringLiteral("FFFFFFFooooooo")},
        {QStringLiteral("2-2-3"), QStringLiteral("FFooFFFooFFooo")},
        {QStringLiteral("2-2-5-5"), QStringLiteral("FFooFFFFFooooo")},
        {QStringLiteral("3-4-4-3"), QStringLiteral("FFFooooFFFFooo")}};
    const qint64 day = start.daysTo(date);
    if (const auto cycle = cycles.find(name); cycle != cycles.end())
        return (cycle->second.at(day % 14) == QLatin1Char('F')) == nonCustodialFirst;
    // The Friday of the weekend the night belongs to.
    const int intoWeekend = (date.dayOfWeek() - Qt::Friday + 7) % 7;
    if (intoWeekend > (longWeekend ? 2 : 1))
        return false;
    const QDate friday = date.addDays(-intoWeekend);
    if (friday < start)
        return false;
    if (name == QStringLiteral("every-other-weekend")) {
        const QDate firstFriday = start.addDays((Qt::Friday - start.dayOfWeek() + 7) % 7);
        return ((firstFriday.daysTo(friday) / 7) % 2 == 0) == nonCustodialFirst;
    }
    const int ordinal = (friday.day() - 1) / 7 + 1;
    return (ordinal % 2 == 1) == nonCustodialFirst;
}

struct TableCase {
    const char* Name;
    bool LongWeekend;
};

class ScheduleTable : public ::testing::TestWithParam<TableCase> {};

// Every schedule from a start on each weekday with either parent first, over 400 days (past
// the start of the span's second year on September 1, 2026): the nights are exactly those the
// definition gives, each stay picked up on its first night and dropped off on its last at the
// exchange time, with "<None>" between, and nothing outside the range.
TEST_P(ScheduleTable, MarksExactlyTheNightsTheScheduleDefines)
{
    const TableCase table = GetParam();
    const CalendarDocument blank = September2025();
    for (int startDay = 1; startDay <= 7; ++startDay) {
        for (const bool nonCustodialFirst : {true, false}) {
            const QDate start(2025, 9, startDay);
            const QDate end = start.addDays(399);
            CalendarDocument doc = blank;
            ScheduleRequest request =
                RequestFor(doc, QString::fromLatin1(table.Name), nonCustodialFirst, start, end);
            request.Choice.LongWeekend = table.LongWeekend;
            ScriptedQuestions questions;
            const ScheduleResult result = ApplySchedule(doc, request, questions);
            ASSERT_TRUE(result.Ran);
            EXPECT_TRUE(questions.Asked.isEmpty());
            const auto night = [&](const QDate& date) {
                return date >= start && date <= end &&
                       NonCustodialNight(QString::fromLatin1(table.Name), nonCustodialFirst,
                                         table.LongWeekend, start, date);
            };
            int nights = 0;
            for (int i = 0; i < static_cast<int>(doc.Days.size()); ++i) {
                const QDate date = DateAt(doc, i);
                const CalendarDay& day = doc.Days[static_cast<std::size_t>(i)];
                const std::string where = date.toString(Qt::ISODate).toStdString() + " from " +
                                          start.toString(Qt::ISODate).toStdString() +
                                          (nonCustodialFirst ? " non-custodial" : " custodial");
                ASSERT_EQ(day.HasOvernight, night(date)) << where;
                EXPECT_FALSE(day.HasDayVisit) << where;
                if (!day.HasOvernight)
                    continue;
                ++nights;
                EXPECT_EQ(day.OvernightReason,
                          ScheduleReasonFor(*ScheduleNamed(QString::fromLatin1(table.Name)),
                                            nonCustodialFirst));
                const bool firstNight = !night(date.addDays(-1));
                const bool lastNight = !night(date.addDays(1));
                EXPECT_EQ(day.OvernightPickup, firstNight ? Exchange : NoTimeText) << where;
                EXPECT_EQ(day.OvernightDropoff, lastNight ? Exchange : NoTimeText) << where;
            }
            EXPECT_GT(nights, 0);
            EXPECT_EQ(result.Overnights, nights);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EverySchedule, ScheduleTable,
                         ::testing::Values(TableCase{"alternating-weeks", false},
                                           TableCase{"2-2-3", false}, TableCase{"2-2-5-5", false},
                                           TableCase{"3-4-4-3", false},
                                           TableCase{"every-other-weekend", false},
                                           TableCase{"every-other-weekend", true},
                                           TableCase{"first-third-fifth-weekends", false},
                                           TableCase{"first-third-fifth-weekends", true}),
                         [](const ::testing::TestParamInfo<TableCase>& info) {
                             std::string name = info.param.Name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name + (info.param.LongWeekend ? "_long" : "");
                         });

TEST(StandardSchedules, AStayRunningIntoTheNextSpanYearKeepsItsShape)
{
    // Alternating weeks from Saturday, August 22, 2026: the non-custodial week runs from the
    // 22nd to the 28th; the next from September 5 (in month 13) to the 11th.
    CalendarDocument doc = September2025();
    ScheduleRequest request = RequestFor(doc, QStringLiteral("alternating-weeks"), true,
                                         QDate(2026, 8, 22), QDate(2026, 9, 18));
    ScriptedQuestions questions;
    ASSERT_TRUE(ApplySchedule(doc, request, questions).Ran);
    EXPECT_EQ(MarkedDates(doc, ListKind::Overnights),
              Dates({"2026-08-22", "2026-08-23", "2026-08-24", "2026-08-25", "2026-08-26",
                     "2026-08-27", "2026-08-28", "2026-09-05", "2026-09-06", "2026-09-07",
                     "2026-09-08", "2026-09-09", "2026-09-10", "2026-09-11"}));
    EXPECT_EQ(DayAt(doc, QStringLiteral("2026-09-05")).OvernightPickup, Exchange);
    EXPECT_EQ(DayAt(doc, QStringLiteral("2026-09-11")).OvernightDropoff, Exchange);
    EXPECT_EQ(doc.FirstYearCounters.Overnights, 7);
    EXPECT_EQ(doc.SecondYearCounters.Overnights, 7);
}

TEST(StandardSchedules, WeeklyExtrasGoOnlyOnDaysNotAlreadyTheNonCustodialParents)
{
    // Every other weekend from Monday, September 1, 2025 (weekends of the 5th and the 19th),
    // a Wednesday visit 4 to 7 and a Thursday overnight: the Thursday before a weekend joins
    // its stay.
    CalendarDocument doc = September2025();
    ScheduleRequest request = RequestFor(doc, QStringLiteral("every-other-weekend"), true,
                                         QDate(2025, 9, 1), QDate(2025, 9, 21));
    request.Choice.Visit = {2, QStringLiteral("04:00PM"), QStringLiteral("07:00PM")};
    request.Choice.OvernightWeekday = 3;
    ScriptedQuestions questions;
    const ScheduleResult result = ApplySchedule(doc, request, questions);
    ASSERT_TRUE(result.Ran);
    EXPECT_EQ(MarkedDates(doc, ListKind::Overnights),
              Dates({"2025-09-04", "2025-09-05", "2025-09-06", "2025-09-11", "2025-09-18",
                     "2025-09-19", "2025-09-20"}));
    EXPECT_EQ(MarkedDates(doc, ListKind::DayVisits),
              Dates({"2025-09-03", "2025-09-10", "2025-09-17"}));
    const CalendarDay& thursday = DayAt(doc, QStringLiteral("2025-09-04"));
    EXPECT_EQ(thursday.OvernightPickup, Exchange);
    EXPECT_EQ(thursday.OvernightDropoff, NoTimeText);
    const CalendarDay& alone = DayAt(doc, QStringLiteral("2025-09-11"));
    EXPECT_EQ(alone.OvernightPickup, Exchange);
    EXPECT_EQ(alone.OvernightDropoff, Exchange);
    const CalendarDay& visit = DayAt(doc, QStringLiteral("2025-09-10"));
    EXPECT_EQ(visit.DayVisitStart, QStringLiteral("04:00PM"));
    EXPECT_EQ(visit.DayVisitEnd, QStringLiteral("07:00PM"));
    EXPECT_EQ(visit.DayVisitReason, QStringLiteral("Every other weekend"));
    EXPECT_EQ(result.Overnights, 7);
    EXPECT_EQ(result.DayVisits, 3);

    // A visit on a day of the schedule's own stays is left out.
    CalendarDocument weeks = September2025();
    ScheduleRequest alternating = RequestFor(weeks, QStringLiteral("alternating-weeks"), true,
                                             QDate(2025, 9, 1), QDate(2025, 9, 28));
    alternating.Choice.Visit = {2, QStringLiteral("04:00PM"), QStringLiteral("07:00PM")};
    ASSERT_TRUE(ApplySchedule(weeks, alternating, questions).Ran);
    EXPECT_EQ(MarkedDates(weeks, ListKind::DayVisits), Dates({"2025-09-10", "2025-09-24"}));

    // Nor on the day a stay ends: 2-2-5-5 from Monday gives the non-custodial parent every
    // Tuesday night, so no Wednesday visit goes in (it made the calendar uncountable).
    CalendarDocument rotation = September2025();
    ScheduleRequest twoTwoFiveFive = RequestFor(rotation, QStringLiteral("2-2-5-5"), true,
                                                QDate(2025, 9, 1), QDate(2025, 9, 28));
    twoTwoFiveFive.Choice.Visit = {2, QStringLiteral("04:00PM"), QStringLiteral("07:00PM")};
    ASSERT_TRUE(ApplySchedule(rotation, twoTwoFiveFive, questions).Ran);
    EXPECT_EQ(MarkedDates(rotation, ListKind::DayVisits), Dates({}));
}

// With the custodial parent first, the 1st, 3rd and 5th weekends are the custodial parent's:
// the other parent's days must not be named after them.
TEST(StandardSchedules, TheSecondAndFourthWeekendsAreNamedForWhatTheyAre)
{
    CalendarDocument doc = September2025();
    ScheduleRequest request = RequestFor(doc, QStringLiteral("first-third-fifth-weekends"), false,
                                         QDate(2025, 9, 1), QDate(2025, 9, 30));
    ScriptedQuestions questions;
    ASSERT_TRUE(ApplySchedule(doc, request, questions).Ran);
    // September 2025's Fridays: the 5th, 12th, 19th and 26th; the 12th and 26th are the 2nd
    // and 4th.
    EXPECT_EQ(MarkedDates(doc, ListKind::Overnights),
              Dates({"2025-09-12", "2025-09-13", "2025-09-26", "2025-09-27"}));
    EXPECT_EQ(DayAt(doc, QStringLiteral("2025-09-12")).OvernightReason,
              QStringLiteral("2nd and 4th weekends"));
}

TEST(StandardSchedules, ApplyingAgainLaysTheScheduleAnewWithoutAsking)
{
    // 3-4-4-3 from Monday, September 1, 2025 with the non-custodial parent first, then again
    // with the custodial parent first: the nights are the second Apply's alone.
    CalendarDocument doc = September2025();
    ScriptedQuestions questions;
    ScheduleRequest request =
        RequestFor(doc, QStringLiteral("3-4-4-3"), true, QDate(2025, 9, 1), QDate(2025, 9, 14));
    ASSERT_TRUE(ApplySchedule(doc, request, questions).Ran);
    request.Choice.NonCustodialFirst = false;
    ASSERT_TRUE(ApplySchedule(doc, request, questions).Ran);
    EXPECT_TRUE(questions.Asked.isEmpty());
    EXPECT_EQ(MarkedDates(doc, ListKind::Overnights),
              Dates({"2025-09-04", "2025-09-05", "2025-09-06", "2025-09-07", "2025-09-12",
                     "2025-09-13", "2025-09-14"}));
}

TEST(StandardSchedules, RefusalsChangeNothing)
{
    const CalendarDocument opened = September2025();
    struct Case {
        const char* What;
        std::function<void(ScheduleRequest&)> Change;
        QString Message;
    };
    const Case cases[] = {
        {"no schedule and no holiday", [](ScheduleRequest& r) { r.Choice.Schedule = nullptr; },
         ChooseScheduleMessage},
        {"an end before the start",
         [&](ScheduleRequest& r) {
             r.Range = RangeOf(opened, QStringLiteral("2025-10-01"), QStringLiteral("2025-09-01"));
         },
         QString()},
        {"a visit ending before it starts",
         [](ScheduleRequest& r) {
             r.Choice.Visit = {2, QStringLiteral("07:00PM"), QStringLiteral("04:00PM")};
         },
         QStringLiteral("Error!  When entering day visit times, the \n\rPickup time must be "
                        "earlier than the Dropoff Time.\n\rPlease try again.")},
    };
    for (const Case& c : cases) {
        CalendarDocument doc = opened;
        ScheduleRequest request =
            RequestFor(doc, QStringLiteral("2-2-3"), true, QDate(2025, 9, 1), QDate(2025, 12, 31));
        c.Change(request);
        ScriptedQuestions questions;
        const ScheduleResult result = ApplySchedule(doc, request, questions);
        EXPECT_FALSE(result.Ran) << c.What;
        ASSERT_EQ(questions.Told.size(), 1) << c.What;
        if (!c.Message.isEmpty()) {
            EXPECT_EQ(questions.Told.first(), c.Message) << c.What;
        }
        EXPECT_EQ(doc.Days, opened.Days) << c.What;
        EXPECT_EQ(doc.AppliedChangeCount, 0) << c.What;
    }
}

// A calendar with a holiday, a note and a day visit in September 2025, under a 2-2-5-5
// rotation from Monday the 1st (the non-custodial parent's nights: 1-2, 5-9, 15-16, 19-23).
class ReplaceAndOverwrite : public ::testing::Test {
protected:
    void SetUp() override
    {
        MarkDay(Doc, QStringLiteral("2025-09-05"), ListKind::Overnights,
                QStringLiteral("Labor weekend"), QStringLiteral("09:00AM"),
                QStringLiteral("05:00PM"));
        MarkDay(Doc, QStringLiteral("2025-09-12"), ListKind::Overnights,
                QStringLiteral("Grandparents"));
        MarkDay(Doc, QStringLiteral("2025-09-06"), ListKind::DayVisits, QStringLiteral("Zoo"));
        MarkDay(Doc, QStringLiteral("2025-09-08"), ListKind::Overnights,
                QStringLiteral("*Court date"));
        RecountCounters(Doc);
        Request =
            RequestFor(Doc, QStringLiteral("2-2-5-5"), true, QDate(2025, 9, 1), QDate(2025, 9, 23));
    }

    CalendarDocument Doc = September2025();
    ScheduleRequest Request;
    ScriptedQuestions Questions;
};

TEST_F(ReplaceAndOverwrite, ReplaceRemovesTheRangesOvernightsButKeepsNotesAndDayVisits)
{
    Request.ReplaceRange = true;
    Questions.Answers = {OverwriteAnswer::No}; // the note on the 8th
    const ScheduleResult result = ApplySchedule(Doc, Request, Questions);
    ASSERT_TRUE(result.Ran);
    EXPECT_EQ(Questions.Asked,
              QStringList{QStringLiteral("MONDAY, September 8  is already marked as an "
                                         "Overnight because of *Court date.\n\rOverwrite it "
                                         "with 2-2-5-5 rotation?")});
    EXPECT_EQ(result.Removed, 2);
    EXPECT_FALSE(DayAt(Doc, QStringLiteral("2025-09-12")).HasOvernight);
    EXPECT_EQ(DayAt(Doc, QStringLiteral("2025-09-05")).OvernightReason,
              QStringLiteral("2-2-5-5 rotation"));
    EXPECT_EQ(DayAt(Doc, QStringLiteral("2025-09-08")).OvernightReason,
              QStringLiteral("*Court date"));
    EXPECT_TRUE(DayAt(Doc, QStringLiteral("2025-09-06")).HasDayVisit);
    // A declined day keeps its place in the stay: the 9th still ends it.
    EXPECT_EQ(DayAt(Doc, QStringLiteral("2025-09-09")).OvernightDropoff, Exchange);
    EXPECT_EQ(DayAt(Doc, QStringLiteral("2025-09-09")).OvernightPickup, NoTimeText);

    // With a weekly visit, the range's day visits go too.
    CalendarDocument withVisit = September2025();
    MarkDay(withVisit, QStringLiteral("2025-09-06"), ListKind::DayVisits, QStringLiteral("Zoo"));
    ScheduleRequest visits = Request;
    visits.Choice.Visit = {2, QStringLiteral("04:00PM"), QStringLiteral("07:00PM")};
    ASSERT_TRUE(ApplySchedule(withVisit, visits, Questions).Ran);
    EXPECT_FALSE(DayAt(withVisit, QStringLiteral("2025-09-06")).HasDayVisit);
}

TEST_F(ReplaceAndOverwrite, EachAnswerOfTheOverwriteQuestion)
{
    const CalendarDocument opened = Doc;
    const QString labor = QStringLiteral("FRIDAY, September 5  is already marked as an "
                                         "Overnight because of Labor weekend.\n\rOverwrite it "
                                         "with 2-2-5-5 rotation?");
    struct Case {
        const char* What;
        std::deque<OverwriteAnswer> Answers;
        int Asked;
        bool LaborOverwritten;
        bool NoteOverwritten;
    };
    const Case cases[] = {
        {"Yes, then No", {OverwriteAnswer::Yes, OverwriteAnswer::No}, 2, true, false},
        {"Yes to All asks once", {OverwriteAnswer::YesToAll}, 1, true, true},
        {"No to All asks once", {OverwriteAnswer::NoToAll}, 1, false, false},
    };
    for (const Case& c : cases) {
        Doc = opened;
        ScriptedQuestions questions;
        questions.Answers = c.Answers;
        ASSERT_TRUE(ApplySchedule(Doc, Request, questions).Ran) << c.What;
        EXPECT_EQ(questions.Asked.size(), c.Asked) << c.What;
        EXPECT_EQ(questions.Asked.first(), labor) << c.What;
        EXPECT_EQ(DayAt(Doc, QStringLiteral("2025-09-05")).OvernightReason ==
                      QStringLiteral("2-2-5-5 rotation"),
                  c.LaborOverwritten)
            << c.What;
        EXPECT_EQ(DayAt(Doc, QStringLiteral("2025-09-08")).OvernightReason ==
                      QStringLiteral("2-2-5-5 rotation"),
                  c.NoteOverwritten)
            << c.What;
        EXPECT_TRUE(DayAt(Doc, QStringLiteral("2025-09-01")).HasOvernight) << c.What;
    }

    // Cancel brings every day and reason back, and says nothing more.
    Doc = opened;
    ScriptedQuestions questions;
    questions.Answers = {OverwriteAnswer::Cancel};
    const ScheduleResult cancelled = ApplySchedule(Doc, Request, questions);
    EXPECT_FALSE(cancelled.Ran);
    EXPECT_TRUE(cancelled.Stopped);
    EXPECT_EQ(Doc.Days, opened.Days);
    EXPECT_EQ(Doc.OverniteReasons.Items, opened.OverniteReasons.Items);
    EXPECT_EQ(Doc.AppliedChangeCount, 0);
    EXPECT_TRUE(questions.Told.isEmpty());
}

HolidaysByYearRequest UnitedStates(ListKind kind,
                                   std::initializer_list<std::pair<const char*, HolidayYears>> rows)
{
    HolidaysByYearRequest request;
    request.Country = &UnitedStatesHolidays();
    request.Kind = kind;
    request.Rows.assign(request.Country->Rows.size(), HolidayYears::Never);
    for (const auto& [caption, years] : rows) {
        const std::optional<int> row =
            HolidayRowNamed(*request.Country, QString::fromLatin1(caption));
        EXPECT_TRUE(row.has_value()) << caption;
        request.Rows.at(static_cast<std::size_t>(row.value_or(1) - 1)) = years;
    }
    return request;
}

TEST(HolidaysByYear, GivesEachHolidayInTheCalendarYearsAsked)
{
    // September 2025 to August 2027 holds parts of 2025, 2026 and 2027.
    const struct {
        const char* Caption;
        HolidayYears Years;
        QStringList Dates;
    } cases[] = {
        {"Thanksgiving Day", HolidayYears::OddYears, Dates({"2025-11-27"})},
        {"Christmas Day", HolidayYears::EvenYears, Dates({"2026-12-25"})},
        {"New Year's Day", HolidayYears::OddYears, Dates({"2027-01-01"})},
        {"Independence Day", HolidayYears::EvenYears, Dates({"2026-07-04"})},
        {"Easter Sunday", HolidayYears::EveryYear, Dates({"2026-04-05", "2027-03-28"})},
        {"Labor Day", HolidayYears::EveryYear, Dates({"2025-09-01", "2026-09-07"})},
        {"Halloween", HolidayYears::Never, {}},
    };
    for (const auto& c : cases) {
        CalendarDocument doc = September2025();
        ScheduleRequest request;
        request.Holidays = UnitedStates(ListKind::Overnights, {{c.Caption, c.Years}});
        ScriptedQuestions questions;
        const ScheduleResult result = ApplySchedule(doc, request, questions);
        if (c.Years == HolidayYears::Never) {
            EXPECT_FALSE(result.Ran);
            EXPECT_EQ(questions.Told, QStringList{ChooseScheduleMessage});
            continue;
        }
        ASSERT_TRUE(result.Ran) << c.Caption;
        EXPECT_EQ(MarkedDates(doc, ListKind::Overnights), c.Dates) << c.Caption;
        EXPECT_EQ(result.Holidays, c.Dates.size()) << c.Caption;
        EXPECT_TRUE(questions.Told.isEmpty()) << c.Caption;
    }
}

TEST(HolidaysByYear, MarksAndQuestionsAreThoseOfTheHolidayDialog)
{
    // The same holiday through the dialog's own Apply on the second page (September 2026 to
    // August 2027), with the calendar's default day-visit times.
    CalendarDocument byYear = September2025();
    byYear.DayVisitStrtTime = QStringLiteral("10:00AM");
    byYear.DayVisitEndTime = QStringLiteral("04:00PM");
    MarkDay(byYear, QStringLiteral("2026-11-26"), ListKind::DayVisits, QStringLiteral("Game"));
    CalendarDocument dialog = byYear;

    ScheduleRequest request;
    request.Holidays =
        UnitedStates(ListKind::DayVisits, {{"Thanksgiving Day", HolidayYears::EvenYears}});
    ScriptedQuestions questions;
    questions.Answers = {OverwriteAnswer::Yes};
    ASSERT_TRUE(ApplySchedule(byYear, request, questions).Ran);

    HolidayDialogState state =
        OpenHolidayDialog(dialog, UnitedStatesHolidays(), ListKind::DayVisits);
    SwitchHolidayPage(dialog, state, true);
    const std::optional<int> row =
        HolidayRowNamed(UnitedStatesHolidays(), QStringLiteral("Thanksgiving Day"));
    ASSERT_TRUE(row);
    HolidayRowState& thanksgiving = state.Rows.at(static_cast<std::size_t>(*row - 1));
    thanksgiving.Ticked = true;
    struct Recorded : OverwriteQuestions {
        OverwriteAnswer AskOverwrite(const QString& question, OverwriteChoices) override
        {
            Asked << question;
            return OverwriteAnswer::Yes;
        }
        void Tell(PromptKind, const QString& text) override { Told << text; }
        QStringList Asked;
        QStringList Told;
    } recorded;
    ASSERT_TRUE(ApplyHolidays(dialog, state, recorded).Applied);

    EXPECT_EQ(questions.Asked, recorded.Asked);
    EXPECT_EQ(questions.Asked,
              QStringList{QStringLiteral("November 26 is set to Game.\n\rOverwrite with "
                                         "Thanksgiving Day?")});
    EXPECT_EQ(byYear.Days, dialog.Days);
    EXPECT_EQ(byYear.DayVisitReasons.Items, dialog.DayVisitReasons.Items);
}

TEST(HolidaysByYear, AYearStartingInAprilCanHoldTwoEastersOfDifferentYears)
{
    // April 2026 to March 2027 holds Easter 2026 (April 5) and Easter 2027 (March 28): the
    // dialog marks both with a warning; odd years take 2027's alone, without it.
    CalendarDocument doc = SpanFrom(3, 2026);
    ScheduleRequest request;
    request.Holidays =
        UnitedStates(ListKind::Overnights, {{"Easter Sunday", HolidayYears::OddYears}});
    ScriptedQuestions questions;
    ASSERT_TRUE(ApplySchedule(doc, request, questions).Ran);
    EXPECT_EQ(MarkedDates(doc, ListKind::Overnights), Dates({"2027-03-28"}));
    EXPECT_TRUE(questions.Told.isEmpty());
}

TEST(HolidaysByYear, ARefusedDayVisitTimeLeavesTheCalendarAsItWas)
{
    CalendarDocument doc = September2025();
    doc.DayVisitStrtTime = QStringLiteral("05:00PM");
    doc.DayVisitEndTime = QStringLiteral("09:00AM");
    const CalendarDocument opened = doc;
    ScheduleRequest request =
        RequestFor(doc, QStringLiteral("2-2-3"), true, QDate(2025, 9, 1), QDate(2025, 12, 31));
    request.Holidays =
        UnitedStates(ListKind::DayVisits, {{"Christmas Day", HolidayYears::EveryYear}});
    ScriptedQuestions questions;
    EXPECT_FALSE(ApplySchedule(doc, request, questions).Ran);
    ASSERT_EQ(questions.Told.size(), 1);
    EXPECT_TRUE(questions.Told.first().startsWith(
        QStringLiteral("Error in times for holiday Christmas Day!")));
    EXPECT_EQ(doc.Days, opened.Days);
}

TEST(StandardSchedules, ExchangeTimesAreReadAsTyped)
{
    const struct {
        const char* Typed;
        std::optional<QString> Read;
    } cases[] = {
        {"6pm", QStringLiteral("06:00PM")},
        {"6:30 p.m.", QStringLiteral("06:30PM")},
        {"630p", QStringLiteral("06:30PM")},
        {"18:30", QStringLiteral("06:30PM")},
        {"1830", QStringLiteral("06:30PM")},
        {"06:00PM", QStringLiteral("06:00PM")},
        {"9", QStringLiteral("09:00AM")},
        {"12am", QStringLiteral("12:00AM")},
        {"12 PM", QStringLiteral("12:00PM")},
        {"0:15", QStringLiteral("12:15AM")},
        {"", NoTimeText},
        {"<None>", NoTimeText},
        {"25:00", std::nullopt},
        {"13pm", std::nullopt},
        {"0pm", std::nullopt},
        {"6x", std::nullopt},
        {"6:75", std::nullopt},
        {"pm", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadExchangeTime(QString::fromLatin1(c.Typed)), c.Read) << c.Typed;
}

} // namespace
