#include "calendar/CalendarFile.h"
#include "calendar/Guidelines.h"

#include <gtest/gtest.h>

using namespace custodex;

namespace {

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

CalendarDocument Span()
{
    CalendarDocument doc;
    doc.ClientName = T("Smith");
    doc.UserYear = T("2025");
    BuildSpan(doc, 2, 2025);
    doc.Exclusions << T("Swim,Sat,09:00AM,10:00AM");
    return doc;
}

TEST(GuidelineValues, WhatEachMeasureTakes)
{
    struct Case {
        GuidelineMeasure Measure;
        const char* Text;
        std::optional<int> Value;
    };
    const std::vector<Case> cases{
        {GuidelineMeasure::Overnights, "146", 146},
        {GuidelineMeasure::Overnights, "0", 0},
        {GuidelineMeasure::Overnights, "366", 366},
        {GuidelineMeasure::DayVisits, "367", std::nullopt},
        {GuidelineMeasure::DayVisits, "-1", std::nullopt},
        {GuidelineMeasure::Overnights, "90.5", std::nullopt},
        {GuidelineMeasure::Overnights, "40%", std::nullopt},
        {GuidelineMeasure::OvernightPercent, "40", 400},
        {GuidelineMeasure::OvernightPercent, "40.0", 400},
        {GuidelineMeasure::OvernightPercent, "40.0%", 400},
        {GuidelineMeasure::NonCustodialCarePercent, " 35.5% ", 355},
        {GuidelineMeasure::NonCustodialCarePercent, "100", 1000},
        {GuidelineMeasure::NonCustodialCarePercent, "100.1", std::nullopt},
        {GuidelineMeasure::OvernightPercent, "35.55", std::nullopt},
        {GuidelineMeasure::OvernightPercent, "", std::nullopt},
        {GuidelineMeasure::OvernightPercent, "forty", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(ReadGuidelineValue(c.Measure, T(c.Text)), c.Value) << c.Text;

    EXPECT_TRUE(GuidelineNameProblem(T("Shared care, 40%")).isEmpty());
    EXPECT_TRUE(GuidelineNameProblem(QString(50, QLatin1Char('x'))).isEmpty());
    for (const QString& bad : {QString(), T("   "), QString(51, QLatin1Char('x')), T("Wow!"),
                               T("a;b"), T("tab\there"), T("TITLE=x")})
        EXPECT_FALSE(GuidelineNameProblem(bad).isEmpty()) << bad.toStdString();
}

TEST(GuidelineFile, LinesFollowTheExclusionsInListOrderAndReadBack)
{
    CalendarDocument doc = Span();
    const QByteArray without = CalendarFileBytes(doc);
    doc.Guidelines = {{T("Shared care, 40%"), GuidelineMeasure::OvernightPercent, 400},
                      {T("Overnight minimum"), GuidelineMeasure::Overnights, 146},
                      {T("Care"), GuidelineMeasure::NonCustodialCarePercent, 355}};
    const QByteArray with = CalendarFileBytes(doc);
    // Every other line stays byte for byte; the guidelines come last.
    EXPECT_EQ(with, without + "GUIDELINE=overnightPercent,40.0%,Shared care, 40%\r\n"
                              "GUIDELINE=overnights,146,Overnight minimum\r\n"
                              "GUIDELINE=nonCustodialCarePercent,35.5%,Care\r\n");

    CalendarDocument read;
    ASSERT_TRUE(ReadCalendarFromBytes(read, with, T("/c/Smith.cdb")).Ok);
    EXPECT_EQ(read.Guidelines, doc.Guidelines);
    EXPECT_EQ(read.Exclusions, doc.Exclusions);
    EXPECT_EQ(CalendarFileBytes(read), with);

    // A calendar without guidelines reads and writes as before.
    CalendarDocument plain;
    ASSERT_TRUE(ReadCalendarFromBytes(plain, without, T("/c/Smith.cdb")).Ok);
    EXPECT_TRUE(plain.Guidelines.empty());
    EXPECT_EQ(CalendarFileBytes(plain), without);
}

TEST(GuidelineFile, ANameThatLooksLikeAnotherSettingChangesNothingElse)
{
    CalendarDocument doc = Span();
    CalendarDocument plain;
    ASSERT_TRUE(ReadCalendarFromBytes(plain, CalendarFileBytes(doc), T("/c/Smith.cdb")).Ok);
    doc.Guidelines = {{T("TITLE HOURLY minimum"), GuidelineMeasure::DayVisits, 52}};
    CalendarDocument read;
    ASSERT_TRUE(ReadCalendarFromBytes(read, CalendarFileBytes(doc), T("/c/Smith.cdb")).Ok);
    EXPECT_EQ(read.Guidelines, doc.Guidelines);
    EXPECT_TRUE(read.Title.isEmpty());
    EXPECT_EQ(read.DistributionStale, plain.DistributionStale);
    EXPECT_EQ(read.DistributionHadErrors, plain.DistributionHadErrors);
}

TEST(GuidelineFile, BrokenGuidelineLinesAreDroppedAndTheCalendarStillReads)
{
    const QByteArray good = CalendarFileBytes(Span());
    for (const char* line : {"GUIDELINE=", "GUIDELINE=overnights", "GUIDELINE=overnights,999,x",
                             "GUIDELINE=weekends,4,x", "GUIDELINE=overnights,4,",
                             "GUIDELINE=overnightPercent,40.0%,a!b"}) {
        CalendarDocument read;
        ASSERT_TRUE(
            ReadCalendarFromBytes(read, good + line + "\r\n", T("/c/Smith.cdb")).Ok)
            << line;
        EXPECT_TRUE(read.Guidelines.empty()) << line;
    }
}

TEST(GuidelineList, SetReplacesInPlaceAndRemoveSaysWhetherItFoundOne)
{
    std::vector<Guideline> list{{T("A"), GuidelineMeasure::Overnights, 1},
                                {T("B"), GuidelineMeasure::DayVisits, 2}};
    SetGuideline(list, {T("A"), GuidelineMeasure::OvernightPercent, 400});
    SetGuideline(list, {T("C"), GuidelineMeasure::Overnights, 3});
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Measure, GuidelineMeasure::OvernightPercent);
    EXPECT_EQ(list[2].Name, T("C"));
    EXPECT_TRUE(RemoveGuideline(list, T("B")));
    EXPECT_FALSE(RemoveGuideline(list, T("B")));
    EXPECT_EQ(list.size(), 2u);
}

} // namespace
