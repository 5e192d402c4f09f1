#include "cli/DistributionCliFixture.h"

#include "calendar/CalendarFile.h"
#include "platform/FileLock.h"
#include "reports/HourlyDistribution.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::distribution_test;

namespace {

const QStringList ExpectedMessages =
    DistributionLegend() +
    QStringList{T("DV Error March 2, 2024 Pickup (Dropoff) Time has no corresponding Dropoff "
                  "(Pickup) Time."),
                T(" "),
                T("DV Error - SATURDAY March 2 2024, missing the pickup or dropoff time.  Using "
                  "assumed time of  12 Hrs. 00 Mins. ")};

TEST_F(DistributionCli, JsonHasTheYearsTotalsMessagesAndSpans)
{
    const CliRun run = Distribution({T("--json")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.isEmpty());
    const QJsonObject json = QJsonDocument::fromJson(run.Out.toUtf8()).object();
    EXPECT_EQ(json.keys(),
              (QStringList{T("hadErrors"), T("messages"), T("spans"), T("totals"), T("years")}));

    const QJsonArray years = json[T("years")].toArray();
    ASSERT_EQ(years.size(), 2);
    const struct {
        const char* From;
        const char* To;
        int Days;
        int Weekday;
        int Count;
        int Minutes;
    } yearCases[] = {
        {"2024-03-01", "2025-02-28", 365, 5, 1, 360}, // Friday's evening
        {"2025-03-01", "2026-02-28", 365, 0, 1, 1440},
    };
    for (int y = 0; y < 2; ++y) {
        const QJsonObject year = years[y].toObject();
        const auto& c = yearCases[y];
        EXPECT_EQ(year.keys(),
                  (QStringList{T("dayVisits"), T("days"), T("from"), T("overnights"), T("to")}));
        EXPECT_EQ(year[T("from")].toString(), T(c.From));
        EXPECT_EQ(year[T("to")].toString(), T(c.To));
        EXPECT_EQ(year[T("days")].toInt(), c.Days);
        const QJsonArray overnights = year[T("overnights")].toArray();
        ASSERT_EQ(overnights.size(), 7);
        for (int w = 0; w < 7; ++w) {
            const QJsonObject row = overnights[w].toObject();
            EXPECT_EQ(row.keys(), (QStringList{T("count"), T("minutes"), T("weekday")}));
            EXPECT_EQ(row[T("weekday")].toString(), DisplayWeekdayNames().at(w));
        }
        EXPECT_EQ(overnights[c.Weekday][T("count")].toInt(), c.Count);
        EXPECT_EQ(overnights[c.Weekday][T("minutes")].toInt(), c.Minutes);
    }
    EXPECT_EQ(years[0][T("overnights")][6][T("minutes")].toInt(), 540);
    EXPECT_EQ(years[0][T("dayVisits")][6][T("count")].toInt(), 1);
    EXPECT_EQ(years[0][T("dayVisits")][6][T("minutes")].toInt(), 720);
    EXPECT_EQ(years[1][T("overnights")][5][T("minutes")].toInt(), 420);
    EXPECT_EQ(years[1][T("overnights")][1][T("minutes")].toInt(), 480);

    const QJsonObject totals = json[T("totals")].toObject();
    EXPECT_EQ(totals.toVariantMap(),
              (QVariantMap{{T("qTotOvernights"), 4},
                           {T("qTotOvernightMinutes"), 900 + 420 + 1440 + 1440 + 480},
                           {T("qTotDayVisits"), 1},
                           {T("qTotDayVisitMinutes"), 720},
                           {T("overnightSleepNapMinutes"), 4 * 480},
                           {T("dayVisitNapMinutes"), 0}}));

    QStringList messages;
    for (const QJsonValue& message : json[T("messages")].toArray())
        messages << message.toString();
    EXPECT_EQ(messages, ExpectedMessages);
    EXPECT_TRUE(json[T("hadErrors")].toBool());

    const QJsonArray spans = json[T("spans")].toArray();
    QStringList dates;
    for (const QJsonValue& day : spans)
        dates << day[T("date")].toString();
    EXPECT_EQ(dates, (QStringList{T("2024-03-01"), T("2024-03-02"), T("2025-03-07"),
                                  T("2025-03-08"), T("2025-03-09"), T("2025-03-10")}));
    auto span = [](int first, int length, bool fromTop) {
        return QJsonObject{
            {T("firstQuarter"), first}, {T("length"), length}, {T("fromTop"), fromTop}};
    };
    EXPECT_EQ(spans[0].toObject(), (QJsonObject{{T("date"), T("2024-03-01")},
                                                {T("overnight"), QJsonArray{span(72, 24, true)}},
                                                {T("dayVisit"), QJsonArray{}},
                                                {T("problem"), false}}));
    EXPECT_EQ(spans[1].toObject(), (QJsonObject{{T("date"), T("2024-03-02")},
                                                {T("overnight"), QJsonArray{span(0, 36, false)}},
                                                {T("dayVisit"), QJsonArray{span(0, 48, false)}},
                                                {T("problem"), true}}));
    EXPECT_EQ(spans[3][T("overnight")].toArray(), QJsonArray{span(0, 96, true)});
    EXPECT_EQ(spans[5][T("overnight")].toArray(), QJsonArray{span(0, 32, false)});

    // Reading and reporting never change the calendar.
    EXPECT_EQ(FileBytes(Input), InputBytes);
}

TEST_F(DistributionCli, TextShowsTheTablesAndTheMessages)
{
    const CliRun run = Distribution({});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QStringList lines = run.Out.split(QLatin1Char('\n'));
    for (const QString& expected : QStringList{
             T("First year, 2024-03-01 to 2025-02-28 (365 days)"),
             T("  Days of Week  # Stays   Time                # Visits  Time"),
             T("  Friday        001       0006 Hrs. 00 Mins.  000       0000 Hrs. 00 Mins."),
             T("  Saturday      000       0009 Hrs. 00 Mins.  001       0012 Hrs. 00 Mins."),
             T("  Total OverNights = 1, Total OverNight Stay Time = 15 Hrs 0 Mins"),
             T("  Total Day Visits = 1, Total Day Visit Time = 12 Hrs 0 Mins"),
             T("Second year, 2025-03-01 to 2026-02-28 (365 days)"),
             T("  Total OverNights = 3, Total OverNight Stay Time = 63 Hrs 0 Mins"),
             T("Both years: 4 overnights, 78 Hrs 0 Mins; 1 day visits, 12 Hrs 0 Mins"),
             T("The Hourly Distribution Report has found errors and/or warnings."),
         })
        EXPECT_TRUE(lines.contains(expected)) << expected.toStdString() << "\n"
                                              << run.Out.toStdString();
    for (const QString& message : ExpectedMessages)
        EXPECT_TRUE(lines.contains(message)) << message.toStdString();
}

TEST_F(DistributionCli, LogAndWriteSaveWhatTheReportLeaves)
{
    const QString log = Dir.filePath(T("Smith_DistRpt.log"));
    // The client name comes from the file name, so the copy keeps it.
    ASSERT_TRUE(QDir(Dir.path()).mkdir(T("after")));
    const QString out = Dir.filePath(T("after/Smith.cdb"));
    const CliRun run = Distribution({T("--log"), log, T("--write"), out});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_EQ(FileBytes(log), ExpectedMessages.join(T("\r\n")).toLatin1() + "\r\n");

    CalendarDocument after;
    ASSERT_TRUE(ReadCalendarFile(after, out).Ok);
    EXPECT_EQ(after.QTotOvernights, 4);
    EXPECT_EQ(after.QTotOvernightMinutes, 4680);
    EXPECT_EQ(after.QTotDayVisits, 1);
    EXPECT_EQ(after.QTotDayVisitMinutes, 720);
    // Apart from the totals the file is the one read.
    CalendarDocument before;
    ASSERT_TRUE(ReadCalendarFile(before, Input).Ok);
    before.QTotOvernights = 4;
    before.QTotOvernightMinutes = 4680;
    before.QTotDayVisits = 1;
    before.QTotDayVisitMinutes = 720;
    EXPECT_EQ(CalendarFileBytes(after), CalendarFileBytes(before));

    // Onto the calendar read, as resave does: no --overwrite needed.
    const CliRun again = Distribution({T("--write"), Input});
    ASSERT_EQ(again.Status, 0) << again.Err.toStdString();
    EXPECT_EQ(FileBytes(Input), FileBytes(out));
}

TEST_F(DistributionCli, RefusalsWriteNothing)
{
    const QString log = Dir.filePath(T("Smith_DistRpt.log"));
    const QString other = Dir.filePath(T("Other.cdb"));
    const QString locked = Dir.filePath(T("Locked.log"));
    const QString missing = Dir.filePath(T("None.cdb"));
    const QString exists = T(" already exists!\nGive --overwrite to write over it.\n");
    const struct {
        const char* Name;
        QStringList Arguments; // after the command name
        int Status;
        QString Err;
    } cases[] = {
        {"an existing calendar target",
         {Input, T("--log"), log, T("--write"), other},
         1,
         T("File ") + other + exists},
        {"an existing log",
         {Input, T("--log"), other, T("--write"), Dir.filePath(T("New.cdb"))},
         1,
         T("File ") + other + exists},
        {"the log onto the calendar read",
         {Input, T("--log"), Input},
         1,
         T("File ") + Input + T(" is the calendar being read!\nChoose another file to write.\n")},
        {"a locked log",
         {Input, T("--overwrite"), T("--log"), locked},
         1,
         T("Error!  Can't write to ") + locked + T("\nbecause the file is locked!\n")},
        {"a missing calendar",
         {missing, T("--log"), log},
         1,
         T("Error reading ") + missing + T("\nThe file does not exist.\n")},
        {"log and calendar in one file",
         {Input, T("--log"), log, T("--write"), Dir.path() + T("/./Smith_DistRpt.log")},
         2,
         T("--log and --write need two different files.\nUsage: custodex-cli distribution "
           "[options] IN.cdb\nRun 'custodex-cli distribution --help' for its options.\n")},
        {"a picture format other than bmp or jpg",
         {Input, T("--log"), log, T("--pictures"), Dir.path(), T("--format"), T("png")},
         2,
         T("--format is bmp or jpg.\nUsage: custodex-cli distribution [options] IN.cdb\nRun "
           "'custodex-cli distribution --help' for its options.\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        QFile::remove(other);
        QFile::remove(log);
        QFile::remove(locked);
        ASSERT_TRUE(QFile::copy(Input, other));
        QFile lockedFile(locked);
        ASSERT_TRUE(lockedFile.open(QIODevice::WriteOnly));
        lockedFile.write("old\r\n");
        lockedFile.close();
        ASSERT_TRUE(SetFileLocked(locked, true));
        const QByteArray otherBytes = FileBytes(other);

        const CliRun run = RunCommand(QStringList{T("distribution")} + c.Arguments);
        EXPECT_EQ(run.Status, c.Status);
        EXPECT_EQ(run.Err, c.Err);
        EXPECT_TRUE(run.Out.isEmpty()) << run.Out.toStdString();
        EXPECT_FALSE(QFile::exists(log));
        EXPECT_FALSE(QFile::exists(Dir.filePath(T("New.cdb"))));
        EXPECT_EQ(FileBytes(other), otherBytes);
        EXPECT_EQ(FileBytes(locked), QByteArray("old\r\n"));
        EXPECT_EQ(FileBytes(Input), InputBytes);
        SetFileLocked(locked, false);
    }
}

TEST_F(DistributionCli, OverwriteReplacesAnExistingLogAndCalendar)
{
    const QString log = Dir.filePath(T("Old.log"));
    const QString other = Dir.filePath(T("Other.cdb"));
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("stale\r\n");
    file.close();
    ASSERT_TRUE(QFile::copy(Input, other));
    const CliRun run = Distribution({T("--overwrite"), T("--log"), log, T("--write"), other});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_TRUE(FileBytes(log).startsWith("Legend\r\n"));
    CalendarDocument written;
    ASSERT_TRUE(ReadCalendarFile(written, other).Ok);
    EXPECT_EQ(written.QTotOvernights, 4);
}

} // namespace
