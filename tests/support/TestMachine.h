#pragma once

#include "platform/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace custodex::testing {

// One user's program, settings and client folders in a temporary folder, shared by the
// program runs of a test.
struct TestMachine {
    explicit TestMachine(bool wizardOn = false)
    {
        for (const char* folder : {"config", "clients", "program/Tutorials"})
            QDir(Root.path()).mkpath(QLatin1String(folder));
        if (!wizardOn)
            WriteIni("WIZARD=FALSE\r\n");
    }
    ProgramPaths Paths() const
    {
        return {Root.filePath(QStringLiteral("program/")),
                Root.filePath(QStringLiteral("config/Calendar.ini")),
                Root.filePath(QStringLiteral("clients/")),
                Root.filePath(QStringLiteral("program/Tutorials/")),
                QString()}; // no recovery copies unless a test gives them a folder
    }
    QString Client(const QString& name) const
    {
        return Root.filePath(QStringLiteral("clients/") + name);
    }
    void WriteIni(const QByteArray& bytes) const
    {
        QFile ini(Paths().SettingsFile);
        if (ini.open(QIODevice::WriteOnly))
            ini.write(bytes);
    }
    QByteArray Ini() const
    {
        QFile ini(Paths().SettingsFile);
        return ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
    }
    QTemporaryDir Root;
};

} // namespace custodex::testing
