#include "cli/CliCommands.h"

#include <QGuiApplication>

#include <cstring>
#include <memory>

int main(int argc, char* argv[])
{
    // Pictures need fonts, which need a GUI application; no window is ever shown.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && std::strcmp(argv[1], "preview") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    return custodex::RunCli(QCoreApplication::arguments().mid(1), out, err);
}
