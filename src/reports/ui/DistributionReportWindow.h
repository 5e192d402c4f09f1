#pragma once

#include "reports/HourlyDistribution.h"

#include <QDialog>
#include <QImage>

#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QScrollArea;
class QTimer;

namespace custodex {

class FileDialogs;
class HelpService;
class OutputPrompts;
class Prompter;
class PrintDialog;

struct DistributionWindowServices {
    Prompter& Messages;
    HelpService& Help;
    FileDialogs& Dialogs;
    OutputPrompts& Output;
    PrintDialog& Printing;
    std::function<QString()> Generated;      // "Generated " + date and time
    std::function<void()> ChangeAssumptions; // the preferences dialog on the calendar
};

// "Hourly Distribution Report": the assumptions it will use, then the two-page report over the
// whole screen, printed or saved as two pictures; closing it says whether the run found
// problems, offers their list and completes the run in the calendar.
class TShowDistribution : public QDialog {
    Q_OBJECT

public:
    // `withSleepAndNap` false hides the sleep and nap rows (the care time report's path).
    TShowDistribution(CalendarDocument& doc, DistributionWindowServices services,
                      bool withSleepAndNap, QWidget* parent = nullptr);

    QGroupBox* AssumptionsGroupBox = nullptr;
    QLineEdit* OvernightHours = nullptr;
    QLineEdit* SleepTime = nullptr;
    QLineEdit* DayVisitHours = nullptr;
    QLineEdit* NapTime = nullptr;
    QLabel* SleepTimeLabel = nullptr;
    QLabel* NapTimeLabel = nullptr;
    QPushButton* ChangeAssumptions = nullptr;
    QPushButton* RunBtn = nullptr;
    QMenu* FileMenu = nullptr;
    QAction* PrintReport = nullptr;
    QAction* CloseItem = nullptr;
    QAction* HelpItem = nullptr;
    QScrollArea* Report = nullptr;
    QTimer* ScrollTimer = nullptr;

    void ChangeAssumptionsClick();
    void RunBtnClick();
    void PrintReportClick();

    bool ReportRun() const { return HasRun; }
    const DistributionResult& Result() const { return Run; }
    // The report as shown: W × 176 lines.
    const QImage& Picture() const { return Shown; }
    // Where the pointer is, in global coordinates; starts or stops the edge scrolling.
    void PointerAt(const QPoint& global);

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A click on the window's surface closes it, before the run as after.
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ShowAssumptions();
    void DrawReport();
    void PrintOnPaper(QPrinter& printer);
    void SavePictures();
    void SayHowItWent();
    void ScrollStep();
    int ScrollDirection() const; // -1 up, 1 down, 0 none

    CalendarDocument& Doc;
    DistributionWindowServices Services;
    DistributionResult Run;
    QImage Shown;
    QWidget* Canvas = nullptr;
    QPoint Pointer;
    bool HasRun = false;
    bool Closing = false;
};

} // namespace custodex
