#include "reports/HourlyDistribution.h"

#include "calendar/TextCodec.h"
#include "calendar/TimeText.h"

#include <algorithm>

namespace custodex {

namespace {

constexpr int MinutesPerDay = 24 * 60;

// In the computation a time counts as given only when it starts with a digit: "<None>" and
// the empty text of a day read without times are both "no time".
bool IsTimeSet(const QString& time)
{
    if (time.isEmpty())
        return false;
    const char16_t first = time.at(0).unicode();
    return first >= u'0' && first <= u'9';
}

bool IsCountedMark(bool has, const QString& reason)
{
    return has && !IsAnnotationReason(reason);
}

// The checks leave out a mark whose reason is empty, as well as an annotation.
bool IsCheckedMark(bool has, const QString& reason)
{
    return has && !reason.isEmpty() && !IsAnnotationReason(reason);
}

int HalfUp(int value)
{
    return value - value / 2;
}

int HalfDown(int value)
{
    return value / 2;
}

// Weekday 0..6 (Sunday first) of a stored name, compared ignoring case; a name that is none
// of the seven takes the place it has in the sequence.
int WeekdayIndex(const QString& name, int expected)
{
    const QStringList& keys = WeekdayKeys();
    if (name == keys.at(expected) || name.compare(keys.at(expected), Qt::CaseInsensitive) == 0)
        return expected;
    for (int w = 0; w < DaysPerWeek; ++w)
        if (name.compare(keys.at(w), Qt::CaseInsensitive) == 0)
            return w;
    return expected;
}

class DistributionRun {
public:
    explicit DistributionRun(const CalendarDocument& doc) : m_doc(doc), m_days(doc.Days)
    {
        m_count = static_cast<int>(m_days.size());
        m_result.Days.resize(m_days.size());
        m_result.Minutes.resize(m_days.size());
        m_result.DistributionMessages = DistributionLegend();
        m_result.AssumedOvernightText = AssumedDurationText(doc.OvernightHours);
        m_result.AssumedDayVisitText = AssumedDurationText(doc.DayVisitHours);
        m_assumedOvernight = doc.OvernightMinutes;
        m_assumedOvernightQuarters = QuartersOfDuration(doc.OvernightHours);

        m_weekdays.resize(m_days.size());
        int expected = 0;
        for (int i = 0; i < m_count; ++i) {
            m_weekdays[static_cast<std::size_t>(i)] =
                static_cast<std::int8_t>(WeekdayIndex(Day(i).WeekdayName, expected));
            expected = (m_weekdays[static_cast<std::size_t>(i)] + 1) % DaysPerWeek;
        }

        const int secondYear =
            doc.SecondYearFirstDay >= 0 ? std::min(doc.SecondYearFirstDay, m_count) : m_count;
        m_result.Years[0].FirstDay = 0;
        m_result.Years[0].EndDay = secondYear;
        m_result.Years[1].FirstDay = secondYear;
        m_result.Years[1].EndDay = m_count;
    }

    DistributionResult Run()
    {
        CheckTimes();
        for (DistributionYear& year : m_result.Years) {
            OvernightPass(year);
            DayVisitPass(year);
        }
        return std::move(m_result);
    }

private:
    const CalendarDay& Day(int i) const { return m_days[static_cast<std::size_t>(i)]; }
    int Weekday(int i) const { return m_weekdays[static_cast<std::size_t>(i)]; }
    DaySpans& Spans(int i) { return m_result.Days[static_cast<std::size_t>(i)]; }
    DayMinutes& Minutes(int i) { return m_result.Minutes[static_cast<std::size_t>(i)]; }
    void Add(const QString& message) { m_result.DistributionMessages << message; }

    static QString DateText(const CalendarDay& day, int year)
    {
        return day.MonthName + QLatin1Char(' ') + QString::number(day.DayOfMonth) +
               QStringLiteral(", ") + QString::number(year);
    }

    // "D's date and N's date." of the overnight check; N's year is D's, plus one when N starts
    // a January.
    QString NeighbourDates(int i) const
    {
        const CalendarDay& day = Day(i);
        const CalendarDay& next = Day(i + 1);
        const int year = YearOfDay(m_doc, i);
        const bool newYear = next.MonthName.compare(day.MonthName, Qt::CaseInsensitive) != 0 &&
                             next.MonthName.compare(MonthKeys().at(0), Qt::CaseInsensitive) == 0;
        return DateText(day, year) + QStringLiteral(" and ") +
               DateText(next, newYear ? year + 1 : year) + QLatin1Char('.');
    }

