#include "output/CalendarPages.h"

#include "output/CalendarLists.h"
#include "output/PageParts.h"
#include "platform/FileAccess.h"

#include <QDate>

#include <algorithm>

namespace custodex {

using namespace page_parts;

namespace {

constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Black = 0x000000;
int MonthLastDay(const CalendarDocument& doc, int month)
{
    if (month < MonthsInSpan)
        return doc.MonthTable[static_cast<std::size_t>(month)].FirstDay - 1;
    return static_cast<int>(doc.Days.size()) - 1;
}

int WeekdayOf(const CalendarDocument& doc, int dayIndex, int month)
{
    const CalendarDay& day = doc.Days[static_cast<std::size_t>(dayIndex)];
    for (int i = 0; i < 7; ++i)
        if (WeekdayKeys().at(i).compare(day.WeekdayName, Qt::CaseInsensitive) == 0)
            return i;
    const MonthTableEntry& entry = doc.MonthTable[static_cast<std::size_t>(month - 1)];
    const QDate date(entry.Year, MonthIndexOf(entry.MonthName) + 1, day.DayOfMonth);
    return date.isValid() ? date.dayOfWeek() % 7 : 0;
}

QString MonthTitle(const CalendarDocument& doc, int month)
{
    const MonthTableEntry& entry = doc.MonthTable[static_cast<std::size_t>(month - 1)];
    return entry.MonthName + QLatin1Char(' ') + QString::number(entry.Year);
}

QString StartYearText(const CalendarDocument& doc)
{
    return QString::number(doc.MonthTable[0].Year);
}

const CounterSet& CountersOfYear(const CalendarDocument& doc, int year)
{
    return year == 1 ? doc.FirstYearCounters : doc.SecondYearCounters;
}

QString HeaderText(const CounterSet& counters, const QString& generated)
{
    return QStringLiteral("Total Overnights=") + counters.Texts[0] +
           QStringLiteral("   Day Visits=") + counters.Texts[4] + QStringLiteral("    ") +
           generated;
}

// Shared block steps 1 to 3: the white block, its lines, the month title and weekday row.
void DrawBlockFrame(DrawingSurface& surface, int x, int y, int c, int r, const QString& title,
                    int titleFont, int weekdayFont)
{
    surface.FillRect(QRect(x, y, 7 * c, 9 * r), White);
    surface.SetPen(2, Black);
    for (const int lineY : {y, y + 2 * r, y + 3 * r})
        surface.Line(x, lineY, x + 7 * c, lineY);
    for (int k = 1; k <= 6; ++k)
        surface.Line(x, y + 3 * r + k * r, x + 7 * c, y + 3 * r + k * r);
    surface.Line(x, y, x, y + 9 * r);
    surface.Line(x + 7 * c, y, x + 7 * c, y + 9 * r);
    for (int k = 1; k <= 6; ++k)
        surface.Line(x + k * c, y + 2 * r, x + k * c, y + 9 * r);

    surface.SetFont(titleFont, true);
    const int titleHeight = surface.TextHeight(QStringLiteral("September"));
    surface.Text(x + (7 * c - surface.TextWidth(title)) / 2, y + (2 * r - titleHeight) / 2, title);

    surface.SetFont(weekdayFont, true);
    static const QStringList weekdays{
        QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
        QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat")};
    const int columnWidth = surface.TextWidth(QStringLiteral("Sun"));
    const int rowHeight = surface.TextHeight(QStringLiteral("Sun"));
    for (int k = 0; k < 7; ++k)
        surface.Text(x + k * c + (c - columnWidth) / 2, y + 2 * r + (r - rowHeight) / 2,
                     weekdays.at(k));
}

std::int32_t CellColour(const CalendarDay& day, const MarkColours& colours)
{
    return day.HasOvernight && !IsAnnotationReason(day.OvernightReason) ? colours.Overnight
                                                                        : colours.Background;
}

bool HasDayVisitMark(const CalendarDay& day)
{
    return day.HasDayVisit && !IsAnnotationReason(day.DayVisitReason);
}

// Shared steps 4 to 6: walks the month's days over the 42 cells; `cell` draws one.
template <typename Cell>
void WalkMonthCells(const CalendarDocument& doc, int month, int x, int y, int c, int r, Cell cell)
{
    int dayIndex = doc.MonthTable[static_cast<std::size_t>(month - 1)].FirstDay;
    const int last = MonthLastDay(doc, month);
    if (dayIndex < 0)
        return;
    for (int row = 0; row < 6 && dayIndex <= last; ++row)
        for (int column = 0; column < 7 && dayIndex <= last; ++column)
            if (WeekdayOf(doc, dayIndex, month) == column) {
                cell(doc.Days[static_cast<std::size_t>(dayIndex)], x + column * c,
                     y + 3 * r + row * r);
                ++dayIndex;
            }
}

void DrawDayNumber(DrawingSurface& surface, const CalendarDay& day, int x, int y, int c, int r)
{
    const QString number = QString::number(day.DayOfMonth);
    surface.Text(x + (c - surface.TextWidth(number)) / 2,
                 y + (r - surface.TextHeight(QStringLiteral("12"))) / 2, number);
}

struct CounterColumns {
    int X1 = 0;
    int X2 = 0;
    int X3 = 0;
};

// The four counter lines from `y`, one font height apart, in the current font; returns the
// position of the fourth.
int DrawCounterLines(DrawingSurface& surface, const CalendarDocument& doc,
                     const CounterSet& counters, int s, int y, const QString& nameSeparator)
{
    const QString custodial = CustodialNameOf(doc);
    const QString nonCustodial = NonCustodialNameOf(doc);
    const QString& longer = custodial.size() > nonCustodial.size() ? custodial : nonCustodial;
    const int f = surface.TextHeight(QStringLiteral("0"));
    const QString overnightsLabel = QStringLiteral("No. of Overnights=");
    const QString dayVisitsLabel = QStringLiteral("No. of Day Visits=");
    const QString percentLabel = QStringLiteral("% of Year's Total=");
    const QString six = QStringLiteral("      ");
    const int x1 = s + surface.TextWidth(longer + nameSeparator);
    const int x2 = x1 + surface.TextWidth(overnightsLabel);
    const int x3 = x2 + surface.TextWidth(counters.Texts[0] + six);

    surface.Text(s, y, nonCustodial + QStringLiteral(":  "));
    surface.Text(x1, y, overnightsLabel);
    surface.Text(x2, y, counters.Texts[0] + six);
    surface.Text(x3, y, percentLabel + counters.Texts[2]);
    y += f;
    surface.Text(x1, y, dayVisitsLabel);
    surface.Text(x2, y, counters.Texts[4]);
    surface.Text(x3, y, percentLabel + counters.Texts[6]);
    y += f;
    surface.Text(s, y, custodial + QStringLiteral(":"));
    surface.Text(x1, y, overnightsLabel);
    surface.Text(x2, y, counters.Texts[1]);
    surface.Text(x3, y, percentLabel + counters.Texts[3]);
    y += f;
    surface.Text(x1, y, dayVisitsLabel);
    surface.Text(x2, y, counters.Texts[5]);
    surface.Text(x3, y, percentLabel + counters.Texts[7]);
    return y;
}

// The legend's two rectangles and captions at (s, y) in the current font.
void DrawLegend(DrawingSurface& surface, const MarkColours& colours, int s, int y, int c,
                const QString& overnight, const QString& overnightSpacing, int secondOffset,
                const QString& dayVisit)
{
    const int f = surface.TextHeight(overnight);
    const int width = c / 3;
    surface.FillRect(QRect(s, y, width, f), colours.Overnight);
    surface.Text(s + width + 2, y, overnight);
    const int second = s + width + secondOffset + surface.TextWidth(overnightSpacing);
    surface.FillRect(QRect(second, y, width, f), colours.DayVisit);
    surface.Text(second + width + 2, y, dayVisit);
}

void DrawPreparedBy(DrawingSurface& surface, const CalendarDocument& doc, int right, int y)
{
    const int f = surface.TextHeight(QStringLiteral("0"));
    const QStringList lines = PreparedByLines(surface, doc);
    for (const QString& line : lines) {
        surface.Text(right - surface.TextWidth(line), y, line);
        y += f;
    }
}

// How the two layouts word their trailers.
struct TrailerTexts {
    QString Overnight;        // after the first legend rectangle
    QString OvernightSpacing; // whose width places the second rectangle
    int SecondOffset = 0;     // pixels more before the second rectangle
    QString DayVisit;
    QString NameSeparator; // after the longer name, for the counter column
};

// The trailer in the current font from `y`: legend and author lines, then the counter lines
// one line lower; without it, four lines of space. Returns the position of the last line.
int DrawTrailer(DrawingSurface& surface, const CalendarPageInput& input, const CounterSet& counters,
                bool include, int s, int y, int right, int c, const TrailerTexts& texts)
{
    const int f = surface.TextHeight(QStringLiteral("0"));
    if (!include)
        return y + 4 * f;
    DrawLegend(surface, input.Colours, s, y, c, texts.Overnight, texts.OvernightSpacing,
               texts.SecondOffset, texts.DayVisit);
    DrawPreparedBy(surface, input.Doc, right, y);
    return DrawCounterLines(surface, input.Doc, counters, s, y + f, texts.NameSeparator);
}

void Report(const CalendarPageInput& input, int done)
{
    if (input.Progress)
        input.Progress(done);
}

} // namespace

QString PaddedClientName(const QString& clientName)
{
    QString name = clientName;
    while (name.size() < 10)
        name = QLatin1Char(' ') + name + QLatin1Char(' ');
    return name;
}

QString CustodialNameOf(const CalendarDocument& doc)
{
    return doc.CustodialName.isEmpty() ? QStringLiteral("Custodial") : doc.CustodialName;
}

QString NonCustodialNameOf(const CalendarDocument& doc)
{
    return doc.NonCustodialName.isEmpty() ? QStringLiteral("Non-Custodial") : doc.NonCustodialName;
}

QString ListReasonText(const QString& reason)
{
    return ReasonDisplayText(reason);
}

QString CellReasonText(const QString& reason)
{
    QString text = ReasonDisplayText(reason);
    if (text.startsWith(QLatin1Char('*')))
        text.remove(0, 1);
    return text;
}

QString TimesText(DrawingSurface& surface, const QString& pickup, const QString& dropoff, int width)
{
    const bool hasPickup = HasTime(pickup);
    const bool hasDropoff = HasTime(dropoff);
    // A blank always widens the text, so at most `width` blanks are ever needed.
    const int maxFill = std::max(0, width) + 1;
    if (hasPickup && hasDropoff) {
        auto text = [&](int fill) {
            const QString filler(fill, QLatin1Char(' '));
            return QLatin1Char(' ') + pickup + filler + QLatin1Char('-') + filler + dropoff;
        };
        int fill = 0;
        while (fill < maxFill && surface.TextWidth(text(fill)) * 100 < 98 * width)
            ++fill;
        if (fill > 0 && surface.TextWidth(text(fill)) * 100 > 97 * width)
            --fill;
        return text(fill);
    }
    if (hasDropoff) {
        auto text = [&](int fill) { return QString(fill, QLatin1Char(' ')) + dropoff; };
        int fill = 0;
        while (fill < maxFill && surface.TextWidth(text(fill)) * 100 < 97 * width)
            ++fill;
        if (fill > 0 && surface.TextWidth(text(fill)) * 100 > 97 * width)
            --fill;
        return text(fill);
    }
    if (hasPickup)
        return QLatin1Char(' ') + pickup;
    return {};
}

QStringList PreparedByLines(DrawingSurface& surface, const CalendarDocument& doc)
{
    const QString prefix = QStringLiteral("Prepared By:  ");
    QString author = doc.Author.trimmed();
    QString title = doc.Title.trimmed();
    if (author.isEmpty() && title.isEmpty())
        return {};
    if (title.isEmpty())
        return {prefix + author};
    if (author.isEmpty())
        return {prefix + title};
    // Each loop adds one blank per turn and stops at the other text's width; a blank of no
    // width cannot widen anything, so the turns are bounded by the other text's length.
    const qsizetype bound = 2 * (author.size() + title.size() + prefix.size()) + 8;
    for (qsizetype i = 0; i < bound && surface.TextWidth(author) < surface.TextWidth(title); ++i)
        author += QLatin1Char(' ');
    for (qsizetype i = 0; i < bound && surface.TextWidth(title) < surface.TextWidth(author); ++i)
        title += QLatin1Char(' ');
    author = prefix + author;
    for (qsizetype i = 0; i < bound && surface.TextWidth(title) < surface.TextWidth(author); ++i)
        title = QLatin1Char(' ') + title;
    return {author, title};
}

YearPageGeometry ComputeYearPageGeometry(QSize page)
{
    const int wp = page.width();
    const int hp = page.height();
    const bool landscape = IsLandscape(page);
    YearPageGeometry g;
    g.Left = landscape ? wp / 22 : wp / 17;
    g.Top = landscape ? (2 * hp) / 17 : hp / 11;
    g.GapX = landscape ? (2 * wp) / 176 : (2 * wp) / 136;
    g.GapY = landscape ? hp / 34 : hp / 44;
    g.BlockWidth = std::max(0, (wp - g.Left - 3 * g.GapX) / 3);
    g.BlockHeight = std::max(0, (hp - 2 * g.Top - 3 * g.GapY) / 4);
    g.GapX += g.BlockWidth % 7;
    g.BlockWidth -= g.BlockWidth % 7;
    g.GapY += g.BlockHeight % 9;
    g.BlockHeight -= g.BlockHeight % 9;
    g.C = g.BlockWidth / 7;
    g.R = g.BlockHeight / 9;
    g.ContentWidth = 3 * g.BlockWidth + 2 * g.GapX;
    return g;
}

MonthPageGeometry ComputeMonthPageGeometry(QSize page)
{
    const int wp = page.width();
    const int hp = page.height();
    const bool landscape = IsLandscape(page);
    MonthPageGeometry g;
    g.Left = landscape ? wp / 22 : wp / 34;
    g.Top = landscape ? (3 * hp) / 34 : (3 * hp) / 44;
    g.Bottom = landscape ? (2 * hp) / 17 : hp / 11;
    const int gridWidth = std::max(0, wp - 2 * g.Left);
    const int gridHeight = std::max(0, hp - g.Top - g.Bottom);
    g.C = gridWidth / 7;
    g.R = gridHeight / 9;
    g.Left += gridWidth - 7 * g.C;
    g.Bottom += gridHeight - 9 * g.R;
    return g;
}

void DrawYearPage(DrawingSurface& surface, const CalendarPageInput& input, int page,
                  const PageOptions& options)
{
    const CalendarDocument& doc = input.Doc;
    const QSize size = surface.Size();
    const int cap = FontCap(size);
    const YearPageGeometry g = ComputeYearPageGeometry(size);
    const int s = g.Left;
    const int wc = g.ContentWidth;
    const CounterSet& counters = CountersOfYear(doc, page);

    surface.FillRect(QRect(QPoint(0, 0), size), White);
    const QString title = TitlePrefix + PaddedClientName(doc.ClientName);
    const int f = FitTitleFont(surface, title, wc / 2, cap);
    const int titleY = (g.Top - 2 * f) / 3;
    surface.Text(s + (wc - surface.TextWidth(title)) / 2, titleY, title);
    if (options.Header) {
        const QString header = HeaderText(counters, input.Generated);
        surface.Text(s + (wc - surface.TextWidth(header)) / 2, f + 2 * (g.Top - 2 * f) / 3, header);
    }

    const QString widest = QStringLiteral("September ") + StartYearText(doc);
    const int titleFont =
        std::max(4, GrowFont(surface, 4, cap, [&](int height) {
                        return surface.TextWidth(widest) * 10 < 9 * g.BlockWidth &&
                               height < (2 * 2 * g.R) / 3;
                    }) - 1);
    const int weekdayFont = GrowFont(surface, 3, cap, [&](int height) {
        return surface.TextWidth(QStringLiteral("SUN")) * 10 < 7 * g.C && height * 10 < 8 * g.R;
    });

    const int firstMonth = page == 1 ? 1 : 13;
    auto blockX = [&](int i) { return s + (g.BlockWidth + g.GapX) * (i % 3); };
    auto blockY = [&](int i) { return g.Top + (g.BlockHeight + g.GapY) * (i / 3); };
    for (int i = 0; i < 12; ++i) {
        DrawBlockFrame(surface, blockX(i), blockY(i), g.C, g.R, MonthTitle(doc, firstMonth + i),
                       titleFont, weekdayFont);
        Report(input, i + 1);
    }
    Report(input, 0); // the days are a pass of their own

    surface.SetFont(weekdayFont, true);
    for (int i = 0; i < 12; ++i) {
        WalkMonthCells(doc, firstMonth + i, blockX(i), blockY(i), g.C, g.R,
                       [&](const CalendarDay& day, int x, int y) {
                           surface.FillRect(QRect(x + 2, y + 2, g.C - 4, g.R - 4),
                                            CellColour(day, input.Colours));
                           if (HasDayVisitMark(day))
                               surface.FillRect(
                                   QRect(x + 2, y + 2, 7 * g.C / 24 - 2, 5 * g.R / 12 - 2),
                                   input.Colours.DayVisit);
                           DrawDayNumber(surface, day, x, y, g.C, g.R);
                       });
        Report(input, i + 1);
    }

    int y = g.Top + 4 * g.BlockHeight + 3 * g.GapY + 3;
    const QString creditWidth =
        QStringLiteral("Prepared By:  0123456789012345678901234567890123456789");
    // The trailer's font (also the space left without a trailer).
    GrowFont(surface, 1, cap,
             [&](int) { return surface.TextWidth(creditWidth) < g.BlockWidth + g.GapX; });
    static const TrailerTexts yearTexts{QStringLiteral("= Overnight    "),
                                        QStringLiteral("= Overnight     "), 0,
                                        QStringLiteral("= Day Visit"), QStringLiteral(":  ")};
    y = DrawTrailer(surface, input, counters, options.Trailer, s, y, s + wc, g.C, yearTexts);

    surface.SetFont(f, true);
    const QString number = QStringLiteral("- ") + QString::number(page) + QStringLiteral(" -");
    surface.Text(s + wc / 2 - surface.TextWidth(QStringLiteral("- 1 -")) / 2, y, number);
}

void DrawMonthPage(DrawingSurface& surface, const CalendarPageInput& input, int month,
                   const PageOptions& options)
{
    const CalendarDocument& doc = input.Doc;
    const QSize size = surface.Size();
    const int cap = FontCap(size);
    const MonthPageGeometry g = ComputeMonthPageGeometry(size);
    const int s = g.Left;
    const int gridWidth = 7 * g.C;
    const int c = g.C;
    const int r = g.R;

    // Measured before anything is drawn, as the page's first act.
    const QString twentyA(20, QLatin1Char('A'));
    const int fs =
        GrowFont(surface, 2, cap, [&](int) { return surface.TextWidth(twentyA) * 100 < 98 * c; });

    surface.FillRect(QRect(QPoint(0, 0), size), White);
    const QString title = TitlePrefix + PaddedClientName(doc.ClientName);
    const int f = FitTitleFont(surface, title, (4 * gridWidth) / 10, cap);
    int y = (g.Top - f) / 3;
    surface.Text((size.width() - surface.TextWidth(title)) / 2, y, title);
    const bool firstOfYear = month == 1 || month == 13;
    const CounterSet& counters = CountersOfYear(doc, month <= 12 ? 1 : 2);
    if (options.Header && firstOfYear) {
        const QString header = HeaderText(counters, input.Generated);
        surface.Text((size.width() - surface.TextWidth(header)) / 2, y + f, header);
    }

    const QString widest = QStringLiteral("September ") + StartYearText(doc);
    const int titleFont = GrowFont(surface, 3, cap, [&](int height) {
        return surface.TextWidth(widest) * 10 < 9 * gridWidth && height * 10 < 14 * r;
    });
    const int weekdayFont = GrowFont(surface, 3, cap, [&](int height) {
        return surface.TextWidth(QStringLiteral("SUN")) * 100 < 35 * c && height * 100 < 35 * r;
    });
    DrawBlockFrame(surface, s, g.Top, c, r, MonthTitle(doc, month), titleFont, weekdayFont);

    const int limit = 98 * c; // texts fit 98/100 of a cell, compared in hundredths
    WalkMonthCells(doc, month, s, g.Top, c, r, [&](const CalendarDay& day, int x, int cy) {
        const std::int32_t colour = CellColour(day, input.Colours);
        surface.FillRect(QRect(x + 2, cy + 2, c - 4, r - 4), colour);
        if (HasDayVisitMark(day))
            surface.FillRect(QRect(x + 2, cy + r / 2 - r / 8, 7 * c / 24 - 2, r / 4),
                             input.Colours.DayVisit);
        surface.SetFont(fs, true);
        if (day.HasOvernight) {
            QString reason = CellReasonText(day.OvernightReason);
            while (!reason.isEmpty() && surface.TextWidth(reason) * 100 > limit)
                reason.chop(1);
            surface.Text(x + 2, cy + r - fs - 2, reason);
            const QString times = TimesText(surface, day.OvernightPickup, day.OvernightDropoff, c);
            if (!times.isEmpty())
                surface.Text(x + 2, cy + r - 2 * fs - 2, times);
        }
        if (day.HasDayVisit) {
            QString reason = CellReasonText(day.DayVisitReason);
            while (reason.size() > 1 && surface.TextWidth(reason) * 100 > limit)
                reason = reason.left(reason.size() - 2) + QLatin1Char(' ');
            surface.Text(x + 2, cy + 1, reason);
            const QString times = TimesText(surface, day.DayVisitStart, day.DayVisitEnd, c);
            if (!times.isEmpty())
                surface.Text(x + 2, cy + fs + 1, times);
        }
        surface.SetFont(weekdayFont, true);
        DrawDayNumber(surface, day, x, cy, c, r);
    });
    Report(input, 1);

    y = g.Top + 9 * r + 2;
    surface.SetFont(fs, true);
    static const TrailerTexts monthTexts{QStringLiteral("=Overnight"),
                                         QStringLiteral("=Overnight   "), 2,
                                         QStringLiteral("=Day Visit"), QStringLiteral(":   ")};
    y = DrawTrailer(surface, input, counters, options.Trailer && firstOfYear, s, y, s + gridWidth,
                    c, monthTexts);

    surface.SetFont(f, true);
    const QString number = QLatin1Char('-') + QString::number(month) + QLatin1Char('-');
    surface.Text(s + (gridWidth - surface.TextWidth(number)) / 2, y, number);
}

QSize CalendarPictureSize(bool landscape)
{
    return landscape ? QSize(1575, 1200) : QSize(1200, 1575);
}

void DrawPrintout(DrawingSurface& surface, const CalendarPageInput& input, PrintLayout layout,
                  int first, int last, const PageOptions& options,
                  const std::function<void(int)>& finished, const std::function<void()>& between)
{
    switch (layout) {
    case PrintLayout::YearPages:
    case PrintLayout::MonthPages:
        for (int page = first; page <= last; ++page) {
            if (page > first)
                between();
            if (layout == PrintLayout::YearPages)
                DrawYearPage(surface, input, page, options);
            else
                DrawMonthPage(surface, input, page, options);
            finished(page);
        }
        return;
    case PrintLayout::OvernightList:
    case PrintLayout::DayVisitList: {
        int page = 1;
        const int pages =
            DrawTextList(surface, input,
                         layout == PrintLayout::OvernightList ? TextListKind::Overnights
                                                              : TextListKind::DayVisits,
                         options.Header, [&] {
                             finished(page++);
                             between();
                         });
        finished(pages);
        return;
    }
    }
}

} // namespace custodex
