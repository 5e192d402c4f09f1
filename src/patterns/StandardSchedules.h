#pragma once

#include "calendar/CalendarModel.h"
#include "holidays/HolidaysByYear.h"
#include "patterns/DateRange.h"
#include "patterns/WeekdayPatterns.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The schedules court orders name ("alternating weeks", "2-2-5-5", "every other weekend"), as
// data: a cycle of blocks of days for the first parent or the other, or a weekend rule. A
// schedule becomes one letter per day of the range (O a night with the non-custodial parent,
// D a day visit, N neither), which the repeat-pattern engine lays over the calendar: pickup
// on a stay's first night and dropoff on its last, at the exchange time, with its overwrite
// question. The window and the command line call the same function.

namespace custodex {

enum class ScheduleRule {
    None,              // no schedule: the holidays alone
    Cycle,             // day i of the range is in the block holding i mod the cycle's length
    AlternateWeekends, // every second weekend from the first Friday on or after the start
    MonthlyWeekends,   // the weekends whose Friday is the first, third or fifth of its month
};

struct ScheduleBlock {
    int Days = 0;
    bool FirstParent = true; // the parent who has the first block, else the other
};

struct StandardSchedule {
    QString Name;        // as --schedule takes it: "2-2-5-5"
    QString Title;       // as the window shows it and the reason it proposes: "2-2-5-5 rotation"
    QString Description; // one line
    ScheduleRule Rule = ScheduleRule::Cycle;
    std::vector<ScheduleBlock> Blocks;
};

// Every schedule in the order the window lists them, "holidays only" first.
const std::vector<StandardSchedule>& StandardSchedules();
// The schedule with this --schedule name; nothing for any other text.
const StandardSchedule* ScheduleNamed(const QString& name);
int CycleLength(const StandardSchedule& schedule);
// "2 first, 2 other, 5 first, 5 other" for a cycle; the nights of a weekend rule.
QString CycleText(const StandardSchedule& schedule);

// The weekly extras: a weekday (0 = Monday) or none.
struct WeeklyVisit {
    int Weekday = -1;
    QString Pickup = NoTimeText;
    QString Dropoff = NoTimeText;
};

// What decides which days are the non-custodial parent's.
struct ScheduleChoice {
    const StandardSchedule* Schedule = nullptr;
    bool NonCustodialFirst = true; // --first: who has the first block (the first weekend)
    bool LongWeekend = false;      // weekend rules: Sunday night too
    WeeklyVisit Visit;             // a day visit every week on a day not already theirs
    int OvernightWeekday = -1;     // an overnight every week on a day not already theirs
};

// One letter per day from `first` to `last` (day indices): 'O', 'D' or 'N'.
QString SchedulePlan(const CalendarDocument& doc, int first, int last,
                     const ScheduleChoice& choice);

// Everything an Apply reads from the window or the command line.
struct ScheduleRequest {
    ScheduleChoice Choice;
    DateRangeBlock Range;
    QString Exchange = NoTimeText; // pickup and dropoff of every stay
    QString Reason;
    bool ReplaceRange = false; // remove the range's overnights (and day visits) first
    HolidaysByYearRequest Holidays;
};

struct ScheduleResult {
    bool Ran = false;     // the calendar was changed as asked (or nothing needed changing)
    bool Stopped = false; // Cancel in a question: the calendar is as it was before
    int Overnights = 0;   // days of the range carrying the schedule's marks afterwards
    int DayVisits = 0;
    int Removed = 0;  // marks taken off by "replace"
    int Holidays = 0; // holiday days marked
    RangeField RangeFocus = RangeField::None;
};

inline const QString ChooseScheduleMessage =
    QStringLiteral("Please select a schedule or a holiday and try again.");

// A typed time ("6pm", "630 PM", "18:30", "06:00PM") as a time text, "<None>" for an empty
// entry; nothing for a text that is no time.
std::optional<QString> ReadExchangeTime(const QString& typed);

// The reason checks of an Apply: the text as it will be stored, or the message refusing it.
struct ScheduleReasonCheck {
    QString Reason;
    QString Refusal;
};
ScheduleReasonCheck CheckScheduleReason(const QString& typed, const StandardSchedule* schedule,
                                        bool nonCustodialFirst);

// The reason a schedule's days get unless one is typed: its title, but for the 1st, 3rd and
// 5th weekends given to the custodial parent, the weekends the other parent has.
QString ScheduleReasonFor(const StandardSchedule& schedule, bool nonCustodialFirst);

// One Apply: the range check, then (when asked) the range's marks removed, the schedule laid
// over the range and the holidays given in their years. Every overwrite question ("... is
// already marked as ... Overwrite it with ...?" or "... is set to ... Overwrite with ...?")
// offers Yes, Yes to All, No, No to All and Cancel; Cancel brings back every day and reason as
// it was before the Apply.
ScheduleResult ApplySchedule(CalendarDocument& doc, const ScheduleRequest& request,
                             OverwriteQuestions& questions);

// What an Apply did, for the status bar and the command line's last line.
QString ScheduleSummary(const ScheduleRequest& request, const ScheduleResult& result);

} // namespace custodex