    // Messages of the passes: prefix, weekday as stored, separator, month, day and year.
    QString PassText(const QString& prefix, const QString& separator, int i,
                     const QString& suffix) const
    {
        const CalendarDay& day = Day(i);
        return prefix + day.WeekdayName + separator + day.MonthName + QLatin1Char(' ') +
               QString::number(day.DayOfMonth) + QLatin1Char(' ') +
               QString::number(YearOfDay(m_doc, i)) + suffix;
    }

    void CheckTimes()
    {
        const int before = static_cast<int>(m_result.DistributionMessages.size());
        for (int i = 0; i + 1 < m_count; ++i) {
            const CalendarDay& day = Day(i);
            const CalendarDay& next = Day(i + 1);
            if (!IsCheckedMark(day.HasOvernight, day.OvernightReason) ||
                !IsCheckedMark(next.HasOvernight, next.OvernightReason))
                continue;
            const bool dropoff = IsTimeSet(day.OvernightDropoff);
            const bool pickup = IsTimeSet(next.OvernightPickup);
            if (!dropoff && !pickup)
                continue; // one continuous stay
            const bool overlapping =
                dropoff && pickup &&
                TimeTextToMinutes(next.OvernightPickup) < TimeTextToMinutes(day.OvernightDropoff);
            if (dropoff != pickup)
                Add(QStringLiteral("ON_Warning  Possible overlapping times found for ") +
                    NeighbourDates(i));
            else if (overlapping)
                Add(QStringLiteral("ON_Error Overlapping times found for ") + NeighbourDates(i));
        }
        for (int i = 0; i < m_count; ++i) {
            const CalendarDay& day = Day(i);
            if (!IsCheckedMark(day.HasDayVisit, day.DayVisitReason))
                continue;
            // An empty time is no time here too, so a visit read without times is reported as
            // missing them rather than as one whose pickup comes after its dropoff.
            const QString& start = IsTimeSet(day.DayVisitStart) ? day.DayVisitStart : NoTimeText;
            const QString& end = IsTimeSet(day.DayVisitEnd) ? day.DayVisitEnd : NoTimeText;
            const DayVisitTimesCheck check = CheckDayVisitTimes(
                start, end, day.DayVisitReason.startsWith(NoNapPrefix), m_doc.NapMinutes);
            if (check == DayVisitTimesCheck::Acceptable)
                continue;
            const QString date = DateText(day, YearOfDay(m_doc, i));
            switch (check) {
            case DayVisitTimesCheck::Acceptable:
                break;
            case DayVisitTimesCheck::OnlyOneTimeGiven:
                Add(QStringLiteral("DV Error ") + date +
                    QStringLiteral(" Pickup (Dropoff) Time has no corresponding Dropoff (Pickup) "
                                   "Time."));
                break;
            case DayVisitTimesCheck::PickupNotBeforeDropoff:
                Add(QStringLiteral("DV Error ") + date +
                    QStringLiteral(" Pickup time comes after Dropoff time."));
                break;
            case DayVisitTimesCheck::NotLongerThanNap:
                Add(QStringLiteral("DV Error ") + date +
                    QStringLiteral(" Total Day visit time is less that day visit nap time (see "
                                   "\"Settings\" form)."));
                break;
            }
        }
        if (m_result.DistributionMessages.size() > before)
            Add(QStringLiteral(" "));
    }

    void OvernightProblem(DistributionYear& year, int i, const QString& message)
    {
        Add(message);
        Spans(i).OvernightProblem = true;
        year.OvernightProblems = true;
    }

