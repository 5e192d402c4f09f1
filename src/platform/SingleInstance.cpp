#include "platform/SingleInstance.h"

#include "platform/Prompter.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace custodex {

SingleInstance::SingleInstance(const QString& lockPath)
    : Lock(std::make_unique<QLockFile>(lockPath))
{
    Lock->setStaleLockTime(0); // only a lock whose process is gone is stale
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Result SingleInstance::TryAcquire()
{
    if (Lock->tryLock(0))
        return Result::Acquired;
    return Lock->error() == QLockFile::LockFailedError ? Result::AlreadyRunning
                                                       : Result::CannotCreate;
}

QString SingleInstance::DefaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("TestforCustodexCalendar.lock"));
}

bool TakeSingleInstanceGuard(SingleInstance& guard, Prompter& prompter)
{
    switch (guard.TryAcquire()) {
    case SingleInstance::Result::Acquired:
        return true;
    case SingleInstance::Result::AlreadyRunning:
        prompter.Ask(
            PromptKind::Error,
            QStringLiteral(
                "The Custodex Calendar is already running!\n\rPlease check your task bar."),
            PromptButtons::Ok);
        return false;
    case SingleInstance::Result::CannotCreate:
        return prompter.Ask(
                   PromptKind::Confirmation,
                   QStringLiteral(
                       "Cannot create communication mutex.  Please make sure another\n\rinstance "
                       "of the Calendar is not already running.  Continue?"),
                   PromptButtons::YesNo) == PromptAnswer::Yes;
    }
    return false;
}

} // namespace custodex
