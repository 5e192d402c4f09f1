#include "cli/CliRun.h"

#include "calendar/CalendarFile.h"
#include "calendar/CalendarModel.h"
#include "output/IcsExport.h"
#include "output/MarkRuns.h"
#include "platform/FileLock.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;
using custodex::cli_test::CliRun;
using custodex::cli_test::RunCommand;

QT_BEGIN_NAMESPACE
// Readable failures.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

const QDate SpanStart(2004, 9, 1);

// A calendar from September 2004 to August 2006 whose non-custodial parent is "Dad".
CalendarDocument MakeCalendar(const QString& client = QStringLiteral("Jones"))
{
    CalendarDocument doc;
    doc.ClientName = client;
    doc.UserYear = QStringLiteral("2004");
    doc.SelUserMonth = QStringLiteral("September");
    BuildSpan(doc, 8, 2004);
    doc.NonCustodialName = QStringLiteral("Dad");
    return doc;
}

CalendarDay& DayAt(CalendarDocument& doc, const QDate& date)
{
    return doc.Days.at(static_cast<std::size_t>(SpanStart.daysTo(date)));
}

struct Mark {
    QDate Date;
    const char* Reason;
    const char* Pickup = "<None>";
    const char* Dropoff = "<None>";
};

void MarkDay(CalendarDocument& doc, bool overnight, const Mark& mark)
{
    const DayMarkFields fields = MarkFieldsOf(DayAt(doc, mark.Date), overnight);
    fields.Has = true;
    fields.Reason = QString::fromUtf8(mark.Reason);
    fields.Pickup = QString::fromUtf8(mark.Pickup);
    fields.Dropoff = QString::fromUtf8(mark.Dropoff);
}

void MarkOvernight(CalendarDocument& doc, const Mark& mark)
{
    MarkDay(doc, true, mark);
}

void MarkDayVisit(CalendarDocument& doc, const Mark& mark)
{
    MarkDay(doc, false, mark);
}

QString EventText(const IcsEvent& event)
{
    const QString format =
        event.AllDay ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd HH:mm");
    return event.Summary + QStringLiteral(" | ") + event.Start.toString(format) +
           QStringLiteral(" .. ") + event.End.toString(format) +
           (event.Transparent ? QStringLiteral(" | free") : QString());
}

QStringList EventTexts(const CalendarDocument& doc, const IcsOptions& options = {})
{
    QStringList texts;
    for (const IcsEvent& event : IcsEvents(doc, options))
        texts << EventText(event);
    return texts;
}

// The physical lines of the file, without their CR LF.
QList<QByteArray> PhysicalLines(const QByteArray& bytes)
{
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast();
    for (QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
        line.chop(1);
    }
    return lines;
}

