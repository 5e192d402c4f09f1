#include "calendar/ui/Months.h"
#include "platform/Prompter.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Custodex Calendar"));
    QApplication::setApplicationDisplayName(QStringLiteral("Custodex Calendar"));
    QApplication::setApplicationVersion(QStringLiteral("4.10"));

    custodex::MessageBoxPrompter prompter;
    custodex::TQDLMainCalendar window(prompter);
    window.show();
    return QApplication::exec();
}
