#include "output/CalendarLists.h"

#include "output/PageParts.h"

#include <algorithm>

namespace custodex {

using namespace page_parts;

namespace {

constexpr std::int32_t White = 0xFFFFFF;

} // namespace

TextListGeometry ComputeTextListGeometry(QSize page)
{
    const int wp = page.width();
    const int hp = page.height();
    const bool landscape = IsLandscape(page);
    TextListGeometry g;
    g.Line = landscape ? (10 * hp) / 448 : (10 * hp) / 660;
    g.Left = landscape ? wp / 22 : wp / 17;
    g.Header = landscape ? hp / 17 : hp / 22;
    g.LastLine = hp - 4 * g.Line;
    g.FontHeight = (90 * g.Line) / 100;
    g.ContentWidth = wp - 2 * g.Left;
    return g;
}

int DrawTextList(DrawingSurface& surface, const CalendarPageInput& input, TextListKind kind,
                 bool includeHeader, const std::function<void()>& startPage)
{
    const CalendarDocument& doc = input.Doc;
    const bool overnights = kind == TextListKind::Overnights;
    const QSize size = surface.Size();
    const int cap = FontCap(size);
    const TextListGeometry g = ComputeTextListGeometry(size);
    const int s = g.Left;
    const int wc = g.ContentWidth;
    // A line of at least one pixel, so every page takes at least one entry.
    const int line = std::max(1, g.Line);
    const int days = static_cast<int>(doc.Days.size());

    QString title = TitlePrefix + doc.ClientName;
    while (title.size() < TitlePrefix.size() + 12)
        title += QLatin1Char(' ');
    QString second;
    if (overnights)
        second = includeHeader ? QStringLiteral("Total Overnights=") +
                                     doc.BothYearsCounters.Texts[0] + QStringLiteral("    ")
                               : QStringLiteral("Overnight Stays    ");
    else
        second = includeHeader ? QStringLiteral("Total:  Day Visits=") +
                                     doc.BothYearsCounters.Texts[4] + QStringLiteral("    ")
                               : QStringLiteral("Day Visits    ");
    second += input.Generated;

    // The month each day belongs to, from the month table.
    auto monthOf = [&](int dayIndex) {
        int month = 0;
        while (month + 1 < MonthsInSpan &&
               doc.MonthTable[static_cast<std::size_t>(month + 1)].FirstDay >= 0 &&
               doc.MonthTable[static_cast<std::size_t>(month + 1)].FirstDay <= dayIndex)
            ++month;
        return month;
    };
    auto marked = [&](int dayIndex) {
        return MarkFieldsOf(doc.Days[static_cast<std::size_t>(dayIndex)], overnights).Has;
    };
    auto nextMarked = [&](int from) {
        while (from < days && !marked(from))
            ++from;
        return from;
    };

    int day = nextMarked(0);
    int page = 1;
    for (;;) {
        surface.FillRect(QRect(QPoint(0, 0), size), White);
        const int f = FitTitleFont(surface, title, wc / 2, cap);
        const int titleY = (g.Header - 2 * f) / 3;
        surface.Text(s + (wc - surface.TextWidth(title)) / 2, titleY, title);
        const int secondY = f + 2 * (g.Header - 2 * f) / 3;
        surface.Text(s + (wc - surface.TextWidth(second)) / 2, secondY, second);

        surface.SetFont(g.FontHeight, true);
        const int x2 = s + surface.TextWidth(QStringLiteral("4444 ")) +
                       surface.TextWidth(QStringLiteral("December 25 thru 31    "));
        const int x3 = x2 + surface.TextWidth(QStringLiteral("99:99AM  "));
        const int x4 = x3 + surface.TextWidth(QStringLiteral("99:99AM    "));
        int y = secondY + 2 * f;
        bool first = true;
        while (day < days && (y < g.LastLine || first)) {
            first = false;
            const int month = monthOf(day);
            const ConstDayMarkFields start = MarkFieldsOf(doc.Days[std::size_t(day)], overnights);
            QString dropoff = start.Dropoff;
            int last = day;
            while (last + 1 < days && monthOf(last + 1) == month && marked(last + 1)) {
                const ConstDayMarkFields next =
                    MarkFieldsOf(doc.Days[std::size_t(last + 1)], overnights);
                if (next.Reason.compare(start.Reason, Qt::CaseInsensitive) != 0)
                    break;
                ++last;
                if (HasTime(next.Dropoff))
                    dropoff = next.Dropoff;
            }
            const MonthTableEntry& entry = doc.MonthTable[static_cast<std::size_t>(month)];
            QString date = QString::number(entry.Year) + QStringLiteral(", ") + entry.MonthName +
                           QLatin1Char(' ') +
                           QString::number(doc.Days[std::size_t(day)].DayOfMonth);
            if (last > day)
                date += QStringLiteral(" thru ") +
                        QString::number(doc.Days[std::size_t(last)].DayOfMonth);
            surface.Text(s, y, date);
            if (HasTime(start.Pickup))
                surface.Text(x2, y, start.Pickup);
            if (HasTime(dropoff))
                surface.Text(x3, y, dropoff);
            surface.Text(x4, y, ListReasonText(start.Reason));
            y += line;
            day = nextMarked(last + 1);
        }
        const int bl = g.LastLine;
        surface.Text(s + wc / 2 - surface.TextWidth(QStringLiteral("- 2 -")), bl + 2 * g.Line,
                     QStringLiteral("- ") + QString::number(page) + QStringLiteral(" -"));
        // Only a marked day left makes another page; unmarked days at the end make none.
        if (day >= days)
            return page;
        if (startPage)
            startPage();
        ++page;
    }
}

} // namespace custodex
