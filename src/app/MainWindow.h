#pragma once

#include "app/MainMenu.h"
#include "app/MainWindowControls.h"
#include "calendar/CalendarHistory.h"
#include "calendar/CalendarModel.h"
#include "calendar/DocumentLifecycle.h"
#include "calendar/MenuChecks.h"
#include "calendar/MonthView.h"
#include "calendar/ProgramSettings.h"
#include "calendar/Recovery.h"
#include "calendar/ui/CommandHost.h"
#include "calendar/ui/PreferencesCommand.h"
#include "entry/ui/FindCommand.h"
#include "output/ui/OutputCommands.h"

#include <QMainWindow>

#include <optional>

class QAction;
class QFocusEvent;
class QKeyEvent;
class QLabel;

namespace custodex {

class TTheStartWizard;
class TSetAONDay;
class TUserClock;

// The main window. It owns the one calendar document that exists at a time, shows its month
// view and counters, and hands every menu command to its feature (see MainMenu.cpp).
class TQDLMainCalendar : public QMainWindow,
                         public MainWindowControls,
                         public CommandHost,
                         private CellClickHost,
                         private StartHost {
    Q_OBJECT

public:
    explicit TQDLMainCalendar(MainWindowServices services, QWidget* parent = nullptr);
    ~TQDLMainCalendar() override;

    // CommandHost
    CalendarDocument& Document() override { return Doc; }
    MainWindowServices& Services() override { return WindowServices; }
    QWidget* ParentWidget() override { return this; }
    TUserClock& Clock() override;
    void RefreshWindow() override;
    void RedrawMonth() override;
    void ShowMonth(int monthNumber) override;
    QRect DayOnScreen(int dayIndex) const override;
    void PlaceDayCursor(int dayIndex) override { PlaceGridCursor(dayIndex); }
    ListKind CurrentListKind() const override { return Lists; }
    // A word in the status bar after an action, for a few seconds.
    void Say(const QString& text) override;
    CalendarHistory& History() override { return UndoHistory; }
    void WhenCalendarReplaced(QObject* receiver, std::function<void()> action) override
    {
        connect(this, &TQDLMainCalendar::CalendarReplaced, receiver, std::move(action));
    }

    ProgramSettings& Settings() { return ProgramSetup; }
    void SetListKind(ListKind kind) { Lists = kind; }
    QAction* Action(const QString& objectName) const;
    const MonthView& View() const { return Month; }
    // The time entry, the day editor and the wizard are made on first use: none is needed
    // to show the window.
    TSetAONDay& DayEditor();
    TTheStartWizard& Wizard();
    TFindThings& Finder() { return FindWindow(*this); }
    TUserInitialize& PreferencesDialog() { return PreferencesWindow(*this); }
    TCsvConvert& CsvDialog() { return CsvWindow(*this); }
    TPreviewer& Preview() { return PreviewWindow(*this); }

    // The month view.
    void StartCalendar();
    void NextMonthClick();
    void PrevMonthClick();
    void GoToMonthClick(int monthNumber);
    void CellPressed(int cellNumber, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void SetMode(MarkMode mode);
    void EditDefaultTime(int which); // 0..3: overnight start, end, day-visit start, end
    void ShowCounters(int which);    // 0 both years, 1 first, 2 second

    // The file commands and the wizard switch.
    void NewOrCloseClick();
    void OpenCalendarClick(const QString& recentPath = QString());
    void RecentFileClick(int index);
    void SaveClick();
    void SaveAsClick();
    void LockClick(bool lock);
    void ToggleStartWizardClick();
    // After Edit › Undo or Redo took its step: the window shows the result and says it.
    void UndoDone();
    void RedoDone();
    // File › Recover Unsaved Changes…: the copies kept, crashed or declined, newest first.
    void RecoverClick();
    void FindClick() { RunFind(*this); }
    void PreferencesClick() { RunPreferences(*this); }
    void FirstActivation();
    void WriteSettingsFile();
    // A calendar named on the command line: given before the window is shown, it is opened
    // on the first activation through Open's checks, in place of the start wizard
    // (OpenAtStart.cpp, with the first activation).
    void OpenAtStart(const QString& path);
    void OpenNamedCalendar(const QString& path);

signals:
    // The calendar was closed or another one opened; dialogs that keep entries reset them.
    void CalendarReplaced();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // CellClickHost
    QString ClientNameText() const override;
    void FocusClientName() override;
    void FocusStartButton() override;
    bool EditDay(DayEditRequest& request, int cellNumber) override;
    // StartHost
    void ShowClientName(const QString& name) override;
    void Focus(StartFocus field) override;
    void ShowDocument() override;
    void OpenPreferences() override;

    // Recovery copies: brought up to date at every look (RecoveryCheckMilliseconds); a start
    // offers those a program left behind.
    void RecoveryCheck();
    // True when a copy was recovered, which then takes the place of the wizard.
    bool OfferRecoveryAtStart();
    void RecoverCopy(const RecoveryCopy& copy);
    // The calendar's own file, empty for one never saved.
    QString DocumentPath() const;

    void ConnectControls();
    void WatchControls();
    LifecycleContext Lifecycle();
    void AfterLifecycle(bool closedOrOpened);
    void AfterOpen(bool opened);
    void ShowRecentFiles();
    void EnableCalendarMenus();
    void DrawCells();
    void ReasonTextEdited(QComboBox* combo, ReasonList& list);
    void ReasonLeft(QComboBox* combo, ReasonList& list);
    void ShowReasonList(QComboBox* combo, const ReasonList& list);

    // The jobs of the event filter, one each.
    bool DefaultTimeFieldPressed(QObject* watched);
    void ClientNameFocusOut(const QFocusEvent* event);
    void ReasonFocusOut(QObject* watched);
    void StartFocusIn(const QFocusEvent* event);
    bool ReasonKeyPress(QObject* watched, const QKeyEvent* event);
    bool MonthAreaKeyPress(const QKeyEvent* event);
    void ShowDayMenu();
    // The day the keyboard is on (index into the days), shown with a thicker frame while the
    // month grid has the focus.
    int GridCursor = -1;
    void PlaceGridCursor(int dayIndex);
    // The file beside "Calendar.ini" that keeps the window's size and place.
    QString PlacementPath() const;
    void ShowGridCursor();
    // The month list by keyboard: arrows between the 24 months, Enter or Space shows one.
    bool MonthListKeyPress(QObject* watched, const QKeyEvent* event);
    void FocusMonthList();
    // The status bar's words as a label, which a screen reader finds in the window.
    QLabel* StatusWords = nullptr;

    MainWindowServices WindowServices;
    CalendarDocument Doc;
    CalendarHistory UndoHistory{Doc};
    // The content before the default reason being typed, made one step when it is taken.
    std::optional<CalendarContent> ReasonBefore;
    QComboBox* ReasonEdited = nullptr;
    void FinishReasonStep();
    ProgramSettings ProgramSetup;
    QString OpenDialogFileName;
    ListKind Lists = ListKind::Overnights;
    bool Activated = false;
    QString StartFile;
    QWidget* ClientArea = nullptr;
    MainMenuItems Menu;
    TTheStartWizard* StartWizard = nullptr;
    MonthView Month;
    TUserClock* UserClock = nullptr;
    TSetAONDay* SetDay = nullptr;
    bool Updating = false;
    RecoveryKeeper Keeper;
};

} // namespace custodex
