#include "calendar/TimeText.h"

#include <gtest/gtest.h>

using namespace custodex;

TEST(TimeTextToMinutes, TwelveCountsAsZero)
{
    const struct {
        const char* Text;
        int Minutes;
    } cases[] = {{"12:00AM", 0},    {"00:00AM", 0},    {"12:00PM", 720}, {"00:15PM", 735},
                 {"11:59PM", 1439}, {"07:30PM", 1170}, {"12:15AM", 15},  {"09:05AM", 545}};
    for (const auto& c : cases)
        EXPECT_EQ(TimeTextToMinutes(QString::fromLatin1(c.Text)), c.Minutes) << c.Text;
}

TEST(TimeTexts, ComposeAndRecognise)
{
    EXPECT_EQ(ComposeTimeText(QStringLiteral("07"), QStringLiteral("30"), QStringLiteral("PM")),
              QStringLiteral("07:30PM"));
    EXPECT_TRUE(IsNoTime(QStringLiteral("<None>")));
    EXPECT_FALSE(IsNoTime(QString()));
    EXPECT_TRUE(IsValidTimeText(QStringLiteral("12:59AM")));
    for (const char* bad : {"13:00AM", "07:60PM", "7:30PM", "07:30XM", "07:30 PM", "<None>"})
        EXPECT_FALSE(IsValidTimeText(QString::fromLatin1(bad))) << bad;
}

TEST(CheckDayVisitTimes, OutcomeCodes)
{
    const int nap = 120;
    const struct {
        const char* Pickup;
        const char* Dropoff;
        bool NoNap;
        DayVisitTimesCheck Outcome;
    } cases[] = {
        {"<None>", "<None>", false, DayVisitTimesCheck::Acceptable},
        {"09:00AM", "09:00AM", false, DayVisitTimesCheck::PickupNotBeforeDropoff},
        {"05:00PM", "09:00AM", true, DayVisitTimesCheck::PickupNotBeforeDropoff},
        {"<None>", "05:00PM", false, DayVisitTimesCheck::OnlyOneTimeGiven},
        {"09:00AM", "<None>", false, DayVisitTimesCheck::OnlyOneTimeGiven},
        {"01:00PM", "03:00PM", false, DayVisitTimesCheck::NotLongerThanNap},
        {"01:00PM", "03:00PM", true, DayVisitTimesCheck::Acceptable},
        {"01:00PM", "03:01PM", false, DayVisitTimesCheck::Acceptable},
        {"12:00PM", "12:30AM", false, DayVisitTimesCheck::PickupNotBeforeDropoff},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckDayVisitTimes(QString::fromLatin1(c.Pickup), QString::fromLatin1(c.Dropoff),
                                     c.NoNap, nap),
                  c.Outcome)
            << c.Pickup << " " << c.Dropoff;
}
