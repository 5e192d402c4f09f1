#include "cli/InfoCommand.h"

#include "calendar/CalendarJson.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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
    const QStringList notes = GuidelineNotes(doc.Guidelines, doc.UnreadGuidelineLines.size());
    if (parser.isSet(m_json)) {
        QJsonObject info = CalendarInfoJson(doc);
        info.insert(QStringLiteral("guidelineNotes"), QJsonArray::fromStringList(notes));
        out << QString::fromUtf8(QJsonDocument(info).toJson(QJsonDocument::Indented));
    }
    else {
        out << CalendarInfoText(doc);
        for (const QString& note : notes)
            out << note << '\n';
    }
    out.flush();
    return ExitOk;
}

} // namespace custodex::cli
