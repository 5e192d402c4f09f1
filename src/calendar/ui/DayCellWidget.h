#pragma once

#include "calendar/MonthView.h"

#include <QColor>
#include <QFont>
#include <QFrame>

#include <array>

namespace custodex {

// One of the 42 day cells: the day number, two reason texts, two times texts and the
// day-visit bar, drawn by the cell itself (six child widgets a cell cost milliseconds of every
// start and redraw). Presses anywhere on the cell reach the month view.
class DayCellWidget : public QFrame {
    Q_OBJECT

public:
    // The texts of a cell, top to bottom.
    enum class Part { DayVisitReason, DayVisitTimes, OvernightTimes, OvernightReason };

    DayCellWidget(int number, int labelHeight, QWidget* parent);
    void Render(const DayCell& cell, std::int32_t barColour);
    // Sizes the cell and places its parts, with their font at `labelHeight` pixels.
    void Arrange(QSize size, int labelHeight);
    // The frame of the day the keyboard is on: thicker, so it is seen at a glance.
    void ShowKeyboardFocus(bool shown);

    int CellNumber() const { return Number; } // 1..42, left to right, top to bottom
    bool ShowsDay() const { return !Shown.Caption.isEmpty(); }

    // What the cell shows and where.
    QString CaptionText() const { return Shown.Caption; }
    QString PartText(Part part) const;
    QRect PartRect(Part part) const { return PartRects[static_cast<std::size_t>(part)]; }
    QFont PartFont() const { return SmallFont; }
    bool BarShown() const { return Shown.BarVisible; }
    QRect BarRect() const { return Bar; }

signals:
    void Pressed(int number, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int Number;
    DayCell Shown;
    QColor BarColour;
    QFont CaptionFont;
    QFont SmallFont;
    std::array<QRect, 4> PartRects{};
    QRect Bar;
};

} // namespace custodex
