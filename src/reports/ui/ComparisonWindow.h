#pragma once

#include "calendar/ui/CommandHost.h"
#include "reports/ProposalComparison.h"

#include <QDialog>
#include <QWidget>

class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace custodex {

struct ReportPrintout;

// The 24 months as bars, A beside B, of overnights or of day visits.
class MonthBarsChart : public QWidget {
public:
    MonthBarsChart(const Comparison& comparison, QWidget* parent = nullptr);
    void ShowOvernights(bool overnights);
    bool ShowsOvernights() const { return Overnights; }
    QSize sizeHint() const override { return {760, 260}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Comparison& Figures;
    bool Overnights = true;
};

// File > Compare With Another Calendar: the calendar shown (A, with its unsaved changes) and a
// second one (B) side by side, with Print and Save as PDF.
class TCompareCalendars : public QDialog {
    Q_OBJECT

public:
    TCompareCalendars(Comparison comparison, CalendarDocument& doc, MainWindowServices& services,
                      QWidget* parent = nullptr);

    const Comparison& Figures() const { return Compared; }

    QLabel* SideA = nullptr;
    QLabel* SideB = nullptr;
    QLabel* SpanNote = nullptr;
    QTableWidget* Table = nullptr;
    QLabel* Notes = nullptr;
    QLabel* Guidelines = nullptr; // each side's own guidelines, when either has any
    MonthBarsChart* Chart = nullptr;
    QRadioButton* OvernightBars = nullptr;
    QRadioButton* DayVisitBars = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* SavePdfBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    void PrintClick();
    // The PDF printout to a file the user names; false when nothing was written.
    bool SavePdfClick();

private:
    ReportPrintout Printout() const;
    Comparison Compared;
    CalendarDocument& Doc; // A's document: the client folder follows a PDF saved
    MainWindowServices& Services;
};

// The menu command: asks for B, reads it with Open's refusals, and shows the comparison.
void RunCompareCalendars(CommandHost& host);

} // namespace custodex
