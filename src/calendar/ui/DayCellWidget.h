#pragma once

#include "calendar/MonthView.h"

#include <QFrame>

class QLabel;

namespace custodex {

// One of the 42 day cells: the day number, two reason labels, two times labels and the
// day-visit bar. Presses anywhere on the cell reach the month view.
class DayCellWidget : public QFrame {
    Q_OBJECT

public:
    DayCellWidget(int number, int labelHeight, QWidget* parent);
    void Render(const DayCell& cell, std::int32_t barColour);
    // Sizes the cell and places its parts, with their font at `labelHeight` pixels.
    void Arrange(QSize size, int labelHeight);
    // The frame of the day the keyboard is on: thicker, so it is seen at a glance.
    void ShowKeyboardFocus(bool shown);

    QLabel* Caption = nullptr;
    QLabel* DayVisitReasonLabel = nullptr;
    QLabel* DayVisitTimesLabel = nullptr;
    QFrame* DayVisitBar = nullptr;
    QLabel* OvernightTimesLabel = nullptr;
    QLabel* OvernightReasonLabel = nullptr;

signals:
    void Pressed(int number, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    int Number;
};

} // namespace custodex
