#include "cli/CliRun.h"
#include "output/IcsTestSupport.h"

#include "calendar/CalendarFile.h"
#include "calendar/CalendarModel.h"
#include "platform/FileLock.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::ics_test;
using custodex::cli_test::CliRun;
using custodex::cli_test::RunCommand;

namespace {

// The command-line companion.
class IcsCli : public ::testing::Test {
protected:
    IcsCli()
    {
        CalendarDocument doc = MakeCalendar();
        MarkOvernight(doc, {{2004, 9, 3}, "Weekend", "06:00PM"});
        MarkOvernight(doc, {{2004, 9, 4}, "weekend", "<None>", "08:30AM"});
        MarkDayVisit(doc, {{2004, 9, 8}, "Dinner", "05:00PM", "08:00PM"});
        MarkDayVisit(doc, {{2004, 9, 9}, "*Phone call", "07:00PM", "07:30PM"});
        RecountCounters(doc);
        const FileResult written = WriteCalendarFile(doc, Input, false);
        EXPECT_TRUE(written.Ok) << written.Message.toStdString();
    }
    CliRun Export(QStringList options, const QString& output)
    {
        return RunCommand(QStringList{QStringLiteral("export-ics"), Input, output} + options);
    }
    QStringList Summaries(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        QStringList summaries;
        for (const QString& line : ContentLines(file.readAll()))
            if (line.startsWith(QStringLiteral("SUMMARY:")) ||
                line.startsWith(QStringLiteral("TRANSP")))
                summaries << line;
        return summaries;
    }

    QTemporaryDir Dir;
    QString Input = Dir.filePath(QStringLiteral("Jones.cdb"));
    QString Output = Dir.filePath(QStringLiteral("Jones.ics"));
};

TEST_F(IcsCli, KindsAndAnnotationsByOption)
{
    const QString stay = QStringLiteral("SUMMARY:Weekend (Dad)");
    const QString dinner = QStringLiteral("SUMMARY:Dinner (Dad)");
    const QString call = QStringLiteral("SUMMARY:Phone call (Dad)");
    const QString free = QStringLiteral("TRANSP:TRANSPARENT");
    const struct {
        QStringList Options;
        QStringList Summaries;
    } cases[] = {
        {{}, {stay, dinner, call, free}},
        {{QStringLiteral("--overnights"), QStringLiteral("--day-visits")},
         {stay, dinner, call, free}},
        {{QStringLiteral("--overnights")}, {stay}},
        {{QStringLiteral("--day-visits"), QStringLiteral("--annotations"), QStringLiteral("omit")},
         {dinner}},
        {{QStringLiteral("--annotations"), QStringLiteral("include")}, {stay, dinner, call}},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString output = Dir.filePath(QStringLiteral("out%1.ics").arg(++n));
        const CliRun run = Export(c.Options, output);
        ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
        EXPECT_TRUE(run.Out.isEmpty());
        EXPECT_EQ(Summaries(output), c.Summaries) << c.Options.join(u' ').toStdString();
    }
}

TEST_F(IcsCli, TimeZoneOption)
{
    const CliRun run =
        Export({QStringLiteral("--time-zone"), QStringLiteral("America/New_York")}, Output);
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    QFile file(Output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = ContentLines(file.readAll());
    EXPECT_TRUE(lines.contains(QStringLiteral("TZID:America/New_York")));
    EXPECT_TRUE(lines.contains(QStringLiteral("DTSTART;TZID=America/New_York:20040903T180000")));
    EXPECT_TRUE(lines.contains(QStringLiteral("DTEND;TZID=America/New_York:20040905T083000")));
}

// Every zone the system can load: aliases and old names too, as the system's tools take them.
TEST_F(IcsCli, TakesEveryZoneOfTheSystem)
{
    for (const char* zone : {"GMT", "EST5EDT", "America/Godthab", "Europe/London"}) {
        QFile::remove(Output);
        const CliRun run = Export({QStringLiteral("--time-zone"), QLatin1String(zone)}, Output);
        EXPECT_EQ(run.Status, 0) << zone << run.Err.toStdString();
        QFile written(Output);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << zone;
        EXPECT_TRUE(written.readAll().contains(QByteArray("TZID:") + zone)) << zone;
    }
}

TEST_F(IcsCli, RefusesBadValuesAndProtectsFiles)
{
    CliRun run = Export({QStringLiteral("--annotations"), QStringLiteral("hide")}, Output);
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(
        run.Err.startsWith(QStringLiteral("--annotations needs include, transparent or omit\n")));
    run = Export({QStringLiteral("--time-zone"), QStringLiteral("Mars/Olympus_Mons")}, Output);
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(run.Err.startsWith(
        QStringLiteral("--time-zone: the system knows no time zone Mars/Olympus_Mons\n")));
    EXPECT_FALSE(QFile::exists(Output));

    // Never the calendar read, even with --overwrite.
    const QByteArray calendar = [&] {
        QFile file(Input);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    run = Export({QStringLiteral("--overwrite")}, Input);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, QStringLiteral("File ") + Input +
                           QStringLiteral(" is the calendar being read!\nChoose another file "
                                          "to write.\n"));

    // An existing output only with --overwrite; a locked one never.
    ASSERT_EQ(Export({}, Output).Status, 0);
    run = Export({}, Output);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err,
              QStringLiteral("File ") + Output +
                  QStringLiteral(" already exists!\nGive --overwrite to write over it.\n"));
    EXPECT_EQ(Export({QStringLiteral("--overwrite")}, Output).Status, 0);
    ASSERT_TRUE(SetFileLocked(Output, true));
    run = Export({QStringLiteral("--overwrite")}, Output);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, QStringLiteral("Error!  Can't write to ") + Output +
                           QStringLiteral("\nbecause the file is locked!\n"));
    QFile file(Input);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), calendar);
}

TEST_F(IcsCli, HelpNamesEveryOption)
{
    const CliRun run = RunCommand({QStringLiteral("export-ics"), QStringLiteral("--help")});
    EXPECT_EQ(run.Status, 0);
    for (const char* word : {"IN.cdb", "OUT.ics", "--overnights", "--day-visits",
                             "--annotations <MODE>", "--time-zone <Area/City>", "--overwrite"})
        EXPECT_TRUE(run.Out.contains(QLatin1String(word))) << word;
    const CliRun tool = RunCommand({QStringLiteral("--help")});
    EXPECT_TRUE(tool.Out.contains(QStringLiteral("export-ics")));
}

} // namespace
