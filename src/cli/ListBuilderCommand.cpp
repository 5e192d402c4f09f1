#include "cli/ListBuilderCommand.h"

#include "calendar/StartChecks.h"
#include "patterns/IcsImport.h"
#include "patterns/ListTemplate.h"
#include "platform/FileAccess.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#include <optional>

namespace custodex::cli {

namespace {

struct EntryWritten {
    ListEntryKind Kind = ListEntryKind::Overnight;
    QDate First;
    QDate Last;
    QString Reason;
};

// "ON 2025-12-24 Winter break" or "DV 2026-04-06..2026-04-10 Spring camp"; nothing after a
// usage error, described in `error`.
std::optional<EntryWritten> ReadEntryOption(const QString& text, QString& error)
{
    static const QRegularExpression form(
        QStringLiteral("^(ON|DV) +(\\d{4}-\\d{2}-\\d{2})(?:\\.\\.(\\d{4}-\\d{2}-\\d{2}))? +(.*)$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch()) {
        error = QStringLiteral("--entry needs ON or DV, a date YYYY-MM-DD or a range "
                               "YYYY-MM-DD..YYYY-MM-DD, and a reason: ") +
                text;
        return std::nullopt;
    }
    EntryWritten entry;
    entry.Kind = match.captured(1) == QStringLiteral("ON") ? ListEntryKind::Overnight
                                                           : ListEntryKind::DayVisit;
    entry.First = QDate::fromString(match.captured(2), Qt::ISODate);
    entry.Last = match.captured(3).isEmpty() ? entry.First
                                             : QDate::fromString(match.captured(3), Qt::ISODate);
    if (!entry.First.isValid() || !entry.Last.isValid() || entry.Last < entry.First) {
        error =
            QStringLiteral("--entry has no date, or a range that ends before it starts: ") + text;
        return std::nullopt;
    }
    entry.Reason = match.captured(4).trimmed();
    if (const std::optional<QString> problem = ListReasonProblem(entry.Reason)) {
        error = QStringLiteral("--entry: ") + *problem + QStringLiteral(" ") + text;
        return std::nullopt;
    }
    return entry;
}

QString MonthAndYear(const QDate& date)
{
    return DisplayMonthNames().at(date.month() - 1) + QLatin1Char(' ') +
           QString::number(date.year());
}

QString SpanText(const ListTemplate& list)
{
    return MonthAndYear(SpanFirstDay(list)) + QStringLiteral(" to ") +
           MonthAndYear(SpanLastDay(list));
}

bool SameExistingFile(const QString& path, const QString& other)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(other).canonicalFilePath();
}

} // namespace

MakeListCommand::MakeListCommand()
    : Command(QStringLiteral("make-list"),
              QStringLiteral("Writes a custom list template (.tcl) for a calendar's 24 months, "
                             "from an iCalendar file and single entries, for \"Apply/Remove a "
                             "Custom List\" and apply-list."))
{
    m_options << m_client << m_startYear << m_startMonth << m_fromIcs << m_as << m_reason << m_entry
              << m_replaceExisting;
    m_arguments = {PositionalArgument{
        QStringLiteral("OUT.tcl"),
        QStringLiteral("The template to write. Named as the list builder proposes, such as "
                       "\"2025 March Garcia Custom List.tcl\", it is taken without a date "
                       "warning by a calendar that starts in that month.")}};
}

int MakeListCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                             QTextStream& out, QTextStream& err) const
{
    for (const QCommandLineOption* required : {&m_client, &m_startYear, &m_startMonth})
        if (!parser.isSet(*required) || parser.value(*required).trimmed().isEmpty())
            return UsageError(err, QStringLiteral("--") + required->names().first() +
                                       QStringLiteral(" is required."));
    const StartCheck year = CheckStartYear(parser.value(m_startYear));
    if (!year.Ok)
        return UsageError(err, QStringLiteral("--start-year: ") + year.Message);
    const std::optional<int> month = WholeMonthName(parser.value(m_startMonth));
    if (!month)
        return UsageError(err, QStringLiteral("--start-month needs an English month name in "
                                              "full, such as March."));
    if (parser.isSet(m_fromIcs) != parser.isSet(m_as))
        return UsageError(err, QStringLiteral("--from-ics and --as go together."));
    if (parser.isSet(m_reason) && !parser.isSet(m_fromIcs))
        return UsageError(err, QStringLiteral("--reason goes with --from-ics."));
    IcsImportRequest request;
    if (parser.isSet(m_as)) {
        const QString as = parser.value(m_as);
        if (as != QStringLiteral("overnights") && as != QStringLiteral("day-visits"))
            return UsageError(err, QStringLiteral("--as needs overnights or day-visits."));
        request.Kind =
            as == QStringLiteral("overnights") ? ListEntryKind::Overnight : ListEntryKind::DayVisit;
    }
    if (parser.isSet(m_reason)) {
        request.Reason = parser.value(m_reason).trimmed();
        if (const std::optional<QString> problem = ListReasonProblem(request.Reason))
            return UsageError(err, QStringLiteral("--reason: ") + *problem);
    }
    std::vector<EntryWritten> written;
    for (const QString& text : parser.values(m_entry)) {
        QString error;
        const std::optional<EntryWritten> entry = ReadEntryOption(text, error);
        if (!entry)
            return UsageError(err, error);
        written.push_back(*entry);
    }

    ListTemplate list;
    list.ClientName = parser.value(m_client).trimmed();
    list.StartYear = year.Value;
    list.StartMonthIndex = *month;

    // Refusals of the target come before any work, and before it is called existing.
    const QString& path = arguments[0];
    if (const FileWriteError check = CheckWriteTarget(path); check != FileWriteError::None)
        return Fail(err, WriteRefusalMessage(check, path));
    if (parser.isSet(m_fromIcs) && SameExistingFile(path, parser.value(m_fromIcs)))
        return Fail(err, QStringLiteral("File ") + path +
                             QStringLiteral(" is the iCalendar file being read!\n\rChoose "
                                            "another file to write."));
    if (QFileInfo::exists(path) && !parser.isSet(m_replaceExisting))
        return Fail(err, QStringLiteral("File ") + path +
                             QStringLiteral(" already exists!\n\rGive --replace-existing to "
                                            "write over it."));

    IcsImportResult imported;
    int importedAdded = 0;
    if (parser.isSet(m_fromIcs)) {
        const QString ics = parser.value(m_fromIcs);
        const std::optional<QByteArray> bytes = ReadRegularFile(ics);
        if (!bytes)
            return Fail(err, ReadErrorMessage(ics));
        imported = ImportIcsEntries(*bytes, list, request);
        if (!imported.Ok)
            return Fail(err, ReadErrorMessage(ics) + QStringLiteral("\n\r") + imported.Error);
        importedAdded = InsertEntries(list, imported.Entries);
    }
    std::vector<ListLine> typed;
    for (const EntryWritten& entry : written) {
        if (!IsInSpan(list, entry.First) || !IsInSpan(list, entry.Last))
            return Fail(err, QStringLiteral("The entry ") + entry.First.toString(Qt::ISODate) +
                                 (entry.Last != entry.First
                                      ? QStringLiteral("..") + entry.Last.toString(Qt::ISODate)
                                      : QString()) +
                                 QStringLiteral(" ") + entry.Reason +
                                 QStringLiteral(" lies outside the list's 24 months (") +
                                 SpanText(list) + QStringLiteral(")."));
        for (QDate day = entry.First; day <= entry.Last; day = day.addDays(1))
            typed.push_back({true, entry.Kind, day, entry.Reason, QString()});
    }
    InsertEntries(list, typed);

    const int status =
        WriteOutputFile(OutputTarget{path, QString(), true, false}, TemplateFileBytes(list), err);
    if (status != ExitOk)
        return status;
    out << QStringLiteral("Wrote ")
        << CountOf(EntryCount(list), QStringLiteral("entry"), QStringLiteral("entries"))
        << QStringLiteral(" to ") << path << QStringLiteral(".") << '\n';
    // The list builder's own report, every event left out named.
    if (parser.isSet(m_fromIcs))
        out << IcsImportReport(imported, importedAdded,
                               QFileInfo(parser.value(m_fromIcs)).fileName())
                   .replace(QStringLiteral("\n\r"), QStringLiteral("\n"))
            << '\n';
    // Another name makes "Apply/Remove a Custom List" ask about the dates.
    const TemplateFileName name = TemplateFileNameOf(path);
    if (!name.Exempt && (name.YearDigits != QString::number(list.StartYear) ||
                         name.MonthIndex != list.StartMonthIndex))
        out << QStringLiteral("Note: a calendar takes this list without a date warning when the "
                              "file is named \"")
            << ProposedTemplateFileName(list) << QStringLiteral("\".") << '\n';
    out.flush();
    return ExitOk;
}

} // namespace custodex::cli
