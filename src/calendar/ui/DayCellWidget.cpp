#include "calendar/ui/DayCellWidget.h"

#include "calendar/Colour.h"

#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolTip>

namespace custodex {

namespace {

constexpr int CellWidth = 94;
constexpr int CellHeight = 59;

QLabel* PartLabel(QWidget* parent, const QFont& font, int y, int height)
{
    auto* label = new QLabel(parent);
    label->setFont(font);
    label->setGeometry(2, y, CellWidth - 4, height);
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
    setFixedSize(CellWidth, CellHeight);

    Caption = new QLabel(this);
    Caption->setGeometry(0, 0, CellWidth, CellHeight);
    Caption->setAlignment(Qt::AlignCenter);
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPointSize(10);
    captionFont.setBold(true);
    Caption->setFont(captionFont);
    Caption->setAttribute(Qt::WA_TransparentForMouseEvents);

    QFont partFont(QStringLiteral("Arial"));
    partFont.setPixelSize(labelHeight);
    const int h = labelHeight;
    DayVisitReasonLabel = PartLabel(this, partFont, 1, h + 2);
    DayVisitTimesLabel = PartLabel(this, partFont, h + 1, h + 2);
    OvernightTimesLabel = PartLabel(this, partFont, CellHeight - 2 * h - 1, h + 2);
    OvernightReasonLabel = PartLabel(this, partFont, CellHeight - h - 2, h + 2);
    DayVisitBar = new QFrame(this);
    DayVisitBar->setAutoFillBackground(true);
    DayVisitBar->setGeometry(2, CellHeight / 2 - 4, 23, 8);
    DayVisitBar->setAttribute(Qt::WA_TransparentForMouseEvents);
    DayVisitBar->hide();
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
