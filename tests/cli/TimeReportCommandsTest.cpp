#include "cli/CliRun.h"

#include "calendar/CalendarFile.h"
#include "reports/QualityTime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "support/FullDisk.h"
#include "support/SpecialFiles.h"
#include <gtest/gtest.h>

using namespace custodex;
using custodex::cli_test::CliRun;
using custodex::cli_test::RunCommand;

namespace {

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

QJsonObject JsonOf(const CliRun& run)
{
    return QJsonDocument::fromJson(run.Out.toUtf8()).object();
}

// Smith's calendar from March 2024: every Friday of the first year an overnight of 15 hours
// (52 stays), one of them without a nap; a two-hour day visit in year two; 8 hours of sleep
// and a one-hour nap; saved by the program's writer, so its distribution must be run again.
class TimeReportCli : public ::testing::Test {
protected:
    TimeReportCli()
    {
        Doc.ClientName = T("Smith");
        Doc.UserYear = T("2024");
        BuildSpan(Doc, 2, 2024);
        int fridays = 0;
        // The year's last day is a Friday too; its stay would end in year two.
        for (int i = 0; i < Doc.SecondYearFirstDay - 1; ++i) {
            CalendarDay& day = Doc.Days.at(static_cast<std::size_t>(i));
            if (day.WeekdayName != T("FRIDAY"))
                continue;
            day.HasOvernight = true;
            day.OvernightReason = fridays++ == 0 ? T("NN-Weekend") : T("Weekend");
            day.OvernightPickup = T("06:00PM");
            day.OvernightDropoff = T("09:00AM");
        }
        CalendarDay& visit = Doc.Days.at(static_cast<std::size_t>(Doc.SecondYearFirstDay + 10));
        visit.HasDayVisit = true;
        visit.DayVisitReason = T("Lunch");
        visit.DayVisitStart = T("11:00AM");
        visit.DayVisitEnd = T("01:00PM");
        Doc.SleepTime = T("08:00");
        Doc.NapTime = T("01:00");
        RecomputeDurationMinutes(Doc);
    }

    CliRun Run(const QStringList& arguments, const QStringList& exclusions = {})
    {
        Doc.Exclusions = exclusions;
        const QString path = Dir.filePath(T("Smith.cdb"));
        EXPECT_TRUE(WriteCalendarFile(Doc, path, false).Ok);
        return RunCommand(QStringList{arguments.first(), path} + arguments.mid(1));
    }