// The content lines, unfolded.
QStringList ContentLines(const QByteArray& bytes)
{
    QByteArray unfolded = bytes;
    unfolded.replace("\r\n ", "");
    QStringList lines = QString::fromUtf8(unfolded).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

struct StayCase {
    const char* Name;
    std::vector<Mark> Overnights;
    QStringList Expected;
};

TEST(IcsStays, RunFromAPickupToTheNextDropoffWhateverTheReasons)
{
    const std::vector<StayCase> cases = {
        {"a stay across a month end is one event, from the pickup to the next morning's dropoff",
         {{{2004, 9, 29}, "Even Weekend", "06:00PM"},
          {{2004, 9, 30}, "Even Weekend"},
          {{2004, 10, 1}, "Even Weekend", "<None>", "08:30AM"}},
         {QStringLiteral("Even Weekend (Dad) | 2004-09-29 18:00 .. 2004-10-02 08:30")}},
        {"reasons differing only in case are named once, as the first night has it",
         {{{2005, 1, 7}, "Weekend", "05:00PM"}, {{2005, 1, 8}, "weekend", "<None>", "12:00PM"}},
         {QStringLiteral("Weekend (Dad) | 2005-01-07 17:00 .. 2005-01-09 12:00")}},
        {"a weekend whose nights carry different reasons keeps its Friday pickup and Sunday "
         "dropoff and names both reasons",
         {{{2005, 7, 8}, "Alt weekend", "06:00PM"},
          {{2005, 7, 9}, "Dad's birthday", "<None>", "05:00PM"}},
         {QStringLiteral("Alt weekend / Dad's birthday (Dad) | 2005-07-08 18:00 .. 2005-07-10 "
                         "17:00")}},
        {"a pickup on a later night does not split a stay that no dropoff ended",
         {{{2005, 7, 15}, "Weekend", "06:00PM"}, {{2005, 7, 16}, "Weekend", "07:00PM", "05:00PM"}},
         {QStringLiteral("Weekend (Dad) | 2005-07-15 18:00 .. 2005-07-17 17:00")}},
        {"a note and a counted night never share a stay",
         {{{2005, 8, 5}, "Weekend", "06:00PM"}, {{2005, 8, 6}, "*Call Dad", "<None>", "05:00PM"}},
         {QStringLiteral("Weekend (Dad) | 2005-08-05 .. 2005-08-07"),
          QStringLiteral("Call Dad (Dad) | 2005-08-06 .. 2005-08-08 | free")}},
        {"a dropoff or an unmarked night ends a stay",
         {{{2005, 3, 1}, "School", "03:00PM", "08:00AM"},
          {{2005, 3, 2}, "Birthday", "03:00PM", "08:00AM"},
          {{2005, 3, 4}, "Birthday", "03:00PM", "08:00AM"}},
         {QStringLiteral("School (Dad) | 2005-03-01 15:00 .. 2005-03-02 08:00"),
          QStringLiteral("Birthday (Dad) | 2005-03-02 15:00 .. 2005-03-03 08:00"),
          QStringLiteral("Birthday (Dad) | 2005-03-04 15:00 .. 2005-03-05 08:00")}},
        {"the first dropoff ends a stay; a later night without times is a stay of its own",
         {{{2005, 4, 1}, "Visit", "09:00AM", "<None>"},
          {{2005, 4, 2}, "Visit", "<None>", "07:15PM"},
          {{2005, 4, 3}, "Visit", "<None>", "<None>"}},
         {QStringLiteral("Visit (Dad) | 2005-04-01 09:00 .. 2005-04-03 19:15"),
          QStringLiteral("Visit (Dad) | 2005-04-03 .. 2005-04-05")}},
        {"a stay reaching the calendar's last day ends the morning after it, outside the span",
         {{{2006, 8, 30}, "Summer", "10:00AM"}, {{2006, 8, 31}, "Summer", "<None>", "06:00PM"}},
         {QStringLiteral("Summer (Dad) | 2006-08-30 10:00 .. 2006-09-01 18:00")}},
        {"without both times a stay is all-day, the dropoff morning included",
         {{{2005, 2, 27}, "Ski trip"}, {{2005, 2, 28}, "Ski trip"}, {{2005, 3, 1}, "Ski trip"}},
         {QStringLiteral("Ski trip (Dad) | 2005-02-27 .. 2005-03-03")}},
        {"a pickup alone is not enough for times",
         {{{2005, 5, 6}, "NN-Odd Camping", "06:00PM"}},
         {QStringLiteral("Odd Camping (Dad) | 2005-05-06 .. 2005-05-08")}},
        {"a blank reason shows only who has the child; midnight and noon read right",
         {{{2005, 6, 10}, " ", "12:00AM", "12:30PM"}},
         {QStringLiteral("Dad | 2005-06-10 00:00 .. 2005-06-11 12:30")}},
    };
    for (const StayCase& c : cases) {
        CalendarDocument doc = MakeCalendar();
        for (const Mark& mark : c.Overnights)
            MarkOvernight(doc, mark);
        EXPECT_EQ(EventTexts(doc), c.Expected) << c.Name;
    }
}

// The summary is the user's own text: pattern words stay, the no-nap prefix and a note's star
// go; each reason once, ignoring case, in order of first appearance.
TEST(IcsStays, SummaryNamesTheReasonsAsTyped)
{
    const struct {
        QStringList Reasons;
        const char* Summary;
    } cases[] = {
        {{QStringLiteral("All Saints trip")}, "All Saints trip (Dad)"},
        {{QStringLiteral("Even Weekend")}, "Even Weekend (Dad)"},
        {{QStringLiteral("NN-Odd Camping")}, "Odd Camping (Dad)"},
        {{QStringLiteral("*Dentist note")}, "Dentist note (Dad)"},
        {{QStringLiteral("Alt weekend"), QStringLiteral("NN-dad's birthday"),
          QStringLiteral("ALT WEEKEND"), QStringLiteral(" "), QStringLiteral("Dad's Birthday")},
         "Alt weekend / dad's birthday (Dad)"},
        {{QStringLiteral(" "), QStringLiteral(" ")}, "Dad"},
    };
    const CalendarDocument doc = MakeCalendar();
    for (const auto& c : cases)
        EXPECT_EQ(IcsSummary(doc, c.Reasons), QString::fromUtf8(c.Summary)) << c.Summary;

    // A typed reason reaches the file as typed, for stays and day visits alike.
    CalendarDocument trip = MakeCalendar();
    MarkOvernight(trip, {{2005, 10, 31}, "All Saints trip", "04:00PM", "10:00AM"});
    MarkDayVisit(trip, {{2005, 11, 2}, "All day at the fair", "10:00AM", "06:00PM"});
    const QStringList lines = ContentLines(IcsFileBytes(trip, {}));
    EXPECT_TRUE(lines.contains(QStringLiteral("SUMMARY:All Saints trip (Dad)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("SUMMARY:All day at the fair (Dad)")));
}

TEST(IcsStays, PrintedListsSplitRunsAtMonthEnds)
{
    CalendarDocument doc = MakeCalendar();
    for (int day = 30; day <= 33; ++day)
        MarkOvernight(doc, {QDate(2005, 1, 1).addDays(day - 1), "Christmas"});
    auto spans = [&](MonthEnds ends) {
        QStringList texts;
        for (const MarkRun& run : FindMarkRuns(doc, true, ends))
            texts << QStringLiteral("%1-%2").arg(run.FirstDay).arg(run.LastDay);
        return texts;
    };
    // January 30 is day 151 of a span starting September 1.
    EXPECT_EQ(spans(MonthEnds::Join), QStringList{QStringLiteral("151-154")});
    EXPECT_EQ(spans(MonthEnds::Split),
              (QStringList{QStringLiteral("151-152"), QStringLiteral("153-154")}));
}

TEST(IcsDayVisits, OneEventPerVisitTimedOrAllDay)
{
    CalendarDocument doc = MakeCalendar();
    doc.NonCustodialName.clear(); // the default title is used
    MarkDayVisit(doc, {{2004, 9, 4}, "Soccer", "09:00AM", "01:30PM"});
    MarkDayVisit(doc, {{2004, 9, 5}, "Soccer", "<None>", "<None>"});
    MarkDayVisit(doc, {{2004, 9, 6}, "Late", "09:00PM", "09:00PM"});
    MarkOvernight(doc, {{2004, 9, 6}, "Weekend", "06:00PM", "08:00AM"});
    EXPECT_EQ(EventTexts(doc),
              (QStringList{
                  QStringLiteral("Soccer (Non-Custodial) | 2004-09-04 09:00 .. 2004-09-04 13:30"),
                  QStringLiteral("Soccer (Non-Custodial) | 2004-09-05 .. 2004-09-06"),
                  QStringLiteral("Weekend (Non-Custodial) | 2004-09-06 18:00 .. 2004-09-07 08:00"),
                  // An end not after the start would be refused by calendar programs.
                  QStringLiteral("Late (Non-Custodial) | 2004-09-06 21:00 .. 2004-09-07 21:00")}));

    IcsOptions onlyVisits;
    onlyVisits.Overnights = false;
    EXPECT_EQ(EventTexts(doc, onlyVisits).size(), 3);
    IcsOptions onlyStays;
    onlyStays.DayVisits = false;
    EXPECT_EQ(EventTexts(doc, onlyStays),
              QStringList{QStringLiteral(
                  "Weekend (Non-Custodial) | 2004-09-06 18:00 .. 2004-09-07 08:00")});
}

TEST(IcsAnnotations, IncludedFreeOrLeftOut)
{
    CalendarDocument doc = MakeCalendar();
    MarkOvernight(doc, {{2004, 10, 1}, "*Dentist note"});
    MarkDayVisit(doc, {{2004, 10, 2}, "*Call", "10:00AM", "10:30AM"});
    MarkDayVisit(doc, {{2004, 10, 3}, "Zoo", "10:00AM", "04:00PM"});
    const QString zoo = QStringLiteral("Zoo (Dad) | 2004-10-03 10:00 .. 2004-10-03 16:00");
    const struct {
        IcsAnnotations Rule;
        QStringList Expected;
    } cases[] = {
        {IcsAnnotations::Include,
         {QStringLiteral("Dentist note (Dad) | 2004-10-01 .. 2004-10-03"),
          QStringLiteral("Call (Dad) | 2004-10-02 10:00 .. 2004-10-02 10:30"), zoo}},
        {IcsAnnotations::Transparent,
         {QStringLiteral("Dentist note (Dad) | 2004-10-01 .. 2004-10-03 | free"),
          QStringLiteral("Call (Dad) | 2004-10-02 10:00 .. 2004-10-02 10:30 | free"), zoo}},
        {IcsAnnotations::Omit, {zoo}},
    };
    for (const auto& c : cases) {
        IcsOptions options;
        options.Annotations = c.Rule;
        EXPECT_EQ(EventTexts(doc, options), c.Expected) << static_cast<int>(c.Rule);
    }
    IcsOptions transparent;
    const QStringList lines = ContentLines(IcsFileBytes(doc, transparent));
    EXPECT_EQ(lines.count(QStringLiteral("TRANSP:TRANSPARENT")), 2);
}

TEST(IcsUids, StableForTheSameCalendarKindAndFirstDay)
{
    auto uids = [](const CalendarDocument& doc) {
        QStringList list;
        for (const IcsEvent& event : IcsEvents(doc, {}))
            list << event.Uid;
        return list;
    };
    CalendarDocument doc = MakeCalendar();
    MarkOvernight(doc, {{2004, 9, 10}, "Weekend", "06:00PM", "08:00AM"});
    MarkDayVisit(doc, {{2004, 9, 10}, "Lunch", "12:00PM", "01:00PM"});
    const QStringList first = uids(doc);
    ASSERT_EQ(first.size(), 2);
    EXPECT_NE(first[0], first[1]); // a stay and a visit on one day stay apart
    EXPECT_TRUE(first[0].startsWith(QStringLiteral("stay-20040910-")));
    EXPECT_TRUE(first[1].startsWith(QStringLiteral("visit-20040910-")));

    // A revised schedule: other reasons, times and a longer stay keep the UIDs.
    CalendarDocument revised = MakeCalendar();
    MarkOvernight(revised, {{2004, 9, 10}, "Long weekend", "05:00PM"});
    MarkOvernight(revised, {{2004, 9, 11}, "Long weekend", "<None>", "06:00PM"});
    MarkDayVisit(revised, {{2004, 9, 10}, "Dinner", "05:00PM", "07:00PM"});
    EXPECT_EQ(uids(revised), first);

    // A weekend whose Saturday night got a reason of its own stays one event under its UID.
    CalendarDocument weekend = MakeCalendar();
    MarkOvernight(weekend, {{2004, 9, 10}, "Weekend", "06:00PM"});
    MarkOvernight(weekend, {{2004, 9, 11}, "Weekend", "<None>", "05:00PM"});
    const QStringList before = uids(weekend);
    DayAt(weekend, {2004, 9, 11}).OvernightReason = QStringLiteral("Birthday");
    EXPECT_EQ(uids(weekend), before);
    EXPECT_EQ(before, QStringList{first[0]});

    // Another client's calendar does not collide.
    CalendarDocument other = MakeCalendar(QStringLiteral("Smith"));
    MarkOvernight(other, {{2004, 9, 10}, "Weekend", "06:00PM", "08:00AM"});
    EXPECT_NE(uids(other).at(0), first[0]);
}

TEST(IcsText, EscapesAndFoldsWithinCharacters)
{
    const struct {
        const char* Text;
        const char* Escaped;
    } escapes[] = {
        {"a,b;c\\d", "a\\,b\\;c\\\\d"},
        {"one\r\ntwo\nthree\rfour", "one\\ntwo\\nthree\\nfour"},
        {"bell\x07tab\t", "belltab\t"},
    };
    for (const auto& c : escapes)
        EXPECT_EQ(EscapeIcsText(QString::fromUtf8(c.Text)), QString::fromUtf8(c.Escaped));

    // A 100-character reason with commas, semicolons and two-byte characters, placed so
    // that a plain 75-octet cut would fall inside an "é".
    QString reason;
    while (reason.size() < 100)
        reason += QStringLiteral("é,x;y é ");
    reason = reason.left(100);
    ASSERT_EQ(reason.size(), ReasonCapacity);
    CalendarDocument doc = MakeCalendar();
    MarkOvernight(doc, {{2004, 12, 24}, "Christmas", "06:00PM", "08:00AM"});
    DayAt(doc, {2004, 12, 24}).OvernightReason = reason;
    for (int shift = 0; shift < 3; ++shift) {
        doc.NonCustodialName = QStringLiteral("Dad") + QString(shift, QLatin1Char('d'));
        const QByteArray bytes = IcsFileBytes(doc, {});
        EXPECT_FALSE(bytes.contains("\n\n"));
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
        for (const QByteArray& line : PhysicalLines(bytes)) {
            EXPECT_LE(line.size(), 75) << line.toStdString();
            QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = strict(line);
            EXPECT_FALSE(strict.hasError()) << "a character split across lines";
            EXPECT_FALSE(decoded.contains(QChar::ReplacementCharacter));
        }
        const QString summary = QStringLiteral("SUMMARY:") + EscapeIcsText(reason) +
                                QStringLiteral(" (") + doc.NonCustodialName + QLatin1Char(')');
        EXPECT_TRUE(ContentLines(bytes).contains(summary)) << shift;
    }
    EXPECT_EQ(FoldIcsLine(QByteArray(75, 'a')), QByteArray(75, 'a') + "\r\n");
    EXPECT_EQ(FoldIcsLine(QByteArray(76, 'a')),
              QByteArray(75, 'a') + "\r\n " + QByteArray(1, 'a') + "\r\n");
    EXPECT_EQ(FoldIcsLine(QByteArray(74, 'a') + "\xc3\xa9"),
              QByteArray(74, 'a') + "\r\n \xc3\xa9\r\n");
}

TEST(IcsFile, CalendarFrame)
{
    CalendarDocument doc = MakeCalendar();
    MarkOvernight(doc, {{2004, 9, 3}, "Weekend", "06:00PM", "08:30AM"});
    MarkDayVisit(doc, {{2004, 9, 11}, "Park"});
    IcsOptions options;
    options.Stamp = QDateTime(QDate(2026, 12, 10), QTime(13, 0), Qt::UTC);
    const QStringList lines = ContentLines(IcsFileBytes(doc, options));
    const QString key = IcsEvents(doc, options).at(0).Uid.section(QLatin1Char('-'), 2);
    EXPECT_EQ(lines, (QStringList{
                         QStringLiteral("BEGIN:VCALENDAR"),
                         QStringLiteral("VERSION:2.0"),
                         QStringLiteral("PRODID:-//Custodex//Custodex Calendar//EN"),
                         QStringLiteral("CALSCALE:GREGORIAN"),
                         QStringLiteral("X-WR-CALNAME:Jones"),
                         QStringLiteral("BEGIN:VEVENT"),
                         QStringLiteral("UID:stay-20040903-") + key,
                         QStringLiteral("DTSTAMP:20261210T130000Z"),
                         QStringLiteral("DTSTART:20040903T180000"),
                         QStringLiteral("DTEND:20040904T083000"),
                         QStringLiteral("SUMMARY:Weekend (Dad)"),
                         QStringLiteral("END:VEVENT"),
                         QStringLiteral("BEGIN:VEVENT"),
                         QStringLiteral("UID:visit-20040911-") + key,
                         QStringLiteral("DTSTAMP:20261210T130000Z"),
                         QStringLiteral("DTSTART;VALUE=DATE:20040911"),
                         QStringLiteral("DTEND;VALUE=DATE:20040912"),
                         QStringLiteral("SUMMARY:Park (Dad)"),
                         QStringLiteral("END:VEVENT"),
                         QStringLiteral("END:VCALENDAR"),
                     }));
}

// The lines of the VTIMEZONE block, or nothing.
QStringList TimeZoneLines(const QStringList& lines)
{
    const qsizetype begin = lines.indexOf(QStringLiteral("BEGIN:VTIMEZONE"));
    const qsizetype end = lines.indexOf(QStringLiteral("END:VTIMEZONE"));
    if (begin < 0 || end < begin)
        return {};
    return lines.mid(begin, end - begin + 1);
}

TEST(IcsTimeZones, EachChoiceWritesItsRulesForTheSpan)
{
    CalendarDocument doc = MakeCalendar();
    MarkOvernight(doc, {{2004, 9, 3}, "Weekend", "06:00PM", "08:30AM"});
    MarkDayVisit(doc, {{2005, 7, 4}, "Picnic"});
    const struct {
        const char* Zone;
        const char* Start;                    // the stay's start line
        std::vector<const char*> Observances; // BEGIN, DTSTART, FROM, TO of each, in order
    } cases[] = {
        {"", "DTSTART:20040903T180000", {}},
        {"Europe/Berlin",
         "DTSTART;TZID=Europe/Berlin:20040903T180000",
         {"DAYLIGHT 20040328T020000 +0100 +0200", "STANDARD 20041031T030000 +0200 +0100",
          "DAYLIGHT 20050327T020000 +0100 +0200", "STANDARD 20051030T030000 +0200 +0100",
          "DAYLIGHT 20060326T020000 +0100 +0200"}},
        // Summer is in January down south; 2006 had a late end for the Commonwealth Games.
        {"Australia/Sydney",
         "DTSTART;TZID=Australia/Sydney:20040903T180000",
         {"STANDARD 20040328T030000 +1100 +1000", "DAYLIGHT 20041031T020000 +1000 +1100",
          "STANDARD 20050327T030000 +1100 +1000", "DAYLIGHT 20051030T020000 +1000 +1100",
          "STANDARD 20060402T030000 +1100 +1000"}},
        // No change within the span: the last one before it, with a half-hour offset.
        {"Asia/Kolkata",
         "DTSTART;TZID=Asia/Kolkata:20040903T180000",
         {"STANDARD 19451015T000000 +0630 +0530"}},
        // A zone that never changed.
        {"UTC", "DTSTART;TZID=UTC:20040903T180000", {"STANDARD 19700101T000000 +0000 +0000"}},
    };
    for (const auto& c : cases) {
        IcsOptions options;
        options.TimeZone = QString::fromUtf8(c.Zone);
        if (!options.TimeZone.isEmpty()) {
            ASSERT_TRUE(IsKnownTimeZone(options.TimeZone)) << c.Zone;
        }
        const QStringList lines = ContentLines(IcsFileBytes(doc, options));
        EXPECT_TRUE(lines.contains(QString::fromUtf8(c.Start))) << c.Zone;
        // All-day events carry dates, never a zone.
        EXPECT_TRUE(lines.contains(QStringLiteral("DTSTART;VALUE=DATE:20050704"))) << c.Zone;
        const QStringList zone = TimeZoneLines(lines);
        QStringList observances;
        for (qsizetype i = 0; i < zone.size(); ++i) {
            const QString& line = zone[i];
            if (line != QStringLiteral("BEGIN:STANDARD") &&
                line != QStringLiteral("BEGIN:DAYLIGHT"))
                continue;
            observances << line.mid(6) + QLatin1Char(' ') + zone[i + 1].mid(8) + QLatin1Char(' ') +
                               zone[i + 2].mid(13) + QLatin1Char(' ') + zone[i + 3].mid(11);
        }
        QStringList expected;
        for (const char* each : c.Observances)
            expected << QString::fromUtf8(each);
        EXPECT_EQ(observances, expected) << c.Zone;
        if (!options.TimeZone.isEmpty()) {
            EXPECT_EQ(zone.value(1), QStringLiteral("TZID:") + options.TimeZone);
        }
    }
    EXPECT_FALSE(IsKnownTimeZone(QStringLiteral("Mars/Olympus_Mons")));
    EXPECT_FALSE(IsKnownTimeZone(QString()));
}

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
