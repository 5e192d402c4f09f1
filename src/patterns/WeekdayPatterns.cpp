#include "patterns/WeekdayPatterns.h"

#include "patterns/BulkDialogRules.h"

#include <algorithm>

namespace custodex {

namespace {

int NextWeekday(int weekday)
{
    return (weekday + 1) % WeekdayCount;
}

int PreviousWeekday(int weekday)
{
    return (weekday + WeekdayCount - 1) % WeekdayCount;
}

bool IsFirstOfMonth(const CalendarDocument& doc, int index)
{
    return index == 0 ||
           doc.Days[static_cast<std::size_t>(index)].MonthName.compare(
               doc.Days[static_cast<std::size_t>(index - 1)].MonthName, Qt::CaseInsensitive) != 0;
}

bool IsLastOfMonth(const CalendarDocument& doc, int index)
{
    return index + 1 >= static_cast<int>(doc.Days.size()) || IsFirstOfMonth(doc, index + 1);
}

int FirstOfMonthOf(const CalendarDocument& doc, int index)
{
    while (!IsFirstOfMonth(doc, index))
        --index;
    return index;
}

QString MonthTitle(const CalendarDay& day)
{
    const int monthIndex = MonthIndexOf(day.MonthName);
    return monthIndex >= 0 ? DisplayMonthNames().at(monthIndex) : day.MonthName;
}

QString ChosenWeekdaysText(const WeekdaySet& weekdays)
{
    QString text;
    bool first = true;
    for (int w = 0; w < WeekdayCount; ++w) {
        if (!weekdays[static_cast<std::size_t>(w)])
            continue;
        if (!first)
            text += QLatin1Char(',');
        text += QLatin1Char(' ') + PatternWeekdayNames().at(w);
        first = false;
    }
    return text;
}

int Occurrence(PatternKind kind)
{
    switch (kind) {
    case PatternKind::First:
        return 1;
    case PatternKind::Second:
        return 2;
    case PatternKind::Third:
        return 3;
    case PatternKind::Fourth:
        return 4;
    case PatternKind::Fifth:
        return 5;
    default:
        return 0;
    }
}

// One Apply List run over the days: its counters, run state, answers and count.
class PatternRun {
public:
    PatternRun(CalendarDocument& doc, const PatternRequest& request, OverwriteQuestions& questions,
               PatternRunResult& result)
        : m_doc(doc), m_request(request), m_questions(questions), m_result(result),
          m_weeks(IsWeeksMode(request.Weekdays)),
          m_starts(RunStartWeekdays(request.Weekdays, request.WeekBegin)),
          m_reason(CutText(request.NoNap && !IsAnnotationReason(request.Reason)
                               ? NoNapPrefix + request.Reason
                               : request.Reason,
                           ReasonCapacity))
    {
    }

    // Odd, Even, All and First to Fifth: the days of the start month before the start date
    // are only counted; from the start date on a run starts where the counter fits the kind.
    void CountedPass(int first, int last)
    {
        const bool monthly = IsMonthlyKind(m_request.Pattern);
        const int monthStart = FirstOfMonthOf(m_doc, first);
        std::array<int, WeekdayCount> counters{};
        bool inside = false;
        for (int i = monthStart; i <= last; ++i) {
            if (monthly && i > monthStart && IsFirstOfMonth(m_doc, i))
                counters.fill(0);
            const int weekday = WeekdayAt(i);
            if (i < first) {
                ++counters[static_cast<std::size_t>(weekday)];
                continue;
            }
            if (inside) {
                inside = MarkRunDay(i, false);
            }
            else {
                const int count = ++counters[static_cast<std::size_t>(weekday)];
                if (m_starts[static_cast<std::size_t>(weekday)] && Fits(count))
                    inside = MarkRunDay(i, true);
            }
            if (m_result.Stopped)
                return;
        }
    }