    void OvernightPass(DistributionYear& year)
    {
        const int assumed = m_assumedOvernight;
        const int quarters = m_assumedOvernightQuarters;
        for (int i = year.FirstDay; i < year.EndDay; ++i) {
            const CalendarDay& day = Day(i);
            if (!IsCountedMark(day.HasOvernight, day.OvernightReason)) {
                m_carryOpen = false;
                continue;
            }
            WeekdayFigures& today = year.OvernightWeekdays[static_cast<std::size_t>(Weekday(i))];
            WeekdayFigures& tomorrow =
                year.OvernightWeekdays[static_cast<std::size_t>((Weekday(i) + 1) % DaysPerWeek)];
            ++today.Count;

            const bool hasNext = i + 1 < m_count;
            const bool nextIsOvernight =
                hasNext && IsCountedMark(Day(i + 1).HasOvernight, Day(i + 1).OvernightReason);
            const bool pickup = IsTimeSet(day.OvernightPickup);
            const bool dropoff = IsTimeSet(day.OvernightDropoff);
            const int dropoffMinutes = dropoff ? TimeTextToMinutes(day.OvernightDropoff) : 0;

            auto evening = [&] {
                Minutes(i).Add({TimeTextToMinutes(day.OvernightPickup), MinutesPerDay, true});
                const int minutes = MinutesPerDay - TimeTextToMinutes(day.OvernightPickup);
                today.Minutes += minutes;
                const int length = QuartersOfMinutes(minutes);
                Spans(i).AddOvernight({QuartersPerDay - length, length, true});
            };
            auto lastQuarters = [&](int length) {
                Spans(i).AddOvernight({QuartersPerDay - length, length, true});
            };
            auto wholeDay = [&] {
                Minutes(i).Add({0, MinutesPerDay, true});
                today.Minutes += MinutesPerDay;
                Spans(i).AddOvernight({0, QuartersPerDay, true});
            };
            auto nextMorning = [&](int length) {
                if (hasNext)
                    Spans(i + 1).AddOvernight({0, length, false});
            };
            auto morningUntilDropoff = [&] {
                if (hasNext)
                    Minutes(i + 1).Add({0, dropoffMinutes, true});
                tomorrow.Minutes += dropoffMinutes;
                nextMorning(QuartersOfMinutes(dropoffMinutes));
            };
            auto assumedEvening = [&] {
                today.Minutes += HalfUp(assumed);
                Minutes(i).Add({MinutesPerDay - HalfUp(assumed), MinutesPerDay, false});
            };
            auto assumedMorning = [&](int minutes) {
                tomorrow.Minutes += minutes;
                if (hasNext)
                    Minutes(i + 1).Add({0, minutes, false});
            };
            auto assumedStay = [&] {
                assumedEvening();
                assumedMorning(HalfDown(assumed));
                lastQuarters(HalfUp(quarters));
                nextMorning(HalfDown(quarters));
            };

            if (!m_carryOpen && (!nextIsOvernight || (pickup && dropoff))) {
                // A stay of one night.
                if (pickup && dropoff) {
                    evening();
                    morningUntilDropoff();
                }
                else {
                    assumedStay();
                    OvernightProblem(
                        year, i,
                        pickup || dropoff
                            ? PassText(QStringLiteral("ON Error - "), QStringLiteral(" "), i,
                                       QStringLiteral(", no pickup or dropoff time.  Using "
                                                      "assumed time of") +
                                           m_result.AssumedOvernightText)
                            : PassText(QStringLiteral("ON Error - "), QStringLiteral(" "), i,
                                       QStringLiteral(", no pickup and dropoff times.  Using "
                                                      "assumed time of ") +
                                           m_result.AssumedOvernightText));
                }
                m_carryOpen = false;
            }
            else if (!m_carryOpen) {
                // The first night of a stay over several days.
                if (pickup) {
                    evening();
                    m_carryOpen = true;
                }
                else if (!dropoff) {
                    assumedEvening();
                    lastQuarters(HalfUp(quarters));
                    nextMorning(HalfDown(quarters));
                    m_carryOpen = true;
                    OvernightProblem(
                        year, i,
                        PassText(QStringLiteral("ONE_First Warning - "), QStringLiteral(" "), i,
                                 QStringLiteral(", has no pickup or dropoff time.  Using ") +
                                     QString::number(assumed / 60) + QStringLiteral(" Hrs. ") +
                                     QString::number(assumed % 60) +
                                     QStringLiteral(" Mins. (Assumed Over Nite Stay Time)")));
                }
                else {
                    // Only a dropoff while the next night is marked too: the stay ends at that
                    // dropoff and the next night starts another. Its evening is unknown, so it
                    // gets the assumed evening.
                    assumedEvening();
                    lastQuarters(HalfUp(quarters));
                    morningUntilDropoff();
                    m_carryOpen = false;
                    OvernightProblem(year, i,
                                     PassText(QStringLiteral("ON Error - "), QStringLiteral(" "), i,
                                              QStringLiteral(", no pickup time.  Using half of "
                                                             "assumed time of") +
                                                  m_result.AssumedOvernightText +
                                                  QStringLiteral("before midnight.")));
                }
            }
            else {
                // A further day of a stay that began earlier.
                wholeDay();
                if (dropoff) {
                    if (hasNext)
                        morningUntilDropoff();
                    m_carryOpen = false;
                    if (pickup)
                        OvernightProblem(year, i,
                                         PassText(QStringLiteral("ONE_Last Error - "),
                                                  QStringLiteral(", "), i,
                                                  QStringLiteral(", should NOT have a pickup "
                                                                 "time.")));
                }
                else if (nextIsOvernight) {
                    m_carryOpen = true;
                    // A pickup in the middle of a stay: the day still belongs to the stay.
                    if (pickup)
                        OvernightProblem(year, i,
                                         PassText(QStringLiteral("ONE Error - "),
                                                  QStringLiteral(", "), i,
                                                  QStringLiteral(", should NOT have a pickup "
                                                                 "time.  Counted as a whole day "
                                                                 "of the stay.")));
                }
                else {
                    assumedMorning(HalfUp(assumed));
                    nextMorning(HalfUp(quarters));
                    m_carryOpen = false;
                    OvernightProblem(year, i,
                                     PassText(QStringLiteral("ONE_Last Warning - "),
                                              QStringLiteral(", "), i,
                                              QStringLiteral(", should have a dropoff time.")));
                }
            }
        }
        const std::int32_t count = TableCount(year.OvernightWeekdays);
        m_result.QTotOvernights += count;
        m_result.QTotOvernightMinutes += TableMinutes(year.OvernightWeekdays);
        m_result.OvernightSleepNapMinutes += (m_doc.SleepMinutes + m_doc.NapMinutes) * count;
    }

