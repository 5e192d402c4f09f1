#include "patterns/StandardSchedules.h"

#include "calendar/TimeText.h"
#include "entry/DayEditorLogic.h"
#include "patterns/BulkDialogRules.h"
#include "patterns/RepeatPatternApply.h"
#include "patterns/RepeatPatterns.h"

#include <algorithm>

namespace custodex {

namespace {

constexpr int Friday = 4; // weekdays from 0 = Monday
constexpr int LastMinuteOfDay = 23 * 60 + 59;

StandardSchedule Cycle(const char* name, const char* title, const char* description,
                       std::vector<ScheduleBlock> blocks)
{
    return {QString::fromLatin1(name), QString::fromLatin1(title), QString::fromLatin1(description),
            ScheduleRule::Cycle, std::move(blocks)};
}

StandardSchedule Weekends(const char* name, const char* title, const char* description,
                          ScheduleRule rule)
{
    return {QString::fromLatin1(name),
            QString::fromLatin1(title),
            QString::fromLatin1(description),
            rule,
            {}};
}

// The first parent's and the other parent's blocks, alternately, from the first parent's.
std::vector<ScheduleBlock> Alternating(std::initializer_list<int> days)
{
    std::vector<ScheduleBlock> blocks;
    bool first = true;
    for (int count : days) {
        blocks.push_back({count, first});
        first = !first;
    }
    return blocks;
}

// The answers that hold for the rest of an Apply, across the schedule and the holidays.
class RememberedAnswers {
public:
    explicit RememberedAnswers(OverwriteQuestions& questions) : m_questions(questions) {}

    // True for an overwrite.
    bool Overwrite(const QString& question)
    {
        if (Cancelled || m_noToAll)
            return false;
        if (m_yesToAll)
            return true;
        switch (m_questions.AskOverwrite(question, OverwriteChoices::YesYesToAllNoNoToAllCancel)) {
        case OverwriteAnswer::Yes:
            return true;
        case OverwriteAnswer::YesToAll:
            m_yesToAll = true;
            return true;
        case OverwriteAnswer::No:
            return false;
        case OverwriteAnswer::NoToAll:
            m_noToAll = true;
            return false;
        case OverwriteAnswer::Cancel:
            Cancelled = true;
            return false;
        }
        return false;
    }

    void Tell(PromptKind kind, const QString& text)
    {
        if (!Cancelled)
            m_questions.Tell(kind, text);
    }

