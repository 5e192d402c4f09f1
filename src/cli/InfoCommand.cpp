#include "cli/InfoCommand.h"

#include "calendar/CalendarJson.h"

#include <QCommandLineParser>
#include <QJsonDocument>

namespace custodex::cli {

InfoCommand::InfoCommand()
    : Command(QStringLiteral("info"),
              QStringLiteral("Describes a calendar: client, span, counters, settings and days."))
{
    m_options << m_json;
    m_arguments << PositionalArgument{QStringLiteral("IN.cdb"),
                                      QStringLiteral("The calendar to describe.")};
}

int InfoCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                         QTextStream& out, QTextStream& err) const
{
    CalendarDocument doc;
    if (!ReadCalendarArgument(arguments[0], doc, err))
        return ExitFailure;
    if (parser.isSet(m_json))
        out << QString::fromUtf8(
            QJsonDocument(CalendarInfoJson(doc)).toJson(QJsonDocument::Indented));
    else
        out << CalendarInfoText(doc);
    out.flush();
    return ExitOk;
}

} // namespace custodex::cli
