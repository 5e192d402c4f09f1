#pragma once

#include <QStringList>
#include <QTextStream>

// custodex-cli: the command-line companion. Returns the process exit status: 0 done, 1 the
// program refused or failed (its message on `err`), 2 a usage error.

namespace custodex {

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

// True when the command named by `arguments` paints pictures and so needs a GUI application.
bool CliNeedsGuiApplication(const QStringList& arguments);

} // namespace custodex
