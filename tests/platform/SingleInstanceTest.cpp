#include "platform/SingleInstance.h"

#include "platform/ProgramLauncher.h"
#include "support/ScriptedServices.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

using namespace custodex;
using namespace custodex::testing;

TEST(SingleInstance, SecondCopyIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("guard.lock"));
    SingleInstance first(path);
    ScriptedPrompter prompts;
    ASSERT_TRUE(TakeSingleInstanceGuard(first, prompts));
    SingleInstance second(path);
    prompts.Expect(
        QStringLiteral("The Custodex Calendar is already running!\n\rPlease check your task bar."));
    EXPECT_FALSE(TakeSingleInstanceGuard(second, prompts));
}

TEST(SingleInstance, LockOfAKilledCopyDoesNotBlock)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("guard.lock"));
    QProcess sleeper;
    sleeper.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(sleeper.waitForStarted());
    const qint64 pid = sleeper.processId();
    sleeper.kill();
    sleeper.waitForFinished();
    QFile lock(path);
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + "\ncustodex-calendar\n" +
               QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();

    SingleInstance guard(path);
    ScriptedPrompter prompts;
    EXPECT_TRUE(TakeSingleInstanceGuard(guard, prompts));
}

TEST(SingleInstance, UncreatableLockAsks)
{
    SingleInstance guard(QStringLiteral("/nonexistent/folder/guard.lock"));
    ScriptedPrompter prompts;
    const QString question =
        QStringLiteral("Cannot create communication mutex.  Please make sure another\n\rinstance "
                       "of the Calendar is not already running.  Continue?");
    prompts.Expect(question, PromptAnswer::No);
    EXPECT_FALSE(TakeSingleInstanceGuard(guard, prompts));
    prompts.Expect(question, PromptAnswer::Yes);
    EXPECT_TRUE(TakeSingleInstanceGuard(guard, prompts));
}

TEST(CompanionPrograms, FoundWithOrWithoutExe)
{
    QTemporaryDir dir;
    QFile(dir.filePath(QStringLiteral("Collato"))).open(QIODevice::WriteOnly);
    QFile(dir.filePath(QStringLiteral("websprint.EXE"))).open(QIODevice::WriteOnly);
    EXPECT_EQ(FindCompanionProgram(dir.path(), QStringLiteral("collato.exe")),
              dir.filePath(QStringLiteral("Collato")));
    EXPECT_EQ(FindCompanionProgram(dir.path(), QStringLiteral("Websprint.exe")),
              dir.filePath(QStringLiteral("websprint.EXE")));
    EXPECT_TRUE(FindCompanionProgram(dir.path(), QStringLiteral("Missing.exe")).isEmpty());
}
