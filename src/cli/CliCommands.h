#pragma once

#include <QStringList>
#include <QTextStream>

// custodex-cli: the command-line companion. Returns the process exit status.

namespace custodex {

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace custodex
