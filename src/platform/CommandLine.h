#pragma once

#include <functional>

class QCommandLineParser;

namespace custodex {

// The name and version the desktop programs give Qt, which --version prints.
void NameTheDesktopProgram();

// True when the command line asks for --help, --help-all or --version (or -h, -v) before a
// "--".
bool AsksForHelpOrVersion(int argc, char* argv[]);

// When the command line asks for help or version, prints it on the terminal, with the parser
// as `describe` sets it up, and ends the program; returns otherwise. It needs no display, so
// it works over ssh and in scripts; everything else is parsed after the QApplication has taken
// Qt's own options (-platform, -style, -session).
void AnswerHelpOrVersion(int argc, char* argv[],
                         const std::function<void(QCommandLineParser&)>& describe);

} // namespace custodex
