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

} // namespace custodex
