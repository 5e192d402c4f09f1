#include "calendar/Guidelines.h"
#include "calendar/CalendarFile.h"
#include "reports/QualityTime.h"

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

// The 50-character limit counts characters as a user sees them: an accent written as a
// combining mark or a flag of two letters is one (they used to count two and four).
TEST(GuidelineValues, ANamesLengthIsCountedAsTheUserSeesIt)
{
    const struct {
        QString Character;
        int Count;
    } characters[] = {{T("e\u0301"), 50},              // é as e and an acute accent
                      {T("\U0001F1FA\U0001F1F8"), 50}, // a flag
                      {T("\u00e9"), 50},
                      {T("x"), 50}};
    for (const auto& c : characters) {
        SCOPED_TRACE(c.Character.toStdString());
        EXPECT_EQ(UserCharacterCount(c.Character.repeated(7)), 7);
        EXPECT_TRUE(GuidelineNameProblem(c.Character.repeated(c.Count)).isEmpty());
        EXPECT_EQ(GuidelineNameProblem(c.Character.repeated(c.Count + 1)),
                  T("A guideline's name has at most 50 characters."));
    }
    // Such names are read back from the file as they were set: a guideline's, a parent's and
    // an away activity's (the last two used to lose half their accents).
    const QString accented = T("e\u0301").repeated(50);
    CalendarDocument doc = Span();
    doc.Guidelines = {{accented, GuidelineMeasure::Overnights, 146}};
    doc.CustodialName = accented;
    doc.Exclusions = {accented + T(",01:00,1,1,0,Sat,09:00AM,10:00AM")};
    CalendarDocument read;
    ASSERT_TRUE(ReadCalendarFromBytes(read, CalendarFileBytes(doc), T("/c/Smith.cdb")).Ok);
    EXPECT_EQ(read.Guidelines, doc.Guidelines);
    EXPECT_EQ(read.CustodialName, accented);
    EXPECT_EQ(ReadAwayActivity(read.Exclusions.value(0)).Name, accented);
    EXPECT_EQ(CutToUserCharacters(accented + T("x"), 50), accented);
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

// Lines the reader cannot take as guidelines are kept byte for byte on resave (they used to be
// dropped without a word), and said to be there.
TEST(GuidelineFile, LinesThatCannotBeReadAreKeptAsWritten)
{
    const QByteArray good = CalendarFileBytes(Span());
    const QByteArray name51(51, 'n');
    const QByteArray lines[] = {"GUIDELINE=",
                                "GUIDELINE=overnights",
                                "GUIDELINE=overnights,-5,Minimum",
                                "GUIDELINE=overnights,1e9,Minimum",
                                "GUIDELINE=overnightPercent,NaN,Share",
                                "GUIDELINE=overnights,146.5,Minimum",
                                "GUIDELINE=overnights,999,x",
                                "GUIDELINE=weekends,4,x",
                                "GUIDELINE=overnights,4,",
                                "GUIDELINE=overnightPercent,40.0%,a!b",
                                "GUIDELINE=overnights,146,Nights=146",
                                "GUIDELINE=overnights,146,Tab\there",
                                "GUIDELINE=overnights,146," + name51,
                                "GUIDELINE=overnights,146,Caf\xe9 \x81 nights=",
                                "GUIDELINE=overnights,146,  "};
    for (const QByteArray& line : lines) {
        SCOPED_TRACE(line.toStdString());
        CalendarDocument read;
        ASSERT_TRUE(ReadCalendarFromBytes(read, good + line + "\r\n", T("/c/Smith.cdb")).Ok);
        EXPECT_TRUE(read.Guidelines.empty());
        EXPECT_EQ(CalendarFileBytes(read), good + line + "\r\n");
        EXPECT_EQ(GuidelineNotes(read.Guidelines, read.UnreadGuidelineLines.size()),
                  QStringList{T("1 guideline line could not be read and is kept as written.")});
    }

    // A line cut off at the end of the file, after guidelines that read: all kept, in order.
    const QByteArray both = good + "GUIDELINE=overnights,146,Minimum\r\n"
                                   "GUIDELINE=dayVisits,x,Visits\r\n"
                                   "GUIDELINE=overnightPerc";
    CalendarDocument read;
    ASSERT_TRUE(ReadCalendarFromBytes(read, both, T("/c/Smith.cdb")).Ok);
    ASSERT_EQ(read.Guidelines.size(), 1u);
    EXPECT_EQ(CalendarFileBytes(read), both + "\r\n");
    EXPECT_EQ(GuidelineNotes(read.Guidelines, read.UnreadGuidelineLines.size()),
              QStringList{T("2 guideline lines could not be read and are kept as written.")});
}

// Two guidelines of one name are both kept and shown (the later used to replace the earlier).
TEST(GuidelineFile, GuidelinesOfOneNameAreAllKeptAndSaidToShareIt)
{
    const QByteArray bytes = CalendarFileBytes(Span()) +
                             "GUIDELINE=overnights,146,Minimum\r\n"
                             "GUIDELINE=dayVisits,20,Visits\r\n"
                             "GUIDELINE=overnights,120,Minimum\r\n"
                             "GUIDELINE=overnightPercent,40.0%,Share\r\n"
                             "GUIDELINE=dayVisits,30,Visits\r\n"
                             "GUIDELINE=dayVisits,40,Visits\r\n";
    CalendarDocument read;
    ASSERT_TRUE(ReadCalendarFromBytes(read, bytes, T("/c/Smith.cdb")).Ok);
    ASSERT_EQ(read.Guidelines.size(), 6u);
    EXPECT_EQ(read.Guidelines[2].AtLeast, 120);
    EXPECT_EQ(CalendarFileBytes(read), bytes);
    EXPECT_EQ(GuidelineNotes(read.Guidelines, read.UnreadGuidelineLines.size()),
              (QStringList{T("2 guidelines share the name \"Minimum\"; both are shown."),
                           T("3 guidelines share the name \"Visits\"; all are shown.")}));
    EXPECT_TRUE(GuidelineNotes({read.Guidelines[0], read.Guidelines[1]}, 0).isEmpty());
}

// Up to 1,000 guideline lines read; one more refuses the file with the reason. A file of
// 100,000 lines is refused at once (reading them used to take minutes: every line looked for
// its name in all the lines before it).
TEST(GuidelineFile, MoreThanAThousandGuidelinesAreRefused)
{
    const QByteArray good = CalendarFileBytes(Span());
    const auto withLines = [&good](int count, int unreadEvery) {
        QByteArray bytes = good;
        for (int i = 0; i < count; ++i)
            bytes +=
                (i % unreadEvery == 0 ? "GUIDELINE=overnights,-1,G" : "GUIDELINE=dayVisits,5,G") +
                QByteArray::number(i) + "\r\n";
        return bytes;
    };
    CalendarDocument read;
    ASSERT_TRUE(ReadCalendarFromBytes(read, withLines(1000, 7), T("/c/Smith.cdb")).Ok);
    EXPECT_EQ(read.Guidelines.size() + std::size_t(read.UnreadGuidelineLines.size()), 1000u);
    for (const int count : {1001, 100000}) {
        const FileResult refused =
            ReadCalendarFromBytes(read, withLines(count, 7), T("/c/Smith.cdb"));
        EXPECT_FALSE(refused.Ok);
        EXPECT_EQ(refused.Message, T("Error reading /c/Smith.cdb\n\rA calendar holds at most "
                                     "1,000 guidelines."));
        EXPECT_FALSE(read.HasCalendar());
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
    EXPECT_EQ(RemoveGuideline(list, T("B")), 1u);
    EXPECT_EQ(RemoveGuideline(list, T("B")), 0u);
    EXPECT_EQ(list.size(), 2u);
}

// Duplicate names are kept as read: setting one of them by name would be a guess and is
// refused with both named; removing by name removes every one of them.
TEST(GuidelineList, DuplicateNamesAreNotSetByGuessAndAreRemovedTogether)
{
    const std::vector<Guideline> read{{T("Dup"), GuidelineMeasure::Overnights, 146},
                                      {T("Other"), GuidelineMeasure::DayVisits, 2},
                                      {T("Dup"), GuidelineMeasure::OvernightPercent, 400}};
    std::vector<Guideline> list = read;
    EXPECT_EQ(GuidelineSetProblem(list, T("Dup")),
              T("2 guidelines share the name \"Dup\" (overnights at least 146; overnightPercent "
                "at least 40.0%); which of them to set is not clear."));
    EXPECT_TRUE(GuidelineSetProblem(list, T("Other")).isEmpty());
    EXPECT_TRUE(GuidelineSetProblem(list, T("New")).isEmpty());
    EXPECT_FALSE(SetGuideline(list, {T("Dup"), GuidelineMeasure::Overnights, 100}));
    EXPECT_EQ(list, read);

    EXPECT_TRUE(SetGuideline(list, {T("Other"), GuidelineMeasure::DayVisits, 3}));
    EXPECT_EQ(list[1].AtLeast, 3);
    EXPECT_EQ(RemoveGuideline(list, T("Dup")), 2u);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Name, T("Other"));
    // With one left, the name is free to set again.
    EXPECT_TRUE(SetGuideline(list, {T("Dup"), GuidelineMeasure::Overnights, 100}));
    EXPECT_EQ(list.size(), 2u);
}

} // namespace
