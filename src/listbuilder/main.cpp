#include "calendar/CalendarModel.h"
#include "patterns/ui/ListBuilderWindow.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxPrompter.h"
#include "platform/ProgramPaths.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QDir>

#include <cstdio>

// custodex-list-builder [START-YEAR START-MONTH CLIENT CLIENT-FOLDER]: the calendar starts it
// with the four values of its open calendar, or with none for a list of any span.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Custodex Calendar"));
    QCoreApplication::setApplicationVersion(QStringLiteral("4.10"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.custodex.Calendar"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Makes and changes custom list templates (.tcl) for Apply/Remove a Custom List, by hand "
        "or from an iCalendar (.ics) file such as a school's holidays."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("START-YEAR"),
                                 QStringLiteral("The calendar's start year, such as 2025."),
                                 QStringLiteral("[START-YEAR"));
    parser.addPositionalArgument(QStringLiteral("START-MONTH"),
                                 QStringLiteral("The calendar's start month, such as March."),
                                 QStringLiteral("START-MONTH"));
    parser.addPositionalArgument(QStringLiteral("CLIENT"), QStringLiteral("The client's name."),
                                 QStringLiteral("CLIENT"));
    parser.addPositionalArgument(QStringLiteral("CLIENT-FOLDER"),
                                 QStringLiteral("Where the list is proposed to be saved."),
                                 QStringLiteral("CLIENT-FOLDER]"));
    parser.process(app);
    const QStringList values = parser.positionalArguments();

    custodex::ListTemplate start;
    QString folder = custodex::ProgramPaths::ForThisUser().DefaultClientFolder;
    const bool forCalendar = values.size() == 4;
    if (forCalendar) {
        start.StartYear = custodex::YearFromYearText(values[0]);
        start.StartMonthIndex = custodex::MonthIndexOf(values[1]);
        start.ClientName = values[2];
        folder = values[3];
        if (start.StartYear < 1900 || start.StartYear > 2999 || start.StartMonthIndex < 0) {
            std::fputs("custodex-list-builder: the start year or month is not one.\n", stderr);
            return 2;
        }
    }
    else if (!values.isEmpty()) {
        std::fputs("custodex-list-builder: give the start year, start month, client and client "
                   "folder, or nothing.\n",
                   stderr);
        return 2;
    }
    else {
        const QDate today = QDate::currentDate();
        start.StartYear = today.year();
        start.StartMonthIndex = today.month() - 1;
    }
    QDir().mkpath(folder);

    custodex::MessageBoxPrompter prompter;
    custodex::QtFileDialogs dialogs;
    custodex::TListBuilder window(prompter, dialogs, start, folder, forCalendar);
    window.show();
    return QApplication::exec();
}
