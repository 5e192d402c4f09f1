#include "patterns/CustomLists.h"

#include "calendar/TextCodec.h"
#include "patterns/BulkDialogRules.h"
#include "platform/FileAccess.h"

#include <QDate>

#include <algorithm>

namespace custodex {

namespace {

constexpr int MonthTextCapacity = 25;
constexpr int NumberTextCapacity = 6;

bool IsAsciiDigit(QChar ch)
{
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
}

// Walks an entry line field by field.
class EntryReader {
public:
    explicit EntryReader(const QString& line) : m_line(line), m_at(3) {}

    void Skip(QStringView characters)
    {
        while (m_at < m_line.size() && characters.contains(m_line.at(m_at)))
            ++m_at;
    }
    QString Word()
    {
        const qsizetype start = m_at;
        while (m_at < m_line.size() && m_line.at(m_at) != QLatin1Char(' '))
            ++m_at;
        return m_line.mid(start, m_at - start);
    }
    QString Digits()
    {
        const qsizetype start = m_at;
        while (m_at < m_line.size() && IsAsciiDigit(m_line.at(m_at)))
            ++m_at;
        return m_line.mid(start, m_at - start);
    }
    // The character the last field stopped at; none at the end of the line.
    QChar Stop() const { return m_at < m_line.size() ? m_line.at(m_at) : QChar(); }
    QString Rest() const { return m_line.mid(m_at); }

private:
    const QString& m_line;
    qsizetype m_at;
};

QString Quoted(const QString& text)
{
    return QStringLiteral("\"") + text + QStringLiteral("\"");
}

QDate DateOfEntry(const TemplateEntry& entry)
{
    return QDate(entry.YearNumber, entry.MonthIndex + 1, entry.DayNumber);
}

QDate DateOfDay(const CalendarDocument& doc, int index)
{
    const CalendarDay& day = doc.Days[static_cast<std::size_t>(index)];
    return QDate(YearOfDay(doc, index), MonthIndexOf(day.MonthName) + 1, day.DayOfMonth);
}

QString MonthTitle(const CalendarDay& day)
{
    const int monthIndex = MonthIndexOf(day.MonthName);
    return monthIndex >= 0 ? DisplayMonthNames().at(monthIndex) : day.MonthName;
}

QString SummaryText(const char* done, int overnights, int dayVisits)
{
    const QString verb = QLatin1String(done);
    return QStringLiteral("Selected custom items have been ") + verb +
           QStringLiteral(".\n\r\n\rThere were ") + QString::number(overnights) +
           QStringLiteral(" Overnight Stays ") + verb + QStringLiteral(".") +
           QStringLiteral("\n\r") + QStringLiteral("There were ") + QString::number(dayVisits) +
           QStringLiteral(" Day Visits ") + verb + QStringLiteral(".");
}

QString OutOfRangeWarning(const TemplateEntry& entry, const char* done)
{
    return QStringLiteral("\tWarning, ") + entry.Reason + QStringLiteral(" dated ") + entry.Month +
           QStringLiteral(" ") + entry.Day + QStringLiteral(", ") + entry.Year +
           QStringLiteral(" is") + QStringLiteral("\n\r") +
           QStringLiteral("out of the calendar range and cannot be ") + QLatin1String(done) +
           QStringLiteral(".");
}

QString NotAnEntryWarning(const TemplateEntry& entry, const char* done)
{
    return QStringLiteral("\tWarning, line ") + QString::number(entry.LineNumber) +
           QStringLiteral(" of the template is not a custom list entry") + QStringLiteral("\n\r") +
           QStringLiteral("(") + entry.Problem + QStringLiteral(") and cannot be ") +
           QLatin1String(done) + QStringLiteral(":") + QStringLiteral("\n\r") +
           entry.Line.left(120);
}

// The selected indices that name entries, in list order, each once.
std::vector<int> InListOrder(std::vector<int> selected, std::size_t count)
{
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    std::erase_if(selected, [count](int index) {
        return index < 0 || static_cast<std::size_t>(index) >= count;
    });
    return selected;
}

// One Apply over the selected entries: the stay in progress, the answers and the counts.
class ListRun {
public:
    ListRun(CalendarDocument& doc, const std::vector<TemplateEntry>& entries,
            const std::vector<int>& selected, const ListTimes& times, OverwriteQuestions& questions,
            ListRunResult& result)
        : m_doc(doc), m_entries(entries), m_selected(selected), m_times(times),
          m_questions(questions), m_result(result)
    {
    }

