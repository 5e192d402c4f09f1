#include "cli/CalendarFileCommands.h"

#include "calendar/StartChecks.h"

#include <QCommandLineParser>

namespace custodex::cli {

NewCommand::NewCommand()
    : Command(QStringLiteral("new"),
              QStringLiteral("Starts an empty calendar of 24 months for a client.")),
      m_overwrite(OverwriteOption(QStringLiteral("OUT.cdb")))
{
    m_options << m_client << m_year << m_month << m_overwrite;
    m_arguments << PositionalArgument{
        QStringLiteral("OUT.cdb"),
        QStringLiteral("The calendar file to create; it must not exist unless --overwrite is "
                       "given.")};
}

int NewCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                        QTextStream& /*out*/, QTextStream& err) const
{
    const QString client = parser.value(m_client).trimmed();
    if (client.isEmpty())
        return Fail(err, QStringLiteral("A Client Name is a required entry."));
    const QString year = parser.value(m_year);
    const StartCheck startYear = CheckStartYear(year);
    if (!startYear.Ok)
        return UsageError(err, startYear.Message);
    const std::optional<int> month = WholeMonthName(parser.value(m_month));
    if (!month)
        return UsageError(err, QStringLiteral("Please select a valid start month."));
    const StartCheck startMonth{true, QString(), *month};

    CalendarDocument doc;
    doc.ClientName = client;
    doc.UserYear = year;
    doc.SelUserMonth = DisplayMonthNames().at(startMonth.Value);
    BuildSpan(doc, startMonth.Value, startYear.Value);
    RecountCounters(doc);
    return SaveCalendarFile(doc, {arguments[0], QString(), parser.isSet(m_overwrite)}, err);
}

ResaveCommand::ResaveCommand()
    : Command(QStringLiteral("resave"),
              QStringLiteral("Reads a calendar and writes it again in the current format.")),
      m_overwrite(OverwriteOption(QStringLiteral("OUT.cdb")))
{
    m_options << m_overwrite;
    m_arguments << PositionalArgument{QStringLiteral("IN.cdb"),
                                      QStringLiteral("The calendar to read.")}
                << PositionalArgument{
                       QStringLiteral("OUT.cdb"),
                       QStringLiteral("The file to write: IN.cdb itself, a new file, or with "
                                      "--overwrite an existing one.")};
}

int ResaveCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                           QTextStream& /*out*/, QTextStream& err) const
{
    CalendarDocument doc;
    if (!ReadCalendarArgument(arguments[0], doc, err))
        return ExitFailure;
    return SaveCalendarFile(doc, {arguments[1], arguments[0], parser.isSet(m_overwrite)}, err);
}

} // namespace custodex::cli
