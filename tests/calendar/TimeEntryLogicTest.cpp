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

namespace {

// Presses keys on the clock: '>' Page Up, '<' Page Down, '+' Up, '-' Down, '|' a click on
// the minutes; any other character is typed. The last refusal is returned.
QString PressClockKeys(ClockState& clock, const char* keys)
{
    QString refusal;
    for (const char* k = keys; *k; ++k) {
        TypedKey typed;
        switch (*k) {
        case '>':
            typed = ClockKey(clock, Qt::Key_PageUp, QString());
            break;
        case '<':
            typed = ClockKey(clock, Qt::Key_PageDown, QString());
            break;
        case '+':
            typed = ClockKey(clock, Qt::Key_Up, QString());
            break;
        case '-':
            typed = ClockKey(clock, Qt::Key_Down, QString());
            break;
        case '|':
            ClockFocus(clock, ClockPart::Minute);
            typed.Taken = true;
            break;
        default:
            typed = ClockKey(clock, 0, QString(QLatin1Char(*k)));
            break;
        }
        EXPECT_TRUE(typed.Taken) << keys << " at " << *k;
        if (!typed.Refusal.isEmpty())
            refusal = typed.Refusal;
    }
    return refusal;
}

} // namespace

TEST(ClockLogic, TypedTimesAndQuarterHours)
{
    const QString hour =
        QStringLiteral("Invalid hour.  Must be a value from 0 to 12\n\rTyped as a 24-hour time "
                       "(such as 18:30), the hour is a value from 0 to 23.");
    const QString minute = QStringLiteral("Invalid Minute.  Must be a value from 0 to 59");
    const struct {
        const char* From;
        const char* Keys;
        const char* Result;
        const QString* Refusal;
    } cases[] = {
        {"<None>", "6", "06:00AM", nullptr},
        {"09:45PM", "6", "06:00PM", nullptr}, // a typed hour keeps AM/PM
        {"<None>", "630", "06:30AM", nullptr},
        {"<None>", "18:30", "06:30PM", nullptr},
        {"<None>", "1830", "06:30PM", nullptr},
        {"<None>", "6:30p", "06:30PM", nullptr},
        {"11:00PM", "930a", "09:30AM", nullptr},
        {"<None>", "1230p", "12:30PM", nullptr},
        {"<None>", "0", "00:00AM", nullptr},
        {"<None>", "230", "02:30AM", nullptr}, // not 23 and a stray 0
        {"<None>", "2300", "11:00PM", nullptr},
        {"<None>", "23", "11:00PM", nullptr},
        {"<None>", "93", "09:30AM", nullptr}, // on its way to 9:3x
        {"<None>", "6:3", "06:03AM", nullptr},
        {"<None>", "6307", "07:00AM", nullptr}, // a finished time; the next digit starts anew
        {"07:30PM", "|45", "07:45PM", nullptr}, // into the minutes only
        {"07:30PM", "|7", "07:07PM", nullptr},
        {"07:30PM", "24:", "02:40PM", &hour}, // 24 is no hour; "24" stays 2:40
        {"07:30PM", "77", "07:00PM", &hour},  // neither hour 77 nor 7:7x
        {"07:30PM", "6:75", "06:07PM", &minute},
        {"07:30PM", "|8", "07:08PM", nullptr},
        {"07:30PM", "|6x", "07:06PM", nullptr}, // unknown keys are left to the dialog
        {"06:50PM", ">", "07:00PM", nullptr},
        {"06:45PM", ">>", "07:15PM", nullptr},
        {"06:50PM", "<", "06:45PM", nullptr},
        {"11:50AM", ">", "12:00PM", nullptr},
        {"12:10AM", "<<", "12:00AM", nullptr}, // no wrap past midnight
        {"11:45PM", ">", "11:45PM", nullptr},
        {"<None>", ">", "00:00AM", nullptr},  // the first Page Up only shows the time
        {"07:30PM", "+", "08:30PM", nullptr}, // Up is the spinner's
        // A leading zero, four digits or a two-digit hour with a colon is a 24-hour time,
        // whatever the dial showed; a shorter hour keeps the AM/PM shown.
        {"09:45PM", "0030", "00:30AM", nullptr},
        {"09:45PM", "00:30", "00:30AM", nullptr},
        {"09:45PM", "0630", "06:30AM", nullptr},
        {"06:00AM", "12:30", "12:30PM", nullptr},
        {"06:00AM", "1230", "12:30PM", nullptr},
        {"09:45PM", "630", "06:30PM", nullptr},
        {"09:45PM", "6:30", "06:30PM", nullptr},
        {"06:00AM", "12", "12:00AM", nullptr},
        {"06:00AM", "1230a", "12:30AM", nullptr}, // a typed AM/PM has the last word
        {"06:00AM", "99", "09:00AM", &hour},
    };
    for (const auto& c : cases) {
        ClockState clock;
        ClockOpen(clock, QString::fromLatin1(c.From));
        QString keys = QString::fromLatin1(c.Keys);
        const bool stray = keys.endsWith(QLatin1Char('x'));
        if (stray)
            keys.chop(1);
        const QString refusal = PressClockKeys(clock, keys.toLatin1().constData());
        if (stray) {
            EXPECT_FALSE(ClockKey(clock, Qt::Key_X, QStringLiteral("x")).Taken);
        }
        EXPECT_EQ(ClockResult(clock), QString::fromLatin1(c.Result)) << c.From << " " << c.Keys;
        EXPECT_EQ(refusal, c.Refusal ? *c.Refusal : QString()) << c.From << " " << c.Keys;
    }
}
