#include "reports/QualityTime.h"

#include "reports/CareTime.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace custodex;

namespace {

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

// The worked example: two years of 730 days, 104 overnights of 15 hours, no day visits,
// 8 hours of sleep and a one-hour nap.
QualityInputs WorkedExample()
{
    QualityInputs in;
    in.Days = 730;
    in.Sleep = 480;
    in.Nap = 60;
    in.Overnights = 104;
    in.OvernightMinutes = 104 * 900;
    return in;
}

struct QualityCase {
    const char* Label;
    int NoNapOvernights;
    std::vector<AwayActivity> Activities;
    // Expected texts by field name.
    std::vector<std::pair<const char*, const char*>> Texts;
};

TEST(CheckAwayTimes, WorkedExamplesGiveTheSummaryTexts)
{
    const std::vector<QualityCase> cases{
        {"no activities, no no-nap days",
         0,
         {},
         {{"TotalOvrNiteStays", "104"},
          {"TotalOvrNiteTime", "1560 Hrs 0 Mins"},
          {"TotalOvrNiteSleep", "936 Hrs 0 Mins"}, // 540 x 104 = 56160
          {"TotalDayVisits", "0"},
          {"TotalDayVisitTime", "0 Hrs  0 Mins"},
          {"NonCustTotalTime", "1560 Hrs  0 Mins"},
          {"TotalDayVisitSleep", "0 Hrs 0 Mins"},
          {"SubTotalQualityTime", "624 Hrs 0 Mins"}, // 37440
          {"NonCustAway", "0 Hrs 0 Mins"},
          {"NonCustTotQual", "624 Hrs 0 Mins"},
          {"NonCustQualTime", "03.6%"},             // 356 hundredths
          {"CustSubTotalTime", "15960 Hrs 0 Mins"}, // 957600
          {"CustTotSleep", "5634 Hrs 0 Mins"},      // 338040
          {"CustSubTotal", "10326 Hrs 0 Mins"},     // 619560
          {"CustAway", "0 Hrs 0 Mins"},
          {"CusttotQual", "10326 Hrs 0 Mins"},
          {"CustQualTime", "58.9%"}}}, // 5893 hundredths
        {"two overnights without a nap: 120 minutes less sleep, the custodial side unchanged",
         2,
         {},
         {{"TotalOvrNiteSleep", "934 Hrs 0 Mins"},
          {"SubTotalQualityTime", "626 Hrs 0 Mins"},
          {"NonCustTotQual", "626 Hrs 0 Mins"},
          {"CustTotSleep", "5634 Hrs 0 Mins"},
          {"CusttotQual", "10326 Hrs 0 Mins"}}},
        {"school on custodial and non-custodial days, a nap added to one activity",
         0,
         {{T("School"), T("06:30"), T("180"), T("150"), T("30"), T("No")},
          {T("Swim"), T("01:15"), T("20"), T("10"), T("10"), T("Yes")}},
         {{"CustAway", "997 Hrs 30 Mins"},    // 150 x 390 + 10 x 135
          {"NonCustAway", "217 Hrs 30 Mins"}, // 30 x 390 + 10 x 135
          {"CusttotQual", "9328 Hrs 30 Mins"},
          {"NonCustTotQual", "406 Hrs 30 Mins"},
          {"NonCustQualTime", "02.3%"}}},
    };
    for (const QualityCase& c : cases) {
        SCOPED_TRACE(c.Label);
        QualityInputs in = WorkedExample();
        in.NoNapOvernights = c.NoNapOvernights;
        const QualityCheck check = CheckAwayTimes(in, c.Activities);
        EXPECT_TRUE(check.Errors.isEmpty()) << check.Errors.join(T("|")).toStdString();
        for (const auto& [field, text] : c.Texts)
            EXPECT_EQ(QualityText(check.Results, T(field)), T(text)) << field;
    }
}

TEST(CheckAwayTimes, ActivityDayErrorsInRowOrderThenTotals)
{
    // Ten days, seven overnights: three custodial days and seven non-custodial ones.
    QualityInputs in;
    in.Days = 10;
    in.Overnights = 7;
    in.OvernightMinutes = 7 * 600;
    in.Sleep = 480;
    const QString custodial = T("Error - Activity Camp custodial days exceeds \n\rTotal Custodial "
                                "Days.  This error must be corrected.");
    const QString nonCustodial = T("Error - Activity Ski non-custodial days exceeds \n\rTotal "
                                   "Non-Custodial Days.  This error must be corrected.");
    const QString custodialTotal =
        T("Error - The total number of custodial activity days exceeds \n\rthe Total of "
          "Custodial Days.  This error must be corrected.");
    const QString nonCustodialTotal =
        T("Error - The total number of non-custodial activity days exceeds \n\rthe Total of "
          "Non-Custodial Days.  This error must be corrected.");
    struct Case {
        const char* Label;
        std::vector<AwayActivity> Activities;
        QStringList Errors;
    };
    const std::vector<Case> cases{
        {"5 custodial days of 3",
         {{T("Camp"), T("02:00"), T("5"), T("5"), T("0"), T("No")}},
         {custodial, custodialTotal}},
        {"each row within its limit, together over both",
         {{T("A"), T("02:00"), T("6"), T("2"), T("4"), T("No")},
          {T("B"), T("02:00"), T("6"), T("2"), T("4"), T("No")}},
         {custodialTotal, nonCustodialTotal}},
        {"rows in order, totals last",
         {{T("Ski"), T("02:00"), T("8"), T("0"), T("8"), T("No")},
          {T("Camp"), T("02:00"), T("4"), T("4"), T("0"), T("No")}},
         {nonCustodial, custodial, custodialTotal, nonCustodialTotal}},
        {"non-custodial days equal to the overnights and day visits: accepted",
         {{T("Ski"), T("02:00"), T("10"), T("3"), T("7"), T("No")}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Label);
        EXPECT_EQ(CheckAwayTimes(in, c.Activities).Errors, c.Errors);
    }
}

TEST(CheckAwayTimes, AwayTimeBeyondTheWakingHoursIsAnErrorNotANegativeFigure)
{
    // Seven whole-day stays leave three custodial days of 15 waking hours; 16 hours away on
    // each of them.
    QualityInputs in;
    in.Days = 10;
    in.Overnights = 7;
    in.OvernightMinutes = 7 * 1440;
    in.Sleep = 540;
    const QualityCheck check =
        CheckAwayTimes(in, {{T("Work"), T("16:00"), T("3"), T("3"), T("0"), T("No")}});
    EXPECT_EQ(check.Errors,
              QStringList{T("Error - The custodial away times exceed the custodial\n\rQuality "
                            "Time Hours (Sub-Total).  This error must be corrected.")});
}

TEST(AwayActivities, StoredEntriesReadBackAndWriteAgain)
{
    struct Case {
        const char* Entry;
        AwayActivity Read;
        const char* Written; // what the list stores again
    };
    const std::vector<Case> cases{
        {"School,06:30,180,120,60,True",
         {T("School"), T("06:30"), T("180"), T("120"), T("60"), T("Yes")},
         "School,06:30,180,120,60,True"},
        {",01:00,1,1,0,False",
         {T(""), T("01:00"), T("1"), T("1"), T("0"), T("No")},
         ",01:00,1,1,0,False"},
        // The sixth field is the rest of the line.
        {"Day care,08:00,50,25,25,xTruex,more",
         {T("Day care"), T("08:00"), T("50"), T("25"), T("25"), T("Yes")},
         "Day care,08:00,50,25,25,True"},
        {"Short,01:00,5",
         {T("Short"), T("01:00"), T("5"), T(""), T(""), T("")},
         "Short,01:00,5,,,"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Entry);
        const AwayActivity read = ReadAwayActivity(T(c.Entry));
        EXPECT_EQ(read, c.Read);
        EXPECT_EQ(AwayActivityEntry(read), T(c.Written));
    }
}

// Hand-edited "EXCLUSION=" lines: each is reported for correction and counts for nothing, so no
// figure is built from it.
TEST(AwayActivities, MalformedEntriesAreReportedAndNeverCounted)
{
    struct Case {
        const char* Entry;
        const char* Problem;
    };
    const std::vector<Case> cases{
        {"Swim", "missing fields"},
        {"Swim,01:00,5,5,0", "missing fields"},
        {"Swim,01:00,5,5,0,", "missing fields"},
        {"Swim,1:00,5,5,0,True", "a daily time that is not between 00:01 and 24:00"},
        {"Swim,00:00,5,5,0,True", "a daily time that is not between 00:01 and 24:00"},
        {"Swim,24:30,5,5,0,True", "a daily time that is not between 00:01 and 24:00"},
        {"Swim,01:75,5,5,0,True", "a daily time that is not between 00:01 and 24:00"},
        {"Swim,ab:cd,5,5,0,True", "a daily time that is not between 00:01 and 24:00"},
        {"Swim,01:00,five,5,0,True", "a total number of days that is not between 1 and 365"},
        {"Swim,01:00,400,400,0,True", "a total number of days that is not between 1 and 365"},
        {"Swim,01:00,0,0,0,True", "a total number of days that is not between 1 and 365"},
        {"Swim,01:00,5,-1,6,True", "a number of custodial days that is not between 0 and 365"},
        {"Swim,01:00,5, 5,0,True", "a number of custodial days that is not between 0 and 365"},
        {"Swim,01:00,5,5,x,True", "a number of non-custodial days that is not between 0 and 365"},
        {"Swim,01:00,5,3,3,True",
         "custodial and non-custodial days that do not add up to the total days"},
        {"Swim,01:00,5,5,0,maybe", "an Add Nap value that is neither True nor False"},
        // A name with a comma shifts every field.
        {"Swim, lessons,01:00,5,5,0,True", "a daily time that is not between 00:01 and 24:00"},
    };
    QualityInputs in;
    in.Days = 730;
    in.Overnights = 100;
    in.OvernightMinutes = 100 * 600;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Entry);
        const AwayActivity activity = ReadAwayActivity(T(c.Entry));
        EXPECT_EQ(AwayActivityProblem(activity), T(c.Problem));
        EXPECT_FALSE(AwayActivityFigures(activity));
        const QualityCheck check = CheckAwayTimes(in, {activity});
        EXPECT_EQ(check.Errors,
                  QStringList{T("Error - Activity ") + activity.Name + T(" has ") + T(c.Problem) +
                              T(".\n\rThis error must be corrected.")});
        EXPECT_EQ(check.Results.CustAway, 0);
        EXPECT_EQ(check.Results.NonCustAway, 0);
    }
    EXPECT_FALSE(AwayActivityProblem(ReadAwayActivity(T("Swim,24:00,365,0,365,False"))));
    EXPECT_EQ(ReadAwayActivity(T("x").repeated(60) + T(",01:00,1,1,0,True")).Name.size(), 50);
}

