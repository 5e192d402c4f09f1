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

} // namespace custodex
