#include "platform/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace custodex {

namespace {

QString WithSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

ProgramPaths ProgramPaths::ForThisUser()
{
    ProgramPaths paths;
    paths.ProgramFolder = WithSeparator(QCoreApplication::applicationDirPath());
    QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config/Custodex Calendar");
    paths.SettingsFile = WithSeparator(config) + QStringLiteral("Calendar.ini");
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    paths.DefaultClientFolder =
        WithSeparator(documents) + QStringLiteral("Custodex Calendar/ClientFiles/");
    paths.TutorialsFolder = paths.ProgramFolder + QStringLiteral("Tutorials/");
    paths.RecoveryFolder = RecoveryFolderForThisUser();
    return paths;
}

QString RecoveryFolderForThisUser()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return WithSeparator(state) + QStringLiteral("Custodex Calendar/Recovery/");
}

void RepairQualityTimeSample(const QString& clientFolder)
{
    const QString broken = WithSeparator(clientFolder) + QStringLiteral("ualityTimeAnalysis.cdb");
    const QString fixed = WithSeparator(clientFolder) + QStringLiteral("QualityTimeAnalysis.cdb");
    if (QFile::exists(broken) && !QFile::exists(fixed))
        QFile::rename(broken, fixed);
}

} // namespace custodex