    // Last: each month's last run-start weekdays are known at its end, and their runs are
    // marked whole from there, on into the next month where they reach.
    void LastPass(int first, int last)
    {
        std::array<int, WeekdayCount> latest;
        latest.fill(-1);
        for (int i = first; i <= last; ++i) {
            if (m_doc.Days[static_cast<std::size_t>(i)].DayOfMonth > 7)
                latest[static_cast<std::size_t>(WeekdayAt(i))] = i;
            if (!IsLastOfMonth(m_doc, i))
                continue;
            if (m_weeks) {
                const int begin = latest[static_cast<std::size_t>(m_request.WeekBegin)];
                if (begin >= 0)
                    MarkWholeRun(begin);
            }
            else {
                for (int w = 0; w < WeekdayCount && !m_result.Stopped; ++w)
                    if (m_starts[static_cast<std::size_t>(w)] &&
                        latest[static_cast<std::size_t>(w)] >= 0)
                        MarkWholeRun(latest[static_cast<std::size_t>(w)]);
            }
            if (m_result.Stopped)
                return;
        }
    }

    bool MarkedUnmarkedDay() const { return m_markedUnmarked; }

private:
    int WeekdayAt(int index) const
    {
        return PatternWeekdayOf(m_doc.Days[static_cast<std::size_t>(index)]);
    }

    bool Fits(int count) const
    {
        switch (m_request.Pattern) {
        case PatternKind::Odd:
            return count % 2 == 1;
        case PatternKind::Even:
            return count % 2 == 0;
        case PatternKind::All:
            return true;
        default:
            return count == Occurrence(m_request.Pattern);
        }
    }

    void MarkWholeRun(int index)
    {
        bool firstDay = true;
        const int size = static_cast<int>(m_doc.Days.size());
        while (index < size && !m_result.Stopped) {
            const bool goesOn = MarkRunDay(index, firstDay);
            firstDay = false;
            ++index;
            if (!goesOn)
                break;
        }
    }

    // Whether the run goes on after this day.
    bool RunContinues(int index, bool firstDay) const
    {
        const int next = NextWeekday(WeekdayAt(index));
        if (m_weeks)
            return firstDay || next != m_request.WeekBegin;
        return m_request.Weekdays[static_cast<std::size_t>(next)];
    }

    // Marks one day of a run; true when the run goes on. A day the user declines to overwrite
    // still takes its place in the run, so the stay around it keeps its shape.
    bool MarkRunDay(int index, bool firstDay)
    {
        const bool goesOn = RunContinues(index, firstDay);
        CalendarDay& day = m_doc.Days[static_cast<std::size_t>(index)];
        const bool overnight = m_request.Kind == ListKind::Overnights;
        DayMarkFields fields = MarkFieldsOf(day, overnight);
        if (!fields.Has) {
            Write(index, firstDay, goesOn);
            ++m_result.Count;
            m_markedUnmarked = true;
            return goesOn;
        }
        if (!m_yesToAll) {
            const OverwriteAnswer answer = m_questions.AskOverwrite(
                OverwriteQuestion(day), OverwriteChoices::YesYesToAllNoCancel);
            if (answer == OverwriteAnswer::No)
                return goesOn;
            if (answer == OverwriteAnswer::Cancel) {
                m_questions.Tell(PromptKind::Information, RunTerminatedMessage);
                m_result.Stopped = true;
                return false;
            }
            if (answer == OverwriteAnswer::YesToAll)
                m_yesToAll = true;
        }
        // An annotation was never counted, so overwriting it adds a day.
        if (IsAnnotationReason(fields.Reason))
            ++m_result.Count;
        Write(index, firstDay, goesOn);
        return goesOn;
    }

    void Write(int index, bool firstDay, bool goesOn)
    {
        CalendarDay& day = m_doc.Days[static_cast<std::size_t>(index)];
        const bool overnight = m_request.Kind == ListKind::Overnights;
        DayMarkFields fields = MarkFieldsOf(day, overnight);
        fields.Has = true;
        fields.Reason = m_reason;
        if (overnight) {
            fields.Pickup = firstDay ? m_request.Pickup : NoTimeText;
            fields.Dropoff = goesOn ? NoTimeText : m_request.Dropoff;
            if (index + 1 == static_cast<int>(m_doc.Days.size()))
                fields.Dropoff = m_request.Dropoff.contains(QLatin1Char('M'))
                                     ? QStringLiteral("12:00AM")
                                     : NoTimeText;
        }
        else {
            fields.Pickup = m_request.Pickup;
            fields.Dropoff = m_request.Dropoff;
        }
        fields.Pickup = CutText(fields.Pickup, TimeTextCapacity);
        fields.Dropoff = CutText(fields.Dropoff, TimeTextCapacity);
        m_result.DaysChanged = true;
    }

