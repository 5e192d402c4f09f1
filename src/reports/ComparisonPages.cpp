#include "reports/ComparisonPages.h"

#include "output/DrawingSurface.h"
#include "output/PrinterSurface.h"
#include "platform/PrintResolution.h"
#include "reports/ComparisonTexts.h"
#include "reports/TimeReportTexts.h"

#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRect>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace custodex {

namespace {

QString MonthAbbreviation(const MonthFigures& month)
{
    return QLocale::c().monthName(std::clamp(month.Month, 1, 12), QLocale::ShortFormat);
}

// A bar in `colour`: filled for A, striped for B, outlined in black either way so a white or
// pale mark colour still shows, and A and B differ without relying on colour.
void Bar(DrawingSurface& surface, const QRect& bar, std::int32_t colour, bool striped)
{
    if (bar.height() <= 0)
        return;
    if (!striped)
        surface.FillRect(bar, colour);
    else
        for (int y = bar.bottom(); y >= bar.top(); y -= 4)
            surface.FillRect(QRect(bar.left(), std::max(bar.top(), y - 1), bar.width(),
                                   y - std::max(bar.top(), y - 1) + 1),
                             colour);
    surface.SetPen(1, 0);
    surface.Rectangle(bar);
}

} // namespace

void DrawMonthBars(DrawingSurface& surface, const QRect& area, const Comparison& comparison,
                   bool overnights)
{
    const int unit = std::max(10, area.height() / 28);
    surface.SetFont(unit, false);
    const int lineHeight = surface.TextHeight(QStringLiteral("Ag"));
    // The legend: a swatch and the side's name for each calendar.
    const CalendarFigures* sides[2] = {&comparison.A, &comparison.B};
    int x = area.left();
    const int legendY = area.top();
    for (int s = 0; s < 2; ++s) {
        const CalendarFigures& side = *sides[s];
        const std::int32_t colour = overnights ? side.OvernightColour : side.DayVisitColour;
        Bar(surface, QRect(x, legendY + 2, 2 * unit, lineHeight - 4), colour, s == 1);
        x += 2 * unit + unit / 2;
        const QString name = (s == 0 ? QStringLiteral("A: ") : QStringLiteral("B: ")) +
                             side.Client +
                             (s == 0 ? QStringLiteral(" (solid)") : QStringLiteral(" (striped)"));
        surface.Text(x, legendY, name);
        x += surface.TextWidth(name) + 2 * unit;
    }
    const QString what = overnights ? QStringLiteral("Overnights per month")
                                    : QStringLiteral("Day visits per month");
    surface.Text(std::max(x, area.right() - surface.TextWidth(what)), legendY, what);

    int most = 1;
    for (const CalendarFigures* side : sides)
        for (const MonthFigures& month : side->Months)
            most = std::max(most, overnights ? month.Overnights : month.DayVisits);
    const int scaleWidth = surface.TextWidth(QStringLiteral("000")) + unit / 2;
    const QRect plot(area.left() + scaleWidth, legendY + lineHeight + unit,
                     area.width() - scaleWidth, area.height() - 3 * lineHeight - 2 * unit);
    if (plot.height() <= 0 || plot.width() <= 0)
        return;
    // Grid lines at 0, a half and the most, with their figures.
    surface.SetPen(1, 0xC0C0C0);
    for (const int value : {0, most / 2, most}) {
        const int y = plot.bottom() - static_cast<int>(std::int64_t{value} * plot.height() / most);
        surface.Line(plot.left(), y, plot.right(), y);
    }
    surface.SetPen(1, 0); // figures in black, the grid lines grey
    for (const int value : {0, most / 2, most}) {
        const int y = plot.bottom() - static_cast<int>(std::int64_t{value} * plot.height() / most);
        const QString figure = QString::number(value);
        surface.Text(plot.left() - unit / 4 - surface.TextWidth(figure), y - lineHeight / 2,
                     figure);
    }
    const int group = plot.width() / MonthsInSpan;
    const int barWidth = std::max(2, (group - std::max(2, group / 5)) / 2);
    for (int k = 0; k < MonthsInSpan; ++k) {
        const int left = plot.left() + k * group + (group - 2 * barWidth) / 2;
        for (int s = 0; s < 2; ++s) {
            const MonthFigures& month = sides[s]->Months[static_cast<std::size_t>(k)];
            const int value = overnights ? month.Overnights : month.DayVisits;
            const int height = static_cast<int>(std::int64_t{value} * plot.height() / most);
            const std::int32_t colour =
                overnights ? sides[s]->OvernightColour : sides[s]->DayVisitColour;
            Bar(surface, QRect(left + s * barWidth, plot.bottom() - height + 1, barWidth, height),
                colour, s == 1);
        }
        // Month names of A under the bars, the year under each January and under the first.
        const MonthFigures& month = comparison.A.Months[static_cast<std::size_t>(k)];
        const QString name =
            comparison.SameSpan() ? MonthAbbreviation(month) : QString::number(k + 1);
        const int centre = plot.left() + k * group + group / 2;
        surface.Text(centre - surface.TextWidth(name) / 2, plot.bottom() + unit / 3, name);
        if (comparison.SameSpan() && (k == 0 || month.Month == 1)) {
            const QString year = QString::number(month.Year);
            surface.Text(centre - surface.TextWidth(year) / 2,
                         plot.bottom() + unit / 3 + lineHeight, year);
        }
    }
}

