#pragma once

#include "calendar/CalendarModel.h"
#include "output/CalendarPages.h"
#include "platform/FileAccess.h"
#include "platform/OutputPrompts.h"

#include <QDialog>
#include <QImage>
#include <QPrinter>

#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;

// The printing dialog: one-year pages, month pages or the textual lists, to the printer or as
// picture files, with the progress of the work. "All" offers every printout; "Single" prints
// the month on screen and closes itself.

namespace custodex {

class FileDialogs;
class PrintDialog;
class Prompter;

struct PrintCalendarServices {
    Prompter& Messages;
    FileDialogs& Dialogs;
    OutputPrompts& Output;
    PrintDialog& Printing;
    std::function<QString()> Generated; // "Generated " + date and time; empty: the clock's
};

enum class PrintMode { All, Single };

// The printing dialog of the calendar: one-year pages, month pages or the lists of overnights
// and day visits, on paper or as pictures, with its progress.
class TPrintCalendar : public QDialog {
    Q_OBJECT

public:
    TPrintCalendar(CalendarDocument& doc, PrintCalendarServices services, PrintMode mode,
                   QWidget* parent = nullptr);

    void PrintBtnClick();
    bool Printing() const { return Running; }
    // What the last printout did, for the status bar ("Wrote 24 pages to ..."), or empty.
    const QString& Said() const { return Words; }

    QRadioButton* OnePage = nullptr;
    QRadioButton* TwelvePage = nullptr;
    QRadioButton* OvrChecked = nullptr;
    QRadioButton* DailyChecked = nullptr;
    QCheckBox* InclHeaders = nullptr;
    QCheckBox* InclTrailer = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QProgressBar* PrntProg = nullptr;
    QTimer* TwelvePageTimer = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void TwelvePageTimerTick();
    void PrintSinglePages(PrintLayout layout);
    // Draws pages first..last to the printer, or as pictures in the format given; `pageDone` is
    // told each page, `monthsDone` each month of a one-year page. False when the printer could not
    // start or the pictures could not be written (none is then).
    bool RunPrintout(PrintLayout layout, int first, int last, std::optional<ImageFormat> pictures,
                     const MarkColours& colours, const std::function<void(int)>& pageDone,
                     const std::function<void(int)>& monthsDone);
    // Within one PDF folder each printout proposes client + "_" + its kind + ".pdf".
    void ProposePdfName(PrintLayout layout);
    void SetProgress(int pixels);
    void Finished();
    void SetRunning(bool running);

    CalendarDocument& Doc;
    PrintCalendarServices Services;
    PrintMode Mode;
    QPrinter ThePrinter{QPrinter::HighResolution};
    bool Running = false;
    QString Words;
    int PicturesWritten = 0;
    bool Started = false;
};

} // namespace custodex
