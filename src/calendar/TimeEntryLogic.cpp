#include "calendar/TimeEntryLogic.h"

#include "calendar/CalendarModel.h"
#include "calendar/TimeText.h"

namespace custodex {

namespace {

constexpr int AmPmSpinMiddle = 5000;

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

ClockFieldCheck CheckNumberField(const QString& text, int maximum, const char* notNumber,
                                 const char* tooLong, const char* outOfRange)
{
    bool isNumber = false;
    const int value = text.toInt(&isNumber);
    if (!isNumber)
        return {QString::fromLatin1(notNumber), text};
    if (text.size() >= 3)
        return {QString::fromLatin1(tooLong), QStringLiteral("00")};
    if (value < 0 || value > maximum)
        return {QString::fromLatin1(outOfRange), text};
    return {QString(), TwoDigits(value)};
}

} // namespace

void ClockOpen(ClockState& state, const QString& timeText)
{
    if (IsNoTime(timeText)) {
        state.NoTime = true;
        state.Hour = QStringLiteral("00");
        state.Minute = QStringLiteral("00");
        state.AmPm = QStringLiteral("AM");
        ClockFocus(state, ClockPart::Hour);
        return;
    }
    state.NoTime = false;
    state.Hour = timeText.mid(0, 2);
    state.Minute = timeText.mid(3, 2);
    state.AmPm =
        timeText.contains(QStringLiteral("AM")) ? QStringLiteral("AM") : QStringLiteral("PM");
    ClockFocus(state, ClockPart::Hour);
}

void ClockFocus(ClockState& state, ClockPart part)
{
    state.Active = part;
    state.Typed.clear();
    switch (part) {
    case ClockPart::Hour:
        state.SpinMinimum = 0;
        state.SpinMaximum = 12;
        state.SpinPosition = state.Hour.toInt();
        break;
    case ClockPart::Minute:
        state.SpinMinimum = 0;
        state.SpinMaximum = 59;
        state.SpinPosition = state.Minute.toInt();
        break;
    case ClockPart::AmPm:
        state.SpinMinimum = 0;
        state.SpinMaximum = 10000;
        state.SpinPosition = AmPmSpinMiddle;
        break;
    }
}

void ClockSpin(ClockState& state, bool up)
{
    state.Typed.clear();
    if (state.NoTime) {
        ClockShowTime(state);
        return;
    }
    if (state.Active == ClockPart::AmPm) {
        state.AmPm =
            state.AmPm == QStringLiteral("AM") ? QStringLiteral("PM") : QStringLiteral("AM");
        return;
    }
    const int next = state.SpinPosition + (up ? 1 : -1);
    if (next < state.SpinMinimum || next > state.SpinMaximum)
        return; // no wrap-around
    state.SpinPosition = next;
    (state.Active == ClockPart::Hour ? state.Hour : state.Minute) = TwoDigits(next);
}

void ClockSetNone(ClockState& state)
{
    state.NoTime = true;
}

void ClockShowTime(ClockState& state)
{
    state.NoTime = false;
    ClockFocus(state, ClockPart::Hour);
}

QString ClockResult(const ClockState& state)
{
    return state.NoTime ? NoTimeText : ComposeTimeText(state.Hour, state.Minute, state.AmPm);
}

ClockFieldCheck CheckClockHour(const QString& text)
{
    return CheckNumberField(text, 12, "Invalid hour.  Please try again.",
                            "Too many characters in the hours field.\n\rPlease try again.",
                            "Invalid hour.  Must be a value from 0 to 12");
}

ClockFieldCheck CheckClockMinute(const QString& text)
{
    return CheckNumberField(text, 59, "Invalid minute.  Please try again.",
                            "Too many characters in the minutes field.\n\rPlease try again.",
                            "Invalid Minute.  Must be a value from 0 to 59");
}

ClockFieldCheck CheckClockAmPm(const QString& text)
{
    const QString upper = text.toUpper();
    if (upper != QStringLiteral("AM") && upper != QStringLiteral("PM"))
        return {QStringLiteral("Illegal AM/PM string.  Must be either AM or PM"),
                QStringLiteral("AM")};
    return {QString(), upper};
}

namespace {

constexpr int LastMinuteOfDay = 24 * 60 - 1;

void ClockStepQuarter(ClockState& state, bool up)
{
    if (state.NoTime) {
        ClockShowTime(state);
        return;
    }
    const int next = NextQuarterHour(TimeTextToMinutes(ClockResult(state)), up);
    if (next < 0 || next > LastMinuteOfDay)
        return; // no wrap-around, as the spinner
    const int hour = next / 60 % 12;
    state.Hour = TwoDigits(hour == 0 ? 12 : hour);
    state.Minute = TwoDigits(next % 60);
    state.AmPm = next >= 12 * 60 ? QStringLiteral("PM") : QStringLiteral("AM");
    ClockFocus(state, state.Active);
}

const QString HourRefusal = QStringLiteral("Invalid hour.  Must be a value from 0 to 12");
// Typed hours past 12 are taken too, so a typed refusal names that range as well.
const QString TypedHourRefusal =
    HourRefusal +
    QStringLiteral(
        "\n\rTyped as a 24-hour time (such as 18:30), the hour is a value from 0 to 23.");
const QString MinuteRefusal = QStringLiteral("Invalid Minute.  Must be a value from 0 to 59");

// "0030", "00:30", "1230", "12:30" and "18:30" are read on a 24-hour clock; "6", "630", "6:30"
// and "12" keep the AM/PM shown, as a user typing them means the time on the dial.
bool TypedAsTwentyFourHours(const QString& entry, int hour)
{
    const qsizetype colon = entry.indexOf(QLatin1Char(':'));
    return hour > 12 || entry.startsWith(QLatin1Char('0')) || colon == 2 ||
           (colon < 0 && entry.size() == 4);
}

TypedKey ClockTypeIntoHour(ClockState& state, QChar key)
{
    if (state.Typed.isEmpty())
        state.AmPmBeforeTyping = state.AmPm;
    const QString typed = state.Typed + key;
    const TypedEntry entry = TypeIntoTime(state.Typed, key, LastMinuteOfDay);
    const TypedTime& time = entry.Time;
    if (entry.Ignored)
        return {true, {}};
    if (time.Fault != TypedTimeFault::None)
        return {true, time.Fault == TypedTimeFault::Hour ? TypedHourRefusal : MinuteRefusal};
    state.Hour = TwoDigits(time.Hour > 12 ? time.Hour - 12 : time.Hour);
    state.Minute = TwoDigits(time.Minute);
    if (TypedAsTwentyFourHours(typed, time.Hour))
        state.AmPm = time.Hour >= 12 ? QStringLiteral("PM") : QStringLiteral("AM");
    else
        state.AmPm = state.AmPmBeforeTyping;
    state.SpinPosition = state.Hour.toInt();
    return {true, {}};
}

TypedKey ClockTypeIntoMinute(ClockState& state, QChar digit)
{
    const TypedDigit typed = TypeTimeDigit(state.Typed, digit, 59);
    if (typed.Refused)
        return {true, MinuteRefusal};
    state.Minute = TwoDigits(typed.Value);
    state.SpinPosition = typed.Value;
    return {true, {}};
}

} // namespace

TypedKey ClockKey(ClockState& state, int key, const QString& text)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        ClockSpin(state, key == Qt::Key_Up);
        return {true, {}};
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        ClockStepQuarter(state, key == Qt::Key_PageUp);
        return {true, {}};
    default:
        break;
    }
    if (text.size() != 1)
        return {};
    const QChar typed = text.at(0).toLower();
    if (typed == QLatin1Char('a') || typed == QLatin1Char('p')) {
        if (state.NoTime)
            ClockShowTime(state);
        state.AmPm = typed == QLatin1Char('a') ? QStringLiteral("AM") : QStringLiteral("PM");
        state.Typed.clear();
        return {true, {}};
    }
    if (typed == QLatin1Char('m')) // the M of "pm"
        return {true, {}};
    const bool colon = typed == QLatin1Char(':') || typed == QLatin1Char('.');
    if (!colon && !IsTypedDigit(typed))
        return {};
    if (state.NoTime)
        ClockShowTime(state);
    if (colon && state.Typed.isEmpty()) {
        if (state.Active == ClockPart::Hour)
            ClockFocus(state, ClockPart::Minute);
        return {true, {}};
    }
    if (state.Active == ClockPart::AmPm)
        ClockFocus(state, ClockPart::Hour);
    if (state.Active == ClockPart::Hour)
        return ClockTypeIntoHour(state, colon ? QLatin1Char(':') : typed);
    if (colon)
        return {true, {}};
    return ClockTypeIntoMinute(state, typed);
}

} // namespace custodex