    QString OverwriteQuestion(const CalendarDay& day) const
    {
        QString kindText = QStringLiteral("as an Overnight because of \"");
        if (m_request.Kind == ListKind::DayVisits)
            kindText = m_request.Dialog == PatternDialog::OddEvenAll
                           ? QStringLiteral("as an Day Visit because of \"")
                           : QStringLiteral("as a Day Visit because of \"");
        const QString& oldReason = MarkFieldsOf(day, m_request.Kind == ListKind::Overnights).Reason;
        return MonthTitle(day) + QStringLiteral(" ") + QString::number(day.DayOfMonth) +
               QStringLiteral(" (") + day.WeekdayName + QStringLiteral(") is already marked ") +
               kindText + oldReason + QStringLiteral("\"") + QStringLiteral("\n\r") +
               QStringLiteral("Overwrite it?");
    }

    CalendarDocument& m_doc;
    const PatternRequest& m_request;
    OverwriteQuestions& m_questions;
    PatternRunResult& m_result;
    const bool m_weeks;
    const WeekdaySet m_starts;
    const QString m_reason;
    bool m_yesToAll = false;
    bool m_markedUnmarked = false;
};

} // namespace

const QStringList& PatternWeekdayNames()
{
    static const QStringList names{QStringLiteral("Monday"),    QStringLiteral("Tuesday"),
                                   QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                                   QStringLiteral("Friday"),    QStringLiteral("Saturday"),
                                   QStringLiteral("Sunday")};
    return names;
}

QString PatternKindWord(PatternKind kind)
{
    static const QString words[] = {
        QStringLiteral("Odd"),    QStringLiteral("Even"),   QStringLiteral("All"),
        QStringLiteral("First"),  QStringLiteral("Second"), QStringLiteral("Third"),
        QStringLiteral("Fourth"), QStringLiteral("Fifth"),  QStringLiteral("Last")};
    return words[static_cast<int>(kind)];
}

bool IsMonthlyKind(PatternKind kind)
{
    return kind != PatternKind::Odd && kind != PatternKind::Even && kind != PatternKind::All;
}

int PatternWeekdayOf(const CalendarDay& day)
{
    // The day holds the upper-case name; Sunday is first in the program's weekday tables.
    const qsizetype sundayFirst = WeekdayKeys().indexOf(day.WeekdayName.toUpper());
    return sundayFirst < 0 ? 0 : PreviousWeekday(static_cast<int>(sundayFirst));
}

bool IsWeeksMode(const WeekdaySet& weekdays)
{
    return std::all_of(weekdays.begin(), weekdays.end(), [](bool chosen) { return chosen; });
}

bool AnyWeekday(const WeekdaySet& weekdays)
{
    return std::any_of(weekdays.begin(), weekdays.end(), [](bool chosen) { return chosen; });
}

QString DefaultPatternReason(PatternDialog dialog, ListKind kind, PatternKind pattern,
                             const WeekdaySet& weekdays, int weekBegin, const QString& current)
{
    if (!AnyWeekday(weekdays))
        return current;
    const QString word = PatternKindWord(pattern);
    const QString begin = PatternWeekdayNames().at(std::clamp(weekBegin, 0, WeekdayCount - 1));
    if (dialog == PatternDialog::OddEvenAll) {
        if (IsWeeksMode(weekdays))
            return word + QStringLiteral(" full weeks beginning on ") + begin + QStringLiteral(" ");
        return word + ChosenWeekdaysText(weekdays);
    }
    if (!IsWeeksMode(weekdays))
        return word + ChosenWeekdaysText(weekdays) + QStringLiteral(" of each month");
    const QString ofTheMonth =
        kind == ListKind::DayVisits ? QStringLiteral("of the month") : QString();
    return QStringLiteral("A full week beginning on ") + word + QStringLiteral(" ") + begin +
           QStringLiteral(" ") + ofTheMonth + QStringLiteral(" of each month");
}

WeekdaySet RunStartWeekdays(const WeekdaySet& weekdays, int weekBegin)
{
    WeekdaySet starts{};
    if (IsWeeksMode(weekdays)) {
        starts[static_cast<std::size_t>(std::clamp(weekBegin, 0, WeekdayCount - 1))] = true;
        return starts;
    }
    for (int w = 0; w < WeekdayCount; ++w)
        starts[static_cast<std::size_t>(w)] =
            weekdays[static_cast<std::size_t>(w)] &&
            !weekdays[static_cast<std::size_t>(PreviousWeekday(w))];
    return starts;
}

void AddPatternReason(CalendarDocument& doc, ListKind kind, const QString& reason)
{
    ReasonList& list = kind == ListKind::Overnights ? doc.OverniteReasons : doc.DayVisitReasons;
    if (list.Items.contains(reason, Qt::CaseSensitive))
        return;
    // The main window keeps its reasons in alphabetical order.
    const auto at = std::lower_bound(
        list.Items.begin(), list.Items.end(), reason,
        [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    list.Items.insert(at, reason);
}

PatternRunResult ApplyPatternList(CalendarDocument& doc, const PatternRequest& request,
                                  OverwriteQuestions& questions)
{
    PatternRunResult result;
    if (!AnyWeekday(request.Weekdays)) {
        questions.Tell(PromptKind::Error, NoWeekdayMessage);
        result.Focus = PatternFocus::WeekdayList;
        return result;
    }
    const DateRangeCheck range = CheckDateRange(doc, request.Range);
    if (!range.Ok) {
        questions.Tell(PromptKind::Error, range.Message);
        result.Focus = PatternFocus::Range;
        result.RangeFocus = range.Focus;
        return result;
    }
    TakeSnapshot(doc, SnapshotKind::Undo);
    result.Ran = true;
    PatternRun run(doc, request, questions, result);
    if (request.Pattern == PatternKind::Last)
        run.LastPass(range.First, range.Last);
    else
        run.CountedPass(range.First, range.Last);
    if (run.MarkedUnmarkedDay())
        AddPatternReason(doc, request.Kind, request.Reason);
    RecountCounters(doc);
    questions.Tell(PromptKind::Information, QStringLiteral("Added ") +
                                                QString::number(result.Count) +
                                                QStringLiteral(" days of ") + request.Reason +
                                                QStringLiteral(" to Calendar."));
    ++doc.AppliedChangeCount;
    result.Counted = true;
    return result;
}

PatternRunResult RemovePatternList(CalendarDocument& doc, ListKind kind,
                                   const DateRangeBlock& range, const QString& reason,
                                   OverwriteQuestions& questions)
{
    PatternRunResult result;
    TakeSnapshot(doc, SnapshotKind::Undo);
    result.Ran = true;
    const DayIndexRange days = RemoveDayRange(doc, range);
    const QString noNapReason = NoNapPrefix + reason;
    for (int i = days.First; i >= 0 && i <= days.Last; ++i) {
        DayMarkFields fields =
            MarkFieldsOf(doc.Days[static_cast<std::size_t>(i)], kind == ListKind::Overnights);
        // Only a mark can be removed: an unmarked day read from a file has an empty reason.
        if (!fields.Has || (fields.Reason.compare(reason, Qt::CaseInsensitive) != 0 &&
                            fields.Reason.compare(noNapReason, Qt::CaseInsensitive) != 0))
            continue;
        fields.Has = false;
        fields.Reason.clear();
        fields.Pickup.clear();
        fields.Dropoff.clear();
        ++result.Count;
        result.DaysChanged = true;
    }
    RecountCounters(doc);
    questions.Tell(PromptKind::Information,
                   QStringLiteral("Removed ") + QString::number(result.Count) +
                       QStringLiteral(" days of ") + reason + QStringLiteral(" from Calendar."));
    if (result.Count > 0) {
        ++doc.AppliedChangeCount;
        result.Counted = true;
    }
    return result;
}

QString PatternWindowCaption(PatternDialog dialog, ListKind kind)
{
    const bool overnights = kind == ListKind::Overnights;
    if (dialog == PatternDialog::Monthly)
        return overnights ? QStringLiteral("Monthly Patterns for Overnights")
                          : QStringLiteral("Monthly Patterns for Day Visits");
    return overnights ? QStringLiteral("Select Odd/Even/All Patterns for Overnight Stays")
                      : QStringLiteral("Select All/Even/Odd Patterns for Day Visits");
}

QString PatternNoNapCaption(ListKind kind)
{
    return kind == ListKind::Overnights
               ? QStringLiteral("Check this box if the child will NOT be taking a nap during "
                                "these Overnight Stays.")
               : QStringLiteral("Check this box if the child will NOT be taking a nap during "
                                "these Day Visits.");
}

TimePromptTexts PatternTimePrompt(ListKind kind, bool dropoff)
{
    if (kind == ListKind::Overnights)
        return dropoff ? TimePromptTexts{QStringLiteral("Set Overnight Stay End Time"),
                                         QStringLiteral("Set Overnight Stay Dropoff Time")}
                       : TimePromptTexts{QStringLiteral("Set Overnight Stay Start Time"),
                                         QStringLiteral("Set Overnight Stay Pickup Time")};
    return dropoff ? TimePromptTexts{QStringLiteral("Set Day Visit Dropoff Time"),
                                     QStringLiteral("Set Day Visit Dropoff Time")}
                   : TimePromptTexts{QStringLiteral("Set Day Visit Start Time"),
                                     QStringLiteral("Set Day Visit Pickup Time")};
}

void ResetPatternDialog(PatternDialogState& state, PatternDialog dialog)
{
    state = PatternDialogState{};
    state.Pattern = dialog == PatternDialog::Monthly ? PatternKind::First : PatternKind::Odd;
}

void OpenPatternDialog(const CalendarDocument& doc, PatternDialogState& state, PatternDialog dialog,
                       ListKind kind)
{
    if (!DateRangeFilled(state.Range))
        FillDateRange(doc, state.Range);
    const bool overnights = kind == ListKind::Overnights;
    if (state.Pickup.isEmpty())
        state.Pickup = overnights ? doc.OverNiteStrtTime : doc.DayVisitStrtTime;
    if (state.Dropoff.isEmpty())
        state.Dropoff = overnights ? doc.OverNiteEndTime : doc.DayVisitEndTime;
    // The odd/even/all day-visit dialog keeps its no-nap box until the next reset.
    if (overnights || dialog == PatternDialog::Monthly)
        state.NoNap = false;
    state.Changes = false;
    state.UndoEnabled = false;
    state.UndoCounted = false;
}

PatternRequest RequestOf(const PatternDialogState& state, PatternDialog dialog, ListKind kind)
{
    PatternRequest request;
    request.Dialog = dialog;
    request.Kind = kind;
    request.Pattern = state.Pattern;
    request.Weekdays = state.Weekdays;
    request.WeekBegin = state.WeekBegin;
    request.Range = state.Range;
    request.Pickup = state.Pickup;
    request.Dropoff = state.Dropoff;
    request.NoNap = state.NoNap;
    request.Reason = state.Reason;
    return request;
}

PatternRunResult ApplyListClick(CalendarDocument& doc, PatternDialogState& state,
                                PatternDialog dialog, ListKind kind, OverwriteQuestions& questions)
{
    const PatternRunResult result =
        ApplyPatternList(doc, RequestOf(state, dialog, kind), questions);
    if (result.Ran) {
        state.UndoEnabled = true;
        state.UndoCounted = result.Counted;
    }
    // An overwrite that added nothing to the count still changed days, which Cancel would
    // throw away without asking.
    if (result.Count > 0 || result.DaysChanged)
        state.Changes = true;
    return result;
}

PatternRunResult RemoveListClick(CalendarDocument& doc, PatternDialogState& state, ListKind kind,
                                 OverwriteQuestions& questions)
{
    const PatternRunResult result =
        RemovePatternList(doc, kind, state.Range, state.Reason, questions);
    state.UndoEnabled = true;
    state.UndoCounted = result.Counted;
    if (result.Count > 0)
        state.Changes = true;
    return result;
}

void UndoClick(CalendarDocument& doc, PatternDialogState& state)
{
    UndoLastRun(doc, state.UndoEnabled, state.UndoCounted);
}

} // namespace custodex
