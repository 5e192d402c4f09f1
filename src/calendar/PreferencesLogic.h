#pragma once

#include "calendar/CalendarModel.h"
#include "calendar/TimeText.h"

#include <QString>

// The preferences' rules apart from the dialog: the duration spinners and the checks made
// before the values are stored into the calendar.

namespace custodex {

class Prompter;

struct Duration {
    int Hours = 0;
    int Minutes = 0;
    int LimitHours = 24;

    int TotalMinutes() const { return Hours * 60 + Minutes; }
    QString Text() const; // "HH:MM"
};

Duration DurationFromText(const QString& text, int limitHours);
void SpinDurationHours(Duration& duration, bool up);
void SpinDurationMinutes(Duration& duration, bool up);

// Typing into a duration's hours or minutes field: which of the two has the focus, and the
// keys typed into it since it took the focus.
struct DurationTyping {
    bool MinutesField = false;
    QString Typed;
};
// A key pressed in a duration's field. Up/Down are that field's spinner; Page Up/Page Down
// move the duration by a quarter hour within 00:00 and its limit. Typed into the hours,
// digits are a whole duration ("8", "830", "10:30"); into the minutes, the minutes.
TypedKey DurationKey(Duration& duration, DurationTyping& typing, int key, const QString& text);

struct PreferencesValues {
    QString Author;
    QString Title;
    std::int32_t BackgroundColour = 0;
    std::int32_t OvernightColour = 0;
    std::int32_t DayVisitColour = 0;
    QString OverNiteStrtTime;
    QString OverNiteEndTime;
    QString DayVisitStrtTime;
    QString DayVisitEndTime;
    QString CustodialName;
    QString NonCustodialName;
    Duration Overnight{24, 0, 24};
    Duration Sleep{8, 0, 12};
    Duration DayVisit{12, 0, 16};
    Duration Nap{0, 0, 12};
};

constexpr int OvernightLimitHours = 24;
constexpr int SleepLimitHours = 12;
constexpr int DayVisitLimitHours = 16;
constexpr int NapLimitHours = 12;

PreferencesValues LoadPreferences(const CalendarDocument& doc);
void RestoreColourDefaults(PreferencesValues& values);

// Which field the dialog puts the focus on after a refusal.
enum class PreferencesFocus { None, OvernightHours, DayVisitHours };

struct PreferencesCheck {
    bool Stored = false;
    PreferencesFocus Focus = PreferencesFocus::None;
};

// Runs the OK checks in their order; when all pass, stores every value into `doc` and marks
// it changed. Otherwise nothing is stored.
PreferencesCheck ValidateAndStorePreferences(PreferencesValues& values, CalendarDocument& doc,
                                             Prompter& prompter);

} // namespace custodex
