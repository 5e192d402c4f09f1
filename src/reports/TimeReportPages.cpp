#include "reports/TimeReportPages.h"

#include "output/DrawingSurface.h"
#include "platform/FileAccess.h"

#include <algorithm>

namespace custodex {

namespace {

constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Black = 0x000000;

// The text of a result field by its name.
template <std::size_t N>
const QString& FieldText(const std::array<QString, N>& names, const std::array<QString, N>& texts,
                         const char* field)
{
    const auto at = std::find(names.begin(), names.end(), QLatin1String(field)) - names.begin();
    return texts.at(static_cast<std::size_t>(at));
}

void ClearPage(DrawingSurface& surface)
{
    surface.FillRect(QRect(QPoint(0, 0), surface.Size()), White);
}

void Centred(DrawingSurface& surface, int left, int right, int y, const QString& text)
{
    surface.Text(left + (right - left - surface.TextWidth(text)) / 2, y, text);
}

// "Total Overnights=" + overnights + "   Day Visits=" + day visits + "    " + generated.
QString TotalsLine(const QString& overnights, const QString& dayVisits, const QString& generated)
{
    return QStringLiteral("Total Overnights=") + overnights + QStringLiteral("   Day Visits=") +
           dayVisits + QStringLiteral("    ") + generated;
}

// The three centred heading lines from the top margin and the blank line after them; the y
// below them.
int Heading(DrawingSurface& surface, const ReportPageMetrics& m, int lineHeight,
            const QStringList& lines)
{
    int y = m.M;
    for (const QString& line : lines) {
        Centred(surface, 0, m.W, y, line);
        y += lineHeight;
    }
    return y + lineHeight;
}

// The frame of a pie page, from `top` down to eight summary lines above the page's foot.
void PieFrame(DrawingSurface& surface, const ReportPageMetrics& m, int top)
{
    surface.SetPen(4, Black);
    surface.Rectangle(QRect(QPoint(m.M, top), QPoint(m.W - m.M, m.H - 8 * (m.H / 88))));
}

// The pie: a white disc with the custodial slice clockwise from 3 o'clock and the
// non-custodial slice counter-clockwise from it; shares in tenths of a percent.
void DrawPie(DrawingSurface& surface, const ReportPageMetrics& m, int custodialTenths,
             int nonCustodialTenths, std::int32_t custodialColour, std::int32_t otherColour)
{
    const QRect bounds(m.W / 2 - m.R, m.H / 2 - m.R, 2 * m.R, 2 * m.R);
    surface.SetPen(3, Black);
    surface.Pie(bounds, 0, 36000, White);
    const int custodial = std::clamp(custodialTenths, 0, 1000);
    const int nonCustodial = std::clamp(nonCustodialTenths, 0, 1000);
    if (custodial > 0)
        surface.Pie(bounds, 0, -SliceHundredthsOfDegree(custodial), custodialColour);
    if (nonCustodial > 0)
        surface.Pie(bounds, 0, SliceHundredthsOfDegree(nonCustodial), otherColour);
}

struct LegendRow {
    std::int32_t Colour;
    QString Text;
};

// Rows of a square in the slice's colour and its text two squares to the right, left-aligned
// so that the widest of `widthTexts` is centred; the first row one line below the pie.
void Legend(DrawingSurface& surface, const ReportPageMetrics& m, int lineHeight,
            const std::vector<LegendRow>& rows, const QStringList& widthTexts)
{
    int widest = 0;
    for (const QString& text : widthTexts)
        widest = std::max(widest, surface.TextWidth(text));
    const int x = (m.W - widest) / 2;
    // Half a line between rows keeps the squares apart.
    const int pitch = lineHeight + lineHeight / 2;
    int y = m.H / 2 + m.R + lineHeight;
    surface.SetPen(1, Black);
    for (const LegendRow& row : rows) {
        const QRect square(x, y, lineHeight, lineHeight);
        surface.FillRect(square, row.Colour);
        surface.Rectangle(square);
        surface.Text(x + 2 * lineHeight, y, row.Text);
        y += pitch;
    }
}

QString TwoDigitParts(const QString& duration, const char* hoursWord)
{
    return duration.left(2) + QLatin1String(hoursWord) + duration.mid(3, 2) +
           QStringLiteral(" Mins ");
}

} // namespace

QImage ReportPagePicture(const std::function<void(DrawingSurface&)>& draw)
{
    QImage page(ReportPictureSize, QImage::Format_RGB32);
    page.fill(Qt::white);
    PainterSurface surface(page);
    draw(surface);
    return page;
}

ReportPageMetrics ComputeReportPageMetrics(QSize size)
{
    ReportPageMetrics m;
    m.W = size.width();
    m.H = size.height();
    m.M = m.W / 17;
    m.R = m.W / 6 + (m.W % 6 > 3 ? 1 : 0);
    m.L = m.H / 88;
    m.L2 = m.H / 66 + (m.H % 66 > 33 ? 1 : 0);
    return m;
}

QualityReport MakeQualityReport(const CalendarDocument& doc, const QualityInputs& inputs,
                                const QualityResults& results,
                                const std::vector<AwayActivity>& activities)
{
    return {results, QualityPeriod(doc), activities, inputs.NoNapOvernights, inputs.NoNapDayVisits};
}

int DrawQualitySummaryPage(DrawingSurface& surface, const CalendarDocument& doc,
                           const QualityReport& report, const QString& generated, bool preview)
{
    const ReportPageMetrics m = ComputeReportPageMetrics(surface.Size());
    const int L = m.L;
    const auto texts = QualityTexts(report.Results);
    auto text = [&texts](const char* field) {
        return FieldText(QualityFieldNames(), texts, field);
    };
    ClearPage(surface);
    const int fontHeight = preview ? L + 2 : L;
    surface.SetFont(fontHeight, true);
    surface.SetPen(1, Black);
    const int titles = Heading(
        surface, m, L,
        {QStringLiteral("Quality Time Summary For:  ") + doc.ClientName,
         PeriodPageLabel(doc, report.Period),
         TotalsLine(doc.BothYearsCounters.Texts[0], doc.BothYearsCounters.Texts[4], generated)});
    Centred(surface, m.M, m.W / 2, titles, doc.CustodialName);
    Centred(surface, m.W / 2, m.W - m.M, titles, doc.NonCustodialName);

    struct Row {
        QString Left;
        QString Right;
        int LinesToNext;
    };
    const std::vector<Row> rows{
        {QStringLiteral("  Total Custody Time:  ") + text("CustSubTotalTime"),
         QStringLiteral("  Total Custody Time:  ") + text("NonCustTotalTime"), 2},
        {QStringLiteral("       Total Sleep Time (minus):  ") + text("CustTotSleep"),
         QStringLiteral("       Total Overnight Sleep Time (minus):  ") + text("TotalOvrNiteSleep"),
         1},
        {QString(),
         QStringLiteral("       Total Day Visit Nap Time (minus):  ") + text("TotalDayVisitSleep"),
         1},
        {QStringLiteral("       Total Away Time (minus):  ") + text("CustAway"),
         QStringLiteral("       Total Away Time (Minus):  ") + text("NonCustAway"), 2},
        {QStringLiteral("  Total Quality hours:  ") + text("CusttotQual"),
         QStringLiteral("  Total Quality Hours:  ") + text("NonCustTotQual"), 2},
        {QStringLiteral("  Quality Time (percent of year):  ") + text("CustQualTime"),
         QStringLiteral("  Quality Time (percent of year):  ") + text("NonCustQualTime"), 2},
    };
    // A long figure on a narrow page must not run over the box: the rows' font shrinks until
    // the widest of them fits its half.
    int widest = 0;
    for (const Row& row : rows)
        widest = std::max({widest, surface.TextWidth(row.Left), surface.TextWidth(row.Right)});
    const int room = m.W / 2 - m.M - L / 2;
    if (widest > room) {
        surface.SetFont(std::max(1, fontHeight * room / widest), true);
    }
    int y = titles + 3 * L;
    int lastRow = y;
    for (const Row& row : rows) {
        if (!row.Left.isEmpty())
            surface.Text(m.M, y, row.Left);
        surface.Text(m.W / 2, y, row.Right);
        lastRow = y;
        y += row.LinesToNext * L;
    }

    const int activityCount = static_cast<int>(report.Activities.size());
    const int top = titles + 2 * L;
    const int bottom = std::max(m.H - 8 * L - activityCount * L, lastRow + 2 * L);
    surface.SetPen(4, Black);
    surface.Rectangle(QRect(QPoint(m.M, top), QPoint(m.W - m.M, bottom)));
    surface.Line(m.W / 2, top, m.W / 2, bottom);

    surface.SetFont(fontHeight, true);
    y = bottom + L;
    const QStringList notes{
        QStringLiteral("Assumed Overnight sleep time = ") + TwoDigitParts(doc.SleepTime, " Hrs "),
        QStringLiteral("Assumed Daytime nap time = ") + TwoDigitParts(doc.NapTime, " Hrs "),
        QStringLiteral("There are ") + QString::number(report.NoNapOvernights) +
            QStringLiteral(" Overnight Stays without nap time."),
        QStringLiteral("There are ") + QString::number(report.NoNapDayVisits) +
            QStringLiteral(" Day Visits without nap time.")};
    for (const QString& note : notes) {
        surface.Text(m.M, y, note);
        y += L;
    }
    if (report.Activities.empty()) {
        surface.Text(m.M, y, QStringLiteral("There were no away time activities applied."));
        return 0;
    }
    int notDrawn = 0;
    for (const AwayActivity& activity : report.Activities) {
        if (y > m.H - 3 * L) {
            ++notDrawn;
            continue;
        }
        surface.Text(m.M, y,
                     QStringLiteral("Away -") + activity.Name + QStringLiteral(" - ") +
                         activity.DailyTime + QStringLiteral("Hrs. - Applied ") +
                         activity.CustodialDays + QStringLiteral(" days to ") + doc.CustodialName +
                         QStringLiteral(", ") + activity.NonCustodialDays +
                         QStringLiteral(" days to ") + doc.NonCustodialName + QStringLiteral("."));
        y += L;
    }
    return notDrawn;
}

void DrawQualityPiePage(DrawingSurface& surface, const CalendarDocument& doc,
                        const QualityReport& report, const QString& generated)
{
    const ReportPageMetrics m = ComputeReportPageMetrics(surface.Size());
    const int L2 = m.L2;
    const auto texts = QualityTexts(report.Results);
    const QString& custodialShare = texts[5];
    const QString& nonCustodialShare = texts[16];
    ClearPage(surface);
    surface.SetFont(L2, true);
    surface.SetPen(1, Black);
    const int y = Heading(
        surface, m, L2,
        {QStringLiteral("Quality Time Pie Chart For:  ") + doc.ClientName,
         PeriodPageLabel(doc, report.Period),
         TotalsLine(doc.BothYearsCounters.Texts[0], doc.BothYearsCounters.Texts[4], generated)});
    PieFrame(surface, m, y);
    surface.SetPen(1, Black);
    Centred(surface, 0, m.W, m.H / 2 - m.R - 3 * L2, QStringLiteral("Quality Time (Percent)"));

    const int custodialTenths = PercentTenths(custodialShare);
    const int nonCustodialTenths = PercentTenths(nonCustodialShare);
    const std::int32_t custodialColour =
        CustodialSliceColour(doc.BackgroundColour, doc.OvernightColour);
    DrawPie(surface, m, custodialTenths, nonCustodialTenths, custodialColour, doc.OvernightColour);

    const int rest = 1000 - custodialTenths - nonCustodialTenths;
    const QString custodialText = QStringLiteral("Quality Time for ") + doc.CustodialName +
                                  QStringLiteral(" = ") + custodialShare;
    const QString nonCustodialText = QStringLiteral("Quality Time for ") + doc.NonCustodialName +
                                     QStringLiteral(" = ") + nonCustodialShare;
    const QString restText = QStringLiteral("Total Sleep Times and Away Times = ") +
                             QString::number(rest / 10) + QStringLiteral(".") +
                             QString::number(std::abs(rest % 10)) + QStringLiteral("%");
    Legend(surface, m, L2,
           {{custodialColour, custodialText},
            {doc.OvernightColour, nonCustodialText},
            {White, restText}},
           {QStringLiteral("   ") + custodialText, QStringLiteral("   ") + nonCustodialText,
            QStringLiteral("   Total Sleep Times and Away Times = 66.6%")});
}

void DrawCarePage(DrawingSurface& surface, const CalendarDocument& doc, const CareResults& results,
                  const QString& generated)
{
    const ReportPageMetrics m = ComputeReportPageMetrics(surface.Size());
    const int L2 = m.L2;
    const auto texts = CareTexts(results);
    auto text = [&texts](const char* field) { return FieldText(CareFieldNames(), texts, field); };
    ClearPage(surface);
    surface.SetFont(L2, true);
    surface.SetPen(1, Black);
    const int y =
        Heading(surface, m, L2,
                {QStringLiteral("Parental Care Time Pie Chart For:  ") + doc.ClientName,
                 PeriodLabel(doc, results.Period),
                 TotalsLine(text("TotalOvrNiteStays"), text("TotalDayVisits"), generated)});
    PieFrame(surface, m, y);
    surface.SetPen(1, Black);
    const int headingY = m.H / 2 - m.R - 4 * L2;
    Centred(surface, 0, m.W, headingY, QStringLiteral("Parental Care Time (Percent)"));
    Centred(surface, 0, m.W, headingY + L2,
            QStringLiteral("(Total Care Hours = ") + QString::number(results.TotalCareHours()) +
                QStringLiteral(")"));

    const std::int32_t custodialColour =
        CustodialSliceColour(doc.BackgroundColour, doc.OvernightColour);
    DrawPie(surface, m, PercentTenths(text("CustCareTime")), PercentTenths(text("NonCustCareTime")),
            custodialColour, doc.OvernightColour);

    const int legendLine = L2 * 80 / 100;
    surface.SetFont(legendLine, true);
    const QString custodialText = QStringLiteral("Care Time for ") + doc.CustodialName +
                                  QStringLiteral(" is ") + text("CustSubTotalTime") +
                                  QStringLiteral(" = ") + text("CustCareTime");
    const QString nonCustodialText = QStringLiteral("Care Time for ") + doc.NonCustodialName +
                                     QStringLiteral(" is ") + text("NonCustTotalTime") +
                                     QStringLiteral(" = ") + text("NonCustCareTime");
    Legend(surface, m, legendLine,
           {{custodialColour, QStringLiteral("  ") + custodialText},
            {doc.OvernightColour, QStringLiteral("  ") + nonCustodialText}},
           {QStringLiteral("   ") + custodialText, QStringLiteral("   ") + nonCustodialText});
}

QString QualityPictureName(const QString& folder, const QString& client, int page,
                           const QString& suffix)
{
    return folder + FileNamePart(client) + QStringLiteral("_QualTime_") + QString::number(page) +
           suffix;
}

QString CarePictureName(const QString& folder, const QString& client, CarePeriod period,
                        const QString& suffix)
{
    return folder + FileNamePart(client) + QStringLiteral("_CareTime") + CarePeriodCode(period) +
           suffix;
}

QString QualityPicturesSavedMessage(const QString& firstFile, const QString& secondFile)
{
    return QStringLiteral("Quality Time Report has been saved to file\n\r") + firstFile +
           QStringLiteral("\n\rAnd \n\r") + secondFile;
}

QString CarePictureSavedMessage(const QString& file)
{
    return QStringLiteral("Parental Care Time Report has been saved to file\n\r") + file;
}

} // namespace custodex
