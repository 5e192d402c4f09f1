#include "patterns/ListTemplate.h"

#include "calendar/CalendarModel.h"
#include "calendar/TextCodec.h"
#include "platform/FileAccess.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace custodex {

namespace {

const QString HeaderClientLead = QStringLiteral(" Custom List for ");

// A text that must stay on one line of the file: every control character becomes a blank.
QString OneLine(const QString& text)
{
    QString line = text;
    for (QChar& ch : line)
        if (ch.category() == QChar::Other_Control)
            ch = QLatin1Char(' ');
    return line;
}

QString EnglishMonth(int monthIndex)
{
    return DisplayMonthNames().at(std::clamp(monthIndex, 0, 11));
}

// The client as a part of a file name: no folder separators, no control characters, and no
// month name later in the year than the start month.
QString ClientFileNamePart(const QString& client, int startMonthIndex)
{
    QString part = FileNamePart(OneLine(client)).simplified();
    for (int m = startMonthIndex + 1; m < 12; ++m) {
        const QString& month = DisplayMonthNames().at(m);
        qsizetype at = 0;
        while ((at = part.indexOf(month, at, Qt::CaseInsensitive)) >= 0) {
            at += month.size() - 1;
            part.insert(at, QLatin1Char('_'));
        }
    }
    return part;
}

} // namespace

QDate SpanFirstDay(const ListTemplate& list)
{
    return QDate(list.StartYear, std::clamp(list.StartMonthIndex, 0, 11) + 1, 1);
}

QDate SpanLastDay(const ListTemplate& list)
{
    return SpanFirstDay(list).addMonths(24).addDays(-1);
}

bool IsInSpan(const ListTemplate& list, const QDate& date)
{
    return date.isValid() && date >= SpanFirstDay(list) && date <= SpanLastDay(list);
}

bool InsertEntry(ListTemplate& list, const ListLine& entry)
{
    if (std::find(list.Lines.begin(), list.Lines.end(), entry) != list.Lines.end())
        return false;
    // After the last entry not later than this one; lines that are no entries are passed over.
    auto at = list.Lines.end();
    for (auto it = list.Lines.begin(); it != list.Lines.end(); ++it)
        if (it->IsEntry && it->Date > entry.Date) {
            at = it;
            break;
        }
    list.Lines.insert(at, entry);
    return true;
}

int InsertEntries(ListTemplate& list, const std::vector<ListLine>& entries)
{
    using Key = std::tuple<bool, int, qint64, QString, QString>;
    const auto keyOf = [](const ListLine& line) {
        return Key{line.IsEntry, static_cast<int>(line.Kind), line.Date.toJulianDay(), line.Reason,
                   line.Text};
    };
    std::set<Key> present;
    for (const ListLine& line : list.Lines)
        present.insert(keyOf(line));
    std::vector<ListLine> added;
    for (const ListLine& entry : entries) {
        Q_ASSERT(entry.IsEntry); // a kept line has no date to be placed by
        if (present.insert(keyOf(entry)).second)
            added.push_back(entry);
    }
    if (added.empty())
        return 0;
    // One at a time, each lands before the first entry dated later than it, and after the new
    // ones of its date added before it: that is, the new entries in stable date order, each
    // run of them before the first old entry dated later.
    std::stable_sort(added.begin(), added.end(),
                     [](const ListLine& a, const ListLine& b) { return a.Date < b.Date; });
    std::vector<ListLine> merged;
    merged.reserve(list.Lines.size() + added.size());
    auto next = added.begin();
    for (ListLine& line : list.Lines) {
        if (line.IsEntry)
            while (next != added.end() && next->Date < line.Date)
                merged.push_back(*next++);
        merged.push_back(std::move(line));
    }
    merged.insert(merged.end(), next, added.end());
    list.Lines = std::move(merged);
    return static_cast<int>(added.size());
}

void SortEntries(ListTemplate& list)
{
    std::vector<ListLine> entries;
    for (const ListLine& line : list.Lines)
        if (line.IsEntry)
            entries.push_back(line);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ListLine& a, const ListLine& b) { return a.Date < b.Date; });
    auto next = entries.begin();
    for (ListLine& line : list.Lines)
        if (line.IsEntry)
            line = *next++;
}

int EntriesOutsideSpan(const ListTemplate& list)
{
    return static_cast<int>(
        std::count_if(list.Lines.begin(), list.Lines.end(), [&list](const ListLine& line) {
            return line.IsEntry && !IsInSpan(list, line.Date);
        }));
}

