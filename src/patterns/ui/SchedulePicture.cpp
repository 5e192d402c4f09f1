#include "patterns/ui/SchedulePicture.h"

#include <QPainter>

#include <algorithm>

namespace custodex {

namespace {

constexpr int Columns = 7;
constexpr int Rows = 4;

// Black or white, whichever reads on the colour.
QColor TextOn(const QColor& colour)
{
    return colour.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace

SchedulePicture::SchedulePicture(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SchedulePicture"));
    setAccessibleName(QStringLiteral("First four weeks"));
    setMinimumSize(sizeHint());
}

QSize SchedulePicture::sizeHint() const
{
    const int line = fontMetrics().height();
    return {Columns * 3 * line, (Rows + 3) * line * 3 / 2};
}

void SchedulePicture::Show(const QStringList& weekdays, const std::vector<Day>& days,
                           const Look& look)
{
    Weekdays = weekdays;
    Days = days;
    Colours = look;
    // What the picture says to a screen reader: the nights with the non-custodial parent.
    QStringList nights;
    for (std::size_t i = 0; i < Days.size(); ++i)
        if (Days[i].Letter == QLatin1Char('O'))
            nights << QString::number(Days[i].DayOfMonth);
    setAccessibleDescription(look.NonCustodial + QStringLiteral(" nights: ") +
                             nights.join(QStringLiteral(", ")));
    update();
}

void SchedulePicture::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const int line = fontMetrics().height();
    const int head = line + 4;
    const int keyHeight = line + 8;
    const double cellWidth = static_cast<double>(width() - 1) / Columns;
    const double cellHeight = static_cast<double>(height() - head - keyHeight - 1) / Rows;
    painter.fillRect(rect(), palette().window());
    for (int c = 0; c < Columns && c < Weekdays.size(); ++c)
        painter.drawText(QRectF(c * cellWidth, 0, cellWidth, head), Qt::AlignCenter,
                         Weekdays.at(c));
    for (std::size_t i = 0; i < Days.size() && i < Columns * Rows; ++i) {
        const QRectF cell(static_cast<double>(i % Columns) * cellWidth,
                          head + static_cast<double>(i / Columns) * cellHeight, cellWidth,
                          cellHeight);
        const QColor fill =
            Days[i].Letter == QLatin1Char('O') ? Colours.Overnight : Colours.Background;
        painter.fillRect(cell, fill);
        if (Days[i].Letter == QLatin1Char('D')) {
            const QRectF band(cell.left(), cell.bottom() - cell.height() / 3, cell.width(),
                              cell.height() / 3);
            painter.fillRect(band, Colours.DayVisit);
        }
        painter.setPen(palette().mid().color());
        painter.drawRect(cell);
        painter.setPen(TextOn(fill));
        painter.drawText(cell.adjusted(3, 1, -3, -1), Qt::AlignLeft | Qt::AlignTop,
                         QString::number(Days[i].DayOfMonth));
    }
    // The key: a swatch and a title for each parent, and the day visits.
    const int keyTop = height() - keyHeight + 4;
    int x = 0;
    const auto key = [&](const QColor& colour, const QString& text) {
        painter.fillRect(QRect(x, keyTop, line, line), colour);
        painter.setPen(palette().mid().color());
        painter.drawRect(QRect(x, keyTop, line, line));
        painter.setPen(palette().windowText().color());
        x += line + 4;
        painter.drawText(QRect(x, keyTop, width() - x, line), Qt::AlignLeft | Qt::AlignVCenter,
                         text);
        x += fontMetrics().horizontalAdvance(text) + 2 * line;
    };
    key(Colours.Overnight, Colours.NonCustodial);
    key(Colours.Background, Colours.Custodial);
    if (std::any_of(Days.begin(), Days.end(),
                    [](const Day& day) { return day.Letter == QLatin1Char('D'); }))
        key(Colours.DayVisit, QStringLiteral("Day visit"));
}

} // namespace custodex
