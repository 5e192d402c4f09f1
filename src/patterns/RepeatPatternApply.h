#pragma once

#include "calendar/CalendarModel.h"
#include "patterns/DateRange.h"
#include "patterns/RepeatPatterns.h"
#include "patterns/WeekdayPatterns.h"

#include <QString>
#include <QStringList>

#include <optional>

// Laying a repeat pattern over a date range: its first letter on the start day, the next on
// the next day, and round again when the letters are used up; "O" days get an overnight stay,
// "D" days a day visit, "N" days nothing. And removing every mark of one reason in a range.
// One engine for the dialog and the command line.

namespace custodex {

// Everything an Apply reads from its dialog.
struct RepeatRequest {
    bool PatternChosen = false;
    QString Letters;
    DateRangeBlock Range;
    QString ONStrtTime = NoTimeText; // overnight pickup and dropoff
    QString ONEndTime = NoTimeText;
    QString DVStrtTime = NoTimeText; // day-visit start and end
    QString DVEndTime = NoTimeText;
    QString Reason;
};

struct RepeatRunResult {
    bool UndoTaken = false;   // the undo copy was taken: Undo is enabled
    bool Ran = false;         // the days were walked
    bool Counted = false;     // AppliedChangeCount went up by one for this run
    bool DaysChanged = false; // some day was written
    bool Stopped = false;     // Cancel in the overwrite question
    int Overnights = 0;       // stays added (or removed)
    int DayVisits = 0;
    RangeField RangeFocus = RangeField::None; // where a failed range check puts the focus
};

inline const QString NoRepeatPatternsMessage =
    QStringLiteral("There are no custom patterns to apply!\n\rCreate some custom patterns, then "
                   "try this\n\roperation again.");
inline const QString ChoosePatternMessage =
    QStringLiteral("Please select a custom pattern and try again.");
inline const QString ChooseListMessage = QStringLiteral("Please select a list and try again.");
inline const QString RepeatTerminatedMessage =
    QStringLiteral("Custom Pattern application terminated by operator request.");

// Apply: the range check (the undo copy is taken whatever its outcome), then the letters over
// the range with their times, asking before overwriting a mark; tells the counts.
RepeatRunResult ApplyRepeatPattern(CalendarDocument& doc, const RepeatRequest& request,
                                   OverwriteQuestions& questions);

// Remove: every overnight and day visit in the range whose reason is exactly `reason` (the
// same case) is cleared; tells the counts. Refused when no pattern is chosen.
RepeatRunResult RemoveRepeatPattern(CalendarDocument& doc, const DateRangeBlock& range,
                                    const QString& reason, bool patternChosen,
                                    OverwriteQuestions& questions);

// The time-entry dialog's caption and prompt for one of the four time fields.
TimePromptTexts RepeatTimePrompt(bool overnight, bool end);

// What the dialog holds while it is open.
struct RepeatDialogState {
    QStringList Items; // the lines of "CustomPats.txt"
    std::optional<RepeatPattern> Chosen;
    DateRangeBlock Range;
    QString ONStrtTime;
    QString ONEndTime;
    QString DVStrtTime;
    QString DVEndTime;
    QString Reason;
    bool ApplyEnabled = true;
    bool Changes = false;
    bool UndoEnabled = false;
    bool UndoCounted = false;
};

// Each opening: the whole calendar as range, the calendar's default times, the patterns of
// the client folder and none chosen. False (after the error) when there is no pattern file:
// the dialog then closes with Cancel.
bool OpenRepeatDialog(const CalendarDocument& doc, RepeatDialogState& state,
                      OverwriteQuestions& questions);
// A click on a list item: its name and letters are chosen and the name becomes the reason.
void ChooseRepeatPattern(RepeatDialogState& state, int index);
RepeatRequest RepeatRequestOf(const RepeatDialogState& state);

RepeatRunResult ApplyRepeatClick(CalendarDocument& doc, RepeatDialogState& state,
                                 OverwriteQuestions& questions);
RepeatRunResult RemoveRepeatClick(CalendarDocument& doc, RepeatDialogState& state,
                                  OverwriteQuestions& questions);
void UndoRepeatClick(CalendarDocument& doc, RepeatDialogState& state);

} // namespace custodex
