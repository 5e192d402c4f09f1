#include "platform/CommandLine.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdlib>

namespace custodex {

void NameTheDesktopProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("Custodex Calendar"));
    QCoreApplication::setApplicationVersion(QStringLiteral("4.10"));
}

bool AsksForHelpOrVersion(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--")
            break;
        if (argument == "-h" || argument == "--help" || argument == "--help-all" ||
            argument == "-v" || argument == "--version")
            return true;
    }
    return false;
}

void AnswerHelpOrVersion(int argc, char* argv[],
                         const std::function<void(QCommandLineParser&)>& describe)
{
    if (!AsksForHelpOrVersion(argc, argv))
        return;
    QCoreApplication terminal(argc, argv);
    NameTheDesktopProgram();
    QCommandLineParser parser;
    describe(parser);
    parser.process(terminal); // prints the text and ends the program
    std::exit(0);
}

} // namespace custodex
