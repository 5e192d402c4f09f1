#include "cli/CliCommands.h"

#include <QGuiApplication>

#include <memory>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << custodex::ArgumentText(QByteArray(argv[i]));
    // Pictures need fonts, which need a GUI application; no window is ever shown.
    std::unique_ptr<QCoreApplication> app;
    if (custodex::CliNeedsGuiApplication(arguments)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    // Our own reading of the words, which keeps bytes that are not UTF-8 recognisable.
    return custodex::RunCli(arguments, out, err);
}
