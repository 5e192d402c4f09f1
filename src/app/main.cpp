#include "calendar/ui/Months.h"
#include "platform/HelpService.h"
#include "platform/MessageBoxPrompter.h"

#include <QApplication>
#include <QDate>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Custodex Calendar"));
    QApplication::setApplicationDisplayName(QStringLiteral("Custodex Calendar"));
    QApplication::setApplicationVersion(QStringLiteral("4.10"));

    custodex::MessageBoxPrompter prompter;
    custodex::HelpWindows help;
    custodex::TQDLMainCalendar window(
        {prompter, help, [] { QApplication::beep(); }, [] { return QDate::currentDate().year(); }});
    window.show();
    return QApplication::exec();
}
