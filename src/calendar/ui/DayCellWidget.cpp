#include "calendar/ui/DayCellWidget.h"

#include "calendar/Colour.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace custodex {

DayCellWidget::DayCellWidget(int number, int labelHeight, QWidget* parent)
    : QFrame(parent), Number(number), CaptionFont(QStringLiteral("Arial")),
      SmallFont(QStringLiteral("Arial"))
{
    setObjectName(QStringLiteral("Cell%1").arg(number));
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    CaptionFont.setPointSize(10);
    CaptionFont.setBold(true);
    Arrange(QSize(94, 59), labelHeight);
}

void DayCellWidget::Arrange(QSize size, int labelHeight)
{
    setFixedSize(size);
    const int width = size.width();
    const int height = size.height();
    const int h = labelHeight;
    SmallFont.setPixelSize(h);
    const int tops[] = {1, h + 1, height - 2 * h - 1, height - h - 2};
    for (std::size_t i = 0; i < PartRects.size(); ++i)
        PartRects[i] = QRect(2, tops[i], width - 4, h + 2);
    Bar = QRect(2, height / 2 - 4, 23, 8);
    update();
}

void DayCellWidget::ShowKeyboardFocus(bool shown)
{
    setLineWidth(shown ? 3 : 1);
}

QString DayCellWidget::PartText(Part part) const
{
    switch (part) {
    case Part::DayVisitReason:
        return Shown.DayVisitReasonLabel;
    case Part::DayVisitTimes:
        return Shown.DayVisitTimesLabel;
    case Part::OvernightTimes:
        return Shown.OvernightTimesLabel;
    case Part::OvernightReason:
        return Shown.OvernightReasonLabel;
    }
    return QString();
}

void DayCellWidget::Render(const DayCell& cell, std::int32_t barColour)
{
    setVisible(cell.Visible);
    const QColor colour = ColourFromValue(cell.Colour);
    if (palette().color(QPalette::Window) != colour) {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, colour);
        setPalette(colours);
    }
    const QColor bar = ColourFromValue(barColour);
    if (cell.Caption == Shown.Caption && cell.DayVisitReasonLabel == Shown.DayVisitReasonLabel &&
        cell.DayVisitTimesLabel == Shown.DayVisitTimesLabel &&
        cell.OvernightTimesLabel == Shown.OvernightTimesLabel &&
        cell.OvernightReasonLabel == Shown.OvernightReasonLabel &&
        cell.BarVisible == Shown.BarVisible && bar == BarColour) {
        Shown = cell;
        return; // nothing drawn changes
    }
    Shown = cell;
    BarColour = bar;
    update();
}

void DayCellWidget::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event); // the box
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    // Texts are drawn as plain text, clipped to their parts, the caption over the whole cell
    // and the bar over the texts.
    const int textFlags = Qt::TextForceLeftToRight;
    painter.setFont(CaptionFont);
    painter.drawText(rect(), Qt::AlignCenter | textFlags, Shown.Caption);
    painter.setFont(SmallFont);
    for (const Part part : {Part::DayVisitReason, Part::DayVisitTimes, Part::OvernightTimes,
                            Part::OvernightReason}) {
        const QString text = PartText(part);
        if (!text.isEmpty())
            painter.drawText(PartRect(part), Qt::AlignLeft | Qt::AlignVCenter | textFlags, text);
    }
    if (Shown.BarVisible)
        painter.fillRect(Bar, BarColour);
}

void DayCellWidget::mousePressEvent(QMouseEvent* event)
{
    emit Pressed(Number, event->button(), event->modifiers());
    event->accept();
}

bool DayCellWidget::event(QEvent* event)
{
    // The reasons may be cut short in the cell, so their hints give them whole.
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        for (const Part part : {Part::DayVisitReason, Part::OvernightReason}) {
            const QString text = PartText(part);
            if (!text.isEmpty() && PartRect(part).contains(help->pos())) {
                QToolTip::showText(help->globalPos(), text, this);
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QFrame::event(event);
}

} // namespace custodex
