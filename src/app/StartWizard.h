#pragma once

#include "calendar/WizardFlow.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QWidget;

namespace custodex {

class Prompter;
class TQDLMainCalendar;

// Guides a user through starting a calendar (name, year, month) or opening one. It has no
// data of its own: it fills the main window's fields and runs its Start or Open. The steps
// live in WizardFlow; the window shows them.
class TTheStartWizard : public QDialog, private WizardHost {
    Q_OBJECT

public:
    TTheStartWizard(TQDLMainCalendar& main, Prompter& prompter);

    int Step() const { return Flow.State().Step; }

    QLabel* InfoLabel = nullptr;
    QPushButton* BackButton = nullptr;
    QPushButton* NextButton = nullptr;
    QPushButton* CloseButton = nullptr;
    QCheckBox* DisableBox = nullptr;
    QStackedWidget* Pages = nullptr; // holds the five pages, one shown at a time
    QWidget* State1Panel = nullptr;
    QWidget* State2Panel = nullptr;
    QWidget* State3Panel = nullptr;
    QWidget* State4Panel = nullptr;
    QWidget* DonePanel = nullptr;
    QRadioButton* RadioNew = nullptr;
    QRadioButton* RadioOld = nullptr;
    QLineEdit* WizardClientName = nullptr;
    QComboBox* WizardUserYear = nullptr;
    QComboBox* WizardSelUserMonth = nullptr;
    QLabel* SPL1 = nullptr;
    QLabel* SPL2 = nullptr;

    void NextButtonClick();
    void BackButtonClick();
    void CloseButtonClick();

    void setVisible(bool visible) override;

private:
    void FormShow(); // the set-up of each showing
    void ShowState();
    void PlaceTopRight();
    void FitPages();

    // WizardHost
    bool OpenCalendar() override;
    void SetClientName(const QString& name) override;
    void SetYearText(const QString& year) override;
    void SetMonthText(const QString& month) override;
    bool WizardSwitchOn() const override;
    void ToggleWizardSwitch() override;

    TQDLMainCalendar& Main;
    WizardFlow Flow;
};

} // namespace custodex
