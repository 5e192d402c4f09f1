#pragma once

#include <QString>

// Time texts: "<None>" or a 12-hour time of seven characters such as 07:30PM.

namespace custodex {

enum class DayVisitTimesCheck {
    Acceptable = 0,
    PickupNotBeforeDropoff = 1,
    NotLongerThanNap = 2,
    OnlyOneTimeGiven = 3,
};

bool IsNoTime(const QString& timeText);
// Minutes after midnight, 0..1439; the text must not be "<None>".
int TimeTextToMinutes(const QString& timeText);
QString ComposeTimeText(const QString& hour, const QString& minute, const QString& amPm);
// True for a text the time-entry dialog can produce: "hh:mmAM"/"hh:mmPM", hour 00..12.
bool IsValidTimeText(const QString& timeText);
DayVisitTimesCheck CheckDayVisitTimes(const QString& pickup, const QString& dropoff, bool noNap,
                                      int napMinutes);

// A key pressed in a time field that also takes typing.
struct TypedKey {
    bool Taken = false; // the field used the key; the dialog should not act on it too
    QString Refusal;    // an out-of-range entry, to show as an error; nothing was changed
};

bool IsTypedDigit(QChar key);

// A time typed as one entry into an hours field: "6", "630", "1830", "18:30", "6:3". Without
// a colon, three digits are H MM (or HH M, on its way to HH MM, when H MM cannot be) and four
// HH MM; two digits above the largest hour are H M (so "93" is on its way to 9:30).
enum class TypedTimeFault { None, Hour, Minute };
struct TypedTime {
    TypedTimeFault Fault = TypedTimeFault::None;
    int Hour = 0;
    int Minute = 0;
    int MinuteDigits = 0;  // minute digits typed (a lone digit after an hour counts one)
    bool Complete = false; // no further digit can follow
};
// `limitMinutes` is the largest time the field holds: 23:59 for a clock, the limit of a
// duration.
TypedTime ReadTypedTime(const QString& typed, int limitMinutes);

// One key (a digit or ":") added to the entry `typed` of an hours field: the time the entry
// now reads, or its fault with `typed` unchanged. A colon after the minutes have begun is
// ignored (Ignored set). Once both minute digits are in, `typed` is cleared so the next digit
// starts a new time; after a lone minute digit ("6:7") it is kept, so a further digit is
// refused rather than silently taken as a new time.
struct TypedEntry {
    TypedTime Time;
    bool Ignored = false;
};
TypedEntry TypeIntoTime(QString& typed, QChar key, int limitMinutes);

// One digit typed into a two-digit part whose largest value is `maximum`; `digits` holds the
// digits typed into the part so far and is cleared when the part is full or refused.
struct TypedDigit {
    int Value = 0;
    bool Refused = false;
};
TypedDigit TypeTimeDigit(QString& digits, QChar digit, int maximum);

// The quarter hour after (or before) `minutes`; a time off the quarter moves onto it.
int NextQuarterHour(int minutes, bool up);

} // namespace custodex