    void DayVisitPass(DistributionYear& year)
    {
        const int assumedQuarters = QuartersOfDuration(m_doc.DayVisitHours);
        for (int i = year.FirstDay; i < year.EndDay; ++i) {
            const CalendarDay& day = Day(i);
            if (!IsCountedMark(day.HasDayVisit, day.DayVisitReason))
                continue;
            WeekdayFigures& today = year.DayVisitWeekdays[static_cast<std::size_t>(Weekday(i))];
            ++today.Count;
            if (!IsTimeSet(day.DayVisitStart) || !IsTimeSet(day.DayVisitEnd)) {
                today.Minutes += m_doc.DayVisitMinutes;
                Minutes(i).Add({0, m_doc.DayVisitMinutes, false});
                Spans(i).AddDayVisit({0, assumedQuarters, false});
                Add(PassText(QStringLiteral("DV Error - "), QStringLiteral(" "), i,
                             QStringLiteral(", missing the pickup or dropoff time.  Using assumed "
                                            "time of ") +
                                 m_result.AssumedDayVisitText));
                Spans(i).DayVisitProblem = true;
                year.DayVisitProblems = true;
                continue;
            }
            const int start = TimeTextToMinutes(day.DayVisitStart);
            const int end = TimeTextToMinutes(day.DayVisitEnd);
            if (WithinAStay(i, start, end))
                Add(PassText(QStringLiteral("DV Error - "), QStringLiteral(" "), i,
                             QStringLiteral(", the day visit's hours fall within the overnight "
                                            "stay's hours.  Both are counted.")));
            // A pickup after the dropoff adds a negative time, as the checks reported; such a
            // visit has nothing to draw.
            const int minutes = end - start;
            if (minutes < 0)
                Minutes(i).AddBackwards();
            else
                Minutes(i).Add({start, end, true});
            today.Minutes += minutes;
            Spans(i).AddDayVisit(
                {QuartersOfMinutes(start), DayVisitQuartersOfMinutes(minutes), false});
        }
        const std::int32_t count = TableCount(year.DayVisitWeekdays);
        m_result.QTotDayVisits += count;
        m_result.QTotDayVisitMinutes += TableMinutes(year.DayVisitWeekdays);
        m_result.DayVisitNapMinutes += m_doc.NapMinutes * count;
    }

    // A visit overlaps the hours of a stay with known times on its day (the stays' minutes
    // are all in before the day-visit pass).
    bool WithinAStay(int i, int start, int end)
    {
        for (const MinuteSpan& span : Minutes(i).Spans())
            if (span.Known && std::max(start, span.From) < std::min(end, span.To))
                return true;
        return false;
    }

