#include "patterns/ListTemplate.h"
#include "PatternTestSupport.h"
#include "calendar/TextCodec.h"
#include "patterns/IcsImport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

using namespace custodex;
using namespace custodex::testing;

namespace {

ListTemplate Template(const QString& client, int year, int monthIndex)
{
    ListTemplate list;
    list.ClientName = client;
    list.StartYear = year;
    list.StartMonthIndex = monthIndex;
    return list;
}

ListLine Entry(ListEntryKind kind, const char* date, const char* reason)
{
    return {true, kind, QDate::fromString(QLatin1String(date), Qt::ISODate),
            QString::fromUtf8(reason), QString()};
}

// The warnings "Apply/Remove a Custom List" would ask before using the file.
std::vector<TemplateWarning> WarningsFor(const ListTemplate& list)
{
    CalendarDocument doc = SpanFrom(list.StartMonthIndex, list.StartYear);
    doc.UserYear = QString::number(list.StartYear);
    doc.SelUserMonth = DisplayMonthNames().at(list.StartMonthIndex);
    return TemplateDateWarnings(doc, QStringLiteral("/clients/") + ProposedTemplateFileName(list),
                                TemplateHeaderLine(list));
}

TEST(ListTemplate, WritesTheHeaderAndEntriesInDateOrderWithCrLf)
{
    ListTemplate list = Template(QStringLiteral("Garcia"), 2025, 2);
    list.Lines.push_back({false, ListEntryKind::Overnight, {}, {}, QStringLiteral("# kept")});
    InsertEntry(list, Entry(ListEntryKind::DayVisit, "2026-04-06", "Spring camp"));
    InsertEntry(list, Entry(ListEntryKind::Overnight, "2025-12-24", "Winter break"));
    InsertEntry(list, Entry(ListEntryKind::Overnight, "2025-12-25", "Winter break"));
    EXPECT_FALSE(InsertEntry(list, Entry(ListEntryKind::Overnight, "2025-12-24", "Winter break")));

    EXPECT_EQ(ProposedTemplateFileName(list), QStringLiteral("2025 March Garcia Custom List.tcl"));
    EXPECT_EQ(TemplateFileBytes(list), QByteArray("March 2025 Custom List for Garcia\r\n"
                                                  "# kept\r\n"
                                                  "ON December 24, 2025 Winter break\r\n"
                                                  "ON December 25, 2025 Winter break\r\n"
                                                  "DV April 6, 2026 Spring camp\r\n"));
    EXPECT_TRUE(WarningsFor(list).empty());
    EXPECT_TRUE(IsInSpan(list, QDate(2025, 3, 1)));
    EXPECT_TRUE(IsInSpan(list, QDate(2027, 2, 28)));
    EXPECT_FALSE(IsInSpan(list, QDate(2025, 2, 28)));
    EXPECT_FALSE(IsInSpan(list, QDate(2027, 3, 1)));
}

// Many entries at once land exactly where adding them one by one would put them, also in a
// hand-edited list whose entries are out of order and among lines that are no entries.
TEST(ListTemplate, EntriesAddedTogetherLandAsAddedOneByOne)
{
    ListTemplate start = Template(QStringLiteral("Garcia"), 2025, 2);
    const ListLine kept{false, ListEntryKind::Overnight, {}, {}, QStringLiteral("# kept")};
    start.Lines = {kept,
                   Entry(ListEntryKind::Overnight, "2025-12-24", "Winter break"),
                   kept,
                   Entry(ListEntryKind::Overnight, "2025-04-01", "Out of order"),
                   Entry(ListEntryKind::DayVisit, "2026-06-01", "Camp"),
                   kept};
    // A reproducible mix: repeats of each other and of the list, equal dates, reasons that
    // differ only in case, dates before, between and after the old entries.
    std::vector<ListLine> batch;
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
    const char* reasons[] = {"Winter break", "winter break", "Camp", "Out of order"};
    for (int i = 0; i < 400; ++i)
        batch.push_back({true, next() % 2 ? ListEntryKind::Overnight : ListEntryKind::DayVisit,
                         QDate(2025, 3, 1).addDays(static_cast<int>(next() % 730)),
                         QString::fromUtf8(reasons[next() % 4]), QString()});
    batch.push_back(Entry(ListEntryKind::Overnight, "2025-12-24", "Winter break"));

    ListTemplate oneByOne = start;
    int addedOneByOne = 0;
    for (const ListLine& entry : batch)
        addedOneByOne += InsertEntry(oneByOne, entry) ? 1 : 0;
    ListTemplate together = start;
    EXPECT_EQ(InsertEntries(together, batch), addedOneByOne);
    EXPECT_EQ(together.Lines, oneByOne.Lines);
    EXPECT_EQ(InsertEntries(together, batch), 0);
    EXPECT_EQ(together.Lines, oneByOne.Lines);
}

// An import near the cap: a whole span of nightly and daily entries, each several times.
TEST(ListTemplate, TensOfThousandsOfEntriesAreAddedInOnePass)
{
    ListTemplate list = Template(QStringLiteral("Garcia"), 2025, 2);
    std::vector<ListLine> batch;
    for (int copy = 0; copy < 40; ++copy)
        for (int day = 0; day < 730; ++day)
            for (const ListEntryKind kind : {ListEntryKind::Overnight, ListEntryKind::DayVisit})
                batch.push_back({true, kind, QDate(2025, 3, 1).addDays(day),
                                 QStringLiteral("Event %1").arg(copy), QString()});
    EXPECT_EQ(InsertEntries(list, batch), 58400);
    EXPECT_EQ(EntryCount(list), 58400);
    EXPECT_TRUE(std::is_sorted(list.Lines.begin(), list.Lines.end(),
                               [](const ListLine& a, const ListLine& b) { return a.Date < b.Date; }));
}

// The file name must name the start month and no later month, or the reader asks.
TEST(ListTemplate, TheProposedNamePassesTheReadersDateChecks)
{
    const struct {
        const char* Client;
        int MonthIndex;
        const char* Name;
    } cases[] = {
        {"Garcia", 2, "2025 March Garcia Custom List.tcl"},
        {"Augustine Mayfield", 2, "2025 March Augus_tine Ma_yfield Custom List.tcl"},
        {"Junejuly", 0, "2025 January Jun_ejul_y Custom List.tcl"},
        {"December Smith", 11, "2025 December December Smith Custom List.tcl"},
        {"O'Neil/Smith", 8, "2025 September O'Neil_Smith Custom List.tcl"},
    };
    for (const auto& c : cases) {
        const ListTemplate list = Template(QString::fromUtf8(c.Client), 2025, c.MonthIndex);
        EXPECT_EQ(ProposedTemplateFileName(list), QString::fromUtf8(c.Name)) << c.Client;
        EXPECT_TRUE(WarningsFor(list).empty()) << c.Client;
    }
}

TEST(ListTemplate, ReadsBackWhatItWrites)
{
    ListTemplate list = Template(QStringLiteral("Núñez"), 2025, 8);
    InsertEntry(list, Entry(ListEntryKind::Overnight, "2025-12-24", "Nöel ✓ with father"));
    InsertEntry(list, Entry(ListEntryKind::DayVisit, "2026-01-01", "New Year"));
    list.Lines.push_back({false, ListEntryKind::Overnight, {}, {}, QStringLiteral("ON Fooday 1")});
    const QByteArray bytes = TemplateFileBytes(list);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")); // "✓" is no Windows-1252 character

    const CustomListTemplate read = ParseCustomListTemplate(DecodeText(bytes));
    const QString path = QStringLiteral("/c/") + ProposedTemplateFileName(list);
    const ListTemplate again = ListTemplateFromRead(read, path, ListTemplate{});
    EXPECT_EQ(again.ClientName, list.ClientName);
    EXPECT_EQ(again.StartYear, 2025);
    EXPECT_EQ(again.StartMonthIndex, 8);
    EXPECT_TRUE(again.Lines == list.Lines);
    EXPECT_EQ(TemplateFileBytes(again), bytes);
}

TEST(ListTemplate, ReasonRules)
{
    const struct {
        const char* Text;
        const char* Cleaned;
    } cleaned[] = {
        {"Winter break!", "Winter break"},
        {"Fair; day 1", "Fair day 1"},
        {"  two\r\nlines ", "two lines"},
        {" ;! ", "Overnight"},
    };
    for (const auto& c : cleaned)
        EXPECT_EQ(CleanImportedReason(QString::fromUtf8(c.Text), QStringLiteral("Overnight")),
                  QString::fromUtf8(c.Cleaned));
    EXPECT_EQ(CleanImportedReason(QString(130, QLatin1Char('x')), QString()).size(), 100);

    EXPECT_FALSE(ListReasonProblem(QStringLiteral("Winter break")));
    for (const QString& bad : {QStringLiteral("Hi!"), QStringLiteral("a;b"), QStringLiteral(" "),
                               QString(101, QLatin1Char('x')), QStringLiteral("a\nb")})
        EXPECT_TRUE(ListReasonProblem(bad)) << bad.toStdString();
}

QByteArray Calendar(const char* events)
{
    return QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n") + events +
           "END:VCALENDAR\r\n";
}

// "ON 2025-12-20" for each entry.
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

// Span: March 2025 to February 2027.
TEST(IcsImport, EventsBecomeNightsOrDays)
{
    const ListTemplate span = Template(QStringLiteral("Garcia"), 2025, 2);
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
    const char* before =
        "BEGIN:VEVENT\r\nUID:8\r\nSUMMARY:Last winter\r\n"
        "DTSTART;VALUE=DATE:20241220\r\nDTEND;VALUE=DATE:20250103\r\nEND:VEVENT\r\n";
    const char* undated = "BEGIN:VEVENT\r\nUID:9\r\nSUMMARY:Someday\r\nEND:VEVENT\r\n";

    const struct {
        const char* Name;
        const char* Events;
        ListEntryKind Kind;
        QStringList Expected;
        int Outside;
        int Undated;
    } cases[] = {
        {"all-day as nights", winter, ListEntryKind::Overnight,
         Days("ON", "2025-12-20", "2026-01-02", "Winter break"), 0, 0},
        {"all-day as days", winter, ListEntryKind::DayVisit,
         Days("DV", "2025-12-20", "2026-01-02", "Winter break"), 0, 0},
        {"within a day as nights", visit, ListEntryKind::Overnight,
         Days("ON", "2025-06-14", "2025-06-14", "Zoo"), 0, 0},
        {"within a day as days", visit, ListEntryKind::DayVisit,
         Days("DV", "2025-06-14", "2025-06-14", "Zoo"), 0, 0},
        {"timed days as nights", trip, ListEntryKind::Overnight,
         Days("ON", "2025-07-04", "2025-07-05", "Trip"), 0, 0},
        {"timed days as days", trip, ListEntryKind::DayVisit,
         Days("DV", "2025-07-04", "2025-07-06", "Trip"), 0, 0},
        {"ending at midnight", toMidnight, ListEntryKind::DayVisit,
         Days("DV", "2025-08-01", "2025-08-01", "Show"), 0, 0},
        {"a duration", lasting, ListEntryKind::Overnight,
         Days("ON", "2025-10-01", "2025-10-02", "Camp"), 0, 0},
        {"an end before the start", backwards, ListEntryKind::Overnight,
         Days("ON", "2025-11-05", "2025-11-05", "Odd"), 0, 0},
        {"recurring with EXDATE", weekends, ListEntryKind::Overnight,
         Days("ON", "2025-03-01", "2025-03-01", "Weekend") +
             Days("ON", "2025-03-28", "2025-03-29", "Weekend") +
             Days("ON", "2025-04-11", "2025-04-12", "Weekend"),
         0, 0},
        {"outside the span", before, ListEntryKind::Overnight, {}, 1, 0},
        {"no start", undated, ListEntryKind::Overnight, {}, 0, 1},
    };
    for (const auto& c : cases) {
        const IcsImportResult result = ImportIcsEntries(Calendar(c.Events), span, {c.Kind, {}});
        ASSERT_TRUE(result.Ok) << c.Name << ": " << result.Error.toStdString();
        EXPECT_EQ(Shown(result.Entries), c.Expected) << c.Name;
        EXPECT_EQ(result.Events, 1) << c.Name;
        EXPECT_EQ(result.EventsOutside, c.Outside) << c.Name;
        EXPECT_EQ(result.EventsUndated, c.Undated) << c.Name;
    }

    // Several events at once: date order, the caller's reason for all, counts of each kind.
    const QByteArray all = Calendar(QByteArray(winter) + before + visit + undated);
    const IcsImportResult result =
        ImportIcsEntries(all, span, {ListEntryKind::Overnight, QStringLiteral("School")});
    ASSERT_TRUE(result.Ok);
    EXPECT_EQ(Shown(result.Entries), Days("ON", "2025-06-14", "2025-06-14", "School") +
                                         Days("ON", "2025-12-20", "2026-01-02", "School"));
    EXPECT_EQ(result.Events, 4);
    EXPECT_EQ(result.EventsOutside, 1);
    EXPECT_EQ(result.EventsUndated, 1);

    // The same file saved with a UTF-8 byte-order mark reads the same.
    const IcsImportResult marked = ImportIcsEntries(
        "\xEF\xBB\xBF" + all, span, {ListEntryKind::Overnight, QStringLiteral("School")});
    ASSERT_TRUE(marked.Ok) << marked.Error.toStdString();
    EXPECT_EQ(Shown(marked.Entries), Shown(result.Entries));
}

TEST(IcsImport, ABrokenFileNamesItsLineAndGivesNothing)
{
    const ListTemplate span = Template(QStringLiteral("Garcia"), 2025, 2);
    const struct {
        QByteArray Bytes;
        const char* Message;
    } cases[] = {
        {Calendar("BEGIN:VEVENT\r\nSUMMARY:A\r\nDTSTART;VALUE=DATE:20251220\r\nTHIS IS NOT ICS\r\n"
                  "END:VEVENT\r\n"),
         "Line 7 of the iCalendar file cannot be read: "},
        {Calendar("BEGIN:VEVENT\r\nSUMMARY:A\r\n DESCRIPTION:folded\r\n"
                  "DTSTART;VALUE=DATE:2025XX20\r\nEND:VEVENT\r\n"),
         "Line 7 of the iCalendar file cannot be read: Can't parse as DATE value in DTSTART "
         "property: 2025XX20\n\rDTSTART;VALUE=DATE:2025XX20"},
        {Calendar("BEGIN:VEVENT\r\nDTSTART:20251220T100000\r\nRRULE:FREQ=SOMETIMES\r\n"
                  "END:VEVENT\r\n"),
         "Line 6 of the iCalendar file cannot be read: "},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\n",
         "The iCalendar file ends at line 3 before every BEGIN line has its END line."},
        {"Hello\nworld\n", "Line 1 of the iCalendar file cannot be read: "},
        {"\r\n", "The iCalendar file is empty."},
    };
    for (const auto& c : cases) {
        const IcsImportResult result = ImportIcsEntries(c.Bytes, span, {});
        EXPECT_FALSE(result.Ok) << c.Message;
        EXPECT_TRUE(result.Error.startsWith(QString::fromUtf8(c.Message)))
            << result.Error.toStdString();
        EXPECT_TRUE(result.Entries.empty());
    }
}

} // namespace
