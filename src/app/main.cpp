#include "app/MainWindow.h"
#include "output/ui/DialogOutputPrompts.h"
#include "platform/ColourChooser.h"
#include "platform/CommandLine.h"
#include "platform/FileDialogs.h"
#include "platform/HelpService.h"
#include "platform/MessageBoxPrompter.h"
#include "platform/PrintDialog.h"
#include "platform/ProgramLauncher.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QIcon>

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <thread>

namespace {

// custodex-calendar [FILE.cdb]: the file manager and the desktop entry start it with one file.
void DescribeCommandLine(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Plans and counts the time a child spends with each parent."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE.cdb"),
                                 QStringLiteral("A calendar to open at start."),
                                 QStringLiteral("[FILE.cdb]"));
}

// The icon of every window, drawn in resources/icons/custodex-calendar.svg. Sizes up to 64 only:
// every size given is decoded at start and sent to the window manager, and the two largest
// took most of that time; desktops draw large icons from the installed hicolor set.
QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/custodex-calendar-%1.png").arg(size),
                     QSize(size, size));
    return icon;
}

} // namespace

int main(int argc, char* argv[])
{
    custodex::AnswerHelpOrVersion(argc, argv, DescribeCommandLine);
    // Fontconfig reads its configuration and font caches the first time a widget needs a font,
    // a good part of the start. A second thread does it while Qt connects to the display; it
    // is joined before the first widget; fontconfig's own start is safe from two threads.
    std::thread fontconfigStart([] { FcInit(); });
    QApplication app(argc, argv);
    fontconfigStart.join();
    custodex::NameTheDesktopProgram();
    // No display name: Qt would add it to every caption, and the main window's caption is
    // "Calendar File=" and the file's name, which is empty while no calendar is open.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.custodex.Calendar"));
    QApplication::setWindowIcon(ProgramIcon());
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.process(app); // a wrong option ends the program with its message
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fputs("custodex-calendar: give one calendar file at most.\n", stderr);
        return 1;
    }

    custodex::MessageBoxPrompter prompter;
    custodex::SingleInstance guard(custodex::SingleInstance::DefaultLockPath());
    if (!custodex::TakeSingleInstanceGuard(guard, prompter))
        return 1;

    custodex::HelpWindows help;
    custodex::QtFileDialogs dialogs;
    custodex::DetachedLauncher launcher;
    custodex::QtColourChooser colours;
    custodex::DialogOutputPrompts outputPrompts;
    custodex::QtPrintDialog printing;
    const custodex::ProgramPaths paths = custodex::ProgramPaths::ForThisUser();
    QDir().mkpath(paths.DefaultClientFolder);
    custodex::TQDLMainCalendar window({prompter,
                                       help,
                                       dialogs,
                                       launcher,
                                       colours,
                                       outputPrompts,
                                       printing,
                                       paths,
                                       [] { QApplication::beep(); },
                                       [] { return QDate::currentDate().year(); },
                                       {}});
    if (!files.isEmpty() && !files.first().isEmpty())
        window.OpenAtStart(files.first());
    window.show();
    return QApplication::exec();
}