namespace {

// Text laid out down the pages of a printout: each line wrapped to the width, a new page (with
// the footer on the one left) when the next line would reach the footer. Nothing is left out.
class PageFlow {
public:
    PageFlow(DrawingSurface& surface, QString footer)
        : m_surface(surface), m_footer(std::move(footer))
    {
        const QSize size = surface.Size();
        Margin = size.width() / 17;
        Width = size.width() - 2 * Margin;
        Y = Margin;
        surface.SetFont(FooterFont(), false);
        m_footerTop = size.height() - Margin / 2 - 2 * surface.TextHeight(QStringLiteral("Ag"));
    }

    int Margin = 0;
    int Width = 0;
    int Y = 0;
    int Pages = 1;

    int Bottom() const { return m_footerTop; }
    // Starts a new page unless `height` still fits above the footer.
    void Room(int height)
    {
        if (Y + height <= m_footerTop || Y == Margin)
            return;
        Footer();
        m_surface.NewPage();
        ++Pages;
        Y = Margin;
    }
    // `text` in the current font, wrapped at blanks to the width; `indent` for the lines after
    // the first.
    void Lines(const QString& text, int indent = 0)
    {
        const int height = m_surface.TextHeight(QStringLiteral("Ag"));
        QString current;
        int left = Margin;
        auto put = [&] {
            Room(height);
            m_surface.Text(left, Y, current);
            Y += height;
            left = Margin + indent;
        };
        for (const QString& word : text.split(QLatin1Char(' '))) {
            const QString next = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (!current.isEmpty() && left + m_surface.TextWidth(next) > Margin + Width) {
                put();
                current = word;
            }
            else
                current = next;
        }
        if (!current.isEmpty())
            put();
    }
    void Footer()
    {
        m_surface.SetFont(FooterFont(), false);
        m_surface.SetPen(1, 0);
        const QString text = m_footer + QStringLiteral("    Page ") + QString::number(Pages);
        m_surface.Text(Margin, m_footerTop + m_surface.TextHeight(QStringLiteral("Ag")) / 2, text);
        m_surface.SetFont(m_fontHeight, m_bold);
    }
    // The font of the text that follows; kept over a new page.
    void Font(int pixelHeight, bool bold)
    {
        m_fontHeight = pixelHeight;
        m_bold = bold;
        m_surface.SetFont(pixelHeight, bold);
    }

private:
    int FooterFont() const { return m_surface.Size().width() / 100; }

    DrawingSurface& m_surface;
    QString m_footer;
    int m_footerTop = 0;
    int m_fontHeight = 12;
    bool m_bold = false;
};

} // namespace

