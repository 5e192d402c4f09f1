#pragma once

#include "calendar/TimeText.h"

#include <QString>

// The time-entry dialog's behaviour apart from its widgets: the time and no-time states, the
// active part and the spinner that changes it without wrapping around.

namespace custodex {

enum class ClockPart { Hour, Minute, AmPm };

struct ClockState {
    QString Hour = QStringLiteral("00");
    QString Minute = QStringLiteral("00");
    QString AmPm = QStringLiteral("AM");
    bool NoTime = false; // the "<None>" panel is showing
    ClockPart Active = ClockPart::Hour;
    int SpinMinimum = 0;
    int SpinMaximum = 12;
    int SpinPosition = 0;
    // Typing: the keys typed into the active part since it became active, and the AM/PM
    // shown before a time was typed into the hour (a 24-hour hour sets PM only while typed).
    QString Typed;
    QString AmPmBeforeTyping;
};

// Starts a showing from the caller's time text.
void ClockOpen(ClockState& state, const QString& timeText);
// Makes a part active and sets the spinner's range and position for it.
void ClockFocus(ClockState& state, ClockPart part);
// One spinner click. In the no-time state it only brings the time back.
void ClockSpin(ClockState& state, bool up);
void ClockSetNone(ClockState& state);
// A click on the "<None>" panel or on the spinner while no time is shown.
void ClockShowTime(ClockState& state);
QString ClockResult(const ClockState& state);

// A key pressed in the dialog. Up/Down are the spinner; Page Up/Page Down move the time by a
// quarter hour without passing midnight. Typed into the hour, digits are a whole time
// ("6", "630", "18:30"; an hour past 12 sets PM); typed into the minutes they are the
// minutes. "a" and "p" set AM or PM, ":" moves on to the minutes.
TypedKey ClockKey(ClockState& state, int key, const QString& text);

// Checks a part's text as it leaves the focus: an error message, or empty with the text made
// two digits. The fields are read-only, so these only matter for texts set by code.
struct ClockFieldCheck {
    QString Message;
    QString Text; // the field's text afterwards
};
ClockFieldCheck CheckClockHour(const QString& text);
ClockFieldCheck CheckClockMinute(const QString& text);
ClockFieldCheck CheckClockAmPm(const QString& text);

} // namespace custodex