int EntryCount(const ListTemplate& list)
{
    return static_cast<int>(std::count_if(list.Lines.begin(), list.Lines.end(),
                                          [](const ListLine& line) { return line.IsEntry; }));
}

QString ProposedTemplateFileName(const ListTemplate& list)
{
    QString name = QString::number(list.StartYear) + QLatin1Char(' ') +
                   EnglishMonth(list.StartMonthIndex) + QLatin1Char(' ');
    const QString client = ClientFileNamePart(list.ClientName, list.StartMonthIndex);
    if (!client.isEmpty())
        name += client + QLatin1Char(' ');
    return name + QStringLiteral("Custom List.") + TemplateSuffix;
}

QString TemplateHeaderLine(const ListTemplate& list)
{
    QString header = EnglishMonth(list.StartMonthIndex) + QLatin1Char(' ') +
                     QString::number(list.StartYear) + QStringLiteral(" Custom List");
    const QString client = OneLine(list.ClientName).trimmed();
    if (!client.isEmpty())
        header += QStringLiteral(" for ") + client;
    return header;
}

QString TemplateEntryLine(const ListLine& line)
{
    if (!line.IsEntry)
        return OneLine(line.Text);
    const QDate& date = line.Date;
    return (line.Kind == ListEntryKind::Overnight ? QStringLiteral("ON ") : QStringLiteral("DV ")) +
           EnglishMonth(date.month() - 1) + QLatin1Char(' ') + QString::number(date.day()) +
           QStringLiteral(", ") + QString::number(date.year()) + QLatin1Char(' ') +
           CutText(OneLine(line.Reason).trimmed(), TemplateReasonCapacity);
}

QByteArray TemplateFileBytes(const ListTemplate& list)
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = TemplateHeaderLine(list) + lineEnd;
    for (const ListLine& line : list.Lines)
        text += TemplateEntryLine(line) + lineEnd;
    return EncodeText(text);
}

std::optional<QString> ListReasonProblem(const QString& reason)
{
    if (reason.contains(QLatin1Char('!')))
        return QStringLiteral("Explanation marks are not allowed in a reason.");
    if (reason.contains(QLatin1Char(';')))
        return QStringLiteral("Semicolons are not allowed in a reason.");
    if (std::any_of(reason.begin(), reason.end(),
                    [](QChar ch) { return ch.category() == QChar::Other_Control; }))
        return QStringLiteral("A reason is one line of text.");
    if (reason.trimmed().isEmpty())
        return QStringLiteral("A reason must not be empty.");
    if (reason.trimmed().size() > TemplateReasonCapacity)
        return QStringLiteral("The maximum reason length is 100 characters.");
    return std::nullopt;
}

QString CleanImportedReason(const QString& text, const QString& fallback)
{
    QString reason = OneLine(text);
    reason.remove(QLatin1Char('!'));
    reason.remove(QLatin1Char(';'));
    reason = CutText(reason.simplified(), TemplateReasonCapacity).trimmed();
    return reason.isEmpty() ? fallback : reason;
}

ListTemplate ListTemplateFromRead(const CustomListTemplate& read, const QString& path,
                                  const ListTemplate& defaults)
{
    ListTemplate list;
    list.ClientName = defaults.ClientName;
    list.StartYear = defaults.StartYear;
    list.StartMonthIndex = defaults.StartMonthIndex;
    const TemplateFileName name = TemplateFileNameOf(path);
    const int year = name.YearDigits.size() <= 4 ? name.YearDigits.toInt() : 0;
    if (name.MonthIndex >= 0 && year >= 1000 && year <= 2999) {
        list.StartYear = year;
        list.StartMonthIndex = name.MonthIndex;
    }
    if (const qsizetype at = read.Header.indexOf(HeaderClientLead); at >= 0)
        list.ClientName = read.Header.mid(at + HeaderClientLead.size()).trimmed();

    for (const TemplateEntry& entry : read.Entries) {
        const QDate date(entry.YearNumber, entry.MonthIndex + 1, entry.DayNumber);
        if (entry.Applicable && date.isValid())
            list.Lines.push_back(
                {true, entry.Overnight ? ListEntryKind::Overnight : ListEntryKind::DayVisit, date,
                 entry.Reason.trimmed(), QString()});
        else
            list.Lines.push_back({false, ListEntryKind::Overnight, QDate(), QString(), entry.Line});
    }
    SortEntries(list);
    return list;
}

} // namespace custodex
