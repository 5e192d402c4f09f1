#include "app/MainMenu.h"

#include "app/MainWindow.h"
#include "app/MenuBarKeys.h"
#include "calendar/ui/CalendarCommands.h"
#include "calendar/ui/PreferencesCommand.h"
#include "entry/ui/FindCommand.h"
#include "holidays/HolidayLists.h"
#include "holidays/ui/HolidayCommands.h"
#include "output/ui/IcsCommand.h"
#include "output/ui/OutputCommands.h"
#include "output/ui/PrintCalendarDialog.h"
#include "patterns/ui/CustomListCommands.h"
#include "patterns/ui/PatternListCommands.h"
#include "patterns/ui/StandardScheduleCommand.h"
#include "reports/ui/ComparisonWindow.h"
#include "reports/ui/DistributionReportCommand.h"
#include "reports/ui/TimeReportMenuCommands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

namespace custodex {

MainMenuItems BuildMainMenu(TQDLMainCalendar& window)
{
    MainMenuItems items;
    CommandHost* host = &window; // the features' commands see the window only as this
    TQDLMainCalendar* w = &window;
    auto add = [w](QMenu* menu, const QString& caption, const char* name, auto command) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        QObject::connect(action, &QAction::triggered, w, command);
        return action;
    };
    auto calendar = [&items](QAction* action) {
        items.CalendarActions.push_back(action);
        return action;
    };
    auto submenu = [](QMenu* menu, const QString& caption, const char* name) {
        QMenu* sub = menu->addMenu(caption);
        if (name)
            sub->setObjectName(QLatin1String(name));
        sub->setToolTipsVisible(true);
        return sub;
    };
    auto bar = [w](const QString& caption, const char* name, auto command) {
        QAction* action = w->menuBar()->addAction(caption);
        action->setObjectName(QLatin1String(name));
        QObject::connect(action, &QAction::triggered, w, command);
        return action;
    };

    QMenu* file = w->menuBar()->addMenu(QStringLiteral("&File"));
    file->setToolTipsVisible(true);
    add(file, QStringLiteral("New"), "New", [w] {
        w->NewOrCloseClick();
    })->setShortcut(QKeySequence::New);
    add(file, QStringLiteral("Open File"), "OpenFile", [w] {
        w->OpenCalendarClick();
    })->setShortcut(QKeySequence::Open);
    calendar(add(file, QStringLiteral("Save"), "Save", [w] {
        w->SaveClick();
    }))->setShortcut(QKeySequence::Save);
    calendar(add(file, QStringLiteral("Save As"), "SaveAs", [w] { w->SaveAsClick(); }));
    calendar(add(file, QStringLiteral("Close File"), "CloseFile", [w] { w->NewOrCloseClick(); }));
    add(file, QStringLiteral("Recover Unsaved Changes\u2026"), "RecoverUnsaved",
        [w] { w->RecoverClick(); });
    file->addSeparator();
    add(file, QStringLiteral("Lock File"), "LockFile", [w] { w->LockClick(true); });
    add(file, QStringLiteral("Unlock File"), "UnlockFile", [w] { w->LockClick(false); });
    file->addSeparator();
    QMenu* print = submenu(file, QStringLiteral("Print Calendar"), "PrintCalendar");
    calendar(add(print, QStringLiteral("Print All Months"), "PrintAllMonths", [host] {
        RunPrintCalendar(*host, PrintMode::All);
    }))->setShortcut(QKeySequence::Print);
    calendar(add(print, QStringLiteral("Print Current Month"), "PrintCurrentMonth",
                 [host] { RunPrintCalendar(*host, PrintMode::Single); }));
    calendar(add(file, QStringLiteral("Write Calendar to .CSV Formatted File"), "WriteCsv",
                 [host] { RunCsvExport(*host); }));
    calendar(add(file, QStringLiteral("Write Calendar to .ICS File"), "WriteIcs",
                 [host] { RunIcsExport(*host); }));
    calendar(add(file, QStringLiteral("&Hourly Distribution Report"), "HourlyDistribution",
                 [host] { RunDistributionReport(*host); }));
    calendar(add(file, QStringLiteral("Care Time Report"), "CareTimeReport",
                 [host] { RunCareTimeReport(*host); }));
    calendar(add(file, QStringLiteral("Day Count Report"), "DayCountReport",
                 [host] { RunDayCountReport(*host); }));
    calendar(add(file, QStringLiteral("Quality Time Report"), "QualityTimeReport",
                 [host] { RunQualityTimeReport(*host); }));
    calendar(add(file, QStringLiteral("&Compare With Another Calendar\u2026"), "CompareCalendars",
                 [host] { RunCompareCalendars(*host); }));
    file->addSeparator();
    for (int k = 0; k < RecentFileCount; ++k) {
        QAction* recent = add(file, QString(), "", [w, k] { w->RecentFileClick(k); });
        recent->setObjectName(k == 0 ? QStringLiteral("Lastfile1")
                                     : QStringLiteral("LastFile%1").arg(k + 1));
        recent->setCheckable(true);
        recent->setVisible(false);
        recent->setEnabled(false);
        items.RecentFiles[static_cast<std::size_t>(k)] = recent;
    }
    file->addSeparator();
    add(file, QStringLiteral("&Run Collato (Stand Alone Mode)"), "RunCollato",
        [host] { RunCollato(*host); });
    items.StartWizard = add(file, QStringLiteral("Use the Startup Wizard"), "UseStartupWizard",
                            [w] { w->ToggleStartWizardClick(); });
    items.StartWizard->setCheckable(true);
    items.StartWizard->setChecked(true);
    file->addSeparator();
    add(file, QStringLiteral("Exit"), "Exit", [w] { w->close(); });

