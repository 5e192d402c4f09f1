#pragma once

#include "entry/FindLogic.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace custodex {

class Prompter;

// Searches the reasons one day per timer step, so the window stays usable and can be stopped.
class TFindThings : public QDialog {
    Q_OBJECT

public:
    TFindThings(Prompter& prompter, QWidget* parent = nullptr);

    // Shows the dialog modally; `showMonth` turns the month view to a month number (1..24).
    void Execute(CalendarDocument& doc, std::function<void(int)> showMonth);

    QLineEdit* FindThis = nullptr;
    QRadioButton* FindOvernights = nullptr;
    QRadioButton* FindDayVisits = nullptr;
    QRadioButton* FindBoth = nullptr;
    QCheckBox* MatchBox = nullptr;
    QPushButton* FindNowBtn = nullptr;
    QPushButton* ExitFindBtn = nullptr;
    QLabel* Browser = nullptr;
    QLabel* FoundNotFound = nullptr;
    QLabel* MonthTextual = nullptr;
    QLabel* DayText = nullptr;
    QLabel* ONReasonText = nullptr;
    QLabel* DVReasonText = nullptr;

    void FindNowBtnClick();
    void ExitFindBtnClick();
    bool IsSearching() const { return Searching; }

protected:
    void reject() override;

private:
    void Step();
    void ShowResults(bool visible);
    FindScope Scope() const;

    Prompter& Messages;
    CalendarDocument* Doc = nullptr;
    std::function<void(int)> ShowMonth;
    FindSearch Search;
    QTimer* Timer = nullptr;
    QPoint BrowserHome;
    int AnimationStep = 0;
    bool Searching = false;
    bool StopRequested = false;
    QList<QLabel*> ResultLabels;
};

} // namespace custodex
