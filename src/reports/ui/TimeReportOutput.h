#pragma once

#include "calendar/CalendarModel.h"
#include "platform/OutputPrompts.h"

#include <QImage>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class QBoxLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QPrinter;
class QWidget;

// What the quality and care time windows share: their services, and the ways a report or a
// window's image leaves the program (paper, picture files).

namespace custodex {

class DrawingSurface;
class FileDialogs;
class HelpService;
class Prompter;
class PrintDialog;

struct SummaryRow;

struct TimeReportServices {
    Prompter& Messages;
    HelpService& Help;
    FileDialogs& Dialogs;
    OutputPrompts& Output;
    PrintDialog& Printing;
    std::function<QString()> Generated; // "Generated " + date and time; empty: the clock's
};

QString GeneratedText(const TimeReportServices& services);

// A page drawn by a report.
using PageDrawing = std::function<void(DrawingSurface&)>;

// The picture-save dialog in the calendar folder, proposing "(Names Auto Generated)"; only the
// chosen folder is kept and becomes the calendar folder. Then the format question. Nothing
// when either is cancelled.
struct PictureTarget {
    QString Folder; // with its separator
    ImageFormat Format;
};
std::optional<PictureTarget> ChoosePictureTarget(CalendarDocument& doc,
                                                 TimeReportServices& services, QWidget* parent);

// Saves the pictures all or none (see FileSetWriter); on a refused or failed write its
// message, and false.
bool SavePictures(const std::vector<std::pair<QString, QImage>>& pictures, ImageFormat format,
                  Prompter& messages);

// Pages on paper with the printer's colours lent for the printout (the colour printer question
// when the calendar's colours are not the defaults); the calendar's colours afterwards are its
// own. `draw` gets the surface and draws every page it wants, starting new pages itself.
void PrintOnPaper(CalendarDocument& doc, QPrinter& printer, const QString& jobTitle,
                  TimeReportServices& services, QWidget* parent,
                  const std::function<void(DrawingSurface&)>& draw);

// Print Form: the window's image through the print dialog, to paper (7 by 4.78 inches, reduced
// to fit the page, centred) or saved as client + `fileSuffix` + ".bmp"/".jpg" in the calendar
// folder with `savedMessage` + the full file name.
struct FormPrint {
    QString JobTitle;
    QString FileSuffix;   // "_qualtime_pie"
    QString SavedMessage; // "Parental Quality Time Form has been saved to file\n\r"
};
void PrintWindowForm(CalendarDocument& doc, QWidget& window, const FormPrint& form,
                     TimeReportServices& services);

// A panel of a summary window: a caption and a value label per row (named after its field,
// kept in `values` by field name); notes in the active caption colour.
QGroupBox* SummaryPanel(QWidget* parent, const QString& objectName,
                        const std::vector<SummaryRow>& rows, std::map<QString, QLabel*>& values);

// A summary window's title (large, bold) and period label at the top of `layout`.
void SummaryHeading(QWidget* window, QVBoxLayout* layout, const QString& title, QLabel*& titleLabel,
                    QLabel*& periodLabel);
// The custodial and the non-custodial panel side by side.
QHBoxLayout* SummaryPanels(QWidget* window, const std::vector<SummaryRow>& custodial,
                           const std::vector<SummaryRow>& nonCustodial,
                           std::map<QString, QLabel*>& values);
// The panels' titles from the calendar's parent titles.
void SetPanelTitles(QWidget& window, const CalendarDocument& doc);
// A push button named `name` at the end of `row`.
QPushButton* RowButton(QWidget* parent, QBoxLayout* row, const QString& caption, const char* name);

} // namespace custodex