    void Walk()
    {
        for (std::size_t k = 0; k < m_selected.size() && !m_result.Stopped; ++k) {
            const TemplateEntry& entry = Entry(m_selected[k]);
            if (!entry.Applicable) {
                m_questions.Tell(PromptKind::Warning, NotAnEntryWarning(entry, "applied"));
                continue;
            }
            const int index = TemplateEntryDay(m_doc, entry);
            if (index < 0) {
                m_questions.Tell(PromptKind::Warning, OutOfRangeWarning(entry, "applied"));
                m_stayGoesOn = false;
                continue;
            }
            m_result.UndoEnabled = true;
            if (entry.Overnight)
                Overnight(entry, index, k);
            else
                DayVisit(entry, index);
        }
    }

private:
    const TemplateEntry& Entry(int index) const
    {
        return m_entries[static_cast<std::size_t>(index)];
    }

    // The next selected line that is an entry; lines that are not take no part in a stay.
    const TemplateEntry* NextEntry(std::size_t k) const
    {
        for (std::size_t next = k + 1; next < m_selected.size(); ++next)
            if (Entry(m_selected[next]).Applicable)
                return &Entry(m_selected[next]);
        return nullptr;
    }

    void Overnight(const TemplateEntry& entry, int index, std::size_t k)
    {
        const bool continues = m_stayGoesOn;
        // The stay goes on when the next selected entry is an overnight with the very same
        // reason on the following day. (An earlier date would leave a stay without an end.)
        const TemplateEntry* next = NextEntry(k);
        m_stayGoesOn = next && next->Overnight && next->Reason == entry.Reason &&
                       DateOfEntry(*next) == DateOfDay(m_doc, index).addDays(1);
        CalendarDay& day = m_doc.Days[static_cast<std::size_t>(index)];
        if (!MayWrite(day, entry, true))
            return;
        DayMarkFields fields = MarkFieldsOf(day, true);
        fields.Has = true;
        fields.Reason = ReasonAsStored(entry.Reason);
        fields.Pickup =
            CutText(continues ? NoTimeText : m_times.OverNiteStrtTime, TimeTextCapacity);
        QString dropoff = m_stayGoesOn ? NoTimeText : m_times.OverNiteEndTime;
        if (index + 1 == static_cast<int>(m_doc.Days.size()))
            dropoff = m_times.OverNiteEndTime.contains(QLatin1Char('M')) ? QStringLiteral("12:00AM")
                                                                         : NoTimeText;
        fields.Dropoff = CutText(dropoff, TimeTextCapacity);
        AddPatternReason(m_doc, ListKind::Overnights, fields.Reason);
        m_result.DaysChanged = true;
    }

    void DayVisit(const TemplateEntry& entry, int index)
    {
        m_stayGoesOn = false;
        CalendarDay& day = m_doc.Days[static_cast<std::size_t>(index)];
        if (!MayWrite(day, entry, false))
            return;
        DayMarkFields fields = MarkFieldsOf(day, false);
        fields.Has = true;
        fields.Reason = ReasonAsStored(entry.Reason);
        fields.Pickup = CutText(m_times.DayVisitStrtTime, TimeTextCapacity);
        fields.Dropoff = CutText(m_times.DayVisitEndTime, TimeTextCapacity);
        AddPatternReason(m_doc, ListKind::DayVisits, fields.Reason);
        m_result.DaysChanged = true;
    }

