// The list builder's .ics import. This program also runs with TZ set to UTC, Asia/Tokyo and
// America/Los_Angeles: every result here must be the same on any computer.
#include "patterns/IcsImport.h"
#include "PatternTestSupport.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <atomic>

using namespace custodex;
using namespace custodex::testing;

namespace {

ListTemplate Template(int year, int monthIndex)
{
    ListTemplate list;
    list.ClientName = QStringLiteral("Garcia");
    list.StartYear = year;
    list.StartMonthIndex = monthIndex;
    return list;
}

QByteArray Calendar(const QByteArray& events)
{
    return QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n") + events +
           "END:VCALENDAR\r\n";
}

// "ON 2025-12-20 Reason" for each entry.
QStringList Shown(const std::vector<ListLine>& entries)
{
    QStringList shown;
    for (const ListLine& entry : entries)
        shown << (entry.Kind == ListEntryKind::Overnight ? QStringLiteral("ON ")
                                                         : QStringLiteral("DV ")) +
                     entry.Date.toString(Qt::ISODate) + QLatin1Char(' ') + entry.Reason;
    return shown;
}

QStringList Days(const char* kind, const char* first, const char* last, const char* reason)
{
    QStringList days;
    for (QDate day = QDate::fromString(QLatin1String(first), Qt::ISODate);
         day <= QDate::fromString(QLatin1String(last), Qt::ISODate); day = day.addDays(1))
        days << QLatin1String(kind) + QLatin1Char(' ') + day.toString(Qt::ISODate) +
                    QLatin1Char(' ') + QLatin1String(reason);
    return days;
}

QStringList Day(const char* kind, const char* day, const char* reason)
{
    return Days(kind, day, day, reason);
}

// Span: March 2025 to February 2027.
TEST(IcsImport, EventsBecomeNightsOrDays)
{
    const ListTemplate span = Template(2025, 2);
    const char* winter =
        "BEGIN:VEVENT\r\nUID:1\r\nSUMMARY:Winter break!\r\n"
        "DTSTART;VALUE=DATE:20251220\r\nDTEND;VALUE=DATE:20260103\r\nEND:VEVENT\r\n";
    const char* visit = "BEGIN:VEVENT\r\nUID:2\r\nSUMMARY:Zoo\r\nDTSTART:20250614T100000\r\n"
                        "DTEND:20250614T160000\r\nEND:VEVENT\r\n";
    const char* trip = "BEGIN:VEVENT\r\nUID:3\r\nSUMMARY:Trip\r\n"
                       "DTSTART;TZID=Europe/Berlin:20250704T180000\r\n"
                       "DTEND;TZID=Europe/Berlin:20250706T170000\r\nEND:VEVENT\r\n";
    const char* toMidnight = "BEGIN:VEVENT\r\nUID:4\r\nSUMMARY:Show\r\nDTSTART:20250801T180000\r\n"
                             "DTEND:20250802T000000\r\nEND:VEVENT\r\n";
    const char* lasting = "BEGIN:VEVENT\r\nUID:5\r\nSUMMARY:Camp\r\nDTSTART:20251001T090000\r\n"
                          "DURATION:P2D\r\nEND:VEVENT\r\n";
    const char* backwards = "BEGIN:VEVENT\r\nUID:6\r\nSUMMARY:Odd\r\nDTSTART:20251105T090000\r\n"
                            "DTEND:20251101T090000\r\nEND:VEVENT\r\n";
    // Every other weekend since 2020; one occurrence starts the day before the span, one is
    // taken out by EXDATE.
    const char* weekends = "BEGIN:VEVENT\r\nUID:7\r\nSUMMARY:Weekend\r\n"
                           "DTSTART;VALUE=DATE:20200110\r\nDTEND;VALUE=DATE:20200112\r\n"
                           "RRULE:FREQ=WEEKLY;INTERVAL=2;UNTIL=20250420\r\n"
                           "EXDATE;VALUE=DATE:20250314\r\nEND:VEVENT\r\n";
    // A timed weekly series with one week taken out by a date.
    const char* lessons = "BEGIN:VEVENT\r\nUID:10\r\nSUMMARY:Lesson\r\n"
                          "DTSTART:20250903T150000\r\nDTEND:20250903T160000\r\n"
                          "RRULE:FREQ=WEEKLY;COUNT=3\r\nEXDATE;VALUE=DATE:20250910\r\n"
                          "END:VEVENT\r\n";
    // Daily rules whose limits are checked on each day libical gives.
    const char* weekdays = "BEGIN:VEVENT\r\nUID:12\r\nSUMMARY:Tutor\r\n"
                           "DTSTART:20250901T100000\r\nDTEND:20250901T110000\r\n"
                           "RRULE:FREQ=DAILY;BYDAY=MO,WE;COUNT=4\r\nEND:VEVENT\r\n";
    const char* monthEnds = "BEGIN:VEVENT\r\nUID:13\r\nSUMMARY:Report\r\n"
                            "DTSTART;VALUE=DATE:20200131\r\n"
                            "RRULE:FREQ=DAILY;BYMONTHDAY=-1;BYMONTH=1,2;UNTIL=20260301\r\n"
                            "END:VEVENT\r\n";
    // A start that does not fit its rule (RFC 5545 leaves it open) is no occurrence where
    // libical's expansion leaves it out, and does not count toward COUNT: weekly or daily.
    const char* unfitting = "BEGIN:VEVENT\r\nUID:14\r\nSUMMARY:Choir\r\n"
                            "DTSTART:20250902T170000\r\nDTEND:20250902T180000\r\n"
                            "RRULE:FREQ=WEEKLY;BYDAY=WE;COUNT=2\r\nEND:VEVENT\r\n";
    const char* unfittingDaily = "BEGIN:VEVENT\r\nUID:15\r\nSUMMARY:Choir\r\n"
                                 "DTSTART:20250902T170000\r\nDTEND:20250902T180000\r\n"
                                 "RRULE:FREQ=DAILY;BYDAY=WE;COUNT=2\r\nEND:VEVENT\r\n";
    const char* before =
        "BEGIN:VEVENT\r\nUID:8\r\nSUMMARY:Last winter\r\n"
        "DTSTART;VALUE=DATE:20241220\r\nDTEND;VALUE=DATE:20250103\r\nEND:VEVENT\r\n";
    // Covers the whole span and far more: inside for every day of the span.
    const char* everywhen =
        "BEGIN:VEVENT\r\nUID:11\r\nSUMMARY:Always\r\n"
        "DTSTART;VALUE=DATE:00010101\r\nDTEND;VALUE=DATE:99991231\r\nEND:VEVENT\r\n";

    const struct {
        const char* Name;
        const char* Events;
        ListEntryKind Kind;
        QStringList Expected;
        int Outside;
    } cases[] = {
        {"all-day as nights", winter, ListEntryKind::Overnight,
         Days("ON", "2025-12-20", "2026-01-02", "Winter break"), 0},
        {"all-day as days", winter, ListEntryKind::DayVisit,
         Days("DV", "2025-12-20", "2026-01-02", "Winter break"), 0},
        {"within a day as nights", visit, ListEntryKind::Overnight, Day("ON", "2025-06-14", "Zoo"),
         0},
        {"within a day as days", visit, ListEntryKind::DayVisit, Day("DV", "2025-06-14", "Zoo"), 0},
        {"timed days as nights", trip, ListEntryKind::Overnight,
         Days("ON", "2025-07-04", "2025-07-05", "Trip"), 0},
        {"timed days as days", trip, ListEntryKind::DayVisit,
         Days("DV", "2025-07-04", "2025-07-06", "Trip"), 0},
        {"ending at midnight", toMidnight, ListEntryKind::DayVisit, Day("DV", "2025-08-01", "Show"),
         0},
        {"a duration", lasting, ListEntryKind::Overnight,
         Days("ON", "2025-10-01", "2025-10-02", "Camp"), 0},
        {"an end before the start", backwards, ListEntryKind::Overnight,
         Day("ON", "2025-11-05", "Odd"), 0},
        {"recurring with EXDATE", weekends, ListEntryKind::Overnight,
         Day("ON", "2025-03-01", "Weekend") + Days("ON", "2025-03-28", "2025-03-29", "Weekend") +
             Days("ON", "2025-04-11", "2025-04-12", "Weekend"),
         0},
        {"an EXDATE given as a date on a timed weekly series", lessons, ListEntryKind::DayVisit,
         Day("DV", "2025-09-03", "Lesson") + Day("DV", "2025-09-17", "Lesson"), 0},
        {"daily on chosen weekdays", weekdays, ListEntryKind::DayVisit,
         Day("DV", "2025-09-01", "Tutor") + Day("DV", "2025-09-03", "Tutor") +
             Day("DV", "2025-09-08", "Tutor") + Day("DV", "2025-09-10", "Tutor"),
         0},
        {"daily on the last day of chosen months", monthEnds, ListEntryKind::DayVisit,
         Day("DV", "2026-01-31", "Report") + Day("DV", "2026-02-28", "Report"), 0},
        {"a start that does not fit its weekly rule", unfitting, ListEntryKind::DayVisit,
         Day("DV", "2025-09-03", "Choir") + Day("DV", "2025-09-10", "Choir"), 0},
        {"a start that does not fit its daily rule", unfittingDaily, ListEntryKind::DayVisit,
         Day("DV", "2025-09-03", "Choir") + Day("DV", "2025-09-10", "Choir"), 0},
        {"outside the span", before, ListEntryKind::Overnight, {}, 1},
        {"overlapping the whole span", everywhen, ListEntryKind::Overnight,
         Days("ON", "2025-03-01", "2027-02-28", "Always"), 0},
    };
    for (const auto& c : cases) {
        const IcsImportResult result = ImportIcsEntries(Calendar(c.Events), span, {c.Kind, {}});
        ASSERT_TRUE(result.Ok) << c.Name << ": " << result.Error.toStdString();
        EXPECT_EQ(Shown(result.Entries), c.Expected) << c.Name;
        EXPECT_EQ(result.Events, 1) << c.Name;
        EXPECT_EQ(result.EventsOutside, c.Outside) << c.Name;
        EXPECT_TRUE(result.LeftOut.empty()) << c.Name;
    }

    // Several events at once: date order, the caller's reason for all, counts of each kind.
    const char* undated = "BEGIN:VEVENT\r\nUID:9\r\nSUMMARY:Someday\r\nEND:VEVENT\r\n";
    const QByteArray all = Calendar(QByteArray(winter) + before + visit + undated);
    const IcsImportResult result =
        ImportIcsEntries(all, span, {ListEntryKind::Overnight, QStringLiteral("School")});
    ASSERT_TRUE(result.Ok);
    EXPECT_EQ(Shown(result.Entries),
              Day("ON", "2025-06-14", "School") + Days("ON", "2025-12-20", "2026-01-02", "School"));
    EXPECT_EQ(result.Events, 4);
    EXPECT_EQ(result.EventsOutside, 1);
    EXPECT_EQ(result.LeftOut, (std::vector<IcsLeftOut>{{22, QStringLiteral("Someday"),
                                                        QStringLiteral("it has no start "
                                                                       "(DTSTART).")}}));

    // The same file saved with a UTF-8 byte-order mark reads the same.
    const IcsImportResult marked = ImportIcsEntries(
        "\xEF\xBB\xBF" + all, span, {ListEntryKind::Overnight, QStringLiteral("School")});
    ASSERT_TRUE(marked.Ok) << marked.Error.toStdString();
    EXPECT_EQ(Shown(marked.Entries), Shown(result.Entries));
}

// Files as the common calendar programs write them, each read the same on any computer.
TEST(IcsImport, ReadsWhatCalendarProgramsWrite)
{
    // An online calendar's export: empty values, the calendar's zone named, times in UTC. The
    // meeting is 15:45 to 18:30 in London; the late club 23:30 to 00:30 in London, weekly,
    // with one week taken out by a UTC EXDATE.
    const QByteArray online =
        "BEGIN:VCALENDAR\r\nPRODID:-//Google Inc//Google Calendar 70.9054//EN\r\nVERSION:2.0\r\n"
        "CALSCALE:GREGORIAN\r\nMETHOD:PUBLISH\r\nX-WR-CALNAME:Hillside Primary\r\n"
        "X-WR-TIMEZONE:Europe/London\r\nX-WR-CALDESC:\r\n"
        "BEGIN:VEVENT\r\nDTSTART:20250915T144500Z\r\nDTEND:20250915T173000Z\r\n"
        "DTSTAMP:20250801T120000Z\r\nUID:3q9d2k7f1@google.com\r\nCREATED:20250701T090000Z\r\n"
        "DESCRIPTION:\r\nLAST-MODIFIED:20250701T090000Z\r\nLOCATION:\r\nSEQUENCE:0\r\n"
        "STATUS:CONFIRMED\r\nSUMMARY:Parents' evening\r\nTRANSP:OPAQUE\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20251027\r\nDTEND;VALUE=DATE:20251101\r\n"
        "DTSTAMP:20250801T120000Z\r\nUID:8c1h5m2p0@google.com\r\nDESCRIPTION:\r\n"
        "LOCATION:\r\nSEQUENCE:0\r\nSTATUS:CONFIRMED\r\nSUMMARY:Half term\r\n"
        "TRANSP:TRANSPARENT\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nDTSTART:20251105T233000Z\r\nDTEND:20251106T003000Z\r\n"
        "RRULE:FREQ=WEEKLY;UNTIL=20251119T233000Z\r\nEXDATE:20251112T233000Z\r\n"
        "DTSTAMP:20250801T120000Z\r\nUID:4t7w1x9z3@google.com\r\nDESCRIPTION:\r\n"
        "LOCATION:\r\nSEQUENCE:0\r\nSTATUS:CONFIRMED\r\nSUMMARY:Late club\r\n"
        "TRANSP:OPAQUE\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

    // A desktop mail program's file: its own zone, an X-LIC-ERROR it wrote back, properties
    // of its own, a property and parameters no reader knows.
    const QByteArray desktop =
        "BEGIN:VCALENDAR\r\nPRODID:-//Mozilla.org/NONSGML Mozilla Calendar V1.1//EN\r\n"
        "VERSION:2.0\r\nBEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
        "X-LIC-LOCATION:Europe/Berlin\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\n"
        "TZOFFSETTO:+0200\r\nTZNAME:CEST\r\nDTSTART:19700329T020000\r\n"
        "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\n"
        "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\n"
        "DTSTART:19701025T030000\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\n"
        "END:STANDARD\r\nEND:VTIMEZONE\r\n"
        "BEGIN:VEVENT\r\nCREATED:20250901T080000Z\r\nLAST-MODIFIED:20250901T080500Z\r\n"
        "DTSTAMP:20250901T080500Z\r\nUID:b6f0a9e2-4c1d-4a5e-9f3b-2d8c7e1a0b4f\r\n"
        "SUMMARY;LANGUAGE=de:Swimming\r\n"
        "DTSTART;TZID=Europe/Berlin;X-MOZ-FAKED-MASTER=1;ROLE=X:20250910T230000\r\n"
        "DTEND;TZID=Europe/Berlin:20250911T003000\r\nRRULE:FREQ=WEEKLY;COUNT=2\r\n"
        "X-LIC-ERROR;X-LIC-ERRORTYPE=VALUE-PARSE-ERROR:No value for LOCATION property. "
        "Removing entire property:\r\n"
        "SUBCALENDAR-ID:school\r\nTRANSP:OPAQUE\r\nX-MOZ-GENERATION:2\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;VALUE=DURATION:-PT15M\r\n"
        "DESCRIPTION:Default Mozilla Description\r\nEND:VALARM\r\nEND:VEVENT\r\n"
        "END:VCALENDAR\r\n";

    // A groupware server's recurring meeting: its zone by a Windows name, a UTC UNTIL that
    // falls on the last meeting, a UTC EXDATE and a meeting moved by RECURRENCE-ID in UTC.
    const QByteArray groupware =
        "BEGIN:VCALENDAR\r\nMETHOD:PUBLISH\r\nPRODID:Microsoft Exchange Server 2010\r\n"
        "VERSION:2.0\r\nX-WR-CALNAME:Calendar\r\nBEGIN:VTIMEZONE\r\n"
        "TZID:W. Europe Standard Time\r\nBEGIN:STANDARD\r\nDTSTART:16010101T030000\r\n"
        "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
        "RRULE:FREQ=YEARLY;INTERVAL=1;BYDAY=-1SU;BYMONTH=10\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:16010101T020000\r\nTZOFFSETFROM:+0100\r\n"
        "TZOFFSETTO:+0200\r\nRRULE:FREQ=YEARLY;INTERVAL=1;BYDAY=-1SU;BYMONTH=3\r\n"
        "END:DAYLIGHT\r\nEND:VTIMEZONE\r\n"
        "BEGIN:VEVENT\r\nRRULE:FREQ=WEEKLY;UNTIL=20251104T173000Z;INTERVAL=1;BYDAY=TU;WKST=MO\r\n"
        "EXDATE:20251014T163000Z\r\nUID:040000008200E00074C5B7101A82E00800000000D0\r\n"
        "SUMMARY;LANGUAGE=en-US:Parent council\r\n"
        "DTSTART;TZID=W. Europe Standard Time:20251007T183000\r\n"
        "DTEND;TZID=W. Europe Standard Time:20251007T200000\r\nCLASS:PUBLIC\r\n"
        "PRIORITY:5\r\nDTSTAMP:20250920T101500Z\r\nTRANSP:OPAQUE\r\nSTATUS:CONFIRMED\r\n"
        "SEQUENCE:0\r\nLOCATION;LANGUAGE=en-US:Room 4\r\nX-MICROSOFT-CDO-APPT-SEQUENCE:0\r\n"
        "X-MICROSOFT-CDO-BUSYSTATUS:BUSY\r\nX-MICROSOFT-CDO-INTENDEDSTATUS:BUSY\r\n"
        "X-MICROSOFT-CDO-ALLDAYEVENT:FALSE\r\nX-MICROSOFT-CDO-IMPORTANCE:1\r\n"
        "X-MICROSOFT-CDO-INSTTYPE:1\r\nX-MICROSOFT-DISALLOW-COUNTER:FALSE\r\n"
        "END:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:040000008200E00074C5B7101A82E00800000000D0\r\n"
        "RECURRENCE-ID:20251021T163000Z\r\nSUMMARY;LANGUAGE=en-US:Parent council moved\r\n"
        "DTSTART;TZID=W. Europe Standard Time:20251023T183000\r\n"
        "DTEND;TZID=W. Europe Standard Time:20251023T200000\r\nCLASS:PUBLIC\r\n"
        "PRIORITY:5\r\nDTSTAMP:20250920T101500Z\r\nTRANSP:OPAQUE\r\nSTATUS:CONFIRMED\r\n"
        "SEQUENCE:1\r\nX-MICROSOFT-CDO-INSTTYPE:3\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

    const struct {
        const char* Name;
        QByteArray Bytes;
        QStringList Overnights;
        QStringList DayVisits;
        const char* UtcZone;
    } cases[] = {
        {"online calendar", online,
         Day("ON", "2025-09-15", "Parents' evening") +
             Days("ON", "2025-10-27", "2025-10-31", "Half term") +
             Day("ON", "2025-11-05", "Late club") + Day("ON", "2025-11-19", "Late club"),
         Day("DV", "2025-09-15", "Parents' evening") +
             Days("DV", "2025-10-27", "2025-10-31", "Half term") +
             Days("DV", "2025-11-05", "2025-11-06", "Late club") +
             Days("DV", "2025-11-19", "2025-11-20", "Late club"),
         "Europe/London"},
        {"desktop mail program", desktop,
         Day("ON", "2025-09-10", "Swimming") + Day("ON", "2025-09-17", "Swimming"),
         Days("DV", "2025-09-10", "2025-09-11", "Swimming") +
             Days("DV", "2025-09-17", "2025-09-18", "Swimming"),
         ""},
        {"groupware server", groupware,
         Day("ON", "2025-10-07", "Parent council") +
             Day("ON", "2025-10-23", "Parent council moved") +
             Day("ON", "2025-10-28", "Parent council") + Day("ON", "2025-11-04", "Parent council"),
         Day("DV", "2025-10-07", "Parent council") +
             Day("DV", "2025-10-23", "Parent council moved") +
             Day("DV", "2025-10-28", "Parent council") + Day("DV", "2025-11-04", "Parent council"),
         ""},
    };
    for (const auto& c : cases)
        for (const ListEntryKind kind : {ListEntryKind::Overnight, ListEntryKind::DayVisit}) {
            const IcsImportResult result = ImportIcsEntries(c.Bytes, Template(2025, 8), {kind, {}});
            ASSERT_TRUE(result.Ok) << c.Name << ": " << result.Error.toStdString();
            EXPECT_EQ(Shown(result.Entries),
                      kind == ListEntryKind::Overnight ? c.Overnights : c.DayVisits)
                << c.Name;
            EXPECT_TRUE(result.LeftOut.empty()) << c.Name;
            EXPECT_EQ(result.UtcZone, QString::fromUtf8(c.UtcZone)) << c.Name;
            EXPECT_FALSE(result.UtcZoneIsComputers) << c.Name;
        }
}

TEST(IcsImport, UtcRecurrencePartsAreInstantsInTheEventsZone)
{
    const ListTemplate span = Template(2024, 0);
    // The zone by name only, as many feeds give it. UNTIL is the start itself, in UTC.
    const QByteArray last = Calendar("BEGIN:VEVENT\r\nUID:u1\r\nSUMMARY:Visit\r\n"
                                     "DTSTART;TZID=Europe/Berlin:20240502T110000\r\n"
                                     "DTEND;TZID=Europe/Berlin:20240502T120000\r\n"
                                     "RRULE:FREQ=WEEKLY;UNTIL=20240502T090000Z\r\nEND:VEVENT\r\n");
    // A zone the file defines and an UNTIL in UTC one minute short of the third meeting.
    const QByteArray shortUntil = Calendar(
        "BEGIN:VTIMEZONE\r\nTZID:Pacific\r\nBEGIN:STANDARD\r\nDTSTART:16011104T020000\r\n"
        "TZOFFSETFROM:-0700\r\nTZOFFSETTO:-0800\r\nRRULE:FREQ=YEARLY;BYDAY=1SU;BYMONTH=11\r\n"
        "END:STANDARD\r\nBEGIN:DAYLIGHT\r\nDTSTART:16010310T020000\r\nTZOFFSETFROM:-0800\r\n"
        "TZOFFSETTO:-0700\r\nRRULE:FREQ=YEARLY;BYDAY=2SU;BYMONTH=3\r\nEND:DAYLIGHT\r\n"
        "END:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:u2\r\nSUMMARY:Practice\r\n"
        "DTSTART;TZID=Pacific:20240305T170000\r\nDTEND;TZID=Pacific:20240305T180000\r\n"
        "RRULE:FREQ=WEEKLY;UNTIL=20240320T005900Z\r\nRDATE:20240402T000000Z\r\n"
        "EXDATE;TZID=Europe/Berlin:20240313T010000\r\nEND:VEVENT\r\n");
    const struct {
        const char* Name;
        QByteArray Bytes;
        QStringList Expected;
    } cases[] = {
        {"UNTIL on the start", last, Day("DV", "2024-05-02", "Visit")},
        // 5 March (PST), 12 March (PDT, 01:00 in Berlin on the 13th: excluded); the 19th at
        // 17:00 PDT is 00:00 UTC on the 20th, before UNTIL; the RDATE is 1 April at 17:00.
        {"UNTIL, EXDATE and RDATE through the file's zone", shortUntil,
         Day("DV", "2024-03-05", "Practice") + Day("DV", "2024-03-19", "Practice") +
             Day("DV", "2024-04-01", "Practice")},
    };
    for (const auto& c : cases) {
        const IcsImportResult result =
            ImportIcsEntries(c.Bytes, span, {ListEntryKind::DayVisit, {}});
        ASSERT_TRUE(result.Ok) << c.Name << ": " << result.Error.toStdString();
        EXPECT_EQ(Shown(result.Entries), c.Expected) << c.Name;
    }
}

// UTC start times without a zone named are read in this computer's zone, and the report says
// which; with one VTIMEZONE every event uses, in that zone.
TEST(IcsImport, UtcTimesAreReadInTheCalendarsZoneOrThisComputers)
{
    const QByteArray meeting = "BEGIN:VEVENT\r\nUID:m\r\nSUMMARY:Meeting\r\n"
                               "DTSTART:20250915T144500Z\r\nDTEND:20250915T173000Z\r\n"
                               "END:VEVENT\r\n";
    const ListTemplate span = Template(2025, 8);
    const IcsImportResult computers =
        ImportIcsEntries(Calendar(meeting), span, {ListEntryKind::DayVisit, {}});
    ASSERT_TRUE(computers.Ok);
    EXPECT_TRUE(computers.UtcZoneIsComputers);
    const QTimeZone here = QTimeZone::systemTimeZone();
    EXPECT_EQ(computers.UtcZone, QString::fromUtf8(here.id()));
    QStringList expected;
    for (QDate day =
             QDateTime(QDate(2025, 9, 15), QTime(14, 45), QTimeZone::utc()).toTimeZone(here).date();
         day <=
         QDateTime(QDate(2025, 9, 15), QTime(17, 30), QTimeZone::utc()).toTimeZone(here).date();
         day = day.addDays(1))
        expected << QStringLiteral("DV ") + day.toString(Qt::ISODate) + QStringLiteral(" Meeting");
    EXPECT_EQ(Shown(computers.Entries), expected);
    EXPECT_TRUE(IcsImportReport(computers, 1, QStringLiteral("a.ics"))
                    .endsWith(QStringLiteral("\n\rTimes in UTC were read in this computer's "
                                             "zone, ") +
                              computers.UtcZone + QLatin1Char('.')));

    const QByteArray tokyo =
        "BEGIN:VTIMEZONE\r\nTZID:Tokyo Standard Time\r\nBEGIN:STANDARD\r\n"
        "DTSTART:16010101T000000\r\nTZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\nEND:STANDARD\r\n"
        "END:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:t\r\nSUMMARY:Call\r\n"
        "DTSTART;TZID=Tokyo Standard Time:20250920T100000\r\n"
        "DTEND;TZID=Tokyo Standard Time:20250920T110000\r\nEND:VEVENT\r\n";
    const IcsImportResult zoned =
        ImportIcsEntries(Calendar(tokyo + meeting), span, {ListEntryKind::DayVisit, {}});
    ASSERT_TRUE(zoned.Ok);
    EXPECT_EQ(Shown(zoned.Entries),
              Days("DV", "2025-09-15", "2025-09-16", "Meeting") + Day("DV", "2025-09-20", "Call"));
    EXPECT_EQ(zoned.UtcZone, QStringLiteral("Tokyo Standard Time"));
    EXPECT_FALSE(zoned.UtcZoneIsComputers);
    EXPECT_TRUE(IcsImportReport(zoned, 3, QStringLiteral("a.ics"))
                    .endsWith(QStringLiteral("\n\rTimes in UTC were read in Tokyo Standard "
                                             "Time.")));
}

// One event that cannot be read is left out with its line, summary and reason; the others
// are taken.
TEST(IcsImport, ABrokenEventIsLeftOutAndTheOthersTaken)
{
    const ListTemplate span = Template(2025, 2);
    const QByteArray good = "BEGIN:VEVENT\r\nUID:g\r\nSUMMARY:Good\r\n"
                            "DTSTART;VALUE=DATE:20251220\r\nEND:VEVENT\r\n";
    // Lines 1-3 open the calendar, 4-8 are the good event, the broken one begins at line 9.
    const struct {
        QByteArray Event;
        int Line;
        const char* Summary;
        const char* Reason;
    } cases[] = {
        {"BEGIN:VEVENT\r\nSUMMARY:A\r\nDTSTART;VALUE=DATE:20251220\r\nTHIS IS NOT ICS\r\n"
         "END:VEVENT\r\n",
         12, "A", "this line is no property: THIS IS NOT ICS"},
        {"BEGIN:VEVENT\r\nSUMMARY:B\r\n DESCRIPTION:folded\r\n"
         "DTSTART;VALUE=DATE:2025XX20\r\nEND:VEVENT\r\n",
         12, "BDESCRIPTION:folded", "Can't parse as DATE value in DTSTART property: 2025XX20."},
        {"BEGIN:VEVENT\r\nSUMMARY:C\r\nDTSTART:20251220T100000\r\nRRULE:FREQ=SOMETIMES\r\n"
         "END:VEVENT\r\n",
         12, "C", nullptr},
        {"BEGIN:VEVENT\r\nSUMMARY:D\r\nDTSTART:20251220T100000\r\nRRULE:\r\nEND:VEVENT\r\n", 12,
         "D", "RRULE has no value."},
        {"BEGIN:VEVENT\r\nSUMMARY:E\r\nDTSTART:20251220T100000\r\nDTEND:20251220T1100\r\n"
         "END:VEVENT\r\n",
         12, "E", nullptr},
        {"BEGIN:VEVENT\r\nSUMMARY:F\r\nDTSTART:20251220T100000\r\n", 12, "F",
         "BEGIN:VEVENT comes before its END:VEVENT."},
        {"BEGIN:VEVENT\r\nSUMMARY:G\r\nEND:VEVENT\r\n", 9, "G", "it has no start (DTSTART)."},
    };
    for (const auto& c : cases) {
        const QByteArray bytes = Calendar(good + c.Event + good);
        for (const ListEntryKind kind : {ListEntryKind::Overnight, ListEntryKind::DayVisit}) {
            const IcsImportResult result = ImportIcsEntries(bytes, span, {kind, {}});
            ASSERT_TRUE(result.Ok) << c.Summary << ": " << result.Error.toStdString();
            EXPECT_EQ(Shown(result.Entries),
                      Day(kind == ListEntryKind::Overnight ? "ON" : "DV", "2025-12-20", "Good"))
                << c.Summary;
            ASSERT_EQ(result.LeftOut.size(), 1u) << c.Summary;
            EXPECT_EQ(result.LeftOut[0].Line, c.Line) << c.Summary;
            EXPECT_EQ(result.LeftOut[0].Summary, QString::fromUtf8(c.Summary));
            if (c.Reason)
                EXPECT_EQ(result.LeftOut[0].Reason, QString::fromUtf8(c.Reason));
            else
                EXPECT_FALSE(result.LeftOut[0].Reason.isEmpty());
        }
    }
}

TEST(IcsImport, OnlyAFileThatIsNoCalendarIsRefusedWhole)
{
    const ListTemplate span = Template(2025, 2);
    const struct {
        QByteArray Bytes;
        const char* Message;
    } cases[] = {
        {"Hello\nworld\n", "The file is no iCalendar file: it holds no BEGIN:VCALENDAR line."},
        {"\r\n", "The iCalendar file is empty."},
        {QByteArray("BEGIN:VCALENDAR\r\n\0\0\0END:VCALENDAR\r\n", 33),
         "The file is no iCalendar file: it is not text."},
    };
    for (const auto& c : cases) {
        const IcsImportResult result = ImportIcsEntries(c.Bytes, span, {});
        EXPECT_FALSE(result.Ok) << c.Message;
        EXPECT_EQ(result.Error, QString::fromUtf8(c.Message));
        EXPECT_TRUE(result.Entries.empty());
    }
}

// The report counts in words that agree with their number and names each event left out.
TEST(IcsImport, TheReportCountsAndNamesWhatWasLeftOut)
{
    IcsImportResult result;
    result.Ok = true;
    result.Events = 1;
    EXPECT_EQ(IcsImportReport(result, 1, QStringLiteral("a.ics")),
              QStringLiteral("1 entry added from 1 event of a.ics."));
    result.Events = 7;
    result.EventsOutside = 1;
    result.EventsCancelled = 2;
    result.LeftOut = {{12, QStringLiteral("A"), QStringLiteral("RRULE has no value.")},
                      {40, QStringLiteral("B"), QStringLiteral("it has no start (DTSTART).")}};
    EXPECT_EQ(IcsImportReport(result, 90, QStringLiteral("a.ics"), 1),
              QStringLiteral("90 entries added from 7 events of a.ics.\n\r"
                             "1 event fell outside the list's 24 months and was left out.\n\r"
                             "2 cancelled events were left out.\n\r"
                             "2 events could not be read and were left out:\n\r"
                             "line 12, \"A\": RRULE has no value.\n\r...and 1 more."));
}

// Files made to keep a reader busy or make it fall over: each ends soon, with the good event
// taken. The same files are seeds of the fuzz target (fuzz/make-ics-seeds.py).
TEST(IcsImport, HostileFilesEndWithTheRestImported)
{
    const ListTemplate span = Template(2025, 2);
    const QByteArray good = "BEGIN:VEVENT\r\nUID:g\r\nSUMMARY:Good\r\n"
                            "DTSTART;VALUE=DATE:20251220\r\nEND:VEVENT\r\n";
    const auto never = [](const char* freq) {
        return QByteArray("BEGIN:VEVENT\r\nUID:n\r\nSUMMARY:Never\r\n"
                          "DTSTART:20240101T000000\r\nRRULE:FREQ=") +
               freq + ";BYMONTH=2;BYMONTHDAY=30\r\nEND:VEVENT\r\n";
    };
    QByteArray excluded = "BEGIN:VEVENT\r\nUID:x\r\nSUMMARY:Often\r\n"
                          "DTSTART:20250301T000000\r\nRRULE:FREQ=MINUTELY;COUNT=190000\r\n";
    for (int i = 0; i < 100000; ++i)
        excluded += QDateTime(QDate(2025, 3, 1), QTime(0, 0), QTimeZone::utc())
                        .addSecs(120 * i + 60)
                        .toString(QStringLiteral("'EXDATE:'yyyyMMdd'T'HHmmss\r\n"))
                        .toLatin1();
    excluded += "END:VEVENT\r\n";
    QByteArray crowded;
    for (int i = 0; i < 20000; ++i)
        crowded += "BEGIN:VEVENT\r\nUID:c" + QByteArray::number(i) + "\r\nSUMMARY:Class " +
                   QByteArray::number(i) + "\r\nDTSTART;VALUE=DATE:20250601\r\nEND:VEVENT\r\n";
    const QByteArray nested = QByteArray("BEGIN:X-A\r\n").repeated(20000) + good +
                              QByteArray("END:X-A\r\n").repeated(20000);

    const struct {
        const char* Name;
        QByteArray Events;
        int Taken; // entries
        int Outside;
        int LeftOut;
    } cases[] = {
        {"secondly, never", good + never("SECONDLY"), 1, 0, 1},
        {"minutely, never", good + never("MINUTELY"), 1, 0, 1},
        {"hourly, never", good + never("HOURLY"), 1, 0, 1},
        {"monthly, never", good + never("MONTHLY"), 1, 0, 1},
        {"yearly, never", good + never("YEARLY"), 1, 0, 1},
        // Seconds on the 29th of February: possible, but not for 100,000 seconds from the span.
        {"secondly, rarely",
         good + "BEGIN:VEVENT\r\nUID:r\r\nSUMMARY:Rarely\r\n"
                "DTSTART:20240101T000000\r\nRRULE:FREQ=SECONDLY;BYMONTH=2;"
                "BYMONTHDAY=29\r\nEND:VEVENT\r\n",
         1, 0, 1},
        // A monthly rule limited to months: followed month by month.
        {"monthly in February",
         good + "BEGIN:VEVENT\r\nUID:f\r\nSUMMARY:Feb\r\n"
                "DTSTART;VALUE=DATE:20200115\r\nRRULE:FREQ=MONTHLY;"
                "BYMONTH=2\r\nEND:VEVENT\r\n",
         3, 0, 0},
        {"minutely with 100,000 EXDATEs", good + excluded, 1, 0, 1},
        {"20,000 events on one day", good + crowded, 20001, 0, 0},
        {"20,000 levels of nesting", nested, 1, 0, 0},
        {"two million years",
         good + "BEGIN:VEVENT\r\nUID:l\r\nSUMMARY:Long\r\n"
                "DTSTART:20250301T000000Z\r\nDURATION:P99999999W\r\n"
                "END:VEVENT\r\n",
         731, 0, 0},
    };
    for (const auto& c : cases) {
        const IcsImportResult result =
            ImportIcsEntries(Calendar(c.Events), span, {ListEntryKind::DayVisit, {}});
        ASSERT_TRUE(result.Ok) << c.Name << ": " << result.Error.toStdString();
        EXPECT_EQ(static_cast<int>(result.Entries.size()), c.Taken) << c.Name;
        EXPECT_EQ(result.EventsOutside, c.Outside) << c.Name;
        EXPECT_EQ(static_cast<int>(result.LeftOut.size()), c.LeftOut) << c.Name;
        EXPECT_TRUE(Shown(result.Entries).contains(QStringLiteral("DV 2025-12-20 Good"))) << c.Name;
    }
}

TEST(IcsImport, ACancelledImportGivesNothing)
{
    const std::atomic<bool> cancel{true};
    int reports = 0;
    const IcsImportResult result = ImportIcsEntries(
        Calendar("BEGIN:VEVENT\r\nSUMMARY:A\r\nDTSTART;VALUE=DATE:20251220\r\nEND:VEVENT\r\n"),
        Template(2025, 2), {}, {[&](int, int) { ++reports; }, &cancel});
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_TRUE(result.Entries.empty());
    EXPECT_EQ(reports, 0);
}

} // namespace
