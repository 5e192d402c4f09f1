#pragma once

#include <QFrame>
#include <QLabel>

#include <array>

namespace custodex {

class DayCellWidget;

// A weekday's head over a column of the month grid, a column header for assistive technology.
class ColumnHead : public QLabel {
    Q_OBJECT

public:
    explicit ColumnHead(QWidget* parent) : QLabel(parent) {}
};

// The framed month area: the month's name, the weekday heads and the 42 day cells. For
// assistive technology it is a table of 6 rows and 7 columns, the heads its column headers
// and the day the keyboard is on its focused and selected cell.
class MonthGridFrame : public QFrame {
    Q_OBJECT

public:
    static constexpr int Rows = 6;
    static constexpr int Columns = 7;

    explicit MonthGridFrame(QWidget* parent);

    void SetParts(QLabel* monthLabel, const std::array<QLabel*, Columns>& heads,
                  const std::array<DayCellWidget*, Rows * Columns>& cells);
    QLabel* MonthLabel() const { return Month; }
    QLabel* Head(int column) const;
    DayCellWidget* Cell(int number) const; // 1..42, nullptr outside
    int CellCount() const { return Rows * Columns; }

    // The cell (1..42, 0 for none) the keyboard is on. While the grid has the focus, a new
    // cursor, or `announce`, sends a focus event on the cell, so a screen reader reads the day.
    void SetCursorCell(int number, bool announce = false);
    int CursorCell() const { return Cursor; }
    // The focus event of the cursor's cell, while the grid has the focus.
    void AnnounceCursor();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    QLabel* Month = nullptr;
    std::array<QLabel*, Columns> Heads{};
    std::array<DayCellWidget*, Rows * Columns> Cells{};
    int Cursor = 0;
};

} // namespace custodex
