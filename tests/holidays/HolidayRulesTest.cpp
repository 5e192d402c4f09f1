#include "holidays/HolidayRules.h"

#include "holidays/HolidayTestSupport.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

constexpr int Sunday = 0, Monday = 1, Thursday = 4, Saturday = 6;
constexpr int January = 0, February = 1, May = 4, June = 5, July = 6, August = 7, October = 9,
              November = 10, December = 11;

// Anonymous Gregorian computus, written apart from the generator that made the tables.
QDate GregorianEaster(int year)
{
    const int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31, day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

TEST(EasterTables, EveryYearMatchesAnIndependentComputus)
{
    const std::pair<EasterVariant, int> offsets[] = {{EasterVariant::EasterSunday, 0},
                                                     {EasterVariant::GoodFriday, -2},
                                                     {EasterVariant::EasterMonday, 1},
                                                     {EasterVariant::MotheringSunday, -21}};
    for (int year = EasterFirstYear; year <= EasterLastYear; ++year) {
        for (const auto& [variant, offset] : offsets) {
            const QDate expected = GregorianEaster(year).addDays(offset);
            const auto entry = EasterTableDate(variant, year);
            ASSERT_TRUE(entry.has_value()) << year;
            EXPECT_EQ(entry->DayOfMonth, expected.day()) << year << " offset " << offset;
            EXPECT_EQ(entry->MonthIndex + 1, expected.month()) << year << " offset " << offset;
        }
    }
}

TEST(EasterTables, TellingRowsAndLimits)
{
    const struct {
        EasterVariant Variant;
        int Year, Day, MonthIndex;
    } rows[] = {
        {EasterVariant::EasterSunday, 2000, 23, 3}, {EasterVariant::MotheringSunday, 2000, 2, 3},
        {EasterVariant::EasterSunday, 2008, 23, 2}, {EasterVariant::GoodFriday, 2008, 21, 2},
        {EasterVariant::EasterSunday, 2051, 2, 3},  {EasterVariant::GoodFriday, 2051, 31, 2},
        {EasterVariant::EasterSunday, 2018, 1, 3}};
    for (const auto& row : rows) {
        const auto entry = EasterTableDate(row.Variant, row.Year);
        ASSERT_TRUE(entry.has_value()) << row.Year;
        EXPECT_EQ(entry->DayOfMonth, row.Day) << row.Year;
        EXPECT_EQ(entry->MonthIndex, row.MonthIndex) << row.Year;
    }
    for (int year : {1997, 2052, 0, 2999})
        EXPECT_FALSE(EasterTableDate(EasterVariant::EasterSunday, year).has_value()) << year;
}

TEST(EasterTables, VariantFromCaption)
{
    const std::pair<const char*, std::optional<EasterVariant>> cases[] = {
        {"Easter Sunday", EasterVariant::EasterSunday},
        {"Easter Sunday (UK)", EasterVariant::EasterSunday},
        {"Easter Monday (Ca.)", EasterVariant::EasterMonday},
        {"Good Friday (UK)", EasterVariant::GoodFriday},
        {"Mothering Sunday (UK)", EasterVariant::MotheringSunday},
        {"Christmas Day", std::nullopt}};
    for (const auto& [caption, variant] : cases)
        EXPECT_EQ(EasterVariantOfCaption(QString::fromLatin1(caption)), variant) << caption;
}

TEST(SelectedYearTest, YearOfMonthFollowsTheHalf)
{
    const CalendarDocument doc = SpanFrom(June, 2005);
    const SelectedYear first = SelectYear(doc, false);
    const SelectedYear second = SelectYear(doc, true);
    EXPECT_EQ(DateOf(doc, first.First), QStringLiteral("2005-06-01"));
    EXPECT_EQ(DateOf(doc, first.End - 1), QStringLiteral("2006-05-31"));
    EXPECT_EQ(DateOf(doc, second.First), QStringLiteral("2006-06-01"));
    EXPECT_EQ(second.End, static_cast<int>(doc.Days.size()));
    EXPECT_EQ(YearOfMonth(doc, first, 3), 2006);
    EXPECT_EQ(YearOfMonth(doc, first, 2), 2006);
    EXPECT_EQ(YearOfMonth(doc, second, 3), 2007);
    EXPECT_EQ(YearOfMonth(doc, first, June), 2005);
    EXPECT_EQ(YearOfMonth(doc, second, June), 2006);
}

TEST(HolidayRulesTest, RulesFindTheirDayInTheSelectedYear)
{
    const struct {
        const char* What;
        int StartMonth, StartYear;
        bool Second;
        HolidayRule Rule;
        const char* Expected;
    } cases[] = {
        {"New Year, second half of a June start", June, 2005, true, FixedRule(January, 1),
         "2007-01-01"},
        {"Independence Day on a Saturday stays there", January, 2009, false, FixedRule(July, 4),
         "2009-07-04"},
        {"Christmas in a year starting in December", December, 2009, false, FixedRule(December, 25),
         "2009-12-25"},
        {"Memorial Day on the last day of the range", June, 2009, false, LastRule(Monday, May),
         "2010-05-31"},
        {"Summer bank holiday on the last day of the range", 8, 2008, false,
         LastRule(Monday, August), "2009-08-31"},
        {"last Monday of a month that ends on another weekday", January, 2003, false,
         LastRule(Monday, May), "2003-05-26"},
        {"Victoria Day when May 25 is a Monday", January, 2009, false, VictoriaRule(),
         "2009-05-18"},
        {"Victoria Day on May 24 itself", January, 2010, false, VictoriaRule(), "2010-05-24"},
        {"Victoria Day in a July start", July, 2009, false, VictoriaRule(), "2010-05-24"},
        {"Columbus Day 2009", January, 2009, false, NthRule(2, Monday, October), "2009-10-12"},
        {"Thanksgiving with a fifth Thursday", January, 2012, false, NthRule(4, Thursday, November),
         "2012-11-22"},
        {"first Monday of August 2009", January, 2009, false, NthRule(1, Monday, August),
         "2009-08-03"},
        {"nth weekday of the start month", February, 2009, false, NthRule(3, Monday, February),
         "2009-02-16"},
        {"Armed Forces Day", January, 2009, false, NthRule(3, Saturday, May), "2009-05-16"},
        {"Mother's Day from the second half", August, 2008, true, NthRule(2, Sunday, May),
         "2010-05-09"},
    };
    for (const auto& c : cases) {
        const CalendarDocument doc = SpanFrom(c.StartMonth, c.StartYear);
        const SelectedYear year = SelectYear(doc, c.Second);
        const int found = FindRuleDay(doc, year, c.Rule);
        EXPECT_EQ(DateOf(doc, found), QString::fromLatin1(c.Expected)) << c.What;
        EXPECT_TRUE(found >= year.First && found < year.End) << c.What;
    }
}

TEST(HolidayRulesTest, SpecialYear2002)
{
    HolidayRule lateMay = LastRule(Monday, May);
    lateMay.Special = HolidaySpecial::LateMayBankHoliday;
    HolidayRule jubilee = FixedRule(June, 3);
    jubilee.Special = HolidaySpecial::GoldenJubilee;
    const struct {
        int StartMonth, StartYear;
        bool Second;
        const char* LateMay;
        const char* Jubilee;
    } cases[] = {
        {January, 2002, false, "2002-06-04", "2002-06-03"},
        {January, 2002, true, "2003-05-26", "none"},
        {June, 2002, false, "2003-05-26", "2002-06-03"},
        {June, 2001, true, "2003-05-26", "2002-06-03"},
        // May is in 2002 but June in 2001: June 4, 2002 lies after this year, and June 4, 2001
        // was no holiday.
        {June, 2001, false, "none", "none"},
        {January, 2001, false, "2001-05-28", "none"},
    };
    for (const auto& c : cases) {
        const CalendarDocument doc = SpanFrom(c.StartMonth, c.StartYear);
        const SelectedYear year = SelectYear(doc, c.Second);
        EXPECT_EQ(DateOf(doc, FindRuleDay(doc, year, lateMay)), QString::fromLatin1(c.LateMay))
            << c.StartMonth << "/" << c.StartYear << " second " << c.Second;
        EXPECT_EQ(DateOf(doc, FindRuleDay(doc, year, jubilee)), QString::fromLatin1(c.Jubilee))
            << c.StartMonth << "/" << c.StartYear << " second " << c.Second;
    }
}

TEST(HolidayRulesTest, WalksStopAtTheEndOfTheDayList)
{
    CalendarDocument doc = SpanFrom(January, 2009);
    doc.Days.resize(100); // ends in April, before every later rule day
    const SelectedYear year = SelectYear(doc, false);
    EXPECT_EQ(year.End, 100);
    EXPECT_EQ(FindFixedDay(doc, year, 25, December), -1);
    EXPECT_EQ(FindNthWeekday(doc, year, 1, Monday, August), -1);
    EXPECT_EQ(FindLastWeekday(doc, year, Monday, May), -1);
    EXPECT_EQ(FindVictoriaDay(doc, year), -1);
    EXPECT_EQ(SelectYear(doc, true).First, 100);
    EXPECT_EQ(FindFixedDay(doc, SelectYear(doc, true), 1, January), -1);
}

} // namespace
