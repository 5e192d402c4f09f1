#include "calendar/ui/DayCellWidget.h"

#include "calendar/Colour.h"

#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolTip>

namespace custodex {

namespace {

QLabel* PartLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

DayCellWidget::DayCellWidget(int number, int labelHeight, QWidget* parent)
    : QFrame(parent), Number(number)
{
    setObjectName(QStringLiteral("Cell%1").arg(number));
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);

    Caption = new QLabel(this);
    Caption->setAlignment(Qt::AlignCenter);
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPointSize(10);
    captionFont.setBold(true);
    Caption->setFont(captionFont);
    Caption->setAttribute(Qt::WA_TransparentForMouseEvents);

    DayVisitReasonLabel = PartLabel(this);
    DayVisitTimesLabel = PartLabel(this);
    OvernightTimesLabel = PartLabel(this);
    OvernightReasonLabel = PartLabel(this);
    DayVisitBar = new QFrame(this);
    DayVisitBar->setAutoFillBackground(true);
    DayVisitBar->setAttribute(Qt::WA_TransparentForMouseEvents);
    DayVisitBar->hide();
    Arrange(QSize(94, 59), labelHeight);
}

void DayCellWidget::Arrange(QSize size, int labelHeight)
{
    setFixedSize(size);
    const int width = size.width();
    const int height = size.height();
    const int h = labelHeight;
    Caption->setGeometry(0, 0, width, height);
    QFont partFont(QStringLiteral("Arial"));
    partFont.setPixelSize(h);
    const std::pair<QLabel*, int> parts[] = {{DayVisitReasonLabel, 1},
                                             {DayVisitTimesLabel, h + 1},
                                             {OvernightTimesLabel, height - 2 * h - 1},
                                             {OvernightReasonLabel, height - h - 2}};
    for (const auto& [label, y] : parts) {
        label->setFont(partFont);
        label->setGeometry(2, y, width - 4, h + 2);
    }
    DayVisitBar->setGeometry(2, height / 2 - 4, 23, 8);
}

void DayCellWidget::ShowKeyboardFocus(bool shown)
{
    setLineWidth(shown ? 3 : 1);
}

void DayCellWidget::Render(const DayCell& cell, std::int32_t barColour)
{
    setVisible(cell.Visible);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ColourFromValue(cell.Colour));
    setPalette(colours);
    Caption->setText(cell.Caption);
    DayVisitReasonLabel->setText(cell.DayVisitReasonLabel);
    DayVisitTimesLabel->setText(cell.DayVisitTimesLabel);
    OvernightTimesLabel->setText(cell.OvernightTimesLabel);
    OvernightReasonLabel->setText(cell.OvernightReasonLabel);
    QPalette bar = DayVisitBar->palette();
    bar.setColor(QPalette::Window, ColourFromValue(barColour));
    DayVisitBar->setPalette(bar);
    DayVisitBar->setVisible(cell.BarVisible);
}

void DayCellWidget::mousePressEvent(QMouseEvent* event)
{
    emit Pressed(Number, event->button(), event->modifiers());
    event->accept();
}

bool DayCellWidget::event(QEvent* event)
{
    // The reason labels let presses through, so their hints are shown from here.
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        for (QLabel* label : {DayVisitReasonLabel, OvernightReasonLabel}) {
            if (!label->text().isEmpty() && label->geometry().contains(help->pos())) {
                QToolTip::showText(help->globalPos(), label->text(), this);
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
