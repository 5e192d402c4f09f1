#pragma once

#include "calendar/CalendarModel.h"
#include "calendar/MonthView.h"
#include "calendar/ui/MonthGrid.h"

#include <QSize>

#include <array>

class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

namespace custodex {

class DayCellWidget;

// The main window's controls at their places in the client area, under the program's own
// names. Building them wires nothing: the window connects them to what they do.
class MainWindowControls {
public:
    QLineEdit* ClientName = nullptr;
    QComboBox* UserYear = nullptr;
    QComboBox* SelUserMonth = nullptr;
    QGroupBox* ModeGroup = nullptr;
    QRadioButton* Overnights = nullptr;
    QRadioButton* DayVisits = nullptr;
    QGroupBox* OvernightGroup = nullptr;
    QComboBox* OverniteReasons = nullptr;
    QLineEdit* OverNiteStrtTime = nullptr;
    QLineEdit* OverNiteEndTime = nullptr;
    QGroupBox* DayVisitGroup = nullptr;
    QComboBox* DayVisitReasons = nullptr;
    QLineEdit* DayVisitStrtTime = nullptr;
    QLineEdit* DayVisitEndTime = nullptr;
    // The "..." button beside each default time field, in the order of DefaultTimeFields().
    std::array<QToolButton*, 4> DefaultTimeButtons{};
    QRadioButton* ShowBYCntrs = nullptr;
    QRadioButton* Show1YCntrs = nullptr;
    QRadioButton* Show2YCntrs = nullptr;
    QButtonGroup* CounterRadios = nullptr; // ids in the order of CounterChoice
    QLabel* NonCustodialTitle = nullptr;
    QLabel* CustodialTitle = nullptr;
    std::array<QLabel*, 8> CounterLabels{}; // TotalOverNites, CON, PrCntOvrNit, CONP, ...
    QLabel* GuidelinesPanel = nullptr; // right of the counters, while the calendar has guidelines
    std::array<QLabel*, 2> PercentRowCaptions{}; // "% of Year's Total:" of both kinds
    QPushButton* StartBtn = nullptr;
    QPushButton* PrevMonthBtn = nullptr;
    QPushButton* NextMonthBtn = nullptr;
    std::array<QPushButton*, MonthsInSpan> MonthButtons{};
    QPushButton* CloseBtn = nullptr;
    MonthGridFrame* MonthArea = nullptr;
    QLabel* MonthYearLbl = nullptr;
    std::array<QLabel*, 7> ColumnHeads{};
    std::array<DayCellWidget*, CellCount> Cells{};

    // Overnight start and end, day-visit start and end.
    std::array<QLineEdit*, 4> DefaultTimeFields() const;

protected:
    void BuildControls(QWidget* client);
    // Places the month area, its heads and the cells for a client area of `client`.
    void ArrangeMonthArea(QSize client);
    // The moon over the month in overnights mode, the sun in day-visits mode.
    void ShowModeCursor(MarkMode mode);
    // The caption colours of the month buttons: maroon for the month shown.
    void ShowMonthButtonColours(int shownMonthNumber);
    // The one month of the list that Tab reaches (the month shown, or `monthNumber` the arrows
    // moved to, which then takes the focus); none while no calendar exists (0).
    void ShowMonthListStop(int monthNumber, bool focus);
    // The group of `mode` with its percentages; the groups only while a calendar exists.
    void ShowModeControls(MarkMode mode, bool calendarPresent);
    void ShowCells(const MonthView& view, std::int32_t dayVisitColour);
    // The figures of `choice`, under its radio button checked.
    void ShowCounterFigures(const CalendarDocument& doc, CounterChoice choice);
    // How the schedule stands against the calendar's guidelines, for the counters shown.
    void ShowGuidelines(const CalendarDocument& doc, CounterChoice choice);
    void ShowDefaultTimes(const CalendarDocument& doc);
    void ShowParentTitles(const CalendarDocument& doc);

private:
    void BuildClientPanel(QWidget* client);
    void BuildModePanel(QWidget* client);
    void BuildCountersPanel(QWidget* client);
    void BuildLeftColumn(QWidget* client);
    void BuildMonthArea(QWidget* client);
};

} // namespace custodex
