#include "reports/DistributionReport.h"

#include "reports/TimeReportTexts.h"

#include <algorithm>

namespace custodex {

namespace {

constexpr std::int32_t Black = 0;
constexpr std::int32_t Red = 0x0000FF; // red in the low byte
constexpr int GraphLines = 8;
constexpr int MonthSeparator = 2; // two one-pixel lines at each month's start
constexpr int LabelGap = 4;       // "24hrs" and "12hrs" stand this far right of the graph
constexpr int TableRows = 9;
constexpr int TablePadding = 62; // spread over the five columns: 14 for the first, 12 each

QString NonCustodialCaption(const CalendarDocument& doc)
{
    return doc.NonCustodialName.isEmpty() ? QStringLiteral("Non-Custodial") : doc.NonCustodialName;
}

QString HoursAndMinutes(std::int32_t minutes)
{
    return QString::number(minutes / 60) + QStringLiteral(" Hrs ") + QString::number(minutes % 60) +
           QStringLiteral(" Mins");
}

void Centred(DrawingSurface& surface, int left, int width, int y, const QString& text)
{
    surface.Text(left + (width - surface.TextWidth(text)) / 2, y, text);
}

// A horizontal line of short dashes (`on` pixels drawn, `off` left out).
void BrokenLine(DrawingSurface& surface, int x1, int x2, int y, int on, int off)
{
    for (int x = x1; x <= x2; x += on + off)
        surface.Line(x, y, std::min(x + on - 1, x2), y);
}

const CounterSet& CountersOf(const CalendarDocument& doc, int year)
{
    return year == 0 ? doc.FirstYearCounters : doc.SecondYearCounters;
}

QString YearHeading(const CalendarDocument& doc, int year)
{
    return QStringLiteral("For Calendar Year ") + MonthOfSpanText(doc, year * 12 + 1) +
           QStringLiteral(" thru ") + MonthOfSpanText(doc, year * 12 + 12);
}

QString ShortMonthName(const QString& monthName)
{
    const int index = MonthIndexOf(monthName);
    return (index >= 0 ? DisplayMonthNames().at(index) : monthName).left(3);
}

enum class GraphKind { Overnights, DayVisits };

// One year's graph of one kind, its frame on top of the day columns; returns its bottom.
int DrawGraph(DrawingSurface& surface, const DistributionReportInput& input, int year,
              GraphKind kind, int top, const DistributionGraphGeometry& graph)
{
    const CalendarDocument& doc = input.Doc;
    const DistributionYear& range = input.Result.Years.at(static_cast<std::size_t>(year));
    const int bottom = top + QuartersPerDay * graph.RowHeight;
    const std::int32_t normal =
        kind == GraphKind::Overnights ? doc.OvernightColour : doc.DayVisitColour;

    // Day columns, with the month separators' places left between them.
    std::vector<int> separators;
    std::vector<QString> months;
    int x = graph.Left;
    for (int i = range.FirstDay; i < range.EndDay; ++i) {
        const CalendarDay& day = doc.Days.at(static_cast<std::size_t>(i));
        if (day.DayOfMonth == 1 || i == range.FirstDay) {
            separators.push_back(x);
            months.push_back(ShortMonthName(day.MonthName));
            x += MonthSeparator;
        }
        const DaySpans& spans = input.Result.Days.at(static_cast<std::size_t>(i));
        const bool problem =
            kind == GraphKind::Overnights ? spans.OvernightProblem : spans.DayVisitProblem;
        const std::int32_t colour = problem ? Red : normal;
        const auto list = kind == GraphKind::Overnights ? spans.Overnight() : spans.DayVisit();
        for (const QuarterSpan& span : list) {
            const int high = bottom - (span.FirstQuarter + span.Length) * graph.RowHeight;
            surface.FillRect(QRect(x, high, graph.DayWidth, span.Length * graph.RowHeight), colour);
        }
        x += graph.DayWidth;
    }
    separators.push_back(x); // once more after the last day: the right edge

    surface.SetPen(1, Black);
    for (const int at : separators) {
        surface.Line(at, top, at, bottom);
        surface.Line(at + 1, top, at + 1, bottom);
    }
    const int right = separators.back() + 1;
    surface.Line(graph.Left, bottom, right, bottom);
    const int middle = top + QuartersPerDay / 2 * graph.RowHeight;
    BrokenLine(surface, graph.Left, right, top, 1, 2);
    BrokenLine(surface, graph.Left, right, middle, 1, 2);

    const int labelHeight = surface.TextHeight(QStringLiteral("24hrs"));
    surface.Text(right + LabelGap, top - labelHeight / 2, QStringLiteral("24hrs"));
    surface.Text(right + LabelGap, middle - labelHeight / 2, QStringLiteral("12hrs"));
    for (std::size_t m = 0; m + 1 < separators.size(); ++m) {
        const int from = separators[m] + MonthSeparator;
        Centred(surface, from, separators[m + 1] - from, bottom + 3, months[m]);
    }
    return bottom;
}

// The caption, the graph and the totals line of one kind; returns the totals line's top.
int DrawGraphBlock(DrawingSurface& surface, const DistributionReportInput& input, int year,
                   GraphKind kind, int captionY, const DistributionGraphGeometry& graph, int H)
{
    const CalendarDocument& doc = input.Doc;
    const CounterSet& counters = CountersOf(doc, year);
    const DistributionYear& figures = input.Result.Years.at(static_cast<std::size_t>(year));
    const int width = surface.Size().width();
    const bool overnights = kind == GraphKind::Overnights;
    const QString caption =
        overnights ? QStringLiteral("Marked Overnight Stays for ") + NonCustodialCaption(doc) +
                         QStringLiteral(" = ") + counters.Texts[0] + QStringLiteral(" (") +
                         counters.Texts[2] + QLatin1Char(')')
                   : QStringLiteral("Marked Day Visits  for ") + NonCustodialCaption(doc) +
                         QStringLiteral(" = ") + counters.Texts[4] + QStringLiteral(" (") +
                         counters.Texts[6] + QLatin1Char(')');
    // A font taller than its line would touch the graph's top edge: the caption moves up.
    const int overflow = std::max(0, surface.TextHeight(caption) - H);
    Centred(surface, 0, width, captionY - overflow, caption);
    const int bottom = DrawGraph(surface, input, year, kind, captionY + H, graph);
    const WeekdayTable& table = overnights ? figures.OvernightWeekdays : figures.DayVisitWeekdays;
    const QString totals =
        overnights ? QStringLiteral("Total OverNights = ") + QString::number(TableCount(table)) +
                         QStringLiteral(", Total OverNight Stay Time = ") +
                         HoursAndMinutes(TableMinutes(table))
                   : QStringLiteral("Total Day Visits = ") + QString::number(TableCount(table)) +
                         QStringLiteral(", Total Day Visit Time = ") +
                         HoursAndMinutes(TableMinutes(table));
    const int totalsY = bottom + H + 4;
    Centred(surface, 0, width, totalsY, totals);
    return totalsY;
}

void DrawWeekdayTable(DrawingSurface& surface, const DistributionYear& year, int titleY,
                      const DistributionGraphGeometry& graph, int H)
{
    Centred(surface, graph.Left, graph.Width, titleY,
            QStringLiteral("Distribution by Day of Week"));
    const int nameWidth = surface.TextWidth(QStringLiteral("Days of Week"));
    const int countWidth = surface.TextWidth(QStringLiteral("# Visits"));
    const int timeWidth = surface.TextWidth(QStringLiteral("1000 Hrs. 60 Mins."));
    const int tableWidth = nameWidth + 2 * countWidth + 2 * timeWidth + TablePadding;
    const std::array<int, 5> columns{nameWidth + 14, countWidth + 12, timeWidth + 12,
                                     countWidth + 12, timeWidth + 12};
    std::array<int, 6> edge{};
    edge[0] = graph.Left + (graph.Width - tableWidth) / 2;
    for (std::size_t c = 0; c < columns.size(); ++c)
        edge[c + 1] = edge[c] + columns[c];
    const int top = titleY + H;
    const int row = H + 4;
    const int bottom = top + TableRows * row;

    surface.SetPen(2, Black);
    surface.Rectangle(QRect(edge[0], top, tableWidth, TableRows * row));
    surface.Line(edge[1], top, edge[1], bottom);
    surface.Line(edge[3], top, edge[3], bottom);
    surface.Line(edge[2], top + row, edge[2], bottom);
    surface.Line(edge[4], top + row, edge[4], bottom);
    surface.SetPen(1, Black);
    surface.Line(edge[1], top + row, edge[5], top + row);
    for (int r = 2; r < TableRows; ++r)
        surface.Line(edge[0], top + r * row, edge[5], top + r * row);

    auto inColumn = [&](int first, int last, int y, const QString& text) {
        Centred(surface, edge[static_cast<std::size_t>(first)],
                edge[static_cast<std::size_t>(last) + 1] - edge[static_cast<std::size_t>(first)], y,
                text);
    };
    inColumn(0, 0, top + (2 * row - H) / 2, QStringLiteral("Days of Week"));
    inColumn(1, 2, top + 2, QStringLiteral("Overnight Stays"));
    inColumn(3, 4, top + 2, QStringLiteral("Day Visits"));
    inColumn(1, 1, top + row + 2, QStringLiteral("# Stays"));
    inColumn(2, 2, top + row + 2, QStringLiteral("Time"));
    inColumn(3, 3, top + row + 2, QStringLiteral("# Visits"));
    inColumn(4, 4, top + row + 2, QStringLiteral("Time"));

    // Cells start where their widest content would be centred, so the columns line up.
    auto cell = [&](std::size_t column, const QString& widest, int y, const QString& text) {
        const int centre = (edge[column] + edge[column + 1]) / 2;
        surface.Text(centre - surface.TextWidth(widest) / 2, y, text);
    };
    const QString widestName = QStringLiteral("Wednesday");
    const QString widestCount = QStringLiteral("365");
    const QString widestTime = QStringLiteral("2000 Hrs. 60 Mins.");
    for (int w = 0; w < DaysPerWeek; ++w) {
        const int y = top + (w + 2) * row + 2;
        const auto index = static_cast<std::size_t>(w);
        cell(0, widestName, y, DisplayWeekdayNames().at(w));
        cell(1, widestCount, y, WeekdayCountText(year.OvernightWeekdays[index].Count));
        cell(2, widestTime, y, WeekdayTimeText(year.OvernightWeekdays[index].Minutes));
        cell(3, widestCount, y, WeekdayCountText(year.DayVisitWeekdays[index].Count));
        cell(4, widestTime, y, WeekdayTimeText(year.DayVisitWeekdays[index].Minutes));
    }
}

void DrawCreditsAndNotes(DrawingSurface& surface, const DistributionReportInput& input, int page,
                         int y, int H)
{
    const int width = surface.Size().width();
    const int margin = width / 17;
    const QStringList credits = DistributionCreditLines(input.Doc);
    for (int i = 0; i < credits.size(); ++i)
        surface.Text(width - margin - surface.TextWidth(credits[i]), y + i * H, credits[i]);

    // Page 1 speaks of year one; page 2 of both years.
    const auto& years = input.Result.Years;
    const bool overnights = years[0].OvernightProblems || (page == 2 && years[1].OvernightProblems);
    const bool dayVisits = years[0].DayVisitProblems || (page == 2 && years[1].DayVisitProblems);
    int noteY = y;
    auto note = [&](const QString& first, const QString& second) {
        surface.Text(margin, noteY, first);
        surface.Text(margin, noteY + H, second);
        noteY += 2 * H;
    };
    if (overnights)
        note(QStringLiteral("Assumed Overnight Stay Time = ") + input.Result.AssumedOvernightText,
             QStringLiteral("     has been applied to 1 or more overnight stays."));
    if (dayVisits)
        note(QStringLiteral("Assumed Day Visit Time = ") + input.Result.AssumedDayVisitText,
             QStringLiteral("     has been applied to 1 or more day visits."));
}

} // namespace

int DistributionFontHeight(DrawingSurface& surface, int width)
{
    const QString sample = QStringLiteral("aaaaaaaaaaaa");
    const int room = width * 10 / 85;
    int height = 100;
    for (; height > 1; --height) {
        surface.SetFont(height, false);
        if (surface.TextWidth(sample) <= room)
            return height;
    }
    surface.SetFont(height, false);
    return height;
}

int DistributionRowHeight(int fontHeight)
{
    const int lines = GraphLines * fontHeight;
    return std::max(1, lines / QuartersPerDay + (lines % QuartersPerDay > 7 ? 1 : 0));
}

DistributionGraphGeometry ComputeGraphGeometry(DrawingSurface& surface, int width, int days,
                                               int fontHeight)
{
    DistributionGraphGeometry graph;
    graph.RowHeight = DistributionRowHeight(fontHeight);
    const int label = surface.TextWidth(QStringLiteral("24hrs."));
    const int months = 12 * MonthSeparator;
    int dayWidth = days > 0 ? std::max(1, (width - 76) / days) : 1;
    for (; dayWidth > 1; --dayWidth) {
        const int graphWidth = days * dayWidth + months;
        if ((width - graphWidth) / 2 + graphWidth + label <= width)
            break;
    }
    graph.DayWidth = dayWidth;
    graph.Width = days * dayWidth + months;
    graph.Left = (width - graph.Width) / 2;
    return graph;
}

DistributionPagePlaces ScreenPagePlaces(int page, int fontHeight)
{
    const int top = (page - 1) * DistributionScreenPageLines * fontHeight;
    return {top + 2 * fontHeight, top + 6 * fontHeight, top + 80 * fontHeight,
            top + 85 * fontHeight};
}

DistributionPagePlaces PaperPagePlaces(int pageHeight, int fontHeight)
{
    const int credits = pageHeight - pageHeight / 11 - 2 * fontHeight;
    return {3 * fontHeight, 8 * fontHeight, credits, credits + 5 * fontHeight};
}

QStringList DistributionCreditLines(const CalendarDocument& doc)
{
    auto trimmedLeft = [](const QString& text) {
        qsizetype first = 0;
        while (first < text.size() && text.at(first) == QLatin1Char(' '))
            ++first;
        return text.mid(first);
    };
    QString author = trimmedLeft(doc.Author);
    QString title = trimmedLeft(doc.Title);
    if (author.isEmpty()) {
        author = title;
        title.clear();
    }
    QStringList lines;
    if (!author.isEmpty())
        lines << QStringLiteral("Prepared By:  ") + author;
    if (!title.isEmpty())
        lines << title;
    return lines;
}

void DrawDistributionPage(DrawingSurface& surface, const DistributionReportInput& input, int year,
                          const DistributionPagePlaces& places)
{
    const int width = surface.Size().width();
    const int H = DistributionFontHeight(surface, width);
    const CalendarDocument& doc = input.Doc;
    const DistributionYear& figures = input.Result.Years.at(static_cast<std::size_t>(year));
    const DistributionGraphGeometry graph =
        ComputeGraphGeometry(surface, width, figures.DayCount(), H);

    Centred(surface, 0, width, places.Header,
            QStringLiteral("Custodex Calendar Hourly Distribution Report For:  ") + doc.ClientName);
    Centred(surface, 0, width, places.Header + H, input.Generated);
    const QString heading = YearHeading(doc, year);
    Centred(surface, 0, width, places.YearHeading, heading);

    const int overnightTotals = DrawGraphBlock(surface, input, year, GraphKind::Overnights,
                                               places.YearHeading + 3 * H, graph, H);
    const int dayVisitTotals = DrawGraphBlock(surface, input, year, GraphKind::DayVisits,
                                              overnightTotals + 3 * H, graph, H);
    const int secondHeading = dayVisitTotals + 4 * H;
    Centred(surface, 0, width, secondHeading, heading);
    DrawWeekdayTable(surface, figures, secondHeading + 2 * H, graph, H);

    DrawCreditsAndNotes(surface, input, year + 1, places.Credits, H);
    Centred(surface, graph.Left, graph.Width, places.PageNumber, QString::number(year + 1));
}

void DrawDistributionScreen(DrawingSurface& surface, const DistributionReportInput& input)
{
    const int width = surface.Size().width();
    const int H = DistributionFontHeight(surface, width);
    DrawDistributionPage(surface, input, 0, ScreenPagePlaces(1, H));
    surface.SetPen(1, Black);
    BrokenLine(surface, 0, width - 1, DistributionScreenPageLines * H, 6, 4);
    DrawDistributionPage(surface, input, 1, ScreenPagePlaces(2, H));
}

void DrawDistributionPaper(DrawingSurface& surface, const DistributionReportInput& input)
{
    const int height = surface.Size().height();
    const int H = DistributionFontHeight(surface, surface.Size().width());
    DrawDistributionPage(surface, input, 0, PaperPagePlaces(height, H));
    surface.NewPage();
    DrawDistributionPage(surface, input, 1, PaperPagePlaces(height, H));
}

void DrawDistributionErrorList(DrawingSurface& surface, const QStringList& messages)
{
    const QSize page = surface.Size();
    const QString digits = QStringLiteral("0123456789").repeated(6);
    int height = 60;
    surface.SetFont(height, false);
    while (height > 1 && surface.TextWidth(digits) > page.width() / 2)
        surface.SetFont(--height, false);
    const int line = std::max(1, surface.TextHeight(digits));
    int y = 4 * line;
    for (qsizetype i = 0; i < messages.size(); ++i) {
        surface.Text(0, y, messages[i]);
        y += line;
        if (y >= page.height() - 3 * line && i + 1 < messages.size()) {
            surface.NewPage();
            y = 5 * line;
        }
    }
}

} // namespace custodex
