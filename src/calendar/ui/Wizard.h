#pragma once

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
// data of its own: it fills the main window's fields and runs its Start or Open.
class TTheStartWizard : public QDialog {
    Q_OBJECT

public:
    TTheStartWizard(TQDLMainCalendar& main, Prompter& prompter);

    int Step() const { return State; }

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
    void ShowPage(QWidget* page);
    void PlaceTopRight();
    void FitPages();

    TQDLMainCalendar& Main;
    Prompter& Messages;
    int State = 1;
    QString RememberedYear;
    QString RememberedMonth;
};

} // namespace custodex
