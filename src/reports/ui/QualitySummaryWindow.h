#pragma once

#include "reports/TimeReportPages.h"
#include "reports/ui/TimeReportOutput.h"

#include <QDialog>

#include <map>

class QLabel;
class QPushButton;

namespace custodex {

// "Check before Printing": the quality time summary the away-times check opens, with the
// two-page report printed, previewed or saved as pictures, and a print of the window itself.
class TPrintQuality : public QDialog {
    Q_OBJECT

public:
    TPrintQuality(CalendarDocument& doc, TimeReportServices services, QWidget* parent = nullptr);

    // Fills every field from the report; the caller shows the window.
    void ShowReport(const QualityReport& report);

    QLabel* Title = nullptr;
    QLabel* YearLabel = nullptr;
    std::map<QString, QLabel*> Fields; // by result field name
    QPushButton* PrintReportBtn = nullptr;
    QPushButton* PreviewBtn = nullptr;
    QPushButton* PrintFormBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    void PrintReportClick();
    void PreviewClick();
    void PrintFormClick();

private:
    bool TitlesMissing();
    void SavePictures();

    CalendarDocument& Doc;
    TimeReportServices Services;
    QualityReport Report;
};

} // namespace custodex
