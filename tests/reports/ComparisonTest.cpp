#include "reports/ComparisonPages.h"
#include "reports/ComparisonTestSupport.h"
#include "reports/ComparisonTexts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::comparison_test;

namespace {

TEST(CompareCalendars, EveryFigureOfTwoSmallProposals)
{
    TwoProposals proposals;
    const Comparison c = CompareCalendars(proposals.A, T("a.cdb"), proposals.B, T("b.cdb"));
    EXPECT_TRUE(c.SameSpan());
    EXPECT_EQ(c.A.From, QDate(2025, 3, 1));
    EXPECT_EQ(c.A.To, QDate(2027, 2, 28));

    // First year, A: 2 counted nights of 365 days: 2 x 10000 / 365 = 54 hundredths -> "00.5%";
    // 1 day visit: 27 hundredths -> "00.3%". Minutes: 2 x 900 + 240 = 2040, and of the year's
    // 365 x 1440 = 525600 minutes that is 0.388 % -> "00.4%".
    // B: 3 nights: 82 hundredths -> "00.8%"; 2 visits: 54 -> "00.5%"; 3 x 900 + 2 x 240 = 3180
    // minutes: 0.605 % -> "00.6%".
    const std::vector<std::array<QString, 3>> firstYear{{T("2"), T("3"), T("+1")},
                                                        {T("00.5%"), T("00.8%"), T("+0.3")},
                                                        {T("1"), T("2"), T("+1")},
                                                        {T("00.3%"), T("00.5%"), T("+0.2")},
                                                        {T("34:00"), T("53:00"), T("+19:00")},
                                                        {T("00.4%"), T("00.6%"), T("+0.2")}};
    // Second year: A's one night (900 minutes, 0.171 % -> "00.2%"), B nothing.
    const std::vector<std::array<QString, 3>> secondYear{{T("1"), T("0"), T("-1")},
                                                         {T("00.3%"), T("00.0%"), T("-0.3")},
                                                         {T("0"), T("0"), T("0")},
                                                         {T("00.0%"), T("00.0%"), T("0.0")},
                                                         {T("15:00"), T("0:00"), T("-15:00")},
                                                         {T("00.2%"), T("00.0%"), T("-0.2")}};
    // Both years: 730 days. A: 3 nights -> 41 hundredths "00.4%", 1 visit -> 13 "00.1%",
    // 2940 minutes of 1051200 -> 0.28 % "00.3%". B: 3 nights, 2 visits -> 27 "00.3%",
    // 3180 minutes -> 0.30 % "00.3%".
    const std::vector<std::array<QString, 3>> bothYears{{T("3"), T("3"), T("0")},
                                                        {T("00.4%"), T("00.4%"), T("0.0")},
                                                        {T("1"), T("2"), T("+1")},
                                                        {T("00.1%"), T("00.3%"), T("+0.2")},
                                                        {T("49:00"), T("53:00"), T("+4:00")},
                                                        {T("00.3%"), T("00.3%"), T("0.0")}};
    for (std::size_t m = 0; m < firstYear.size(); ++m) {
        SCOPED_TRACE(MeasureKey(AllMeasures[m]).toStdString());
        EXPECT_EQ(MeasureCells(c, AllMeasures[m], CarePeriod::FirstYear), firstYear[m]);
        EXPECT_EQ(MeasureCells(c, AllMeasures[m], CarePeriod::SecondYear), secondYear[m]);
        EXPECT_EQ(MeasureCells(c, AllMeasures[m], CarePeriod::BothYears), bothYears[m]);
    }

    // Months: March 2025 has A's two counted nights (the annotation is not counted), April
    // 2025 the visits, March 2026 (month 13) A's last night.
    EXPECT_EQ(c.A.Months[0].Overnights, 2);
    EXPECT_EQ(c.B.Months[0].Overnights, 3);
    EXPECT_EQ(c.A.Months[1].DayVisits, 1);
    EXPECT_EQ(c.B.Months[1].DayVisits, 2);
    EXPECT_EQ(c.A.Months[12].Overnights, 1);
    EXPECT_EQ(c.A.Months[12].Year, 2026);
    EXPECT_EQ(c.A.Months[12].Month, 3);

    // Nothing is written to either calendar: the distribution ran on copies.
    EXPECT_TRUE(proposals.A.DistributionStale);
    EXPECT_EQ(proposals.A.QTotOvernights, 0);
    EXPECT_EQ(proposals.B.QTotDayVisitMinutes, 0);
}

TEST(CompareCalendars, DifferentSpansCompareYearWithYearAndMonthWithMonth)
{
    TwoProposals proposals;
    CalendarDocument april = Calendar("Later", 3); // April 2025 to March 2027
    Overnight(april, 1, 7);
    const Comparison c = CompareCalendars(proposals.A, T("a.cdb"), april, T("later.cdb"));
    EXPECT_FALSE(c.SameSpan());
    EXPECT_FALSE(SpanDifferenceNote(c).isEmpty());
    EXPECT_EQ(c.B.From, QDate(2025, 4, 1));
    EXPECT_EQ(c.B.To, QDate(2027, 3, 31));
    // Month 1 with month 1: March 2025 beside April 2025.
    const QJsonObject json = ComparisonJson(c);
    const QJsonObject first = json[T("months")].toArray().at(0).toObject();
    EXPECT_EQ(first[T("a")].toObject()[T("month")].toString(), T("2025-03"));
    EXPECT_EQ(first[T("b")].toObject()[T("month")].toString(), T("2025-04"));
    EXPECT_EQ(first[T("b")].toObject()[T("overnights")].toInt(), 1);
    EXPECT_FALSE(json[T("sameSpan")].toBool());
    EXPECT_EQ(MeasureCells(c, Measure::Overnights, CarePeriod::FirstYear),
              (std::array<QString, 3>{T("2"), T("1"), T("-1")}));
}

TEST(CompareCalendars, PercentDifferencesInTenthsWithASign)
{
    const std::vector<std::array<const char*, 3>> cases{
        {"21.6%", "28.5%", "+6.9"},    {"05.3%", "05.0%", "-0.3"}, {"100.0%", "00.0%", "-100.0"},
        {"00.0%", "100.0%", "+100.0"}, {"33.3%", "33.3%", "0.0"},  {"", "00.4%", "+0.4"}};
    for (const auto& [a, b, expected] : cases)
        EXPECT_EQ(PercentDifference(T(a), T(b)), T(expected)) << a << " " << b;
    EXPECT_EQ(HoursMinutesFigure(-75, true), T("-1:15"));
    EXPECT_EQ(HoursMinutesFigure(0, true), T("0:00"));
}

// Marks on the first and the last day of months, and of the span, fall in their own month.
TEST(CompareCalendars, MonthFiguresAtTheMonthsFirstAndLastDays)
{
    CalendarDocument doc = Calendar("Edges");
    const struct {
        int Month; // 1..24 of the span (March 2025 is 1)
        int Day;
        bool Overnight;
    } marks[] = {{1, 1, true},   {1, 31, true},  {1, 31, false}, {2, 1, false},
                 {12, 28, true}, {13, 1, false}, {24, 1, true},  {24, 28, true}};
    for (const auto& mark : marks) {
        if (mark.Overnight)
            Overnight(doc, mark.Month, mark.Day);
        else
            DayVisit(doc, mark.Month, mark.Day);
    }
    const CalendarFigures figures = FiguresOf(doc, T("edges.cdb"), false);
    const struct {
        int Month;
        int Overnights;
        int DayVisits;
    } expected[] = {{1, 2, 1},  {2, 0, 1},  {11, 0, 0}, {12, 1, 0},
                    {13, 0, 1}, {14, 0, 0}, {23, 0, 0}, {24, 2, 0}};
    for (const auto& want : expected) {
        SCOPED_TRACE(want.Month);
        const MonthFigures& month = figures.Months[static_cast<std::size_t>(want.Month - 1)];
        EXPECT_EQ(month.Overnights, want.Overnights);
        EXPECT_EQ(month.DayVisits, want.DayVisits);
    }
}

// An overnight and a day visit on every day (the visit within the night's hours), and stays whose
// times overlap: no hours, care time or day count is shown for that side, the JSON gives null with
// the reason, and no percentage anywhere is above 100 or negative.
TEST(CompareCalendars, UncountableSidesShowNoHoursOrShares)
{
    CalendarDocument everyDay = Calendar("Every day");
    for (CalendarDay& day : everyDay.Days) {
        day.HasOvernight = true;
        day.OvernightReason = T("Weekend");
        day.OvernightPickup = T("06:00PM");
        day.OvernightDropoff = T("08:00AM");
        day.HasDayVisit = true;
        day.DayVisitReason = T("Visit");
        day.DayVisitStart = T("08:00AM");
        day.DayVisitEnd = T("08:00PM");
    }
    // Hand-edited: each night picked up at 01:00AM although the last left at 11:00PM.
    CalendarDocument overlapping = Calendar("Overlapping");
    for (CalendarDay& day : overlapping.Days) {
        day.HasOvernight = true;
        day.OvernightReason = T("Weekend");
        day.OvernightPickup = T("01:00AM");
        day.OvernightDropoff = T("11:00PM");
    }
    TwoProposals proposals;
    for (const CalendarDocument* bad : {&everyDay, &overlapping}) {
        SCOPED_TRACE(bad->ClientName.toStdString());
        const Comparison c = CompareCalendars(*bad, T("bad.cdb"), proposals.B, T("b.cdb"));
        EXPECT_FALSE(c.A.Countable());
        EXPECT_TRUE(c.A.NotCountable.contains(T("first on March ")))
            << c.A.NotCountable.toStdString();
        EXPECT_TRUE(c.B.Countable());
        for (const Measure measure : AllMeasures)
            for (const CarePeriod period : AllPeriods) {
                const auto cells = MeasureCells(c, measure, period);
                if (NeedsCountableHours(measure)) {
                    EXPECT_EQ(cells[0], NotCountableCell);
                    EXPECT_EQ(cells[2], NotCountableCell);
                    EXPECT_NE(cells[1], NotCountableCell);
                }
                else
                    EXPECT_NE(cells[0], NotCountableCell);
            }
        const QStringList notes = ComparisonNotes(c);
        ASSERT_EQ(notes.size(), 1);
        EXPECT_TRUE(notes[0].startsWith(T("A: no hours, care time or day counts")))
            << notes[0].toStdString();

        const QString text = ComparisonText(c);
        EXPECT_TRUE(text.contains(notes[0]));
        static const QRegularExpression percent(T("(-?\\d+\\.\\d)%"));
        for (auto it = percent.globalMatch(text); it.hasNext();) {
            const double value = it.next().captured(1).toDouble();
            EXPECT_GE(value, 0.0);
            EXPECT_LE(value, 100.0);
        }
        static const QRegularExpression negativeHours(T("(^|\\s)-\\d+:\\d\\d"));
        EXPECT_FALSE(text.split(QLatin1Char('\n'))
                         .filter(T("Non-custodial time"))
                         .join(QLatin1Char('\n'))
                         .contains(negativeHours));

        const QJsonObject json = ComparisonJson(c);
        EXPECT_EQ(json[T("a")].toObject()[T("notCountable")].toString(), c.A.NotCountable);
        EXPECT_TRUE(json[T("b")].toObject()[T("notCountable")].isNull());
        const QJsonArray measures = json[T("measures")].toArray();
        ASSERT_EQ(measures.size(), static_cast<qsizetype>(AllMeasures.size()));
        for (std::size_t m = 0; m < AllMeasures.size(); ++m) {
            const bool hours = NeedsCountableHours(AllMeasures[m]);
            const QJsonObject cell =
                measures.at(static_cast<qsizetype>(m)).toObject()[T("bothYears")].toObject();
            SCOPED_TRACE(MeasureKey(AllMeasures[m]).toStdString());
            EXPECT_EQ(cell[T("a")].isNull(), hours);
            EXPECT_EQ(cell[T("difference")].isNull(), hours);
            EXPECT_FALSE(cell[T("b")].isNull());
            EXPECT_EQ(cell[T("notCountable")].toString().startsWith(T("A: ")), hours);
        }
    }
}

// A side whose distribution found warnings (here a stay without times) is said to be approximate.
TEST(CompareCalendars, DistributionWarningsAreSaidUnderTheTable)
{
    TwoProposals proposals;
    Day(proposals.B, 3, 1).OvernightPickup = T("<None>");
    Day(proposals.B, 3, 1).HasOvernight = true;
    Day(proposals.B, 3, 1).OvernightReason = T("Weekend");
    const Comparison c = CompareCalendars(proposals.A, T("a.cdb"), proposals.B, T("b.cdb"));
    EXPECT_TRUE(c.B.DistributionHadErrors);
    EXPECT_EQ(ComparisonNotes(c),
              QStringList{T("B: the hourly distribution found warnings or errors in this "
                            "calendar's times; its hours, care time and day counts are only "
                            "approximate.")});
    EXPECT_TRUE(ComparisonText(c).contains(ComparisonNotes(c)[0]));
}

// 40 guidelines in each calendar: every one of the 240 lines is in the PDF, on further pages,
// and both charts stay on the first.
TEST(CompareCalendars, PdfContinuesOnFurtherPagesAndKeepsEveryLine)
{
    TwoProposals proposals;
    for (int g = 0; g < 40; ++g) {
        const Guideline rule{T("Guideline %1").arg(g, 2, 10, QLatin1Char('0')),
                             GuidelineMeasure::Overnights, g};
        proposals.A.Guidelines.push_back(rule);
        proposals.B.Guidelines.push_back(rule);
    }
    const Comparison c = CompareCalendars(proposals.A, T("a.cdb"), proposals.B, T("b.cdb"));
    QTemporaryDir folder;
    const QString pdf = folder.filePath(T("comparison.pdf"));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ComparisonPdfBytes(c, T("Generated 1/2/2026 10:00:00 AM")));
    file.close();
    auto pages = [&](int first, int last) {
        QProcess process;
        process.start(T("pdftotext"), {T("-layout"), T("-f"), QString::number(first), T("-l"),
                                       QString::number(last), pdf, T("-")});
        EXPECT_TRUE(process.waitForFinished(30000));
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString all = pages(1, 99);
    static const QRegularExpression guideline(T("^\\s*[AB], (first|second|both) years?: "));
    int lines = 0;
    for (const QString& line : all.split(QLatin1Char('\n')))
        if (line.contains(guideline))
            ++lines;
    EXPECT_EQ(lines, 240) << all.toStdString();
    const QString first = pages(1, 1);
    EXPECT_TRUE(first.contains(T("Overnights per month")));
    EXPECT_TRUE(first.contains(T("Day visits per month")));
    EXPECT_TRUE(first.contains(T("Weighted days, % of days")));
    EXPECT_TRUE(all.contains(T("Page 3"))) << "240 lines need more than two pages";
    // Every page ends with its footer and nothing runs into it.
    EXPECT_EQ(all.count(T("Generated 1/2/2026 10:00:00 AM")), all.count(QChar(u'\f')));
}

} // namespace
