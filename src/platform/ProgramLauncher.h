#pragma once

#include <QString>
#include <QStringList>

namespace custodex {

// Starts companion programs without waiting for them, with an argument list (never a shell).
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    virtual bool Start(const QString& program, const QStringList& arguments) = 0;
};

class DetachedLauncher : public ProgramLauncher {
public:
    bool Start(const QString& program, const QStringList& arguments) override;
};

// The companion `name` (e.g. "Collato.exe") in `folder`, found with or without ".exe" and
// ignoring case; empty when there is none.
QString FindCompanionProgram(const QString& folder, const QString& name);

// The list builder this program starts for custom list templates, in the program's folder.
inline const QString ListBuilderName = QStringLiteral("custodex-list-builder");

} // namespace custodex
