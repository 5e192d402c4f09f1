#include "calendar/MonthLayout.h"

#include <algorithm>

namespace custodex {

namespace {

// The month area at the smallest size, and what lies around the cells inside it.
constexpr QRect SmallestArea(104, 104, 681, 446);
constexpr int CellsLeft = 11;  // from the area's left edge
constexpr int CellsTop = 86;   // below the month label and the column heads
constexpr int CellsRight = 12; // room left of the area's right edge
constexpr int CellsBottom = 6; // and above its bottom edge
constexpr int HeadsTop = 46;
constexpr int LabelMargin = 5;
constexpr int LabelHeightOfMonth = 40;
constexpr int Columns = 7;
constexpr int Rows = 6;

} // namespace

int CellLabelHeight(QSize cell, const LabelWidthMeasure& widthOf17As)
{
    const int widthLimit = cell.width() - 3;
    // The two labels above the bar end at 2H + 3; the bar starts 4 above the middle.
    const int heightLimit = std::max(3, (cell.height() / 2 - 7) / 2);
    int height = 3;
    while (height <= heightLimit && widthOf17As(height) < widthLimit)
        ++height;
    return height - 1;
}

MonthAreaLayout ComputeMonthAreaLayout(QSize client, const LabelWidthMeasure& widthOf17As)
{
    const QSize size = client.expandedTo(SmallestClientArea);
    const int rightMargin = SmallestClientArea.width() - (SmallestArea.x() + SmallestArea.width());
    const int bottomMargin =
        SmallestClientArea.height() - (SmallestArea.y() + SmallestArea.height());
    MonthAreaLayout layout;
    layout.Area =
        QRect(SmallestArea.topLeft(), QSize(size.width() - SmallestArea.x() - rightMargin,
                                            size.height() - SmallestArea.y() - bottomMargin));
    layout.MonthLabel =
        QRect(LabelMargin, LabelMargin, layout.Area.width() - 2 * LabelMargin, LabelHeightOfMonth);
    layout.Cell = QSize((layout.Area.width() - CellsLeft - CellsRight) / Columns,
                        (layout.Area.height() - CellsTop - CellsBottom) / Rows);
    layout.FirstCell = layout.Area.topLeft() + QPoint(CellsLeft, CellsTop);
    layout.HeadLeft = CellsLeft;
    layout.HeadTop = HeadsTop;
    layout.LabelHeight = CellLabelHeight(layout.Cell, widthOf17As);
    return layout;
}

QRect MonthAreaLayout::CellRect(int number) const
{
    const int index = std::clamp(number, 1, Columns * Rows) - 1;
    return QRect(FirstCell +
                     QPoint(Cell.width() * (index % Columns), Cell.height() * (index / Columns)),
                 Cell);
}

QRect MonthAreaLayout::HeadRect(int column) const
{
    return QRect(HeadLeft + Cell.width() * std::clamp(column, 0, Columns - 1), HeadTop,
                 Cell.width(), HeadHeight);
}

} // namespace custodex
