#include "calendar/TimeText.h"

#include "calendar/CalendarModel.h"

namespace custodex {

bool IsNoTime(const QString& timeText)
{
    return timeText == NoTimeText;
}

int TimeTextToMinutes(const QString& timeText)
{
    // Positions of the hour and minute digits; anything shorter counts as zeros.
    auto digit = [&](int i) {
        if (i >= timeText.size())
            return 0;
        const int value = timeText.at(i).unicode() - u'0';
        return value >= 0 && value <= 9 ? value : 0;
    };
    int minutes = digit(0) * 600 + digit(1) * 60 + digit(3) * 10 + digit(4);
    if (minutes >= 720)
        minutes -= 720;
    if (timeText.contains(QStringLiteral("PM")))
        minutes += 720;
    return minutes;
}

QString ComposeTimeText(const QString& hour, const QString& minute, const QString& amPm)
{
    return hour + QLatin1Char(':') + minute + amPm;
}

bool IsValidTimeText(const QString& timeText)
{
    if (timeText.size() != 7 || timeText.at(2) != QLatin1Char(':'))
        return false;
    for (int i : {0, 1, 3, 4}) {
        const char16_t ch = timeText.at(i).unicode();
        if (ch < u'0' || ch > u'9')
            return false;
    }
    const int hour = (timeText.at(0).unicode() - u'0') * 10 + (timeText.at(1).unicode() - u'0');
    const int minute = (timeText.at(3).unicode() - u'0') * 10 + (timeText.at(4).unicode() - u'0');
    const QString suffix = timeText.right(2);
    return hour <= 12 && minute <= 59 &&
           (suffix == QStringLiteral("AM") || suffix == QStringLiteral("PM"));
}

DayVisitTimesCheck CheckDayVisitTimes(const QString& pickup, const QString& dropoff, bool noNap,
                                      int napMinutes)
{
    const bool noPickup = IsNoTime(pickup);
    const bool noDropoff = IsNoTime(dropoff);
    if (noPickup && noDropoff)
        return DayVisitTimesCheck::Acceptable;
    if (noPickup || noDropoff)
        return DayVisitTimesCheck::OnlyOneTimeGiven;
    const int start = TimeTextToMinutes(pickup);
    const int end = TimeTextToMinutes(dropoff);
    if (start >= end)
        return DayVisitTimesCheck::PickupNotBeforeDropoff;
    if (!noNap && napMinutes >= end - start)
        return DayVisitTimesCheck::NotLongerThanNap;
    return DayVisitTimesCheck::Acceptable;
}

bool IsTypedDigit(QChar key)
{
    return key >= QLatin1Char('0') && key <= QLatin1Char('9');
}

namespace {

TypedTime ReadTypedDigits(const QString& typed, int limitMinutes)
{
    const int largestHour = limitMinutes / 60;
    QString hour;
    QString minute;
    bool onItsWay = false; // one minute digit, read as the tens of the minutes
    const qsizetype colon = typed.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        hour = typed.left(colon);
        minute = typed.mid(colon + 1);
        if (hour.isEmpty() || hour.size() > 2 || minute.size() > 2 ||
            minute.contains(QLatin1Char(':')))
            return {TypedTimeFault::Minute};
    }
    else if (typed.size() == 1) {
        hour = typed;
    }
    else if (typed.size() == 2) {
        if (typed.toInt() <= largestHour || typed.at(1) > QLatin1Char('5')) {
            hour = typed; // an hour, or one too large for H M0 as well
        }
        else {
            hour = typed.left(1);
            minute = typed.mid(1);
            onItsWay = true;
        }
    }
    else if (typed.size() == 3) {
        hour = typed.left(1);
        minute = typed.mid(1);
        if (minute.toInt() > 59 && typed.left(2).toInt() <= largestHour &&
            typed.at(2) <= QLatin1Char('5')) {
            hour = typed.left(2);
            minute = typed.mid(2);
            onItsWay = true;
        }
    }
    else if (typed.size() == 4) {
        hour = typed.left(2);
        minute = typed.mid(2);
    }
    else {
        return {typed.isEmpty() ? TypedTimeFault::Hour : TypedTimeFault::Minute};
    }
    TypedTime time;
    time.Hour = hour.toInt();
    time.Minute = minute.toInt() * (onItsWay ? 10 : 1);
    time.MinuteDigits = static_cast<int>(minute.size());
    if (time.Hour > largestHour)
        time.Fault = TypedTimeFault::Hour;
    else if (time.Minute > 59 || time.Hour * 60 + time.Minute > limitMinutes)
        time.Fault = TypedTimeFault::Minute;
    return time;
}

} // namespace

TypedTime ReadTypedTime(const QString& typed, int limitMinutes)
{
    TypedTime time = ReadTypedDigits(typed, limitMinutes);
    if (time.Fault != TypedTimeFault::None)
        return time;
    time.Complete = true;
    for (char c = '0'; c <= '9' && time.Complete; ++c)
        if (ReadTypedDigits(typed + QLatin1Char(c), limitMinutes).Fault == TypedTimeFault::None)
            time.Complete = false;
    return time;
}

TypedEntry TypeIntoTime(QString& typed, QChar key, int limitMinutes)
{
    if (key == QLatin1Char(':') && (typed.contains(key) || typed.size() > 2))
        return {{}, true};
    const QString entry = typed + key;
    const TypedTime time = ReadTypedTime(entry, limitMinutes);
    if (time.Fault == TypedTimeFault::None)
        typed = time.Complete && time.MinuteDigits == 2 ? QString() : entry;
    return {time, false};
}

TypedDigit TypeTimeDigit(QString& digits, QChar digit, int maximum)
{
    const QString typed = digits + digit;
    const int value = typed.toInt();
    if (value > maximum) {
        digits.clear();
        return {0, true};
    }
    digits = typed.size() >= 2 || value * 10 > maximum ? QString() : typed;
    return {value, false};
}

int NextQuarterHour(int minutes, bool up)
{
    return up ? (minutes / 15 + 1) * 15 : (minutes + 14) / 15 * 15 - 15;
}

} // namespace custodex