    // Counts the entry when it is to be written; asks first when the day holds such a mark.
    bool MayWrite(const CalendarDay& day, const TemplateEntry& entry, bool overnight)
    {
        const ConstDayMarkFields fields = MarkFieldsOf(day, overnight);
        if (fields.Has && !m_yesToAll) {
            const QString question =
                day.WeekdayName + QStringLiteral(", ") + MonthTitle(day) + QStringLiteral(" ") +
                QString::number(day.DayOfMonth) + QStringLiteral("  is already marked as ") +
                (overnight ? QStringLiteral("an Overnight because of ")
                           : QStringLiteral("a Day Visit because of ")) +
                fields.Reason + QStringLiteral(".") + QStringLiteral("\n\r") +
                QStringLiteral("Overwrite it with ") + entry.Reason + QStringLiteral("?");
            const OverwriteAnswer answer =
                m_questions.AskOverwrite(question, OverwriteChoices::YesYesToAllNoCancel);
            if (answer == OverwriteAnswer::No)
                return false;
            if (answer == OverwriteAnswer::Cancel) {
                m_result.Stopped = true;
                return false;
            }
            m_yesToAll = answer == OverwriteAnswer::YesToAll;
        }
        ++(overnight ? m_result.Overnights : m_result.DayVisits);
        return true;
    }

