#include "patterns/ListTemplate.h"
#include "PatternTestSupport.h"
#include "calendar/TextCodec.h"

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
    EXPECT_TRUE(
        std::is_sorted(list.Lines.begin(), list.Lines.end(),
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

} // namespace
