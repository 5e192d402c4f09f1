#include "calendar/CalendarModel.h"
#include "patterns/ui/ListBuilderWindow.h"
#include "platform/CommandLine.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxPrompter.h"
#include "platform/ProgramPaths.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QDir>

#include <cstdio>

namespace {

void DescribeCommandLine(QCommandLineParser& parser)
{
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
}

struct StartValues {
    custodex::ListTemplate Start;
    QString Folder;
    bool ForCalendar = false;
};

// The four values the calendar passes, or none. Returns the exit code of a refusal, or 0.
int ReadStartValues(const QStringList& values, StartValues& read)
{
    read.Folder = custodex::ProgramPaths::ForThisUser().DefaultClientFolder;
    read.ForCalendar = values.size() == 4;
    if (read.ForCalendar) {
        read.Start.StartYear = custodex::YearFromYearText(values[0]);
        read.Start.StartMonthIndex = custodex::MonthIndexOf(values[1]);
        read.Start.ClientName = values[2];
        read.Folder = values[3];
        if (read.Start.StartYear < 1900 || read.Start.StartYear > 2999 ||
            read.Start.StartMonthIndex < 0) {
            std::fputs("custodex-list-builder: the start year or month is not one.\n", stderr);
            return 2;
        }
        return 0;
    }
    if (!values.isEmpty()) {
        std::fputs("custodex-list-builder: give the start year, start month, client and client "
                   "folder, or nothing.\n",
                   stderr);
        return 2;
    }
    const QDate today = QDate::currentDate();
    read.Start.StartYear = today.year();
    read.Start.StartMonthIndex = today.month() - 1;
    return 0;
}

} // namespace

// custodex-list-builder [START-YEAR START-MONTH CLIENT CLIENT-FOLDER]: the calendar starts it
// with the four values of its open calendar, or with none for a list of any span.
int main(int argc, char* argv[])
{
    custodex::AnswerHelpOrVersion(argc, argv, DescribeCommandLine);
    QApplication app(argc, argv);
    custodex::NameTheDesktopProgram();
    QGuiApplication::setDesktopFileName(QStringLiteral("org.custodex.Calendar"));
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.process(app); // a wrong option ends the program with its message
    StartValues start;
    if (const int refused = ReadStartValues(parser.positionalArguments(), start))
        return refused;
    QDir().mkpath(start.Folder);

    custodex::MessageBoxPrompter prompter;
    custodex::QtFileDialogs dialogs;
    custodex::TListBuilder window(prompter, dialogs, start.Start, start.Folder, start.ForCalendar);
    window.show();
    return QApplication::exec();
}
