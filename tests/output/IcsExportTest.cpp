#include "output/IcsTestSupport.h"

#include "calendar/CalendarModel.h"
#include "output/IcsExport.h"
#include "output/MarkRuns.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::ics_test;

namespace {

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

} // namespace
