#pragma once

#include "reports/CareTime.h"
#include "reports/ui/TimeReportOutput.h"

#include <QDialog>

#include <array>
#include <map>

class QLabel;
class QPushButton;
class QRadioButton;

namespace custodex {

// "Check before Printing": the care time of the first year, the second year or both, with its
// one-page pie report printed, previewed or saved as a picture, and a print of the window. The
// period chosen last stays chosen while the program runs.
class TPrintCareTime : public QDialog {
    Q_OBJECT

public:
    TPrintCareTime(CalendarDocument& doc, TimeReportServices services, QWidget* parent = nullptr);

    // Refills the window for the period chosen last from the distribution's weekday tables.
    void ShowFor(const std::array<DistributionYear, 2>& years);
    CarePeriod Period() const { return Chosen; }
    const CareResults& Results() const { return Current; }

    QLabel* Title = nullptr;
    QLabel* YearLabel = nullptr;
    std::map<QString, QLabel*> Fields; // by result field name
    QRadioButton* FirstYearBtn = nullptr;
    QRadioButton* SecondYearBtn = nullptr;
    QRadioButton* BothYearsBtn = nullptr;
    QPushButton* PrintReportBtn = nullptr;
    QPushButton* PreviewBtn = nullptr;
    QPushButton* PrintFormBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QLabel* GuidelineLines = nullptr; // the calendar's guidelines for the period chosen

    void ChoosePeriod(CarePeriod period);
    void PrintReportClick();
    void PreviewClick();
    void PrintFormClick();

private:
    bool Refused(CareOutput output);
    void Fill();

    CalendarDocument& Doc;
    TimeReportServices Services;
    std::array<DistributionYear, 2> Years{};
    CarePeriod Chosen = CarePeriod::BothYears;
    CareResults Current;
};

} // namespace custodex
