#pragma once

#include "calendar/CalendarModel.h"
#include "calendar/DocumentLifecycle.h"
#include "calendar/ExtendedScan.h"
#include "calendar/MenuChecks.h"
#include "calendar/MonthView.h"
#include "calendar/ProgramSettings.h"
#include "platform/ProgramPaths.h"

#include <QMainWindow>

#include <array>
#include <functional>

class QAction;
class QButtonGroup;
class QMenu;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace custodex {

class DayCellWidget;
class FileDialogs;
class HelpService;
class ColourChooser;
class ProgramLauncher;
class TCsvConvert;
class TFindThings;
class TPreviewer;
class TUserInitialize;
class TTheStartWizard;
class Prompter;
class TSetAONDay;
class TUserClock;

// What the main window needs from outside; tests replace each.
struct MainWindowServices {
    Prompter& Messages;
    HelpService& Help;
    FileDialogs& Dialogs;
    ProgramLauncher& Launcher;
    ColourChooser& Colours;
    ProgramPaths Paths;
    std::function<void()> Beep;
    std::function<int()> CurrentYear;
    std::function<QString()> GeneratedStamp; // "Generated " + date and time, for pictures
};

// Text of the items whose windows are not part of this version yet.
inline const QString LaterVersionTip = QStringLiteral("Coming in a later version");

// The main window. It owns the one calendar document that exists at a time.
class TQDLMainCalendar : public QMainWindow,
                         private CellClickHost,
                         private ExtendedScanHost,
                         private StartHost {
    Q_OBJECT

public:
    explicit TQDLMainCalendar(MainWindowServices services, QWidget* parent = nullptr);
    ~TQDLMainCalendar() override;

    CalendarDocument& Document() { return Doc; }
    ProgramSettings& Settings() { return ProgramSetup; }
    ListKind CurrentListKind() const { return Lists; }
    QAction* Action(const QString& objectName) const;
    const MonthView& View() const { return Month; }
    TUserClock& Clock() { return *UserClock; }
    TSetAONDay& DayEditor() { return *SetDay; }

    // Commands.
    void StartCalendar();
    void NextMonthClick();
    void PrevMonthClick();
    void GoToMonthClick(int monthNumber);
    void CellPressed(int cellNumber, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void SetMode(MarkMode mode);
    void EditDefaultTime(int which); // 0..3: overnight start, end, day-visit start, end
    void ShowCounters(int which);    // 0 both years, 1 first, 2 second
    void RefreshWindow();            // redraws everything from the document

    // File and menu commands.
    void NewOrCloseClick();
    void OpenCalendarClick(const QString& recentPath = QString());
    void RecentFileClick(int index);
    void SaveClick();
    void SaveAsClick();
    void LockClick(bool lock);
    void FindClick();
    void ScanExtendedClick();
    void ToggleStartWizardClick();
    void RunCollatoClick();
    void CreateCustomListClick();
    void WebSiteClick();
    void TutorialsClick();
    void AboutClick();
    void PreferencesClick();
    void PreviewClick();
    void CsvExportClick();
    void FirstActivation();
    void WriteSettingsFile();

    // Controls, named as in the rest of the program.
    QLineEdit* ClientName = nullptr;
    QComboBox* UserYear = nullptr;
    QComboBox* SelUserMonth = nullptr;
    QGroupBox* ModeGroup = nullptr;
    QRadioButton* Overnights = nullptr;
    QRadioButton* DayVisits = nullptr;
    QGroupBox* OvernightGroup = nullptr;
    QComboBox* OverniteReasons = nullptr;
    QLineEdit* OverNiteStrtTime = nullptr;
    QLineEdit* OverNiteEndTime = nullptr;
    QGroupBox* DayVisitGroup = nullptr;
    QComboBox* DayVisitReasons = nullptr;
    QLineEdit* DayVisitStrtTime = nullptr;
    QLineEdit* DayVisitEndTime = nullptr;
    QRadioButton* ShowBYCntrs = nullptr;
    QRadioButton* Show1YCntrs = nullptr;
    QRadioButton* Show2YCntrs = nullptr;
    QLabel* NonCustodialTitle = nullptr;
    QLabel* CustodialTitle = nullptr;
    std::array<QLabel*, 8> CounterLabels{};      // TotalOverNites, CON, PrCntOvrNit, CONP, ...
    std::array<QLabel*, 2> PercentRowCaptions{}; // "% of Year's Total:" of both kinds
    QPushButton* StartBtn = nullptr;
    QPushButton* PrevMonthBtn = nullptr;
    QPushButton* NextMonthBtn = nullptr;
    std::array<QPushButton*, MonthsInSpan> MonthButtons{};
    QPushButton* CloseBtn = nullptr;
    QFrame* MonthArea = nullptr;
    QLabel* MonthYearLbl = nullptr;
    std::array<QLabel*, 7> ColumnHeads{};
    std::array<DayCellWidget*, CellCount> Cells{};

    TTheStartWizard& Wizard() { return *StartWizard; }
    TFindThings& Finder() { return *FindDialog; }
    TUserInitialize& PreferencesDialog() { return *Preferences; }
    TCsvConvert& CsvDialog() { return *Csv; }
    TPreviewer& Preview() { return *Previewer; }

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
    // ExtendedScanHost
    void ShowMonth(int monthNumber) override;
    ExtendedAnswer AskToConvert(const QString& message1, const QString& message2,
                                const QString& message3) override;
    // StartHost
    void ShowClientName(const QString& name) override;
    void Focus(StartFocus field) override;
    void ShowDocument() override;
    void OpenPreferences() override;

    LifecycleContext Lifecycle();
    void AfterLifecycle(bool closedOrOpened);
    void ShowRecentFiles();
    void EnableCalendarMenus();
    void StartCompanion(const QString& name, const QStringList& arguments);

    void BuildClientPanel(QWidget* client);
    void BuildModePanel(QWidget* client);
    void BuildCountersPanel(QWidget* client);
    void BuildLeftColumn(QWidget* client);
    void BuildMonthArea(QWidget* client);
    void BuildMenus();
    void ArrangeMonthArea();
    void AfterMove();
    void DrawCells();
    void ShowParentTitles();
    void ShowSelectedCounters();
    void ReasonTextEdited(QComboBox* combo, ReasonList& list);
    void ReasonFocusLost(QComboBox* combo, ReasonList& list);
    void ShowReasonList(QComboBox* combo, const ReasonList& list);
    void ShowDefaultTimes();
    void ApplyModeCursor();

    MainWindowServices Services;
    CalendarDocument Doc;
    ProgramSettings ProgramSetup;
    QString OpenDialogFileName;
    ListKind Lists = ListKind::Overnights;
    bool Activated = false;
    QWidget* ClientArea = nullptr;
    std::vector<QAction*> CalendarActions;
    std::array<QAction*, RecentFileCount> RecentActions{};
    QAction* WizardAction = nullptr;
    QMenu* ListsMenu = nullptr;
    TTheStartWizard* StartWizard = nullptr;
    TFindThings* FindDialog = nullptr;
    TUserInitialize* Preferences = nullptr;
    TCsvConvert* Csv = nullptr;
    TPreviewer* Previewer = nullptr;
    MonthView Month;
    TUserClock* UserClock = nullptr;
    TSetAONDay* SetDay = nullptr;
    bool Updating = false;
};

} // namespace custodex