    bool Cancelled = false;

private:
    OverwriteQuestions& m_questions;
    bool m_yesToAll = false;
    bool m_noToAll = false;
};

// The questions of an engine the Apply runs, answered by the Apply's remembered answers. The
// repeat-pattern engine's closing counts are the schedule's to say (`tellsInformation` off);
// the holiday engine's notices are shown as the dialogs show them.
class ScheduleAnswers : public OverwriteQuestions {
public:
    ScheduleAnswers(RememberedAnswers& answers, bool tellsInformation)
        : m_answers(answers), m_tellsInformation(tellsInformation)
    {
    }
    OverwriteAnswer AskOverwrite(const QString& question, OverwriteChoices /*choices*/) override
    {
        if (m_answers.Overwrite(question))
            return OverwriteAnswer::Yes;
        return m_answers.Cancelled ? OverwriteAnswer::Cancel : OverwriteAnswer::No;
    }
    void Tell(PromptKind kind, const QString& text) override
    {
        if (m_tellsInformation || kind != PromptKind::Information)
            m_answers.Tell(kind, text);
    }

private:
    RememberedAnswers& m_answers;
    bool m_tellsInformation;
};

void MarkNights(QString& plan, int from, int nights)
{
    for (int i = from; i < from + nights && i < plan.size(); ++i)
        plan[i] = QLatin1Char('O');
}

// Removes the counted marks of a kind in the range, or only those of one reason when it is
// given; annotations are notes and stay.
int RemoveMarks(CalendarDocument& doc, int first, int last, bool overnight,
                const QString& onlyReason = QString())
{
    int removed = 0;
    for (int i = first; i <= last; ++i) {
        DayMarkFields fields = MarkFieldsOf(doc.Days[static_cast<std::size_t>(i)], overnight);
        if (!fields.Has || IsAnnotationReason(fields.Reason) ||
            (!onlyReason.isEmpty() && fields.Reason != onlyReason))
            continue;
        fields.Has = false;
        fields.Reason.clear();
        fields.Pickup = NoTimeText;
        fields.Dropoff = NoTimeText;
        ++removed;
    }
    return removed;
}

QString Counted(int count, const char* one, const char* many)
{
    return QString::number(count) + QLatin1Char(' ') + QString::fromLatin1(count == 1 ? one : many);
}

} // namespace

const std::vector<StandardSchedule>& StandardSchedules()
{
    static const std::vector<StandardSchedule> schedules{
        {QStringLiteral("holidays-only"),
         QStringLiteral("Holidays only"),
         QStringLiteral("No rotation: only the holidays chosen on the Holidays page."),
         ScheduleRule::None,
         {}},
        Cycle("alternating-weeks", "Alternating weeks",
              "A week with one parent, then a week with the other.", Alternating({7, 7})),
        Cycle("2-2-3", "2-2-3 rotation",
              "2 days, 2 days, 3 days, then the same with the parents swapped.",
              Alternating({2, 2, 3, 2, 2, 3})),
        Cycle("2-2-5-5", "2-2-5-5 rotation",
              "2 days each, then 5 days each; the same weekdays every two weeks.",
              Alternating({2, 2, 5, 5})),
        Cycle("3-4-4-3", "3-4-4-3 rotation",
              "3 days, 4 days, 4 days, 3 days: half of every two weeks each.",
              Alternating({3, 4, 4, 3})),
        Weekends("every-other-weekend", "Every other weekend",
                 "Friday and Saturday nights every second week, from the first Friday.",
                 ScheduleRule::AlternateWeekends),
        Weekends("first-third-fifth-weekends", "1st, 3rd and 5th weekends",
                 "Friday and Saturday nights when the Friday is the month's 1st, 3rd or 5th.",
                 ScheduleRule::MonthlyWeekends),
    };
    return schedules;
}

const StandardSchedule* ScheduleNamed(const QString& name)
{
    for (const StandardSchedule& schedule : StandardSchedules())
        if (schedule.Name == name && schedule.Rule != ScheduleRule::None)
            return &schedule;
    return nullptr;
}

int CycleLength(const StandardSchedule& schedule)
{
    int length = 0;
    for (const ScheduleBlock& block : schedule.Blocks)
        length += block.Days;
    return length;
}

QString CycleText(const StandardSchedule& schedule)
{
    switch (schedule.Rule) {
    case ScheduleRule::None:
        return QString();
    case ScheduleRule::Cycle: {
        QStringList parts;
        for (const ScheduleBlock& block : schedule.Blocks)
            parts << QString::number(block.Days) +
                         (block.FirstParent ? QStringLiteral(" first") : QStringLiteral(" other"));
        return parts.join(QStringLiteral(", "));
    }
    case ScheduleRule::AlternateWeekends:
        return QStringLiteral("Friday and Saturday nights (Sunday too with a long weekend), "
                              "every second week from the first Friday on or after the start");
    case ScheduleRule::MonthlyWeekends:
        return QStringLiteral("Friday and Saturday nights (Sunday too with a long weekend) of "
                              "the weekends whose Friday is the 1st, 3rd or 5th of its month");
    }
    return QString();
}

QString SchedulePlan(const CalendarDocument& doc, int first, int last, const ScheduleChoice& choice)
{
    const int count = std::max(0, last - first + 1);
    QString plan(count, QLatin1Char('N'));
    const auto weekdayAt = [&](int i) {
        return PatternWeekdayOf(doc.Days[static_cast<std::size_t>(first + i)]);
    };
    const int weekendNights = choice.LongWeekend ? 3 : 2;
    const ScheduleRule rule = choice.Schedule ? choice.Schedule->Rule : ScheduleRule::None;
    switch (rule) {
    case ScheduleRule::None:
        return plan;
    case ScheduleRule::Cycle: {
        QString cycle;
        for (const ScheduleBlock& block : choice.Schedule->Blocks)
            cycle += QString(block.Days, block.FirstParent == choice.NonCustodialFirst
                                             ? QLatin1Char('O')
                                             : QLatin1Char('N'));
        for (int i = 0; i < count && !cycle.isEmpty(); ++i)
            plan[i] = cycle.at(i % cycle.size());
        break;
    }
    case ScheduleRule::AlternateWeekends: {
        int friday = 0;
        while (friday < count && weekdayAt(friday) != Friday)
            ++friday;
        for (int k = 0; friday + 7 * k < count; ++k)
            if ((k % 2 == 0) == choice.NonCustodialFirst)
                MarkNights(plan, friday + 7 * k, weekendNights);
        break;
    }
    case ScheduleRule::MonthlyWeekends:
        for (int i = 0; i < count; ++i) {
            if (weekdayAt(i) != Friday)
                continue;
            const int ordinal = (doc.Days[static_cast<std::size_t>(first + i)].DayOfMonth - 1) / 7;
            // The 1st, 3rd and 5th Fridays are ordinals 0, 2 and 4.
            if ((ordinal % 2 == 0) == choice.NonCustodialFirst)
                MarkNights(plan, i, weekendNights);
        }
        break;
    }
    for (int i = 0; i < count; ++i) {
        if (plan.at(i) != QLatin1Char('N'))
            continue;
        const int weekday = weekdayAt(i);
        if (weekday == choice.OvernightWeekday)
            plan[i] = QLatin1Char('O');
        // The day after the other parent's night is theirs until the exchange: a visit there
        // would count the same hours twice.
        else if (weekday == choice.Visit.Weekday && (i == 0 || plan.at(i - 1) != QLatin1Char('O')))
            plan[i] = QLatin1Char('D');
    }
    return plan;
}

std::optional<QString> ReadExchangeTime(const QString& typed)
{
    QString text = typed.trimmed().toUpper();
    if (text.isEmpty() || text == NoTimeText.toUpper())
        return NoTimeText;
    text.remove(QLatin1Char(' '));
    text.remove(QLatin1Char('.'));
    int half = -1; // 0 for AM, 1 for PM, -1 for a 24-hour time
    for (const auto& [suffix, value] :
         {std::pair{"AM", 0}, std::pair{"PM", 1}, std::pair{"A", 0}, std::pair{"P", 1}}) {
        if (text.endsWith(QLatin1String(suffix))) {
            text.chop(static_cast<qsizetype>(qstrlen(suffix)));
            half = value;
            break;
        }
    }
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [](QChar c) {
            return IsTypedDigit(c) || c == QLatin1Char(':');
        }))
        return std::nullopt;
    const TypedTime time = ReadTypedTime(text, LastMinuteOfDay);
    if (time.Fault != TypedTimeFault::None || (half >= 0 && (time.Hour < 1 || time.Hour > 12)))
        return std::nullopt;
    int hour = time.Hour;
    if (half >= 0)
        hour = hour % 12 + 12 * half;
    const int shown = hour % 12 == 0 ? 12 : hour % 12;
    return ComposeTimeText(QStringLiteral("%1").arg(shown, 2, 10, QLatin1Char('0')),
                           QStringLiteral("%1").arg(time.Minute, 2, 10, QLatin1Char('0')),
                           hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

QString ScheduleReasonFor(const StandardSchedule& schedule, bool nonCustodialFirst)
{
    if (schedule.Rule == ScheduleRule::MonthlyWeekends && !nonCustodialFirst)
        return QStringLiteral("2nd and 4th weekends");
    return schedule.Title;
}

ScheduleReasonCheck CheckScheduleReason(const QString& typed, const StandardSchedule* schedule,
                                        bool nonCustodialFirst)
{
    QString reason = typed.trimmed();
    if (reason.isEmpty())
        return {schedule ? ScheduleReasonFor(*schedule, nonCustodialFirst) : QString(), QString()};
    const QString asTyped = reason;
    // The reason field's rules: what they would mend is refused with their message.
    const QStringList messages = TypedNameRules(reason);
    if (reason != asTyped)
        return {QString(), messages.first()};
    return {CutText(reason, RepeatPatternNameCapacity), QString()};
}

ScheduleResult ApplySchedule(CalendarDocument& doc, const ScheduleRequest& request,
                             OverwriteQuestions& questions)
{
    ScheduleResult result;
    const ScheduleChoice& choice = request.Choice;
    const bool rotation = choice.Schedule && choice.Schedule->Rule != ScheduleRule::None;
    const bool holidays = request.Holidays.Country && AnyHolidayChosen(request.Holidays);
    if (!rotation && !holidays) {
        questions.Tell(PromptKind::Error, ChooseScheduleMessage);
        return result;
    }
    const DateRangeCheck range = CheckDateRange(doc, request.Range);
    if (rotation && !range.Ok) {
        questions.Tell(PromptKind::Error, range.Message);
        result.RangeFocus = range.Focus;
        return result;
    }
    if (rotation && choice.Visit.Weekday >= 0) {
        const auto outcome = static_cast<int>(
            CheckDayVisitTimes(choice.Visit.Pickup, choice.Visit.Dropoff, false, doc.NapMinutes));
        if (outcome != 0) {
            questions.Tell(PromptKind::Error, DayVisitTimesMessage(outcome));
            return result;
        }
    }

    const CalendarDocument before = doc;
    RememberedAnswers answers(questions);
    const auto giveBack = [&] {
        doc = before;
        result.Overnights = result.DayVisits = result.Removed = result.Holidays = 0;
    };
    if (rotation) {
        if (request.ReplaceRange) {
            result.Removed = RemoveMarks(doc, range.First, range.Last, true);
            if (choice.Visit.Weekday >= 0)
                result.Removed += RemoveMarks(doc, range.First, range.Last, false);
            if (result.Removed > 0) {
                RecountCounters(doc);
                ++doc.AppliedChangeCount;
            }
        }
        // The schedule's own marks of an earlier Apply are its to lay again, without asking:
        // with another first parent or exchange time nothing of the old one may stay behind.
        const QString reason = request.Reason.isEmpty()
                                   ? ScheduleReasonFor(*choice.Schedule, choice.NonCustodialFirst)
                                   : request.Reason;
        if (RemoveMarks(doc, range.First, range.Last, true, ReasonAsStored(reason)) +
                RemoveMarks(doc, range.First, range.Last, false, ReasonAsStored(reason)) >
            0)
            ++doc.AppliedChangeCount;
        RepeatRequest repeat;
        repeat.PatternChosen = true;
        repeat.Letters = SchedulePlan(doc, range.First, range.Last, choice);
        repeat.Range = request.Range;
        repeat.ONStrtTime = request.Exchange;
        repeat.ONEndTime = request.Exchange;
        repeat.DVStrtTime = choice.Visit.Pickup;
        repeat.DVEndTime = choice.Visit.Dropoff;
        repeat.Reason = reason;
        ScheduleAnswers asked(answers, false);
        ApplyRepeatPattern(doc, repeat, asked);
        // Overwritten marks count as well as new ones: the days now carry the schedule.
        const QString stored = ReasonAsStored(repeat.Reason);
        for (int i = range.First; i <= range.Last; ++i) {
            const CalendarDay& day = doc.Days[static_cast<std::size_t>(i)];
            const QChar letter = repeat.Letters.at(i - range.First);
            if (letter == QLatin1Char('O') && day.HasOvernight && day.OvernightReason == stored)
                ++result.Overnights;
            if (letter == QLatin1Char('D') && day.HasDayVisit && day.DayVisitReason == stored)
                ++result.DayVisits;
        }
        if (answers.Cancelled) {
            giveBack();
            result.Stopped = true;
            return result;
        }
    }
    if (holidays) {
        ScheduleAnswers asked(answers, true);
        const HolidaysByYearResult given = ApplyHolidaysByYear(doc, request.Holidays, asked);
        if (answers.Cancelled || !given.Applied) {
            giveBack();
            result.Stopped = answers.Cancelled;
            return result;
        }
        result.Holidays = given.Marked;
    }
    RecountCounters(doc);
    result.Ran = true;
    return result;
}

QString ScheduleSummary(const ScheduleRequest& request, const ScheduleResult& result)
{
    QStringList parts;
    const StandardSchedule* schedule = request.Choice.Schedule;
    if (schedule && schedule->Rule != ScheduleRule::None) {
        QString text =
            (request.Reason.isEmpty()
                 ? ScheduleReasonFor(*schedule, request.Choice.NonCustodialFirst)
                 : request.Reason) +
            QStringLiteral(": ") + Counted(result.Overnights, "overnight stay", "overnight stays") +
            QStringLiteral(" and ") + Counted(result.DayVisits, "day visit", "day visits") +
            QStringLiteral(" marked");
        if (request.ReplaceRange)
            text += QStringLiteral(", ") + Counted(result.Removed, "mark", "marks") +
                    QStringLiteral(" removed first");
        parts << text;
    }
    if (request.Holidays.Country && AnyHolidayChosen(request.Holidays))
        parts << Counted(result.Holidays, "holiday", "holidays") + QStringLiteral(" marked");
    return parts.join(QStringLiteral("; ")) + QLatin1Char('.');
}

} // namespace custodex