    QMenu* edit = w->menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    QUndoStack& steps = w->History().Stack();
    QAction* undo = steps.createUndoAction(edit, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QObject::connect(undo, &QAction::triggered, w, [w] { w->UndoDone(); });
    QAction* redo = steps.createRedoAction(edit, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("Redo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QObject::connect(redo, &QAction::triggered, w, [w] { w->RedoDone(); });
    edit->addActions({undo, redo});

    QMenu* lists = w->menuBar()->addMenu(QStringLiteral("&Lists(Patterns)"));
    lists->setObjectName(QStringLiteral("ListsMenu"));
    lists->setToolTipsVisible(true);
    items.ListsMenu = lists;
    add(lists, QStringLiteral("Find"), "Find", [host] {
        RunFind(*host);
    })->setShortcut(QKeySequence::Find);
    // A holiday dialog works on the kind of the submenu it was reached through.
    QMenu* overnightLists = submenu(lists, QStringLiteral("Overnight Lists"), "OvernightLists");
    QObject::connect(overnightLists, &QMenu::aboutToShow, w,
                     [w] { w->SetListKind(ListKind::Overnights); });
    add(overnightLists, QStringLiteral("Apply/Remove Odd/Even/All Patterns (Days or Weeks)"),
        "OvernightOddEvenAll", [host] { RunOddEvenAllOvernights(*host); });
    add(overnightLists, QStringLiteral("Apply/Remove Monthly Patterns"), "OvernightMonthly",
        [host] { RunMonthlyOvernights(*host); });
    QMenu* overnightHolidays =
        submenu(overnightLists, QStringLiteral("Apply/Remove a Holiday"), nullptr);
    add(overnightHolidays, QStringLiteral("U.S. Holidays"), "OvernightUSHolidays",
        [host] { RunHolidays(*host, UnitedStatesHolidays(), ListKind::Overnights); });
    add(overnightHolidays, QStringLiteral("Canadian Holidays"), "OvernightCanadianHolidays",
        [host] { RunHolidays(*host, CanadianHolidays(), ListKind::Overnights); });
    add(overnightHolidays, QStringLiteral("United Kingdom Holidays"), "OvernightUKHolidays",
        [host] { RunHolidays(*host, UnitedKingdomHolidays(), ListKind::Overnights); });
    add(overnightLists, QStringLiteral("Scan for Possible Extended Overnights"), "ScanExtended",
        [host] { RunExtendedScan(*host); });
    QMenu* dayVisitLists = submenu(lists, QStringLiteral("Day Visit Lists"), "DayVisitLists");
    QObject::connect(dayVisitLists, &QMenu::aboutToShow, w,
                     [w] { w->SetListKind(ListKind::DayVisits); });
    add(dayVisitLists, QStringLiteral("Apply/Remove Odd/Even/All Patterns (Days or Weeks)"),
        "DayVisitOddEvenAll", [host] { RunOddEvenAllDayVisits(*host); });
    add(dayVisitLists, QStringLiteral("Apply/Remove Monthly Patterns"), "DayVisitMonthly",
        [host] { RunMonthlyDayVisits(*host); });
    QMenu* dayVisitHolidays =
        submenu(dayVisitLists, QStringLiteral("Apply/Remove a Holiday"), nullptr);
    add(dayVisitHolidays, QStringLiteral("U. S. Holidays"), "DayVisitUSHolidays",
        [host] { RunHolidays(*host, UnitedStatesHolidays(), ListKind::DayVisits); });
    add(dayVisitHolidays, QStringLiteral("Canadian Holidays"), "DayVisitCanadianHolidays",
        [host] { RunHolidays(*host, CanadianHolidays(), ListKind::DayVisits); });
    add(dayVisitHolidays, QStringLiteral("United Kingdom Holidays"), "DayVisitUKHolidays",
        [host] { RunHolidays(*host, UnitedKingdomHolidays(), ListKind::DayVisits); });
    lists->addSeparator();
    add(lists, QStringLiteral("Apply/Remove a Custom Repeat Pattern"), "ApplyRepeatPattern",
        [host] { RunApplyRepeatPattern(*host); });
    add(lists, QStringLiteral("Create/Modify a Custom Repeat Pattern"), "MakeRepeatPattern",
        [host] { RunMakeRepeatPattern(*host); });
    add(lists, QStringLiteral("Apply/Remove a Custom List"), "ApplyCustomList",
        [host] { RunApplyCustomList(*host); });
    add(lists, QStringLiteral("Apply a Standard Schedule…"), "ApplyStandardSchedule",
        [host] { RunStandardSchedule(*host); });
    add(lists, QStringLiteral("Create/Modify a Custom List"), "CreateCustomList",
        [host] { RunCustomListBuilder(*host); });

    calendar(bar(QStringLiteral("&Preview"), "Preview", [host] { RunPreview(*host); }));
    calendar(bar(QStringLiteral("P&references"), "Preferences", [host] { RunPreferences(*host); }));

    QMenu* help = w->menuBar()->addMenu(QStringLiteral("&Help"));
    add(help, QStringLiteral("&Calendar Help"), "CalendarHelp", [host] {
        ShowCalendarHelp(*host);
    })->setShortcut(QKeySequence::HelpContents);
    add(help, QStringLiteral("&View Tutorials"), "ViewTutorials", [host] { ShowTutorials(*host); });
    add(help, QStringLiteral("&Goto CDX Website"), "GotoWebsite", [host] { RunWebsite(*host); });
    add(help, QStringLiteral("&About"), "About", [host] { ShowAbout(*host); });
    bar(QStringLiteral("&Exit"), "ExitBar", [w] { w->close(); });
    new MenuBarKeys(w, w->menuBar()); // the Alt keys of Preview, Preferences and Exit
    return items;
}

} // namespace custodex
