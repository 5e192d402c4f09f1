#include "output/DrawingSurface.h"

#include "calendar/Colour.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

#include <optional>

namespace custodex {

struct PainterSurface::FontEntry {
    QFont Font;
    std::optional<QFontMetrics> Metrics; // as the painter resolves the font for its device
    QHash<QString, int> Widths;
};

PainterSurface::PainterSurface(QPaintDevice& device)
    : Device(device), Painter(std::make_unique<QPainter>(&device))
{
    SetFont(12, false);
    SetPen(1, 0);
}

PainterSurface::~PainterSurface() = default;

PainterSurface::FontEntry& PainterSurface::FontFor(int pixelHeight, bool bold)
{
    const int height = std::max(1, pixelHeight);
    std::unique_ptr<FontEntry>& entry = Fonts[height * 2 + (bold ? 1 : 0)];
    if (!entry) {
        entry = std::make_unique<FontEntry>();
        entry->Font = QFont(QStringLiteral("Arial"));
        entry->Font.setPixelSize(height);
        entry->Font.setBold(bold);
    }
    return *entry;
}

bool PainterSurface::Active() const
{
    return Painter->isActive();
}

QSize PainterSurface::Size() const
{
    return QSize(Device.width(), Device.height());
}

void PainterSurface::SetFont(int pixelHeight, bool bold)
{
    FontEntry& entry = FontFor(pixelHeight, bold);
    if (Current == &entry)
        return;
    Current = &entry;
    Painter->setFont(entry.Font);
    if (!entry.Metrics)
        entry.Metrics = Painter->fontMetrics();
}

int PainterSurface::TextWidth(const QString& text)
{
    // Bounded, so a long report of ever new lines cannot grow it without end.
    constexpr qsizetype KeptWidths = 4096;
    const auto kept = Current->Widths.constFind(text);
    if (kept != Current->Widths.constEnd())
        return *kept;
    const int width = Current->Metrics->horizontalAdvance(text);
    if (Current->Widths.size() < KeptWidths)
        Current->Widths.insert(text, width);
    return width;
}

int PainterSurface::TextHeight(const QString&)
{
    return Current->Metrics->height();
}

void PainterSurface::Text(int x, int y, const QString& text)
{
    Painter->drawText(QPoint(x, y + Current->Metrics->ascent()), text);
}

void PainterSurface::SetPen(int width, std::int32_t colour)
{
    QPen pen(ColourFromValue(colour));
    pen.setWidth(width);
    pen.setJoinStyle(Qt::MiterJoin);
    Painter->setPen(pen);
}

void PainterSurface::Line(int x1, int y1, int x2, int y2)
{
    // A line of one point is the pen's dot. On a picture Qt draws it as such, but a PDF (and
    // so the printer) leaves an empty line out: the dotted lines of the reports vanished.
    if (x1 == x2 && y1 == y2) {
        const int width = std::max(1, Painter->pen().width());
        Painter->fillRect(QRect(x1 - width / 2, y1 - width / 2, width, width),
                          Painter->pen().color());
        return;
    }
    Painter->drawLine(x1, y1, x2, y2);
}

void PainterSurface::Rectangle(const QRect& rect)
{
    Painter->save();
    Painter->setBrush(Qt::NoBrush);
    Painter->drawRect(rect.adjusted(0, 0, -1, -1));
    Painter->restore();
}

void PainterSurface::FillRect(const QRect& rect, std::int32_t colour)
{
    Painter->fillRect(rect, ColourFromValue(colour));
}

void PainterSurface::Pie(const QRect& bounds, int startAngle, int spanAngle, std::int32_t fill)
{
    // A path keeps the angles exact; drawPie would round them to sixteenths of a degree.
    QPainterPath slice;
    const QRectF area(bounds);
    if (spanAngle >= 36000 || spanAngle <= -36000) {
        slice.addEllipse(area);
    }
    else {
        slice.moveTo(area.center());
        slice.arcTo(area, startAngle / 100.0, spanAngle / 100.0);
        slice.closeSubpath();
    }
    Painter->save();
    Painter->setRenderHint(QPainter::Antialiasing, true);
    Painter->setBrush(ColourFromValue(fill));
    Painter->drawPath(slice);
    Painter->restore();
}

void PainterSurface::NewPage()
{
    // An image is one page; printing surfaces start their next page here.
}

void RecordingSurface::SetFont(int pixelHeight, bool bold)
{
    FontHeight = pixelHeight;
    FontBold = bold;
    Operations.push_back({Operation::Font, {}, {}, pixelHeight, 0, bold});
}

int RecordingSurface::TextWidth(const QString& text)
{
    return static_cast<int>(text.size()) * FontHeight / 2;
}

int RecordingSurface::TextHeight(const QString&)
{
    return FontHeight;
}

void RecordingSurface::Text(int x, int y, const QString& text)
{
    Operations.push_back(
        {Operation::Text, QRect(x, y, TextWidth(text), FontHeight), text, FontHeight, 0, FontBold});
}

void RecordingSurface::SetPen(int width, std::int32_t colour)
{
    Operations.push_back({Operation::Pen, {}, {}, width, colour, false});
}

void RecordingSurface::Line(int x1, int y1, int x2, int y2)
{
    Operations.push_back({Operation::Line, QRect(QPoint(x1, y1), QPoint(x2, y2)), {}, 0, 0, false});
}

void RecordingSurface::Rectangle(const QRect& rect)
{
    Operations.push_back({Operation::Rectangle, rect, {}, 0, 0, false});
}

void RecordingSurface::FillRect(const QRect& rect, std::int32_t colour)
{
    Operations.push_back({Operation::Fill, rect, {}, 0, colour, false});
}

void RecordingSurface::Pie(const QRect& bounds, int startAngle, int spanAngle, std::int32_t fill)
{
    Operations.push_back({Operation::Pie, bounds, {}, startAngle, fill, false, spanAngle});
}

void RecordingSurface::NewPage()
{
    Operations.push_back({Operation::Page, {}, {}, 0, 0, false});
}

const RecordingSurface::Operation* RecordingSurface::FindText(const QString& prefix) const
{
    for (const Operation& op : Operations)
        if (op.What == Operation::Text && op.Words.startsWith(prefix))
            return &op;
    return nullptr;
}

QString GeneratedAt(const QDateTime& when, const QLocale& locale)
{
    // "t" to "tttt" are the zone in a time format; a quoted literal never holds one here.
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt{1,4}\\b"));
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(zone);
    return QStringLiteral("Generated ") + locale.toString(when.date(), QLocale::ShortFormat) +
           QStringLiteral("  ") + locale.toString(when.time(), timeFormat.trimmed());
}

QString GeneratedNow()
{
    return GeneratedAt(QDateTime::currentDateTime(), QLocale());
}

} // namespace custodex