    const CalendarDocument& m_doc;
    const DayList& m_days;
    int m_count = 0;
    std::vector<std::int8_t> m_weekdays;
    int m_assumedOvernight = 0;
    int m_assumedOvernightQuarters = 0;
    // An overnight stay without a closing dropoff goes on into the next day; this carries
    // from the last day of year one into year two.
    bool m_carryOpen = false;
    DistributionResult m_result;
};

} // namespace

void DayMinutes::Add(MinuteSpan span)
{
    span.From = std::clamp(span.From, 0, MinutesPerDay);
    span.To = std::clamp(span.To, 0, MinutesPerDay);
    if (span.From < span.To && m_count < static_cast<int>(m_spans.size()))
        m_spans[static_cast<std::size_t>(m_count++)] = span;
}

int DayMinutes::Counted() const
{
    int sum = 0;
    for (const MinuteSpan& span : Spans())
        sum += span.To - span.From;
    return sum;
}

int DayMinutes::Covered() const
{
    // Four spans at most, so an insertion sort; GCC 12's std::sort over part of a small array
    // trips its own array-bounds warning at -O3 and breaks the Release build.
    std::array<MinuteSpan, 4> sorted = m_spans;
    for (std::size_t k = 1; k < static_cast<std::size_t>(m_count); ++k)
        for (std::size_t j = k; j > 0 && sorted[j].From < sorted[j - 1].From; --j)
            std::swap(sorted[j], sorted[j - 1]);
    int covered = 0;
    int reached = 0;
    for (int k = 0; k < m_count; ++k) {
        const MinuteSpan& span = sorted[static_cast<std::size_t>(k)];
        const int from = std::max(span.From, reached);
        if (span.To > from)
            covered += span.To - from;
        reached = std::max(reached, span.To);
    }
    return covered;
}

bool DayMinutes::Countable() const
{
    if (m_backwards || Counted() > MinutesPerDay)
        return false;
    for (int a = 0; a < m_count; ++a)
        for (int b = a + 1; b < m_count; ++b) {
            const MinuteSpan& x = m_spans[static_cast<std::size_t>(a)];
            const MinuteSpan& y = m_spans[static_cast<std::size_t>(b)];
            if (x.Known && y.Known && std::max(x.From, y.From) < std::min(x.To, y.To))
                return false;
        }
    return true;
}

std::vector<int> UncountableDays(const DistributionResult& result)
{
    std::vector<int> days;
    for (std::size_t i = 0; i < result.Minutes.size(); ++i)
        if (!result.Minutes[i].Countable())
            days.push_back(static_cast<int>(i));
    return days;
}

bool HasUncountableDayVisits(const DistributionResult& result)
{
    return std::any_of(result.Minutes.begin(), result.Minutes.end(),
                       [](const DayMinutes& day) { return !day.Countable(); });
}

QString NotCountableReason(const CalendarDocument& doc, const DistributionResult& result)
{
    const std::vector<int> days = UncountableDays(result);
    if (days.empty())
        return {};
    constexpr std::size_t Named = 3;
    QStringList first;
    for (std::size_t k = 0; k < std::min(Named, days.size()); ++k) {
        const int i = days[k];
        const CalendarDay& day = doc.Days.at(static_cast<std::size_t>(i));
        const int month = MonthIndexOf(day.MonthName);
        first << (month >= 0 ? DisplayMonthNames().at(month) : day.MonthName) + QLatin1Char(' ') +
                     QString::number(day.DayOfMonth) + QStringLiteral(", ") +
                     QString::number(YearOfDay(doc, i));
    }
    QString text = QStringLiteral("Day visits or overnight stays cannot be counted as they stand "
                                  "(hours counted twice: a day visit within an overnight stay or "
                                  "stays that overlap; or a "
                                  "pickup after its dropoff), first on ") +
                   first.join(QStringLiteral("; "));
    if (days.size() > Named)
        text += QStringLiteral(" (%1 days in all)").arg(days.size());
    return text;
}

namespace {

QuarterSpan WithinDay(QuarterSpan span)
{
    const int first = std::clamp(span.FirstQuarter, 0, QuartersPerDay);
    const int end = std::clamp(span.FirstQuarter + span.Length, 0, QuartersPerDay);
    return {first, end - first, span.FromTop};
}

// Quarters of n minutes where a remainder of `roundFrom` minutes or more adds one; n / 15 is
// rounded down, also for a negative n.
int QuartersRounded(int minutes, int roundFrom)
{
    int quarters = minutes / 15;
    int remainder = minutes % 15;
    if (remainder < 0) {
        --quarters;
        remainder += 15;
    }
    return quarters + (remainder >= roundFrom ? 1 : 0);
}

int TwoDigits(const QString& text, int at)
{
    int value = 0;
    for (int i = at; i < at + 2 && i < text.size(); ++i) {
        const int digit = text.at(i).unicode() - u'0';
        value = value * 10 + (digit >= 0 && digit <= 9 ? digit : 0);
    }
    return value;
}

} // namespace

const QStringList& DistributionLegend()
{
    static const QStringList legend{
        QStringLiteral("Legend"),
        QStringLiteral("ON = Overnight Stay"),
        QStringLiteral("ONE = Extended Overnight Stay"),
        QStringLiteral("ONE_First = The first day of an extended Overnight Stay"),
        QStringLiteral("ONE_Last = The last day of an extended Overnight Stay"),
        QStringLiteral("DV = Day Visit"),
        QStringLiteral("  "),
    };
    return legend;
}

std::int32_t TableCount(const WeekdayTable& table)
{
    std::int32_t sum = 0;
    for (const WeekdayFigures& figures : table)
        sum += figures.Count;
    return sum;
}

std::int32_t TableMinutes(const WeekdayTable& table)
{
    std::int32_t sum = 0;
    for (const WeekdayFigures& figures : table)
        sum += figures.Minutes;
    return sum;
}

void DaySpans::AddOvernight(QuarterSpan span)
{
    span = WithinDay(span);
    if (span.Length > 0 && m_overnightCount < static_cast<int>(m_overnight.size()))
        m_overnight[static_cast<std::size_t>(m_overnightCount++)] = span;
}

void DaySpans::AddDayVisit(QuarterSpan span)
{
    span = WithinDay(span);
    if (span.Length > 0 && m_dayVisitCount < static_cast<int>(m_dayVisit.size()))
        m_dayVisit[static_cast<std::size_t>(m_dayVisitCount++)] = span;
}

bool DistributionResult::HasProblems() const
{
    return DistributionMessages.size() > DistributionLegend().size();
}

QString AssumedDurationText(const QString& durationText)
{
    return QLatin1Char(' ') + durationText.left(2) + QStringLiteral(" Hrs. ") +
           durationText.mid(3, 2) + QStringLiteral(" Mins. ");
}

int QuartersOfMinutes(int minutes)
{
    return QuartersRounded(minutes, 8);
}

int DayVisitQuartersOfMinutes(int minutes)
{
    return QuartersRounded(minutes, 7);
}

int QuartersOfDuration(const QString& durationText)
{
    const int minutes = TwoDigits(durationText, 3);
    return TwoDigits(durationText, 0) * 4 + minutes / 15 + (minutes % 15 >= 8 ? 1 : 0);
}

DistributionResult ComputeDistribution(const CalendarDocument& doc)
{
    return DistributionRun(doc).Run();
}

DistributionResult RunDistribution(CalendarDocument& doc)
{
    DistributionResult result = ComputeDistribution(doc);
    doc.QTotOvernights = result.QTotOvernights;
    doc.QTotOvernightMinutes = result.QTotOvernightMinutes;
    doc.QTotDayVisits = result.QTotDayVisits;
    doc.QTotDayVisitMinutes = result.QTotDayVisitMinutes;
    return result;
}

void CompleteDistribution(CalendarDocument& doc, const DistributionResult& result)
{
    doc.DistributionHadErrors = result.HasProblems();
    if (doc.DistributionStale)
        doc.ChangesPending = true;
    doc.DistributionStale = false;
}

QString WeekdayCountText(std::int32_t count)
{
    return QStringLiteral("%1").arg(count, 3, 10, QLatin1Char('0'));
}

QString WeekdayTimeText(std::int32_t minutes)
{
    if (minutes < 0)
        return QLatin1Char('-') + WeekdayTimeText(-minutes);
    return QStringLiteral("%1 Hrs. %2 Mins.")
        .arg(minutes / 60, 4, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QByteArray DistributionLogBytes(const QStringList& messages)
{
    QString text;
    for (const QString& line : messages)
        text += line + QStringLiteral("\r\n");
    return EncodeText(text);
}

} // namespace custodex
