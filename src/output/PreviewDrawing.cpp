#include "output/PreviewDrawing.h"

#include "output/DrawingSurface.h"

namespace custodex {

namespace {

constexpr std::int32_t Black = 0;
constexpr std::int32_t WhiteColour = 0xFFFFFF;
constexpr int DayFontHeight = 6;
const char* const WeekdayHeads[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

QString OrDefault(const QString& name, const char* fallback)
{
    return name.isEmpty() ? QString::fromLatin1(fallback) : name;
}

QString CounterLine(const QString& parent, int overnights, const QString& overnightPercent,
                    int dayVisits, const QString& dayVisitPercent)
{
    return parent + QStringLiteral(":  Total OverNights = ") + QString::number(overnights) +
           QStringLiteral("  (") + overnightPercent + QStringLiteral(")  ") +
           QStringLiteral("Total Day Visits = ") + QString::number(dayVisits) +
           QStringLiteral("  (") + dayVisitPercent + QLatin1Char(')');
}

// Largest height from `start` down at which `text` is at most `width` wide.
int FitFont(DrawingSurface& surface, int start, const QString& text, int width, bool bold)
{
    int height = std::max(1, start);
    for (;; --height) {
        surface.SetFont(height, bold);
        if (height <= 1 || surface.TextWidth(text) <= width)
            return height;
    }
}

} // namespace

void DrawPreviewBlockFrame(const CalendarDocument& doc, DrawingSurface& surface,
                           const PreviewLayout& layout, int month)
{
    const QRect block = layout.Block(month);
    const int x = block.x();
    const int y = block.y();
    const int R = layout.R;
    const int C = layout.C;
    surface.SetPen(2, Black);
    surface.Line(x, y, x + layout.g, y);
    for (int row = 2; row <= 9; ++row)
        surface.Line(x, y + row * R, x + layout.g, y + row * R);
    surface.Line(x, y, x, y + layout.h);
    surface.Line(x + layout.g, y, x + layout.g, y + layout.h);
    for (int column = 1; column < 7; ++column)
        surface.Line(x + column * C, y + 2 * R, x + column * C, y + layout.h);

    const MonthTableEntry& entry = doc.MonthTable[static_cast<std::size_t>(month - 1)];
    const int monthIndex = std::max(0, MonthIndexOf(entry.MonthName));
    const QString title =
        DisplayMonthNames().at(monthIndex) + QLatin1Char(' ') + QString::number(entry.Year);
    FitFont(surface, (3 * 2 * R) / 4, QStringLiteral("September ") + QString::number(doc.StartYear),
            (9 * layout.g) / 10, false);
    surface.FillRect(QRect(x + 1, y + 1, layout.g - 2, 2 * R - 2), WhiteColour);
    const int titleHeight = surface.TextHeight(QStringLiteral("September"));
    surface.Text(x + (layout.g - surface.TextWidth(title)) / 2, y + (2 * R - titleHeight) / 2,
                 title);

    surface.SetFont(DayFontHeight, false);
    const int headWidth = surface.TextWidth(QStringLiteral("Sun"));
    const int headHeight = surface.TextHeight(QStringLiteral("Sun"));
    for (int column = 0; column < 7; ++column) {
        const int cx = x + column * C;
        surface.FillRect(QRect(cx + 1, y + 2 * R + 1, C - 2, R - 2), WhiteColour);
        surface.Text(cx + (C - headWidth) / 2, y + 2 * R + (R - headHeight) / 2,
                     QLatin1String(WeekdayHeads[column]));
    }
}

int PreviewMonthCount(const CalendarDocument& doc)
{
    int count = 0;
    while (count < MonthsInSpan && doc.MonthTable[static_cast<std::size_t>(count)].FirstDay >= 0)
        ++count;
    return count;
}

QRect PreviewLayout::Block(int monthNumber) const
{
    const int index = monthNumber - 1;
    const int row = index / 3;
    const int column = index % 3;
    return QRect(s + (g + gx) * column, T + (h + gy) * row, g, h);
}

PreviewLayout ComputePreviewLayout(int W, int Ht)
{
    PreviewLayout l;
    l.s = W / 34;
    l.T = Ht / 22;
    l.u = l.T / 4;
    l.gx = (2 * W) / 136;
    l.gy = Ht / 44;
    l.g = (W - l.s - 3 * l.gx) / 3;
    l.gx += l.g % 7;
    l.g -= l.g % 7;
    l.h = (Ht - (20 * l.T) / 19 - 7 * l.gy) / 8;
    l.gy += l.h % 9;
    l.h -= l.h % 9;
    l.C = l.g / 7;
    l.R = l.h / 9;
    return l;
}

void DrawPreviewHeader(const CalendarDocument& doc, DrawingSurface& surface,
                       const PreviewLayout& layout, const QString& generated)
{
    const QSize size = surface.Size();
    surface.FillRect(QRect(QPoint(0, 0), size), WhiteColour);
    const int span = 3 * layout.g + layout.gx;
    const QString title = QStringLiteral("Custodex Calendar For:  ") + doc.ClientName;
    FitFont(surface, (9 * layout.u) / 10, title, span, false);
    auto centred = [&](const QString& text) {
        return layout.s + (3 * layout.g + 2 * layout.gx - surface.TextWidth(text)) / 2;
    };
    surface.Text(centred(title), 2, title);
    surface.Text(centred(generated), 2 + layout.u, generated);

    const QString nonCustodial = OrDefault(doc.NonCustodialName, "Non-Custodial");
    const QString custodial = OrDefault(doc.CustodialName, "Custodial");
    const CounterSet& first = doc.FirstYearCounters;
    const CounterSet& second = doc.SecondYearCounters;
    const QString line3 = CounterLine(nonCustodial, first.Overnights, first.Texts[2],
                                      first.DayVisits, first.Texts[6]);
    const QString line4 = CounterLine(custodial, first.CustodialOvernights, first.Texts[3],
                                      first.CustodialDayVisits, first.Texts[7]);
    const int x3 = centred(line3);
    const int x4 = centred(line4);
    surface.Text(x3, 2 + 2 * layout.u, line3);
    surface.Text(x4, 2 + 3 * layout.u, line4);
    const int secondY = layout.T + 4 * layout.h + 3 * layout.gy + 2;
    surface.Text(x3, secondY,
                 CounterLine(nonCustodial, second.Overnights, second.Texts[2], second.DayVisits,
                             second.Texts[6]));
    surface.Text(x4, secondY + layout.u,
                 CounterLine(custodial, second.CustodialOvernights, second.Texts[3],
                             second.CustodialDayVisits, second.Texts[7]));
}

void DrawPreviewFrame(const CalendarDocument& doc, DrawingSurface& surface,
                      const PreviewLayout& layout, const QString& generated,
                      const std::function<void()>& afterBlock)
{
    DrawPreviewHeader(doc, surface, layout, generated);
    for (int month = 1; month <= PreviewMonthCount(doc); ++month) {
        DrawPreviewBlockFrame(doc, surface, layout, month);
        if (afterBlock)
            afterBlock();
    }
}

void DrawPreviewBlockDays(const CalendarDocument& doc, DrawingSurface& surface,
                          const PreviewLayout& layout, int month, std::size_t& dayIndex)
{
    surface.SetFont(DayFontHeight, false);
    const int numberHeight = surface.TextHeight(QStringLiteral("12"));
    const MonthTableEntry& entry = doc.MonthTable[static_cast<std::size_t>(month - 1)];
    const QRect block = layout.Block(month);
    const QString monthKey = entry.MonthName.toUpper();
    for (int cell = 0; cell < 42; ++cell) {
        const int column = cell % 7;
        const QRect area(block.x() + column * layout.C, block.y() + (3 + cell / 7) * layout.R,
                         layout.C, layout.R);
        const QRect inner = area.adjusted(1, 1, -1, -1);
        const bool belongs = dayIndex < doc.Days.size() &&
                             doc.Days[dayIndex].MonthName.toUpper() == monthKey &&
                             doc.Days[dayIndex].WeekdayName.toUpper() == WeekdayKeys().at(column);
        if (!belongs) {
            surface.FillRect(inner, WhiteColour);
            continue;
        }
        const CalendarDay& day = doc.Days[dayIndex++];
        const bool overnight = day.HasOvernight && !IsAnnotationReason(day.OvernightReason);
        const bool dayVisit = day.HasDayVisit && !IsAnnotationReason(day.DayVisitReason);
        surface.FillRect(inner, overnight ? doc.OvernightColour : doc.BackgroundColour);
        if (overnight && dayVisit) {
            surface.SetPen(1, PreviewRed);
            surface.Rectangle(area.adjusted(1, 1, -1, -1));
            surface.Rectangle(area.adjusted(2, 2, -2, -2));
        }
        if (dayVisit)
            surface.FillRect(QRect(QPoint(area.x() + 1, area.y() + 1),
                                   QPoint(area.x() + layout.C / 4, area.y() + layout.R / 2)),
                             doc.DayVisitColour);
        const QString number = QString::number(day.DayOfMonth);
        surface.SetPen(1, Black); // the text colour, after a red frame
        surface.Text(area.x() + (layout.C - surface.TextWidth(number)) / 2,
                     area.y() + (layout.R - numberHeight) / 2, number);
    }
}

void DrawPreviewDays(const CalendarDocument& doc, DrawingSurface& surface,
                     const PreviewLayout& layout, const std::function<void()>& afterBlock)
{
    std::size_t dayIndex = 0;
    for (int month = 1; month <= PreviewMonthCount(doc); ++month) {
        DrawPreviewBlockDays(doc, surface, layout, month, dayIndex);
        if (afterBlock)
            afterBlock();
    }
}

void DrawPreview(const CalendarDocument& doc, DrawingSurface& surface, const QString& generated)
{
    const QSize size = surface.Size();
    const PreviewLayout layout = ComputePreviewLayout(size.width(), size.height());
    DrawPreviewFrame(doc, surface, layout, generated);
    DrawPreviewDays(doc, surface, layout);
}

} // namespace custodex
