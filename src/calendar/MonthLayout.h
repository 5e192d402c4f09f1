#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

// Where the month area, its column heads and the 42 day cells go in the main window's client
// area. At the smallest size (792 x 554) everything is where it has always been; a larger
// window gives the month area all the extra room, and the cells and their label font grow
// with it.

namespace custodex {

inline constexpr QSize SmallestClientArea(792, 554);

// Width in pixels of seventeen capital A's in the cells' label font at a pixel height.
using LabelWidthMeasure = std::function<int(int pixelHeight)>;

// The label font of a day cell: the largest pixel height at which 17 capital A's stay
// narrower than the cell less 3 pixels (91 in a 94-pixel cell), so a label keeps to its
// cell's width; and never so high that the four labels meet each other or the day-visit bar.
int CellLabelHeight(QSize cell, const LabelWidthMeasure& widthOf17As);

struct MonthAreaLayout {
    QRect Area;       // the framed month area, in the client area
    QRect MonthLabel; // within the area
    int HeadLeft = 0; // the column heads, within the area
    int HeadTop = 0;
    int HeadHeight = 40;
    QPoint FirstCell; // cell 1's top left, in the client area
    QSize Cell;
    int LabelHeight = 0;

    QRect CellRect(int number) const; // 1..42, in the client area
    QRect HeadRect(int column) const; // 0..6 from Sunday, within the area
};

// The layout for a client area of `client` (never less than SmallestClientArea).
MonthAreaLayout ComputeMonthAreaLayout(QSize client, const LabelWidthMeasure& widthOf17As);

} // namespace custodex
