#include "calendar/ui/Months.h"
#include "platform/ColourChooser.h"
#include "platform/FileDialogs.h"
#include "platform/HelpService.h"
#include "platform/MessageBoxPrompter.h"
#include "platform/ProgramLauncher.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QDate>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Custodex Calendar"));
    QApplication::setApplicationDisplayName(QStringLiteral("Custodex Calendar"));
    QApplication::setApplicationVersion(QStringLiteral("4.10"));

    custodex::MessageBoxPrompter prompter;
    custodex::SingleInstance guard(custodex::SingleInstance::DefaultLockPath());
    if (!custodex::TakeSingleInstanceGuard(guard, prompter))
        return 1;

    custodex::HelpWindows help;
    custodex::QtFileDialogs dialogs;
    custodex::DetachedLauncher launcher;
    custodex::QtColourChooser colours;
    const custodex::ProgramPaths paths = custodex::ProgramPaths::ForThisUser();
    QDir().mkpath(paths.DefaultClientFolder);
    custodex::TQDLMainCalendar window({prompter,
                                       help,
                                       dialogs,
                                       launcher,
                                       colours,
                                       paths,
                                       [] { QApplication::beep(); },
                                       [] { return QDate::currentDate().year(); },
                                       {}});
    window.show();
    return QApplication::exec();
}
