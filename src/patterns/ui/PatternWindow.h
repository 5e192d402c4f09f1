#pragma once

#include "patterns/WeekdayPatterns.h"
#include "patterns/ui/BulkDialogParts.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace custodex {

class Prompter;
class TUserClock;

// The window the four pattern dialogs share: weekday list, pattern kind, week-begin day, date
// range, times, no-nap box and reason, with Apply List, Remove List, Undo, Preview, Save/Close
// and Cancel. Its logic is the patterns engine; the window gathers and shows its state.
class TPatternWindow : public QDialog {
    Q_OBJECT

public:
    // `preview` shows the calendar preview; `refresh` redraws the month behind the dialog.
    TPatternWindow(PatternDialog dialog, ListKind kind, Prompter& prompter, TUserClock& clock,
                   std::function<void()> preview, std::function<void()> refresh, QWidget* parent);

    // Shows the dialog modally on the calendar; false when it ends with Cancel.
    bool Execute(CalendarDocument& doc);
    // Back to the state after creation (a calendar was closed).
    void ResetDialog();

    const PatternDialogState& State() const { return Entries; }
    PatternDialog Dialog() const { return Which; }
    ListKind Kind() const { return Marks; }

    // Controls, named as their roles.
    QListWidget* WeekDay = nullptr;
    std::vector<QRadioButton*> KindBoxes; // FirstBox, SecondBox, ... in kind order
    QGroupBox* SelectFullWeekBeginDay = nullptr;
    std::array<QRadioButton*, WeekdayCount> WeekBegins{}; // WeekBeginsMonday .. WeekBeginsSunday
    QComboBox* FirstMonth = nullptr;
    QComboBox* FirstDay = nullptr;
    QComboBox* FirstYear = nullptr;
    QComboBox* LastMonth = nullptr;
    QComboBox* LastDay = nullptr;
    QComboBox* LastYear = nullptr;
    QLineEdit* StrtTime = nullptr;
    QToolButton* SClick1 = nullptr;
    QLineEdit* EndTime = nullptr;
    QToolButton* BitBtn1 = nullptr;
    QCheckBox* NoNapBox = nullptr;
    QLineEdit* Alias = nullptr;
    QPushButton* ApplyBtn = nullptr;
    QPushButton* RemoveBtn = nullptr;
    QPushButton* UndoBtn = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* CloseBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void ApplyBtnClick();
    void RemoveBtnClick();
    void UndoBtnClick();
    void BitBtn3Click();
    void CloseBtnClick();
    void CancelBtnClick();
    void EditTime(bool dropoff);

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildKindRow();
    QWidget* BuildWeekdays();
    QWidget* BuildRange();
    QWidget* BuildTimes();
    QWidget* BuildButtons();
    void Connect();
    void ShowState();
    void ChoicesChanged();
    void Redraw();

    const PatternDialog Which;
    const ListKind Marks;
    Prompter& Messages;
    TUserClock& Clock;
    std::function<void()> Preview;
    std::function<void()> Refresh;
    PatternDialogState Entries;
    TDateRangeGroup* Range = nullptr;
    CalendarDocument* Doc = nullptr;
    bool Updating = false;
};

} // namespace custodex
