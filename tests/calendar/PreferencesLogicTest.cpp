#include "calendar/PreferencesLogic.h"

#include "support/ScriptedServices.h"

using namespace custodex;
using namespace custodex::testing;

namespace {

TEST(DurationSpinners, NeverPastTheLimit)
{
    const struct {
        int Hours, Minutes, Limit;
        bool HoursSpinner, Up;
        int AfterHours, AfterMinutes;
    } cases[] = {
        {24, 0, 24, false, true, 24, 0},  // minutes stay at 00 at the limit
        {24, 0, 24, true, true, 0, 0},    // hours up from the limit wrap to 0
        {11, 30, 12, true, true, 11, 30}, // 12:30 would exceed 12:00
        {0, 30, 12, true, false, 0, 30},  // no wrap while minutes are set
        {0, 0, 12, true, false, 12, 0},
        {10, 59, 16, false, true, 10, 0}, // minutes wrap, never carry
        {10, 0, 16, false, false, 10, 59},
        {15, 0, 16, true, true, 16, 0},
    };
    for (const auto& c : cases) {
        Duration d{c.Hours, c.Minutes, c.Limit};
        if (c.HoursSpinner)
            SpinDurationHours(d, c.Up);
        else
            SpinDurationMinutes(d, c.Up);
        EXPECT_EQ(d.Hours, c.AfterHours) << c.Hours << ":" << c.Minutes;
        EXPECT_EQ(d.Minutes, c.AfterMinutes) << c.Hours << ":" << c.Minutes;
    }
    EXPECT_EQ((Duration{8, 5, 12}).Text(), QStringLiteral("08:05"));
}

TEST(DurationKeys, TypedDurationsStayWithinTheLimit)
{
    const struct {
        int Hours, Minutes, Limit;
        bool MinutesField;
        const char* Keys; // '>' Page Up, '<' Page Down, '+' Up, '-' Down; others are typed
        int AfterHours, AfterMinutes;
        const char* Refusal;
    } cases[] = {
        {8, 0, 24, false, "1030", 10, 30, ""},
        {8, 0, 24, false, "18:30", 18, 30, ""},
        {8, 0, 12, false, "830", 8, 30, ""},
        {8, 0, 12, false, "9", 9, 0, ""},
        {8, 0, 12, false, "12", 12, 0, ""},
        {8, 0, 12, false, "13", 1, 30, ""}, // on its way to 1:3x
        {8, 0, 12, false, "13:", 1, 30, "Invalid hour.  Must be a value from 0 to 12"},
        {8, 0, 16, false, "17:", 1, 0, "Invalid hour.  Must be a value from 0 to 16"},
        {8, 45, 24, false, "24", 24, 0, ""},
        {8, 0, 24, false, "24:3", 24, 0, "Invalid Minute.  Must be 00 when the hours are 24"},
        {24, 0, 24, true, "3", 24, 0, "Invalid Minute.  Must be 00 when the hours are 24"},
        {24, 0, 24, true, "00", 24, 0, ""},
        {8, 0, 12, true, "45", 8, 45, ""},
        {8, 0, 12, true, "7", 8, 7, ""},
        {8, 0, 12, false, "8:75", 8, 7, "Invalid Minute.  Must be a value from 0 to 59"},
        {23, 50, 24, false, ">", 24, 0, ""},
        {24, 0, 24, false, ">", 24, 0, ""},   // never past the limit
        {0, 10, 12, false, "<<", 0, 0, ""},   // nor below 00:00
        {11, 30, 12, false, "+", 11, 30, ""}, // Up keeps the spinner's rules
        {10, 59, 16, true, "+", 10, 0, ""},
    };
    for (const auto& c : cases) {
        Duration d{c.Hours, c.Minutes, c.Limit};
        DurationTyping typing{c.MinutesField, QString()};
        QString refusal;
        for (const char* k = c.Keys; *k; ++k) {
            const int key = *k == '>'   ? Qt::Key_PageUp
                            : *k == '<' ? Qt::Key_PageDown
                            : *k == '+' ? Qt::Key_Up
                            : *k == '-' ? Qt::Key_Down
                                        : 0;
            const TypedKey typed =
                DurationKey(d, typing, key, key ? QString() : QString(QLatin1Char(*k)));
            EXPECT_TRUE(typed.Taken) << c.Keys;
            if (!typed.Refusal.isEmpty())
                refusal = typed.Refusal;
        }
        EXPECT_EQ(d.Text(), (Duration{c.AfterHours, c.AfterMinutes, c.Limit}).Text()) << c.Keys;
        EXPECT_EQ(refusal, QString::fromLatin1(c.Refusal)) << c.Keys;
    }
    Duration d{8, 0, 12};
    DurationTyping typing;
    EXPECT_FALSE(DurationKey(d, typing, Qt::Key_P, QStringLiteral("p")).Taken);
}

const QString ShortOvernight = QStringLiteral(
    "Notice:  Assumed Overnight Stay Time is less than 12 hours.\n\rContinue with this value?");
const QString OvernightSleep =
    QStringLiteral("Error: Assumed Overnight Stay Time is less than or equal to\n\rAssumed "
                   "Overnight Sleep Time.  This error MUST be corrected!");
const QString ShortDayVisit = QStringLiteral(
    "Notice:  Assumed Day Visit Time is less than 2 Hours\n\rContinue with this value?");
const QString DayVisitNap =
    QStringLiteral("Error:  Assumed Day Visit Time is less than or equal to\n\rAssumed Day Visit "
                   "Nap Time.  This error MUST be corrected!");
const QString NoNonCustodial =
    QStringLiteral("Error!  A non-custodial parent name is a required entry.\n\rPlease try again.");

class Preferences : public ::testing::Test {
protected:
    Preferences()
    {
        BuildSpan(Doc, 0, 2024);
        Values = LoadPreferences(Doc);
    }
    PreferencesCheck Ok() { return ValidateAndStorePreferences(Values, Doc, Prompts); }
    CalendarDocument Doc;
    PreferencesValues Values;
    ScriptedPrompter Prompts;
};

TEST_F(Preferences, DefaultsStoreWithoutQuestions)
{
    Values.CustodialName = QStringLiteral("   Dad");
    Values.Author = QString(50, QLatin1Char('a'));
    ASSERT_TRUE(Ok().Stored);
    EXPECT_EQ(Doc.CustodialName, QStringLiteral("Dad"));
    EXPECT_EQ(Doc.Author.size(), 40);
    EXPECT_EQ(Doc.OvernightHours, QStringLiteral("24:00"));
    EXPECT_TRUE(Doc.ChangesPending);
}

TEST_F(Preferences, ShortOvernightAcceptedOrRefused)
{
    Values.Overnight = {10, 0, 24};
    Prompts.Expect(ShortOvernight, PromptAnswer::Yes);
    ASSERT_TRUE(Ok().Stored);
    EXPECT_EQ(Doc.OvernightHours, QStringLiteral("10:00"));
    EXPECT_EQ(Doc.OvernightMinutes, 600);

    Values.Overnight = {8, 0, 24};
    Prompts.Expect(ShortOvernight, PromptAnswer::Yes);
    Prompts.Expect(OvernightSleep);
    const PreferencesCheck check = Ok();
    EXPECT_FALSE(check.Stored);
    EXPECT_EQ(check.Focus, PreferencesFocus::OvernightHours);
    EXPECT_EQ(Doc.OvernightHours, QStringLiteral("10:00")); // nothing stored

    Prompts.Expect(ShortOvernight, PromptAnswer::No);
    EXPECT_FALSE(Ok().Stored);
}

TEST_F(Preferences, DayVisitNoticeThenNapError)
{
    Values.DayVisit = {1, 30, 16};
    Values.Nap = {2, 0, 12};
    Prompts.Expect(ShortDayVisit, PromptAnswer::Yes);
    Prompts.Expect(DayVisitNap);
    const PreferencesCheck check = Ok();
    EXPECT_FALSE(check.Stored);
    EXPECT_EQ(check.Focus, PreferencesFocus::DayVisitHours);
    EXPECT_FALSE(Doc.ChangesPending);
}

TEST_F(Preferences, EmptyTitleStillAsksAboutTheOvernightThenStops)
{
    Values.NonCustodialName = QStringLiteral("    ");
    Values.Overnight = {8, 0, 24};
    Values.DayVisit = {1, 0, 16};
    Prompts.Expect(NoNonCustodial);
    Prompts.Expect(ShortOvernight, PromptAnswer::Yes);
    EXPECT_FALSE(Ok().Stored); // no sleep, day-visit or nap checks after a failure

    Values.NonCustodialName = QStringLiteral("Mom");
    Values.CustodialName = QString();
    Prompts.Expect(QStringLiteral(
        "Error!  A custodial parent name is a required entry.\n\rPlease try again."));
    Prompts.Expect(ShortOvernight, PromptAnswer::No);
    EXPECT_FALSE(Ok().Stored);
}

TEST_F(Preferences, ColourDefaults)
{
    Values.BackgroundColour = 1;
    Values.OvernightColour = 2;
    Values.DayVisitColour = 3;
    RestoreColourDefaults(Values);
    RestoreColourDefaults(Values);
    EXPECT_EQ(Values.BackgroundColour, 16777215);
    EXPECT_EQ(Values.OvernightColour, 12632256);
    EXPECT_EQ(Values.DayVisitColour, 0);
}

} // namespace