int DrawComparisonPage(DrawingSurface& surface, const Comparison& comparison,
                       const QString& generated)
{
    const QSize size = surface.Size();
    PageFlow flow(surface, generated);
    const int margin = flow.Margin;
    const int width = flow.Width;
    surface.SetPen(1, 0);
    surface.SetFont(size.width() / 45, true);
    surface.Text(margin, flow.Y, ComparisonTitle);
    flow.Y += surface.TextHeight(ComparisonTitle) * 3 / 2;
    flow.Font(size.width() / 75, false);
    const int line = surface.TextHeight(QStringLiteral("Ag"));
    flow.Lines(QStringLiteral("A: ") + SideDescription(comparison.A), line);
    flow.Lines(QStringLiteral("B: ") + SideDescription(comparison.B), line);
    if (const QString note = SpanDifferenceNote(comparison); !note.isEmpty())
        flow.Lines(note);
    flow.Y += line;

    // The table: a caption column and A, B, B - A for each period.
    const int captionWidth = width * 30 / 100;
    const int cell = (width - captionWidth) / 9;
    const int rowHeight = line * 3 / 2;
    surface.SetPen(1, 0);
    surface.SetFont(size.width() / 75, true);
    int y = flow.Y;
    const int tableTop = y;
    for (const CarePeriod period : AllPeriods) {
        const int left = margin + captionWidth + static_cast<int>(period) * 3 * cell;
        const QString caption = ComparisonPeriodCaption(period);
        surface.Text(left + (3 * cell - surface.TextWidth(caption)) / 2, y, caption);
        int c = 0;
        for (const QString& side :
             {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("B - A")})
            surface.Text(left + c++ * cell + (cell - surface.TextWidth(side)) / 2, y + rowHeight,
                         side);
    }
    y += 2 * rowHeight;
    surface.Line(margin, y - rowHeight / 4, margin + width, y - rowHeight / 4);
    surface.SetFont(size.width() / 80, false);
    for (const Measure measure : AllMeasures) {
        surface.Text(margin, y, MeasureCaption(measure));
        for (const CarePeriod period : AllPeriods) {
            const int left = margin + captionWidth + static_cast<int>(period) * 3 * cell;
            int c = 0;
            for (const QString& text : MeasureCells(comparison, measure, period)) {
                surface.Text(left + (c + 1) * cell - cell / 8 - surface.TextWidth(text), y, text);
                ++c;
            }
        }
        y += rowHeight;
    }
    surface.Line(margin, y - rowHeight / 4, margin + width, y - rowHeight / 4);
    for (int p = 1; p < 3; ++p) {
        const int x = margin + captionWidth + p * 3 * cell;
        surface.Line(x - cell / 16, tableTop - rowHeight / 4, x - cell / 16, y - rowHeight / 4);
    }
    flow.Y = y + line / 2;
    flow.Font(size.width() / 85, false);
    for (const QString& note : ComparisonNotes(comparison))
        flow.Lines(note, line);
    flow.Y += line;

    // Both charts on the first page at a fixed height; only notes too long for it move them on.
    const int chartHeight = std::max(8 * line, size.height() / 5);
    for (const bool overnights : {true, false}) {
        flow.Room(chartHeight);
        DrawMonthBars(surface, QRect(margin, flow.Y, width, chartHeight), comparison, overnights);
        flow.Y += chartHeight + line;
    }

    const QStringList guidelines = ComparisonGuidelineLines(comparison);
    if (!guidelines.isEmpty()) {
        flow.Font(size.width() / 80, true);
        flow.Room(3 * line);
        flow.Lines(QStringLiteral("Guidelines"));
        flow.Font(size.width() / 90, false);
        for (const QString& guideline : guidelines)
            flow.Lines(guideline, line);
    }
    flow.Footer();
    return flow.Pages;
}

QByteArray ComparisonPdfBytes(const Comparison& comparison, const QString& generated)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(ComparisonTitle);
        writer.setCreator(QStringLiteral("Custodex Calendar"));
        writer.setResolution(PrintoutDotsPerInch);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        PrinterSurface surface(writer);
        DrawComparisonPage(surface, comparison, generated);
    } // the writer finishes the file when its painter ends
    return bytes;
}

} // namespace custodex
