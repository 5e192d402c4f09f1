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
    // `showDay` turns the main window to a month (1..24) and returns where the found day
    // (an index into the days) is on the screen, so the dialog can move off it.
    void Execute(CalendarDocument& doc, std::function<QRect(int, int)> showDay);

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
    void SayResult(const QString& text);
    void Step();
    void ShowResults(bool visible);
    FindScope Scope() const;

    Prompter& Messages;
    CalendarDocument* Doc = nullptr;
    std::function<QRect(int, int)> ShowDay;
    FindSearch Search;
    QTimer* Timer = nullptr;
    QPoint BrowserHome;
    int AnimationStep = 0;
    bool Searching = false;
    bool StopRequested = false;
    QList<QLabel*> ResultLabels;
};

} // namespace custodex
