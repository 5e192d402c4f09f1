#include "reports/ProposalComparison.h"

#include "reports/HourlyDistribution.h"
#include "reports/TimeReportTexts.h"

#include <algorithm>
#include <optional>

namespace custodex {

namespace {

const CounterSet& CountersOf(const CalendarDocument& doc, CarePeriod period)
{
    switch (period) {
    case CarePeriod::FirstYear:
        return doc.FirstYearCounters;
    case CarePeriod::SecondYear:
        return doc.SecondYearCounters;
    case CarePeriod::BothYears:
        break;
    }
    return doc.BothYearsCounters;
}

QDate DateOfDay(const CalendarDocument& doc, int dayIndex)
{
    const CalendarDay& day = doc.Days[static_cast<std::size_t>(dayIndex)];
    return QDate(YearOfDay(doc, dayIndex), MonthIndexOf(day.MonthName) + 1, day.DayOfMonth);
}

std::size_t Index(CarePeriod period)
{
    return static_cast<std::size_t>(period);
}

} // namespace

CalendarFigures FiguresOf(const CalendarDocument& doc, const QString& file, bool distribution)
{
    CalendarFigures figures;
    figures.File = file;
    figures.Client = doc.ClientName;
    figures.OvernightColour = doc.OvernightColour;
    figures.DayVisitColour = doc.DayVisitColour;
    figures.Guidelines = doc.Guidelines;
    if (!doc.HasCalendar())
        return figures;
    // A copy: the distribution run and the recount must not touch the calendar compared.
    CalendarDocument copy = doc;
    RecountCounters(copy);
    std::optional<DistributionResult> run;
    if (distribution) {
        run = RefreshStaleDistribution(copy);
        if (!run)
            run = ComputeDistribution(copy);
    }
    figures.DistributionHadErrors = copy.DistributionHadErrors;
    DayCounts counts;
    if (run) {
        counts = CountDays(copy, *run);
        figures.NotCountable = counts.NotCountable;
    }
    figures.From = DateOfDay(copy, 0);
    figures.To = DateOfDay(copy, static_cast<int>(copy.Days.size()) - 1);
    for (const CarePeriod period : AllPeriods) {
        const CounterSet& counters = CountersOf(copy, period);
        PeriodFigures& out = figures.Periods[Index(period)];
        out.Overnights = counters.Overnights;
        out.DayVisits = counters.DayVisits;
        out.OvernightPercent = counters.Texts[2];
        out.DayVisitPercent = counters.Texts[6];
        if (run) {
            const CareResults care = ComputeCare(copy, run->Years, period);
            out.NonCustodialMinutes = care.NonCustodial;
            out.NonCustodialCarePercent = CareText(care, QStringLiteral("NonCustCareTime"));
            out.Counts = counts.Periods[Index(period)].NonCustodial;
        }
    }
    const auto dayCount = static_cast<int>(copy.Days.size());
    for (int k = 0; k < MonthsInSpan; ++k) {
        const MonthTableEntry& entry = copy.MonthTable[static_cast<std::size_t>(k)];
        // A month without a table entry after it runs to the end of the day list.
        const int next =
            k + 1 < MonthsInSpan ? copy.MonthTable[static_cast<std::size_t>(k + 1)].FirstDay : -1;
        const int end = next >= 0 ? next : dayCount;
        MonthFigures& month = figures.Months[static_cast<std::size_t>(k)];
        month.Year = entry.Year;
        month.Month = MonthIndexOf(entry.MonthName) + 1;
        for (int i = std::max(entry.FirstDay, 0); i < std::min(end, dayCount); ++i) {
            const CalendarDay& day = copy.Days[static_cast<std::size_t>(i)];
            if (day.HasOvernight && !IsAnnotationReason(day.OvernightReason))
                ++month.Overnights;
            if (day.HasDayVisit && !IsAnnotationReason(day.DayVisitReason))
                ++month.DayVisits;
        }
    }
    return figures;
}

Comparison CompareCalendars(const CalendarDocument& a, const QString& fileA,
                            const CalendarDocument& b, const QString& fileB)
{
    return {FiguresOf(a, fileA), FiguresOf(b, fileB)};
}

bool NeedsCountableHours(Measure measure)
{
    switch (measure) {
    case Measure::Overnights:
    case Measure::OvernightPercent:
    case Measure::DayVisits:
    case Measure::DayVisitPercent:
        return false;
    default:
        break;
    }
    return true;
}

} // namespace custodex