    QTemporaryDir Dir;
    CalendarDocument Doc;
};

TEST_F(TimeReportCli, QualityJsonHasTheSeventeenTextsDaysPeriodAndNotes)
{
    const CliRun run = Run({T("quality"), T("--json")}, {T("School,06:00,100,80,20,False")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    // The file read says its distribution must be run again.
    EXPECT_EQ(run.Err, T("The hourly distribution was not current; it has been run first.\n"));
    const QJsonObject json = JsonOf(run);
    EXPECT_EQ(json.size(), QualityFieldCount + 3);
    // 52 stays of 900 minutes; 51 with 540 minutes of sleep and nap, one with 480.
    const std::vector<std::pair<const char*, const char*>> expected{
        {"totalOvrNiteStays", "52"},
        {"totalDayVisits", "1"},
        {"totalOvrNiteTime", "780 Hrs 0 Mins"},
        {"totalOvrNiteSleep", "467 Hrs 0 Mins"},
        {"totalDayVisitTime", "2 Hrs  0 Mins"},
        {"totalDayVisitSleep", "1 Hrs 0 Mins"},
        {"nonCustTotalTime", "782 Hrs  0 Mins"},
        {"subTotalQualityTime", "314 Hrs 0 Mins"},
        {"nonCustAway", "120 Hrs 0 Mins"},
        {"nonCustTotQual", "194 Hrs 0 Mins"},
        {"nonCustQualTime", "01.1%"},
        {"custSubTotalTime", "16738 Hrs 0 Mins"},
        {"custTotSleep", "6101 Hrs 0 Mins"},
        {"custSubTotal", "10637 Hrs 0 Mins"},
        {"custAway", "480 Hrs 0 Mins"},
        {"custtotQual", "10157 Hrs 0 Mins"},
        {"custQualTime", "58.0%"}, // 5797 hundredths: the tenths carry
    };
    for (const auto& [key, text] : expected)
        EXPECT_EQ(json.value(T(key)).toString(), T(text)) << key;
    for (const QString& name : QualityFieldNames())
        EXPECT_TRUE(json.contains(name.left(1).toLower() + name.mid(1))) << name.toStdString();
    EXPECT_EQ(json.value(T("days")).toInt(), 730);
    EXPECT_EQ(json.value(T("period")).toObject(),
              (QJsonObject{{T("from"), T("2024-03-01")}, {T("to"), T("2026-02-28")}}));
    EXPECT_TRUE(json.value(T("notes")).toArray().isEmpty());
}

TEST_F(TimeReportCli, QualityWithOneMarkedYearNotesIt)
{
    CalendarDay& visit = Doc.Days.at(static_cast<std::size_t>(Doc.SecondYearFirstDay + 10));
    visit.HasDayVisit = false;
    const CliRun run = Run({T("quality"), T("--json")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QJsonObject json = JsonOf(run);
    EXPECT_EQ(json.value(T("days")).toInt(), 365);
    EXPECT_EQ(json.value(T("period")).toObject(),
              (QJsonObject{{T("from"), T("2024-03-01")}, {T("to"), T("2025-02-28")}}));
    EXPECT_EQ(json.value(T("notes")).toArray(),
              QJsonArray{QualityPeriodNote(QualityPeriodKind::FirstYearOnly)});
    const CliRun text = Run({T("quality")});
    EXPECT_TRUE(text.Out.startsWith(T("Note:  There are no marked overnight stays or day "
                                      "visits\nwithin the second year")))
        << text.Out.toStdString();
}

TEST_F(TimeReportCli, QualityTextIsTheSummaryWindow)
{
    Doc.CustodialName = T("Mother");
    Doc.NonCustodialName = T("Father");
    const CliRun run = Run({T("quality")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QStringList lines = run.Out.split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 22);
    EXPECT_EQ(lines[0], T("Quality Time Summary"));
    EXPECT_EQ(lines[1], T("For Calendar Year Beginning March 2024 through February 2026"));
    EXPECT_EQ(lines[3], T("Custodial Parent:  Mother"));
    EXPECT_EQ(lines[6], T("  Quality Time Hours (Sub-Total):  10637 Hrs 0 Mins  (Total Time - "
                          "Total Sleep Time)"));
    EXPECT_EQ(lines[11], T("Non-Custodial Parent:  Father"));
    EXPECT_EQ(lines[12].simplified(), T("Total Number of Overnight Stays: 52"));
}

TEST_F(TimeReportCli, QualityRefusalsAndActivityErrorsOnStandardError)
{
    struct Case {
        const char* Label;
        QStringList Exclusions;
        bool ClearMarks;
        const char* Err; // after the line about the distribution, if any
    };
    const std::vector<Case> cases{
        {"too many custodial days",
         {T("Camp,02:00,365,365,0,False"), T("Camp2,02:00,365,365,0,False")},
         false,
         "Error - The total number of custodial activity days exceeds \nthe Total of Custodial "
         "Days.  This error must be corrected.\n"},
        {"a malformed entry, then a good one",
         {T("Swim,1:00,5,5,0,True"), T("Piano,01:00,5,5,0,True")},
         false,
         "Error - Activity Swim has a daily time that is not between 00:01 and 24:00.\nThis "
         "error must be corrected.\n"},
        {"nothing marked",
         {},
         true,
         "You must mark at least one overnight stay or\none day visit on your calendar before "
         "you can\ncreate a Quality Time report.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Label);
        if (c.ClearMarks)
            for (CalendarDay& day : Doc.Days)
                day.HasOvernight = day.HasDayVisit = false;
        const CliRun run = Run({T("quality"), T("--json")}, c.Exclusions);
        EXPECT_EQ(run.Status, 1);
        EXPECT_TRUE(run.Out.isEmpty());
        EXPECT_TRUE(run.Err.endsWith(T(c.Err))) << run.Err.toStdString();
    }
}

TEST_F(TimeReportCli, CareJsonForEachPeriod)
{
    struct Case {
        const char* Period;
        int Days;
        const char *Overnights, *DayVisits, *CustodialShare, *From, *To;
        qint64 CareHours;
    };
    const std::vector<Case> cases{
        {"first", 365, "52", "0", "91.1%", "2024-03-01", "2025-02-28", 8760},
        {"second", 365, "0", "1", "100.0%", "2025-03-01", "2026-02-28", 8760},
        {"both", 730, "52", "1", "95.5%", "2024-03-01", "2026-02-28", 17520},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Period);
        const CliRun run = Run({T("care"), T("--period"), T(c.Period), T("--json")});
        ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
        const QJsonObject json = JsonOf(run);
        EXPECT_EQ(json.size(), 13);
        EXPECT_EQ(json.value(T("days")).toInt(), c.Days);
        EXPECT_EQ(json.value(T("totalCareHours")).toInteger(), c.CareHours);
        EXPECT_EQ(json.value(T("totalOvrNiteStays")).toString(), T(c.Overnights));
        EXPECT_EQ(json.value(T("totalDayVisits")).toString(), T(c.DayVisits));
        EXPECT_EQ(json.value(T("custCareTime")).toString(), T(c.CustodialShare));
        for (const char* key :
             {"totalOvrNiteTime", "totalDayVisitTime", "nonCustTotalTime", "nonCustTotCare",
              "nonCustCareTime", "custSubTotalTime", "custTotCare"})
            EXPECT_TRUE(json.value(T(key)).isString()) << key;
        EXPECT_EQ(json.value(T("period")).toObject(),
                  (QJsonObject{{T("from"), T(c.From)}, {T("to"), T(c.To)}}));
    }
}

TEST_F(TimeReportCli, CareTextAndUsageErrors)
{
    const CliRun text = Run({T("care")});
    ASSERT_EQ(text.Status, 0) << text.Err.toStdString();
    EXPECT_TRUE(text.Out.startsWith(T("Parental Care Time Summary\nFor Calendar Year Beginning "
                                      "March 2024 through February 2026\n(Total Care Hours = "
                                      "17520)\n")))
        << text.Out.toStdString();
    EXPECT_TRUE(text.Out.contains(T("Custodial Parent:  Custodial\n")));

    const CliRun wrong = Run({T("care"), T("--period"), T("third")});
    EXPECT_EQ(wrong.Status, 2);
    EXPECT_TRUE(wrong.Err.contains(T("--period takes first, second or both.")));
}

TEST_F(TimeReportCli, PicturesOfBothReportsWithTheirNamesAndMessages)
{
    QTemporaryDir pictures;
    const QString folder = pictures.path() + T("/");
    // An old picture of the same name is replaced, as the program replaces it.
    QFile old(folder + T("Smith_QualTime_2.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    const CliRun quality = Run({T("quality"), T("--pictures"), pictures.path()});
    ASSERT_EQ(quality.Status, 0) << quality.Err.toStdString();
    EXPECT_TRUE(quality.Out.startsWith(T("Quality Time Report has been saved to file\n") + folder +
                                       T("Smith_QualTime_1.bmp\nAnd \n") + folder +
                                       T("Smith_QualTime_2.bmp\n")))
        << quality.Out.toStdString();
    const QImage summary(folder + T("Smith_QualTime_1.bmp"));
    EXPECT_EQ(summary.size(), QSize(1200, 1575));
    const QImage pie(folder + T("Smith_QualTime_2.bmp"));
    ASSERT_EQ(pie.size(), QSize(1200, 1575));
    // The default colours: a light grey custodial slice below 3 o'clock, white opposite.
    EXPECT_EQ(pie.pixelColor(600, 787 + 100), QColor(0xE8, 0xE8, 0xE8));
    EXPECT_EQ(pie.pixelColor(600 - 70, 787 - 70), QColor(Qt::white));

    const CliRun care = Run({T("care"), T("--period"), T("both"), T("--json"), T("--pictures"),
                             pictures.path(), T("--format"), T("jpg")});
    ASSERT_EQ(care.Status, 0) << care.Err.toStdString();
    const QString carePicture = folder + T("Smith_CareTimeYrs1&2.jpg");
    EXPECT_TRUE(care.Err.endsWith(T("Parental Care Time Report has been saved to file\n") +
                                  carePicture + T("\n")))
        << care.Err.toStdString();
    EXPECT_EQ(JsonOf(care).value(T("days")).toInt(), 730); // stdout holds only the object
    QFile jpeg(carePicture);
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(jpeg.read(3) == QByteArray("\xFF\xD8\xFF"));
    EXPECT_EQ(QImage(carePicture).size(), QSize(1200, 1575));
}

TEST_F(TimeReportCli, PictureRefusals)
{
    QTemporaryDir pictures;
    struct Case {
        const char* Label;
        QStringList Arguments;
        int Status;
        const char* Err;
    };
    const std::vector<Case> cases{
        {"care of the second year, which has its day visit",
         {T("care"), T("--period"), T("second"), T("--pictures"), pictures.path()},
         0,
         ""},
        {"a folder that does not exist",
         {T("quality"), T("--pictures"), pictures.filePath(T("missing"))},
         1,
         " does not exist.\n"},
        {"--format alone", {T("care"), T("--format"), T("jpg")}, 2, ""},
        {"another format",
         {T("care"), T("--pictures"), pictures.path(), T("--format"), T("png")},
         2,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Label);
        const CliRun run = Run(c.Arguments);
        EXPECT_EQ(run.Status, c.Status) << run.Err.toStdString();
        EXPECT_TRUE(run.Err.endsWith(T(c.Err))) << run.Err.toStdString();
        if (c.Status == 1) {
            EXPECT_TRUE(run.Out.isEmpty());
        }
    }
    // The second year has its one day visit; a year with none is refused in its own words.
    CalendarDay& visit = Doc.Days.at(static_cast<std::size_t>(Doc.SecondYearFirstDay + 10));
    visit.HasDayVisit = false;
    visit.HasOvernight = false;
    Doc.Days.at(0).HasOvernight = true;
    const CliRun empty =
        Run({T("care"), T("--period"), T("second"), T("--pictures"), pictures.path()});
    EXPECT_EQ(empty.Status, 1);
    EXPECT_TRUE(empty.Err.endsWith(T("You must have at least one overnight stay or \none day "
                                     "visit within the selected period to\nprint a care time "
                                     "report.\n")))
        << empty.Err.toStdString();
    EXPECT_EQ(QDir(pictures.path()).entryList(QDir::Files),
              QStringList{T("Smith_CareTimeYr2.bmp")}); // from the marked case above
}

// The second page is checked before the first is written: a page that can never be written
// used to stop the report after it had replaced the first.
TEST_F(TimeReportCli, QualityPicturesWithTheSecondPageBlockedWriteNothing)
{
    const struct {
        const char* Label;
        std::function<bool(const QString&)> Block;
        const char* Cause;
    } cases[] = {
        {"locked", [](const QString& p) { return custodex::testing::MakeLockedFile(p, "2"); },
         "\nbecause the file is locked!\n"},
        {"a FIFO", [](const QString& p) { return custodex::testing::MakeFifo(p); },
         "\nIt is not a regular file.\n"},
        {"a folder", [](const QString& p) { return QDir().mkpath(p); },
         "\nIt is a folder, not a file.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Label);
        QTemporaryDir pictures;
        const QString first = pictures.filePath(T("Smith_QualTime_1.bmp"));
        QFile old(first);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        ASSERT_TRUE(c.Block(pictures.filePath(T("Smith_QualTime_2.bmp"))));
        const CliRun run = Run({T("quality"), T("--pictures"), pictures.path()});
        EXPECT_EQ(run.Status, 1);
        EXPECT_TRUE(run.Err.endsWith(T(c.Cause))) << run.Err.toStdString();
        EXPECT_EQ(custodex::testing::FileBytes(first), QByteArray("old"));
    }
}

// On a disk that fills up half-way, the quality pages are written both or neither, and a care
// picture whole or not at all.
TEST_F(TimeReportCli, AFullDiskLeavesEveryOldPicture)
{
    Doc.CustodialName = T("Mother");
    Doc.NonCustodialName = T("Father");
    const QString calendar = Dir.filePath(T("Smith.cdb"));
    ASSERT_TRUE(WriteCalendarFile(Doc, calendar, false).Ok);
    for (const char* format : {"bmp", "jpg"}) {
        SCOPED_TRACE(format);
        QTemporaryDir pictures;
        custodex::testing::ExpectWrittenAllOrNothing(pictures.path(), [&] {
            const CliRun run = RunCommand({T("quality"), calendar, T("--pictures"), pictures.path(),
                                           T("--format"), T(format)});
            return run.Status == 0 ? QString() : run.Err;
        });

        QTemporaryDir care;
        const QStringList arguments{T("care"),       calendar,    T("--period"), T("first"),
                                    T("--pictures"), care.path(), T("--format"), T(format)};
        ASSERT_EQ(RunCommand(arguments).Status, 0);
        const QString picture = care.filePath(T("Smith_CareTimeYr1.") + T(format));
        const qint64 size = QFileInfo(picture).size();
        ASSERT_GT(size, 0);
        ASSERT_TRUE(QFile::resize(picture, 3));
        const auto before = custodex::testing::FolderContent(care.path());
        CliRun run;
        {
            const custodex::testing::FullDiskAfter disk(size / 2);
            run = RunCommand(arguments);
        }
        EXPECT_EQ(run.Status, 1);
        EXPECT_TRUE(run.Err.contains(T("No space left on device"))) << run.Err.toStdString();
        EXPECT_EQ(custodex::testing::FolderContent(care.path()), before);
    }
}

// An overnight every night (06:00PM-08:00AM) and a day visit every day (07:00AM-09:00PM):
// the distribution names the overlaps instead of congratulating, and the time reports refuse
// rather than show more than 100% and negative hours.
TEST_F(TimeReportCli, OverlappingVisitsAreNamedAndTheReportsRefuse)
{
    for (CalendarDay& day : Doc.Days) {
        day.HasOvernight = true;
        day.OvernightReason = T("Weekend");
        day.OvernightPickup = T("06:00PM");
        day.OvernightDropoff = T("08:00AM");
        day.HasDayVisit = true;
        day.DayVisitReason = T("Visit");
        day.DayVisitStart = T("07:00AM");
        day.DayVisitEnd = T("09:00PM");
    }
    const CliRun distribution = Run({T("distribution")});
    EXPECT_TRUE(distribution.Out.contains(T("the day visit's hours fall within the overnight")))
        << distribution.Out.toStdString();
    EXPECT_FALSE(distribution.Out.contains(T("Congratulations")));

    QTemporaryDir pictures;
    for (const QStringList& arguments : {QStringList{T("care"), T("--pictures"), pictures.path()},
                                         QStringList{T("care")}, QStringList{T("quality")}}) {
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.Status, 1) << arguments.join(T(" ")).toStdString();
        EXPECT_TRUE(run.Err.contains(T("Some day visits or overnight stays cannot be counted")))
            << run.Err.toStdString();
        // Said once, with no talk of approximate results that cannot be had.
        EXPECT_EQ(run.Err.count(T("cannot be counted")), 1) << run.Err.toStdString();
        EXPECT_FALSE(run.Err.contains(T("approximate"))) << run.Err.toStdString();
        EXPECT_FALSE(run.Out.contains(T("%")));
    }
    EXPECT_TRUE(QDir(pictures.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(TimeReportCli, HelpTextsListTheOptions)
{
    const CliRun quality = RunCommand({T("quality"), T("--help")});
    EXPECT_EQ(quality.Status, 0);
    EXPECT_TRUE(quality.Out.contains(T("--json")));
    const CliRun care = RunCommand({T("care"), T("--help")});
    EXPECT_TRUE(care.Out.contains(T("--period <first|second|both>")));
    for (const CliRun& run : {quality, care}) {
        EXPECT_TRUE(run.Out.contains(T("--pictures <DIR>")));
        EXPECT_TRUE(run.Out.contains(T("--format <bmp|jpg>")));
    }
    const CliRun tool = RunCommand({T("--help")});
    EXPECT_TRUE(tool.Out.contains(T("quality")));
    EXPECT_TRUE(tool.Out.contains(T("care")));
}

} // namespace
