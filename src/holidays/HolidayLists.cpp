#include "holidays/HolidayLists.h"

namespace custodex {

namespace {

constexpr int Sunday = 0, Monday = 1, Wednesday = 3, Thursday = 4, Saturday = 6;
constexpr int January = 0, February = 1, March = 2, April = 3, May = 4, June = 5, July = 6,
              August = 7, September = 8, October = 9, November = 10, December = 11;

HolidayDefinition Row(const char* checkBox, const char* prefix, const char* caption,
                      const char* hint, HolidayRule rule, bool neverShown = false)
{
    return {QString::fromLatin1(checkBox),
            QString::fromLatin1(prefix),
            QString::fromLatin1(caption),
            QString::fromLatin1(hint),
            rule,
            neverShown,
            QString()};
}

HolidayRule Special(HolidayRule rule, HolidaySpecial special)
{
    rule.Special = special;
    return rule;
}

HolidayCountry MakeUnitedStates()
{
    HolidayCountry c;
    c.FormClass = QStringLiteral("TSRHolidays");
    c.DesignCaption = QStringLiteral("Add or Remove a United States Holiday");
    c.Rows = {
        Row("AprilFools", "AprilFools", "April Fools's Day", "April 1st", FixedRule(April, 1)),
        Row("ArmedForcesDay", "ArmedForces", "Armed Forces Day", "3rd Saturday in May",
            NthRule(3, Saturday, May)),
        Row("ChristmasDay", "Christmas", "Christmas Day", "December 25th", FixedRule(December, 25)),
        Row("ColumbusDay", "Columbus", "Columbus Day", "2nd Monday of October",
            NthRule(2, Monday, October)),
        Row("ColumbusDayTraditional", "ColumbusTrad", "Columbus Day (Traditional)", "October 12th",
            FixedRule(October, 12)),
        Row("Easter", "Easter", "Easter Sunday", "Table lookup from 1999 to 2050", EasterRule()),
        Row("FathersDay", "Father", "Father's Day", "3rd Sunday in June", NthRule(3, Sunday, June)),
        Row("FlagDay", "Flag", "Flag Day", "June 14th", FixedRule(June, 14)),
        Row("GroundhogDay", "Ground", "Groundhog Day", "February 2nd", FixedRule(February, 2)),
        Row("Halloween", "Halloween", "Halloween", "October 31st", FixedRule(October, 31)),
        Row("IndependenceDay", "Independence", "Independence Day", "July 4th", FixedRule(July, 4)),
        Row("LaborDay", "Labor", "Labor Day", "First Monday of September",
            NthRule(1, Monday, September)),
        Row("LincolnsBirthday", "Lincoln", "Lincoln's Birthday", "February 12th",
            FixedRule(February, 12)),
        Row("MartinKings", "Martin", "Martin Luther King Jr.'s Birthday", "3rd Monday of January",
            NthRule(3, Monday, January)),
        Row("MemorialDay", "Memorial", "Memorial Day", "Last Monday of May", LastRule(Monday, May)),
        Row("MothersDay", "Mother", "Mother's Day", "2nd Sunday of May", NthRule(2, Sunday, May)),
        Row("NewYearsDay", "NewYear", "New Year's Day", "January 1st", FixedRule(January, 1)),
        Row("ParentsDay", "Parent", "Parents' Day", "4th Sunday of July", NthRule(4, Sunday, July)),
        Row("PresidentsDay", "Washington", "President's Day (Washington's Birthday)",
            "3rd Monday of February", NthRule(3, Monday, February)),
        Row("StPatricksDay", "Patrick", "St Patrick's Day", "March 17th", FixedRule(March, 17)),
        Row("ThanksgivingDay", "Thanksgiving", "Thanksgiving Day", "4th Thursday of November",
            NthRule(4, Thursday, November)),
        Row("UnitedNationsDay", "United", "United Nations Day", "October 24th",
            FixedRule(October, 24)),
        Row("ValentinesDay", "Valen", "Valentine's Day", "February 14th", FixedRule(February, 14)),
        Row("VeteransDay", "Veterans", "Veterans Day", "November 11th", FixedRule(November, 11)),
    };
    c.TestOrder = {1,  2,  3,  23, 4,  5,  6,  7,  8,  9,  10, 11,
                   12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 24};
    c.ApplyOrder = {1,  3, 23, 5, 8,  9,  10, 11, 24, 22, 13, 20,
                    17, 2, 4,  7, 12, 14, 21, 16, 19, 18, 15, 6};
    return c;
}

HolidayCountry MakeCanadian()
{
    const HolidayRule firstAugustMonday = NthRule(1, Monday, August);
    HolidayCountry c;
    c.FormClass = QStringLiteral("TCanadianHolidays");
    c.DesignCaption = QStringLiteral("Add or Remove Canadian Holidays");
    c.Rows = {
        Row("BoxingDay", "Boxing", "Boxing Day (Ca.)", "December 26th", FixedRule(December, 26)),
        Row("CanadaDay", "CanadaDay", "Canada Day (Ca.)", "July 1st", FixedRule(July, 1)),
        Row("ChristmasDay", "Christmas", "Christmas Day (Ca.)", "December 25th",
            FixedRule(December, 25)),
        Row("CommonWealthDay", "Commonwealth", "Commonwealth Day (Ca.)", "2nd Monday in March",
            NthRule(2, Monday, March)),
        Row("EasterMonday", "EasterMonday", "Easter Monday (Ca.)",
            "Table lookup (1998 to 2050) Day Following Easter", EasterRule()),
        Row("GoodFriday", "GoodFriday", "Good Friday (Ca.)",
            "Table Lookup (1998 to 2050) Friday preceeding Easter", EasterRule()),
        Row("LaborDay", "Labor", "Labor Day (Ca.)", "1st Monday of September",
            NthRule(1, Monday, September)),
        Row("NewYearsDay", "NewYear", "New Year's Day (Ca.)", "January 1st", FixedRule(January, 1)),
        Row("RemembranceDay", "Remembrance", "Remembrance Day (Ca.)", "November 11th",
            FixedRule(November, 11)),
        Row("ThanksgivingDay", "Thanksgiving", "Thanksgiving Day (Ca.)", "2nd Monday of October",
            NthRule(2, Monday, October)),
        Row("ValentinesDay", "Valen", "Valentine's Day", "February 14th", FixedRule(February, 14)),
        Row("VictoriaDay", "Victoria", "Victoria Day (Ca.)", "First Monday preceeding May 25th",
            VictoriaRule()),
        Row("FamilyDay", "FamilyDay", "Alberta Family Day (Ca./Alberta)", "3rd Monday of February",
            NthRule(3, Monday, February)),
        Row("HeritageDay", "HeritageDay", "Heritage Day (Ca./Alberta)", "1st Monday of August",
            firstAugustMonday),
        Row("BCDay", "BCDay", "British Columbia Day (Ca./B.C.)", "1st Monday of August",
            firstAugustMonday),
        Row("CivicHoliday", "CivicHoliday", "Civic Holiday (Ca./Manitoba)", "1st Monday of August",
            firstAugustMonday),
        Row("NBDay", "NBDay", "New Brunswick Day (Ca./N.B.)", "1st Monday of August",
            firstAugustMonday),
        Row("StPatrick", "StPatrick", "St. Patrick's Day (Ca./New)", "March 17th",
            FixedRule(March, 17)),
        Row("Civic", "Civic", "Civic Holiday (Ca./NW)", "1st Monday of August", firstAugustMonday),
        Row("Natal", "Natal", "Natal Day (Ca./NS)", "1st Monday of August", firstAugustMonday),
        Row("CivicOntario", "CivicOntario", "Civic Holiday (Ca./Ontario)", "1st Monday of August",
            firstAugustMonday),
        Row("NatalPrince", "NatalPrince", "Natal Day (Ca./ Prince Edward)",
            "Usually First Monday of August", firstAugustMonday),
        Row("NationalDay", "NationalDay", "National Day (Ca./Quebec)", "June 24th",
            FixedRule(June, 24)),
        Row("CivicSaskatchewan", "CivicSaskatchewan", "Civic Holiday (Ca./Sas)",
            "1st Monday of August", firstAugustMonday),
        Row("DiscoveryYukon", "DiscoveryYukon", "Discovery Day (Ca./Yukon)", "3rd Monday of August",
            NthRule(3, Monday, August)),
        Row("StGeorge", "StGeorge", "St. George's Day (Ca./New)", "Nearest Monday to April 23rd",
            FixedRule(April, 23), true),
        Row("Discovery", "Discovery", "Discovery Day (Ca./New)", "Nearest Monday to June 24th",
            FixedRule(June, 24), true),
        Row("Memorial", "Memorial", "Memorial Day (Ca./New)", "Nearest Monday to July 1st",
            FixedRule(July, 1), true),
        Row("Orangemen", "Orangemen", "Orangemen's Day (Ca./New)", "Nearest Monday to July 12th",
            FixedRule(July, 12), true),
        Row("Regatta", "Regatta", "Regatta Day (Ca./New)", "Fixed by municipal council order",
            NthRule(1, Wednesday, August), true),
    };
    c.TestOrder = {1,  2,  3,  11, 4,  5,  6,  7,  8,  9,  10, 12, 13, 14, 15,
                   16, 17, 18, 26, 27, 28, 29, 30, 19, 20, 21, 22, 23, 24, 25};
    c.ApplyOrder = {8, 12, 9,  3,  11, 1,  2,  23, 18, 26, 27, 28, 29, 7, 10,
                    4, 21, 20, 17, 16, 15, 22, 24, 13, 14, 19, 25, 30, 6, 5};
    return c;
}

HolidayCountry MakeUnitedKingdom()
{
    HolidayCountry c;
    c.FormClass = QStringLiteral("TUnitedKingdom");
    c.DesignCaption = QStringLiteral("Add or Remove United Kingdom Holidays");
    c.Rows = {
        Row("AprilFools", "AprilFools", "April Fool's Day (UK)", "April 1st", FixedRule(April, 1)),
        Row("BoxingDay", "Boxing", "Boxing Day (UK)",
            "December 26th (St. Stephen's Day for Roman Catholics)", FixedRule(December, 26)),
        Row("ChristmasDay", "Christmas", "Christmas Day (UK)", "December 25th",
            FixedRule(December, 25)),
        Row("CommonWealthDay", "Commonwealth", "Commonwealth Day (UK)", "2nd Monday in March",
            NthRule(2, Monday, March)),
        Row("EasterMonday", "EasterMonday", "Easter Monday (UK)",
            "From lookup table (day following Easter))", EasterRule()),
        Row("EasterSunday", "EasterSunday", "Easter Sunday (UK)", "From lookup table",
            EasterRule()),
        Row("FathersDay", "FathersDay", "Fathers' Day (UK)", "3rd Sunday in June",
            NthRule(3, Sunday, June)),
        Row("GoodFriday", "GoodFriday", "Good Friday (UK)",
            "From lookup table (Friday prior to Easter Sunday)", EasterRule()),
        Row("GuyFawkes", "GuyFawkes", "Guy Fawkes' Day (UK)", "November 5th",
            FixedRule(November, 5)),
        Row("Halloween", "Halloween", "Halloween (UK)", "October 31st", FixedRule(October, 31)),
        Row("Mayday2", "Mayday2", "Last May Monday Bank Holiday (UK)",
            "June 4th in 2002 only (because of Queen Elizabeth II's Golden Jubilee) otherwise, "
            "last Monday in May",
            Special(LastRule(Monday, May), HolidaySpecial::LateMayBankHoliday)),
        Row("Mayday1", "Mayday1", "May Day Bank Holiday (UK)", "First Monday in May",
            NthRule(1, Monday, May)),
        Row("MotheringSunday", "MotheringSunday", "Mothering Sunday (UK)",
            "From lookup table (three Sundays before Easter)", EasterRule()),
        Row("NewYearsDay", "NewYear", "New Year's Day (UK)", "January 1st (* ! * ! *)",
            FixedRule(January, 1)),
        Row("RemembranceDay", "Remembrance", "Remembrance Day (UK)",
            "November 11th (2 minutes of silence at 11 a.m.)", FixedRule(November, 11)),
        Row("StAndrews", "StAndrews", "St. Andrew's Day (UK)",
            "November 30th (Patron Saint of Scotland)", FixedRule(November, 30)),
        Row("StDavids", "StDavids", "St. David's Day (UK)", "March 1st (Patron Saint of Wales)",
            FixedRule(March, 1)),
        Row("StGeorges", "StGeorges", "St. George's Day (UK)",
            "April 23rd (Patron Saint of England)", FixedRule(April, 23)),
        Row("AugustBank", "AugustBank", "Summer Bank Holiday (UK)",
            "Last Monday in August (EXCLUDES SCOTLAND)", LastRule(Monday, August)),
        Row("Valentines", "Valentines", "Valentine's Day (UK)", "February 14th",
            FixedRule(February, 14)),
        Row("Genocide", "Genocide", "WWII Genocide Memorial Day (UK)", "January 27th",
            FixedRule(January, 27)),
        Row("Elizabeth", "Elizabeth", "Queen Elizabeth II's Golden Jubilee",
            "June 3rd, Year 2002 only (Marks 50th year of accession to the throne)",
            Special(FixedRule(June, 3), HolidaySpecial::GoldenJubilee)),
        Row("StPatrick", "StPatrick", "St. Patrick's Day (UK/Ire)", "March 17th in Ireland Only",
            FixedRule(March, 17)),
        Row("BoyneDay", "BoyneDay", "Boyne Day (UK/Ire)", "July 12th in Northern Ireland Only",
            FixedRule(July, 12)),
        Row("JanBnkScotland", "JanBnkScotland", "January Bank Holiday (UK/Sc)",
            "January 2nd in Scotland Only", FixedRule(January, 2)),
        Row("SummerBankScotland", "SummerBankScotland", "Summer Bank Holiday (UK/Sc)",
            "1st Monday in August (Scotland Only)", NthRule(1, Monday, August)),
    };
    // These two spell their no-nap boxes with a capital D.
    c.Rows[10].NoNapName = QStringLiteral("MayDay2NoNap");
    c.Rows[11].NoNapName = QStringLiteral("MayDay1NoNap");
    for (int n = 1; n <= 26; ++n)
        c.TestOrder.push_back(n);
    c.ApplyOrder = {1,  14, 15, 16, 17, 18, 20, 21, 3,  2, 9, 10, 22,
                    23, 24, 25, 4,  12, 7,  11, 19, 26, 8, 6, 5,  13};
    return c;
}

} // namespace

const HolidayCountry& UnitedStatesHolidays()
{
    static const HolidayCountry country = MakeUnitedStates();
    return country;
}

const HolidayCountry& CanadianHolidays()
{
    static const HolidayCountry country = MakeCanadian();
    return country;
}

const HolidayCountry& UnitedKingdomHolidays()
{
    static const HolidayCountry country = MakeUnitedKingdom();
    return country;
}

} // namespace custodex
