#include "calendar/TimeEntryLogic.h"

#include <gtest/gtest.h>

using namespace custodex;

TEST(ClockLogic, NoTimeStateAndSpinnerWithoutWrap)
{
    ClockState clock;
    ClockOpen(clock, QStringLiteral("<None>"));
    EXPECT_TRUE(clock.NoTime);
    EXPECT_EQ(ClockResult(clock), QStringLiteral("<None>"));
    ClockSpin(clock, true); // only brings the time back
    EXPECT_FALSE(clock.NoTime);
    EXPECT_EQ(ClockResult(clock), QStringLiteral("00:00AM"));

    ClockOpen(clock, QStringLiteral("12:30PM"));
    EXPECT_EQ(clock.Hour, QStringLiteral("12"));
    EXPECT_EQ(clock.Minute, QStringLiteral("30"));
    EXPECT_EQ(clock.AmPm, QStringLiteral("PM"));
    EXPECT_EQ(clock.Active, ClockPart::Hour);
    EXPECT_EQ(clock.SpinMaximum, 12);
    ClockSpin(clock, true);
    EXPECT_EQ(clock.Hour, QStringLiteral("12")); // no wrap at the top
    ClockFocus(clock, ClockPart::Minute);
    EXPECT_EQ(clock.SpinPosition, 30);
    for (int i = 0; i < 40; ++i)
        ClockSpin(clock, true);
    EXPECT_EQ(clock.Minute, QStringLiteral("59"));
    ClockFocus(clock, ClockPart::AmPm);
    EXPECT_EQ(clock.SpinMaximum, 10000);
    EXPECT_EQ(clock.SpinPosition, 5000);
    ClockSpin(clock, false);
    EXPECT_EQ(clock.AmPm, QStringLiteral("AM"));
    ClockSpin(clock, true);
    EXPECT_EQ(clock.AmPm, QStringLiteral("PM"));
    ClockFocus(clock, ClockPart::Hour);
    for (int i = 0; i < 15; ++i)
        ClockSpin(clock, false);
    EXPECT_EQ(clock.Hour, QStringLiteral("00")); // no wrap at the bottom
    ClockSpin(clock, true);
    EXPECT_EQ(ClockResult(clock), QStringLiteral("01:59PM"));

    ClockSetNone(clock);
    EXPECT_EQ(ClockResult(clock), QStringLiteral("<None>"));
    ClockShowTime(clock);
    EXPECT_EQ(ClockResult(clock), QStringLiteral("01:59PM")); // fields keep their values
}

TEST(ClockLogic, FieldChecks)
{
    const struct {
        ClockFieldCheck (*Check)(const QString&);
        const char* Text;
        const char* Message;
        const char* After;
    } cases[] = {
        {CheckClockHour, "7", "", "07"},
        {CheckClockHour, "x", "Invalid hour.  Please try again.", "x"},
        {CheckClockHour, "123", "Too many characters in the hours field.\n\rPlease try again.",
         "00"},
        {CheckClockHour, "13", "Invalid hour.  Must be a value from 0 to 12", "13"},
        {CheckClockMinute, "5", "", "05"},
        {CheckClockMinute, "ab", "Invalid minute.  Please try again.", "ab"},
        {CheckClockMinute, "100", "Too many characters in the minutes field.\n\rPlease try again.",
         "00"},
        {CheckClockMinute, "60", "Invalid Minute.  Must be a value from 0 to 59", "60"},
        {CheckClockAmPm, "pm", "", "PM"},
        {CheckClockAmPm, "XM", "Illegal AM/PM string.  Must be either AM or PM", "AM"},
    };
    for (const auto& c : cases) {
        const ClockFieldCheck check = c.Check(QString::fromLatin1(c.Text));
        EXPECT_EQ(check.Message, QString::fromLatin1(c.Message)) << c.Text;
        EXPECT_EQ(check.Text, QString::fromLatin1(c.After)) << c.Text;
    }
}
