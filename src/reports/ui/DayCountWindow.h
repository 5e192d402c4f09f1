#pragma once

#include "calendar/ui/CommandHost.h"
#include "reports/DayCounts.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace custodex {

struct ReportPrintout;

// The help page that defines each counting method.
inline const QString HelpDayCounts = QStringLiteral("html/caledcnt.htm");

// File > Day Count Report: both parents' time counted as overnights, 24-hour periods, days over
// 12 hours and weighted days, per period and as shares of its days, with the definitions under
// the table; printed on paper or saved as PDF.
class TDayCountReport : public QDialog {
    Q_OBJECT

public:
    TDayCountReport(CalendarDocument& doc, DayCounts counts, bool approximate,
                    MainWindowServices& services, QWidget* parent = nullptr);

    const DayCounts& Counts() const { return Figures; }

    QLabel* ClientLabel = nullptr;
    QTableWidget* Table = nullptr;
    QLabel* Approximate = nullptr; // the distribution's warnings, when it had any
    QLabel* Definitions = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* SavePdfBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    void PrintClick();
    // The PDF to a file the user names; false when nothing was written.
    bool SavePdfClick();

private:
    ReportPrintout Printout() const;
    CalendarDocument& Doc;
    DayCounts Figures;
    MainWindowServices& Services;
};

} // namespace custodex
