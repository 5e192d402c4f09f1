#pragma once

#include "calendar/PreferencesLogic.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace custodex {

class ColourChooser;
class HelpService;
class Prompter;
class TUserClock;
class GuidelinesPage;

// The preferences of the open calendar: credits, colours, default times, parent titles and
// the assumed durations of the reports.
class TUserInitialize : public QDialog {
    Q_OBJECT

public:
    TUserInitialize(Prompter& prompter, HelpService& help, ColourChooser& colours,
                    TUserClock& clock, QWidget* parent = nullptr);

    // Shows the dialog modally for `doc`; true when OK stored the values.
    bool Execute(CalendarDocument& doc);

    QLineEdit* Author = nullptr;
    QLineEdit* Title = nullptr;
    QFrame* BackGrndColPanel = nullptr;
    QFrame* OverNiteColPanel = nullptr;
    QFrame* DayVisitColPanel = nullptr;
    QCheckBox* RestoreColorDefaults = nullptr;
    QLineEdit* OverNiteStrtTime = nullptr;
    QLineEdit* OverNiteEndTime = nullptr;
    QLineEdit* DayVisitStrtTime = nullptr;
    QLineEdit* DayVisitEndTime = nullptr;
    QComboBox* CustodialName = nullptr;
    QComboBox* NonCustodialName = nullptr;
    // Hours and minutes fields of the overnight stay, sleep, day visit and nap, in that order.
    std::array<QLineEdit*, 4> HourFields{};
    std::array<QLineEdit*, 4> MinuteFields{};
    std::array<QToolButton*, 4> HoursUp{};
    std::array<QToolButton*, 4> HoursDown{};
    std::array<QToolButton*, 4> MinutesUp{};
    std::array<QToolButton*, 4> MinutesDown{};
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QTabWidget* Pages = nullptr;
    GuidelinesPage* GuidelinesTab = nullptr;

    bool Touched() const { return IsTouched; }
    void OkBtnClick();
    void CancelBtnClick();
    void PickColour(int which); // 0 background, 1 overnight, 2 day visit
    void EditTime(int which);   // 0..3

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void ShowValues();
    Duration& DurationAt(int index);
    void Touch() { IsTouched = true; }

    Prompter& Messages;
    HelpService& Help;
    ColourChooser& Colours;
    TUserClock& Clock;
    CalendarDocument* Doc = nullptr;
    PreferencesValues Values;
    PreferencesValues Snapshot;
    bool IsTouched = false;
    bool Filling = false;
};

} // namespace custodex
