#pragma once

#include <QStringList>
#include <QTextStream>

// custodex-cli: the command-line companion. Returns the process exit status: 0 done, 1 the
// program refused or failed (its message on `err`), 2 a usage error.

namespace custodex {

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

// A command-line word as the commands take it: UTF-8, where each byte that is not part of a
// UTF-8 character becomes a lone surrogate (U+DC80 + the byte), so that a command refuses
// the word by name instead of storing U+FFFD in its place.
QString ArgumentText(const QByteArray& bytes);

// True when the command named by `arguments` paints pictures and so needs a GUI application.
bool CliNeedsGuiApplication(const QStringList& arguments);

} // namespace custodex
