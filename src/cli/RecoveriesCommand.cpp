#include "cli/RecoveriesCommand.h"

#include "calendar/Recovery.h"
#include "platform/ProgramPaths.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace custodex::cli {

RecoveriesCommand::RecoveriesCommand()
    : Command(QStringLiteral("recoveries"),
              QStringLiteral("Lists the recovery copies of calendars with unsaved changes, kept "
                             "in $XDG_STATE_HOME/Custodex Calendar/Recovery/, newest first."))
{
    m_options << m_json;
}

int RecoveriesCommand::Execute(const QCommandLineParser& parser, const QStringList&,
                               QTextStream& out, QTextStream&) const
{
    const std::vector<RecoveryCopy> copies = ListRecoveryCopies(RecoveryFolderForThisUser());
    if (parser.isSet(m_json)) {
        QJsonArray list;
        for (const RecoveryCopy& copy : copies)
            list.append(
                QJsonObject{{QStringLiteral("file"), copy.OriginalPath},
                            {QStringLiteral("client"), copy.ClientName},
                            {QStringLiteral("time"), copy.LastChange.toUTC().toString(Qt::ISODate)},
                            {QStringLiteral("kept"), RecoveryReasonKey(copy.Reason)},
                            {QStringLiteral("daysDiffering"), DaysDiffering(copy)},
                            {QStringLiteral("copy"), copy.CopyPath}});
        out << QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("recoveries"), list}})
                                     .toJson(QJsonDocument::Indented));
        out.flush();
        return ExitOk;
    }
    if (copies.empty())
        out << QStringLiteral("No unsaved changes are kept.\n");
    for (const RecoveryCopy& copy : copies)
        out << copy.ClientName << QStringLiteral("\n  file: ")
            << (copy.OriginalPath.isEmpty() ? QStringLiteral("(never saved)") : copy.OriginalPath)
            << QStringLiteral("\n  last change: ") << copy.LastChange.toUTC().toString(Qt::ISODate)
            << QStringLiteral("\n  kept: ") << RecoveryReasonKey(copy.Reason)
            << QStringLiteral("\n  days that differ: ") << DaysDiffering(copy)
            << QStringLiteral("\n  copy: ") << copy.CopyPath << QLatin1Char('\n');
    out.flush();
    return ExitOk;
}

} // namespace custodex::cli
