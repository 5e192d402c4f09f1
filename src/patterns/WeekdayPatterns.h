#pragma once

#include "calendar/CalendarModel.h"
#include "calendar/MenuChecks.h"
#include "calendar/OverwriteQuestions.h"
#include "patterns/DateRange.h"

#include <QString>

#include <array>

// Marking days in bulk by weekday: odd, even or every occurrence of chosen weekdays (or whole
// weeks), or the first to fifth or last of them in each month; and removing such marks again.
// One engine for the four pattern dialogs and the command line; the dialogs only gather their
// controls into a PatternRequest and show what the engine tells.

namespace custodex {

// Which pair of dialogs a request comes from; their texts differ in small ways.
enum class PatternDialog { OddEvenAll, Monthly };

enum class PatternKind { Odd, Even, All, First, Second, Third, Fourth, Fifth, Last };

// Weekdays in the order of the dialogs' weekday list: 0 = Monday .. 6 = Sunday.
constexpr int WeekdayCount = 7;
using WeekdaySet = std::array<bool, WeekdayCount>;

const QStringList& PatternWeekdayNames();  // "Monday" .. "Sunday"
QString PatternKindWord(PatternKind kind); // "Odd" .. "Fifth", "Last"
bool IsMonthlyKind(PatternKind kind);
// Weekday of a day of the calendar, 0 = Monday.
int PatternWeekdayOf(const CalendarDay& day);

// All seven weekdays chosen: runs are whole weeks from the week-begin day.
bool IsWeeksMode(const WeekdaySet& weekdays);
bool AnyWeekday(const WeekdaySet& weekdays);

// The reason the dialog proposes for its choices; `current` when no weekday is chosen.
QString DefaultPatternReason(PatternDialog dialog, ListKind kind, PatternKind pattern,
                             const WeekdaySet& weekdays, int weekBegin, const QString& current);

// The weekdays on which a run may start: the week-begin day in weeks mode, else every chosen
// weekday whose preceding weekday (Sunday before Monday) is not chosen.
WeekdaySet RunStartWeekdays(const WeekdaySet& weekdays, int weekBegin);

constexpr int PatternReasonCapacity = 80;

// Everything an Apply List reads from its dialog.
struct PatternRequest {
    PatternDialog Dialog = PatternDialog::OddEvenAll;
    ListKind Kind = ListKind::Overnights;
    PatternKind Pattern = PatternKind::Odd;
    WeekdaySet Weekdays{};
    int WeekBegin = 0; // 0 = Monday
    DateRangeBlock Range;
    QString Pickup = NoTimeText;
    QString Dropoff = NoTimeText;
    bool NoNap = false;
    QString Reason;
};

// Where a refused Apply puts the focus.
enum class PatternFocus { None, WeekdayList, Range };

struct PatternRunResult {
    bool Ran = false;         // the days were walked; the undo copy was taken before
    bool Counted = false;     // AppliedChangeCount went up by one for this run
    bool DaysChanged = false; // some day was written
    bool Stopped = false;     // Cancel in the overwrite question
    int Count = 0;            // days added (or removed)
    PatternFocus Focus = PatternFocus::None;
    RangeField RangeFocus = RangeField::None;
};

inline const QString NoWeekdayMessage =
    QStringLiteral("You must select a day from the Weekday list\n\rbefore you can apply the days "
                   "to your calendar.");
inline const QString RunTerminatedMessage =
    QStringLiteral("List application terminated by operator request.");

// Apply List: marks the days of the pattern in the range, asking before it overwrites a mark,
// tells the count added, recounts and adds the reason to the main window's list of that kind.
PatternRunResult ApplyPatternList(CalendarDocument& doc, const PatternRequest& request,
                                  OverwriteQuestions& questions);

// Remove List: clears every mark of the kind in the range whose reason is `reason` or
// "NN-" + `reason`, ignoring case; tells the count removed.
PatternRunResult RemovePatternList(CalendarDocument& doc, ListKind kind,
                                   const DateRangeBlock& range, const QString& reason,
                                   OverwriteQuestions& questions);

// Adds a reason to the main window's list of that kind unless the very text is there.
void AddPatternReason(CalendarDocument& doc, ListKind kind, const QString& reason);

// The texts that differ between the dialogs.
QString PatternWindowCaption(PatternDialog dialog, ListKind kind);
QString PatternNoNapCaption(ListKind kind);
struct TimePromptTexts {
    QString Caption;
    QString Prompt;
};
TimePromptTexts PatternTimePrompt(ListKind kind, bool dropoff);

// What a pattern dialog keeps between openings (until the next reset) and while it is open.
struct PatternDialogState {
    PatternKind Pattern = PatternKind::Odd;
    WeekdaySet Weekdays{};
    int WeekBegin = 0;
    DateRangeBlock Range;
    QString Pickup;
    QString Dropoff;
    bool NoNap = false;
    QString Reason;
    // While open.
    bool Changes = false;
    bool UndoEnabled = false;
    bool UndoCounted = false; // the run Undo takes back added one to AppliedChangeCount
};

// The state after creation and after a calendar is closed.
void ResetPatternDialog(PatternDialogState& state, PatternDialog dialog);
// Each opening: range lists filled when empty, empty times from the calendar's default times,
// the no-nap box cleared where that dialog clears it, Undo off, no changes.
void OpenPatternDialog(const CalendarDocument& doc, PatternDialogState& state, PatternDialog dialog,
                       ListKind kind);
PatternRequest RequestOf(const PatternDialogState& state, PatternDialog dialog, ListKind kind);

// The dialog's buttons on its state; each returns what the run returned.
PatternRunResult ApplyListClick(CalendarDocument& doc, PatternDialogState& state,
                                PatternDialog dialog, ListKind kind, OverwriteQuestions& questions);
PatternRunResult RemoveListClick(CalendarDocument& doc, PatternDialogState& state, ListKind kind,
                                 OverwriteQuestions& questions);
// One level: the days as they were before the last Apply or Remove.
void UndoClick(CalendarDocument& doc, PatternDialogState& state);

} // namespace custodex
