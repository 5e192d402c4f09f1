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

} // namespace custodex