TEST(AwayActivities, AddToListChecksInOrder)
{
    const QString zero = T("Excluded day hours must be greater than 0.");
    const QString days = T("Invalid Number of away days.  Please Correct and try again.");
    const QString sum =
        T("Total Days doesn't equal Custodial days + Non-Custodial days.\n\rPlease correct and "
          "try again.");
    struct Case {
        int Hours, Minutes;
        const char *Total, *Custodial, *NonCustodial;
        std::optional<AwayEntryRefusal> Refusal;
    };
    const std::vector<Case> cases{
        {0, 0, "0", "0", "0", AwayEntryRefusal{zero, AwayEntryField::Hours}},
        {0, 15, "0", "0", "0", AwayEntryRefusal{days, AwayEntryField::TotalDays}},
        {1, 0, "366", "366", "0", AwayEntryRefusal{days, AwayEntryField::TotalDays}},
        {1, 0, "1x", "1", "0", AwayEntryRefusal{days, AwayEntryField::TotalDays}},
        {1, 0, "10", "4", "5", AwayEntryRefusal{sum, AwayEntryField::CustodialDays}},
        {1, 0, "10", "", "10", AwayEntryRefusal{sum, AwayEntryField::CustodialDays}},
        {24, 0, "365", "200", "165", std::nullopt},
        {0, 1, "1", "0", "1", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto refusal =
            CheckAwayEntry(c.Hours, c.Minutes, T(c.Total), T(c.Custodial), T(c.NonCustodial));
        ASSERT_EQ(refusal.has_value(), c.Refusal.has_value()) << c.Total;
        if (refusal) {
            EXPECT_EQ(refusal->Message, c.Refusal->Message);
            EXPECT_EQ(refusal->Focus, c.Refusal->Focus);
        }
    }
}

TEST(AwayActivities, ModifyAndDeleteQuestions)
{
    const AwayActivity school{T("School"), T("06:30"), T("180"), T("120"), T("60"), T("Yes")};
    const QString lines =
        T("Activity Name:  School\n\rDaily Hrs.:  06:30\n\rTotal Days:  "
          "180\n\rCustodial Days:  120\n\rNon-Custodial Days:  60\n\rAdd Nap=Yes?");
    EXPECT_EQ(ModifyAwayQuestion(school),
              T("Are you sure you want to Modify Away Activity \n\r") + lines);
    EXPECT_EQ(DeleteAwayQuestion(school),
              T("Are you sure you want to delete Away Activity \n\r") + lines);
}

TEST(PercentageText, TruncatedHundredthsRoundedHalfUpToTenths)
{
    struct Case {
        std::int64_t Minutes;
        int Days;
        const char* Text;
    };
    const std::vector<Case> cases{
        {719, 730, "00.1%"}, // 6 hundredths
        {5, 8, "00.0%"},     // 4 hundredths
        {1148, 8, "10.0%"},  // 996 hundredths: the tenths carry into the whole part
        {1130, 8, "09.8%"},  // 980 hundredths
        {1137, 8, "09.9%"},  // 986 hundredths
        {1052640, 731, "100.0%"}, {0, 365, "00.0%"}, {432000, 365, "82.2%"}, // 8219 hundredths
        {93600, 365, "17.8%"},                                               // 1780 hundredths
        {-1440, 10, "-10.0%"},    {100, 0, "00.0%"}, // no days: nothing to divide by
    };
    for (const Case& c : cases)
        EXPECT_EQ(PercentageText(c.Minutes, c.Days), T(c.Text)) << c.Minutes << "/" << c.Days;
}

TEST(PieSlices, TenthsFromTextsAndAngles)
{
    EXPECT_EQ(PercentTenths(T("52.3%")), 523);
    EXPECT_EQ(PercentTenths(T("10.4%")), 104);
    EXPECT_EQ(PercentTenths(T("00.1%")), 1);
    EXPECT_EQ(PercentTenths(T("100.0%")), 1000);
    EXPECT_EQ(PercentTenths(T("-05.3%")), -53);
    EXPECT_EQ(PercentTenths(T("")), 0);
    EXPECT_EQ(PercentTenths(T("abc.d%")), 0);
    EXPECT_EQ(SliceHundredthsOfDegree(523), 18828); // 188.28 degrees
    EXPECT_EQ(SliceHundredthsOfDegree(104), 3744);  // 37.44 degrees
}

TEST(PieSlices, CustodialSliceColour)
{
    struct Case {
        std::int32_t Background, Overnight, Slice;
    };
    const std::vector<Case> cases{
        {0xFFFFFF, 0xC0C0C0, 0xE8E8E8}, // default silver, lightened
        {0x00FF00, 0xC0C0C0, 0x00FF00}, // a coloured background is used as it is
        {0xFFFFFF, 0x0000FF, 0xFF0000}, // red overnights give a blue slice
        {0xFFFFFF, 0x123456, 0x561234}, // channels rotated
        {0xFFFFFF, 0xF0F0F0, 0xF0F0F0}, // a light grey is not raised past white
        {0xFFFFFF, 0x000000, 0x282828},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CustodialSliceColour(c.Background, c.Overnight), c.Slice)
            << std::hex << c.Background << " " << c.Overnight;
}

// A calendar from March 2024 with marks in the given years; counters recounted.
CalendarDocument March2024(bool firstYear, bool secondYear)
{
    CalendarDocument doc;
    doc.ClientName = T("Smith");
    BuildSpan(doc, 2, 2024);
    auto mark = [&doc](int monthNumber, int dayOfMonth, const QString& reason) {
        const MonthTableEntry& month = doc.MonthTable.at(static_cast<std::size_t>(monthNumber - 1));
        CalendarDay& day = doc.Days.at(static_cast<std::size_t>(month.FirstDay + dayOfMonth - 1));
        day.HasOvernight = true;
        day.OvernightReason = reason;
        day.OvernightPickup = T("06:00PM");
        day.OvernightDropoff = T("09:00AM");
    };
    if (firstYear) {
        mark(1, 1, T("NN-Weekend"));
        mark(1, 8, T("Weekend"));
    }
    if (secondYear)
        mark(14, 7, T("NN-Weekend"));
    RecountCounters(doc);
    return doc;
}

TEST(QualityPeriod, YearsWithoutMarksLeaveThePeriodWithANote)
{
    struct Case {
        bool FirstYear, SecondYear;
        int FirstMonth, LastMonth, Days;
        const char* Label;
        const char* NoteStart;
    };
    const std::vector<Case> cases{
        {true, true, 1, 24, 730, "For Calendar Year Beginning March 2024 through February 2026",
         ""},
        {false, true, 13, 24, 365, "For Calendar Year Beginning March 2025 through February 2026",
         "Note:  There are no marked overnight stays or day visits\n\rwithin the first year"},
        {true, false, 1, 12, 365, "For Calendar Year Beginning March 2024 through February 2025",
         "Note:  There are no marked overnight stays or day visits\n\rwithin the second year"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Label);
        CalendarDocument doc = March2024(c.FirstYear, c.SecondYear);
        const ReportPeriod period = QualityPeriod(doc);
        EXPECT_EQ(period.FirstMonth, c.FirstMonth);
        EXPECT_EQ(period.LastMonth, c.LastMonth);
        EXPECT_EQ(period.Days(), c.Days);
        EXPECT_EQ(PeriodLabel(doc, period), T(c.Label));
        const QString note = QualityPeriodNote(QualityPeriodKindOf(doc));
        EXPECT_EQ(note.left(static_cast<qsizetype>(std::strlen(c.NoteStart))), T(c.NoteStart));
        ASSERT_TRUE(RefreshStaleDistribution(doc));
        const QualityInputs in = QualityInputsOf(doc);
        EXPECT_EQ(in.Days, c.Days);
        EXPECT_EQ(in.Overnights, (c.FirstYear ? 2 : 0) + (c.SecondYear ? 1 : 0));
        EXPECT_EQ(in.OvernightMinutes, in.Overnights * 900);
        EXPECT_EQ(in.NoNapOvernights, (c.FirstYear ? 1 : 0) + (c.SecondYear ? 1 : 0));
    }
    EXPECT_EQ(QualityPeriodNote(QualityPeriodKind::SecondYearOnly),
              T("Note:  There are no marked overnight stays or day visits\n\rwithin the first "
                "year of your two year calendar.  The\n\rQuality Time Report will therefore be "
                "based only on the\n\rsecond year of your two year calendar."));
}

TEST(QualityPeriod, AStaleDistributionIsRunOnceAndItsTotalsKept)
{
    CalendarDocument doc = March2024(true, true);
    doc.QTotOvernights = 99;
    ASSERT_TRUE(RefreshStaleDistribution(doc));
    EXPECT_FALSE(doc.DistributionStale);
    EXPECT_EQ(doc.QTotOvernights, 3);
    EXPECT_EQ(doc.QTotOvernightMinutes, 3 * 900);
    EXPECT_FALSE(RefreshStaleDistribution(doc)); // not stale any more
}

} // namespace