    CalendarDocument& m_doc;
    const std::vector<TemplateEntry>& m_entries;
    const std::vector<int>& m_selected;
    const ListTimes& m_times;
    OverwriteQuestions& m_questions;
    ListRunResult& m_result;
    bool m_yesToAll = false;
    bool m_stayGoesOn = false; // the overnight before was left without a dropoff
};

void CountRun(CalendarDocument& doc, ListRunResult& result)
{
    if (result.Overnights > 0 || result.DayVisits > 0) {
        ++doc.AppliedChangeCount;
        result.Counted = true;
    }
}

} // namespace

TemplateEntry ParseTemplateEntry(const QString& line, int lineNumber)
{
    TemplateEntry entry;
    entry.LineNumber = lineNumber;
    entry.Line = line;
    auto notAnEntry = [&entry](const QString& problem) {
        entry.Problem = problem;
        return entry;
    };
    const QString kind = line.left(3);
    if (kind != QStringLiteral("ON ") && kind != QStringLiteral("DV "))
        return notAnEntry(QStringLiteral("it does not begin with \"ON \" or \"DV \""));
    entry.Overnight = kind == QStringLiteral("ON ");
    EntryReader reader(line);
    reader.Skip(u" ");
    entry.Month = reader.Word();
    if (entry.Month.isEmpty())
        return notAnEntry(QStringLiteral("it has no month name"));
    entry.MonthIndex = entry.Month.size() <= MonthTextCapacity ? MonthIndexOf(entry.Month) : -1;
    if (entry.MonthIndex < 0)
        return notAnEntry(Quoted(entry.Month.left(MonthTextCapacity)) +
                          QStringLiteral(" is not a month name"));
    reader.Skip(u" ");
    entry.Day = reader.Digits();
    if (entry.Day.isEmpty() || (!reader.Stop().isNull() && reader.Stop() != QLatin1Char(' ') &&
                                reader.Stop() != QLatin1Char(',')))
        return notAnEntry(QStringLiteral("it has no day of the month after the month name"));
    entry.DayNumber = entry.Day.size() <= NumberTextCapacity ? entry.Day.toInt() : 0;
    if (entry.DayNumber < 1 || entry.DayNumber > 31)
        return notAnEntry(Quoted(entry.Day.left(NumberTextCapacity)) +
                          QStringLiteral(" is not a day of a month"));
    reader.Skip(u" ,");
    entry.Year = reader.Digits();
    if (entry.Year.isEmpty() || reader.Stop() != QLatin1Char(' '))
        return notAnEntry(QStringLiteral("it has no year followed by a blank after the day"));
    if (entry.Year.size() > NumberTextCapacity)
        return notAnEntry(Quoted(entry.Year.left(NumberTextCapacity)) +
                          QStringLiteral("... is not a year"));
    entry.YearNumber = entry.Year.toInt();
    reader.Skip(u" ");
    entry.Reason = CutText(reader.Rest(), TemplateReasonCapacity);
    if (entry.Reason.trimmed().isEmpty())
        return notAnEntry(QStringLiteral("it has no reason after the year"));
    entry.Applicable = true;
    return entry;
}

CustomListTemplate ParseCustomListTemplate(const QString& text)
{
    CustomListTemplate list;
    const QStringList lines = SplitTextLines(text);
    if (lines.isEmpty())
        return list;
    list.Header = lines.first();
    for (int i = 1; i < lines.size(); ++i)
        // A blank line says nothing; every other line is shown, entry or not.
        if (!lines.at(i).trimmed().isEmpty())
            list.Entries.push_back(ParseTemplateEntry(lines.at(i), i + 1));
    return list;
}

std::optional<CustomListTemplate> ReadCustomListTemplate(const QString& path)
{
    const std::optional<QByteArray> bytes = ReadRegularFile(path);
    if (!bytes)
        return std::nullopt;
    return ParseCustomListTemplate(DecodeText(*bytes));
}

QString TemplateCaption(const QString& header)
{
    const qsizetype at = header.indexOf(QStringLiteral("Custom List"));
    return QStringLiteral("Apply ") + (at >= 0 ? header.mid(at) : header);
}

QString TemplateEntryText(const TemplateEntry& entry)
{
    if (entry.Applicable)
        return entry.Line;
    return entry.Line + QStringLiteral("   (not applicable: ") + entry.Problem +
           QStringLiteral(")");
}

TemplateFileName TemplateFileNameOf(const QString& path)
{
    TemplateFileName name;
    name.Name = FileNameOfPath(path);
    name.Exempt = name.Name.contains(QStringLiteral("QDLTCL"), Qt::CaseInsensitive);
    for (QChar ch : name.Name) {
        if (!IsAsciiDigit(ch))
            break;
        name.YearDigits += ch;
    }
    // Several month names: the last in calendar order counts.
    for (int m = 0; m < 12; ++m)
        if (name.Name.contains(DisplayMonthNames().at(m), Qt::CaseInsensitive))
            name.MonthIndex = m;
    return name;
}

std::vector<TemplateWarning> TemplateDateWarnings(const CalendarDocument& doc, const QString& path,
                                                  const QString& header)
{
    const TemplateFileName name = TemplateFileNameOf(path);
    if (name.Exempt)
        return {};
    const QString month =
        name.MonthIndex >= 0 ? DisplayMonthNames().at(name.MonthIndex) : QString();
    std::vector<TemplateWarning> warnings;
    if (month.isEmpty() || name.YearDigits.isEmpty() ||
        !header.contains(month, Qt::CaseInsensitive) || !header.contains(name.YearDigits))
        warnings.push_back(
            {PromptKind::Confirmation,
             QStringLiteral("Severe Warning!  The date contents of the file ") + path +
                 QStringLiteral("\n\r") +
                 QStringLiteral("do not match the file name date.  Consequently ") +
                 QStringLiteral("many reason dates may NOT match your calendar date range.") +
                 QStringLiteral("\n") + QStringLiteral("\r") + QStringLiteral("\r") +
                 QStringLiteral("\n") + QStringLiteral("Use this file anyway?")});
    if (name.YearDigits != doc.UserYear || month != doc.SelUserMonth)
        warnings.push_back(
            {PromptKind::Warning,
             QStringLiteral("SEVERE WARNING!  The date range of this template file\n\rdoes not "
                            "match the date range of your calendar and\n\rconsequently many "
                            "custom reasons dates may NOT match\n\ryour calendar!\n\r\n\rUse "
                            "this file anyway?")});
    return warnings;
}

int TemplateEntryDay(const CalendarDocument& doc, const TemplateEntry& entry)
{
    // The calendar's years lie within 1000 to 3000; other years name no day of it.
    if (!entry.Applicable || entry.YearNumber < 1 || entry.YearNumber > 9999)
        return -1;
    return DayIndexOfDate(doc, entry.YearNumber, entry.MonthIndex, entry.DayNumber);
}

ListRunResult ApplyCustomList(CalendarDocument& doc, const std::vector<TemplateEntry>& entries,
                              std::vector<int> selected, const ListTimes& times,
                              OverwriteQuestions& questions)
{
    ListRunResult result;
    TakeSnapshot(doc, SnapshotKind::Undo);
    selected = InListOrder(std::move(selected), entries.size());
    if (selected.empty()) {
        questions.Tell(PromptKind::Information, SelectToApplyMessage);
        return result;
    }
    result.Ran = true;
    ListRun(doc, entries, selected, times, questions, result).Walk();
    questions.Tell(PromptKind::Information,
                   SummaryText("applied", result.Overnights, result.DayVisits));
    CountRun(doc, result);
    RecountCounters(doc);
    return result;
}

ListRunResult RemoveCustomList(CalendarDocument& doc, const std::vector<TemplateEntry>& entries,
                               std::vector<int> selected, OverwriteQuestions& questions)
{
    ListRunResult result;
    TakeSnapshot(doc, SnapshotKind::Undo);
    selected = InListOrder(std::move(selected), entries.size());
    if (selected.empty())
        questions.Tell(PromptKind::Information, SelectToRemoveMessage);
    else
        result.Ran = true;
    for (const int k : selected) {
        const TemplateEntry& entry = entries[static_cast<std::size_t>(k)];
        if (!entry.Applicable) {
            questions.Tell(PromptKind::Warning, NotAnEntryWarning(entry, "removed"));
            continue;
        }
        const int index = TemplateEntryDay(doc, entry);
        if (index < 0) {
            questions.Tell(PromptKind::Warning, OutOfRangeWarning(entry, "removed"));
            continue;
        }
        DayMarkFields fields =
            MarkFieldsOf(doc.Days[static_cast<std::size_t>(index)], entry.Overnight);
        if (!fields.Has ||
            fields.Reason.compare(ReasonAsStored(entry.Reason), Qt::CaseInsensitive) != 0)
            continue;
        fields.Has = false;
        fields.Reason.clear();
        fields.Pickup = NoTimeText;
        fields.Dropoff = NoTimeText;
        ++(entry.Overnight ? result.Overnights : result.DayVisits);
        result.DaysChanged = true;
    }
    result.UndoEnabled = true;
    RecountCounters(doc);
    questions.Tell(PromptKind::Information,
                   SummaryText("removed", result.Overnights, result.DayVisits));
    CountRun(doc, result);
    return result;
}

QString ListTimePrompt(bool overnight, bool end)
{
    if (overnight)
        return end ? QStringLiteral("Set Ending Time for Template Overnight Stays")
                   : QStringLiteral("Set Start Time for Template Overnight Stays");
    return end ? QStringLiteral("Set Ending Time for Template Day Visits")
               : QStringLiteral("Set Start Time for Template Day Visits");
}

void ResetCustomListDialog(CustomListDialogState& state)
{
    state = CustomListDialogState{};
}

bool LoadCustomListFile(CalendarDocument& doc, CustomListDialogState& state, const QString& path,
                        Prompter& prompter)
{
    state.Path = path;
    state.FileName = FileNameOfPath(path);
    const std::optional<CustomListTemplate> list = ReadCustomListTemplate(path);
    if (!list) {
        prompter.Ask(PromptKind::Error, ReadErrorMessage(path), PromptButtons::Ok);
        return false;
    }
    state.List = *list;
    state.Accepted = true;
    for (const TemplateWarning& warning : TemplateDateWarnings(doc, path, state.List.Header))
        if (prompter.Ask(warning.Kind, warning.Text, PromptButtons::YesNo) != PromptAnswer::Yes) {
            state.Accepted = false;
            return false;
        }
    state.Times = {doc.OverNiteStrtTime, doc.OverNiteEndTime, doc.DayVisitStrtTime,
                   doc.DayVisitEndTime};
    doc.ClientFolder = FolderOfPath(path);
    return true;
}

ListRunResult ApplyListEntriesClick(CalendarDocument& doc, CustomListDialogState& state,
                                    const std::vector<int>& selected, OverwriteQuestions& questions)
{
    const ListRunResult result =
        ApplyCustomList(doc, state.List.Entries, selected, state.Times, questions);
    if (result.Ran)
        state.Changes = true;
    // The undo copy was taken anew, so an earlier run can no longer be taken back.
    state.UndoEnabled = result.UndoEnabled;
    state.UndoCounted = result.Counted;
    return result;
}

ListRunResult RemoveListEntriesClick(CalendarDocument& doc, CustomListDialogState& state,
                                     const std::vector<int>& selected,
                                     OverwriteQuestions& questions)
{
    const ListRunResult result = RemoveCustomList(doc, state.List.Entries, selected, questions);
    if (result.Ran)
        state.Changes = true;
    state.UndoEnabled = true;
    state.UndoCounted = result.Counted;
    return result;
}

void UndoListClick(CalendarDocument& doc, CustomListDialogState& state)
{
    UndoLastRun(doc, state.UndoEnabled, state.UndoCounted);
}

} // namespace custodex
