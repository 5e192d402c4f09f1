#pragma once

#include "holidays/HolidayApplication.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTabBar;

namespace custodex {

class Prompter;
class TUserClock;

// The holiday dialog of one country (`TSRHolidays`, `TCanadianHolidays`, `TUnitedKingdom`):
// built from the country's rows, so every row's controls carry the names the lists give them.
class THolidayDialog : public QDialog {
    Q_OBJECT

public:
    // `preview` shows the calendar preview; `redraw` repaints the main window's month.
    THolidayDialog(const HolidayCountry& country, Prompter& prompter, TUserClock& clock,
                   std::function<void()> preview, std::function<void()> redraw,
                   QWidget* parent = nullptr);

    // Shows the dialog modally for `kind`; false when it closed with Cancel (the caller then
    // brings the calendar back as it was when the dialog opened).
    bool Execute(CalendarDocument& doc, ListKind kind);

    struct RowControls {
        QCheckBox* Box = nullptr;
        QLineEdit* Pickup = nullptr;
        QLineEdit* Dropoff = nullptr;
        QCheckBox* NoNap = nullptr;
    };

    QTabBar* Pages = nullptr;
    QGroupBox* HolidayBox = nullptr;
    QLabel* SelectedYearLabel = nullptr; // named `SelectedYear`
    QPushButton* ApplyBtn = nullptr;
    QPushButton* PreviewBtn = nullptr;
    QPushButton* SaveCloseBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    const RowControls& Row(int number) const
    {
        return Rows.at(static_cast<std::size_t>(number - 1));
    }
    const HolidayDialogState& State() const { return Dialog; }

    void ApplyClick();
    void SaveCloseClick();
    void CancelClick();
    // A time field clicked (or Enter/Space on it): the time-entry dialog for that field.
    void TimeFieldClick(int number, bool pickup);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildRows();
    void PageChanged(int page);
    void ShowRows();
    void ShowRowLiveness(int number, bool live);
    void ReadRows();
    void FitToContents();

    const HolidayCountry& Country;
    Prompter& Messages;
    TUserClock& Clock;
    std::function<void()> Preview;
    std::function<void()> Redraw;
    std::vector<RowControls> Rows;
    QScrollArea* Scroller = nullptr;
    CalendarDocument* Doc = nullptr;
    HolidayDialogState Dialog;
    bool Opened = false;
    bool Closing = false; // set while the dialog closes on purpose, so closeEvent does not ask
};

} // namespace custodex
