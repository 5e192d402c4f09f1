#include "platform/ProgramLauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace custodex {

bool DetachedLauncher::Start(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

QString FindCompanionProgram(const QString& folder, const QString& name)
{
    QString bare = name;
    if (bare.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        bare.chop(4);
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& wanted : {bare + QStringLiteral(".exe"), bare}) {
        for (const QString& entry : entries)
            if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
                return dir.filePath(entry);
    }
    return QString();
}

} // namespace custodex
