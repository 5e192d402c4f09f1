#include "patterns/RepeatPatternApply.h"

#include "patterns/BulkDialogRules.h"

namespace custodex {

namespace {

QString MonthTitle(const CalendarDay& day)
{
    const int monthIndex = MonthIndexOf(day.MonthName);
    return monthIndex >= 0 ? DisplayMonthNames().at(monthIndex) : day.MonthName;
}

QString CountsText(int overnights, int dayVisits, const char* overnightsVerb,
                   const char* dayVisitsVerb)
{
    return QStringLiteral("There were ") + QString::number(overnights) +
           QStringLiteral(" Overnight Stays ") + QLatin1String(overnightsVerb) +
           QStringLiteral(".") + QStringLiteral("\n\r") + QStringLiteral("There were ") +
           QString::number(dayVisits) + QStringLiteral(" Day Visits ") +
           QLatin1String(dayVisitsVerb) + QStringLiteral(".");
}

// One Apply over the days of the range: the rotating letters, the stay in progress, the
// answers given and the counts.
class RepeatRun {
public:
    RepeatRun(CalendarDocument& doc, const RepeatRequest& request, OverwriteQuestions& questions,
              RepeatRunResult& result)
        : m_doc(doc), m_request(request), m_questions(questions), m_result(result),
          m_letters(request.Letters.toUpper()), m_reason(ReasonAsStored(request.Reason))
    {
    }

    void Walk(int first, int last)
    {
        const int size = static_cast<int>(m_letters.size());
        int position = 0;
        for (int i = first; i <= last && !m_result.Stopped; ++i) {
            const QChar letter = m_letters.at(position);
            if (letter == QLatin1Char('O'))
                Overnight(i, last, size > 1 ? m_letters.at((position + 1) % size) : letter);
            else {
                // Any other character, like "N", leaves its day alone.
                m_stayGoesOn = false;
                if (letter == QLatin1Char('D'))
                    DayVisit(i);
            }
            if (size > 1)
                position = (position + 1) % size;
        }
    }

private:
    bool LastDayOfCalendar(int index) const
    {
        return index + 1 == static_cast<int>(m_doc.Days.size());
    }

    void Overnight(int index, int last, QChar nextLetter)
    {
        const bool continues = m_stayGoesOn;
        const bool endsHere = (m_letters.size() > 1 && nextLetter != QLatin1Char('O')) ||
                              index == last || LastDayOfCalendar(index);
        // A day the user declines to overwrite keeps its place in the stay, as in the weekday
        // patterns: the days around it keep their times.
        m_stayGoesOn = !endsHere;
        CalendarDay& day = m_doc.Days[static_cast<std::size_t>(index)];
        if (!MayWrite(day, true))
            return;
        DayMarkFields fields = MarkFieldsOf(day, true);
        fields.Has = true;
        fields.Reason = m_reason;
        fields.Pickup = CutText(continues ? NoTimeText : m_request.ONStrtTime, TimeTextCapacity);
        QString dropoff = endsHere ? m_request.ONEndTime : NoTimeText;
        if (LastDayOfCalendar(index))
            dropoff = m_request.ONEndTime.contains(QLatin1Char('M')) ? QStringLiteral("12:00AM")
                                                                     : NoTimeText;
        fields.Dropoff = CutText(dropoff, TimeTextCapacity);
        AddPatternReason(m_doc, ListKind::Overnights, m_reason);
        m_result.DaysChanged = true;
    }

    void DayVisit(int index)
    {
        CalendarDay& day = m_doc.Days[static_cast<std::size_t>(index)];
        if (!MayWrite(day, false))
            return;
        DayMarkFields fields = MarkFieldsOf(day, false);
        fields.Has = true;
        fields.Reason = m_reason;
        fields.Pickup = CutText(m_request.DVStrtTime, TimeTextCapacity);
        fields.Dropoff = CutText(m_request.DVEndTime, TimeTextCapacity);
        AddPatternReason(m_doc, ListKind::DayVisits, m_reason);
        m_result.DaysChanged = true;
    }

    // Counts the day when it is to be written; asks first when it holds a mark of the kind.
    bool MayWrite(const CalendarDay& day, bool overnight)
    {
        int& count = overnight ? m_result.Overnights : m_result.DayVisits;
        const ConstDayMarkFields fields = MarkFieldsOf(day, overnight);
        if (!fields.Has) {
            ++count;
            return true;
        }
        if (!m_yesToAll) {
            const OverwriteAnswer answer = m_questions.AskOverwrite(
                Question(day, overnight), OverwriteChoices::YesYesToAllNoCancel);
            if (answer == OverwriteAnswer::No)
                return false;
            if (answer == OverwriteAnswer::Cancel) {
                m_questions.Tell(PromptKind::Information, RepeatTerminatedMessage);
                m_result.Stopped = true;
                return false;
            }
            m_yesToAll = answer == OverwriteAnswer::YesToAll;
        }
        // An annotation was never counted, so overwriting it adds one.
        if (IsAnnotationReason(fields.Reason))
            ++count;
        return true;
    }

    QString Question(const CalendarDay& day, bool overnight) const
    {
        return day.WeekdayName + QStringLiteral(", ") + MonthTitle(day) + QStringLiteral(" ") +
               QString::number(day.DayOfMonth) + QStringLiteral("  is already marked as ") +
               (overnight ? QStringLiteral("an Overnight because of ")
                          : QStringLiteral("a day visit  because of ")) +
               MarkFieldsOf(day, overnight).Reason + QStringLiteral(".") + QStringLiteral("\n\r") +
               QStringLiteral("Overwrite it with ") + m_request.Reason + QStringLiteral("?");
    }

    CalendarDocument& m_doc;
    const RepeatRequest& m_request;
    OverwriteQuestions& m_questions;
    RepeatRunResult& m_result;
    const QString m_letters;
    const QString m_reason;
    bool m_yesToAll = false;
    bool m_stayGoesOn = false; // the day before was an "O" day left without a dropoff
};

} // namespace

RepeatRunResult ApplyRepeatPattern(CalendarDocument& doc, const RepeatRequest& request,
                                   OverwriteQuestions& questions)
{
    RepeatRunResult result;
    const DateRangeCheck range = CheckDateRange(doc, request.Range);
    TakeSnapshot(doc, SnapshotKind::Undo);
    result.UndoTaken = true;
    if (!range.Ok) {
        questions.Tell(PromptKind::Error, range.Message);
        result.RangeFocus = range.Focus;
        return result;
    }
    if (!request.PatternChosen || request.Letters.isEmpty()) {
        questions.Tell(PromptKind::Error, ChoosePatternMessage);
        return result;
    }
    result.Ran = true;
    RepeatRun(doc, request, questions, result).Walk(range.First, range.Last);
    RecountCounters(doc);
    questions.Tell(PromptKind::Information,
                   QStringLiteral("\tList of \"") + request.Reason.left(85) +
                       QStringLiteral("\" has been applied.") + QStringLiteral("\n\r\n\r") +
                       CountsText(result.Overnights, result.DayVisits, "added", "Added"));
    // The counts report new marks only; a run that only overwrote marks changed days all the
    // same, and must leave the calendar to be saved.
    if (result.Overnights > 0 || result.DayVisits > 0 || result.DaysChanged) {
        ++doc.AppliedChangeCount;
        result.Counted = true;
    }
    return result;
}

RepeatRunResult RemoveRepeatPattern(CalendarDocument& doc, const DateRangeBlock& range,
                                    const QString& reason, bool patternChosen,
                                    OverwriteQuestions& questions)
{
    RepeatRunResult result;
    TakeSnapshot(doc, SnapshotKind::Undo);
    result.UndoTaken = true;
    if (!patternChosen) {
        questions.Tell(PromptKind::Error, ChooseListMessage);
        return result;
    }
    result.Ran = true;
    const QString stored = ReasonAsStored(reason);
    // A start after the calendar's last day looks at no day and reports two zero counts.
    const DayIndexRange days = RemoveDayRange(doc, range);
    for (int i = days.First; i >= 0 && i <= days.Last; ++i) {
        for (const bool overnight : {true, false}) {
            DayMarkFields fields = MarkFieldsOf(doc.Days[static_cast<std::size_t>(i)], overnight);
            if (!fields.Has || fields.Reason != stored)
                continue;
            fields.Has = false;
            fields.Reason.clear();
            fields.Pickup = NoTimeText;
            fields.Dropoff = NoTimeText;
            ++(overnight ? result.Overnights : result.DayVisits);
            result.DaysChanged = true;
        }
    }
    RecountCounters(doc);
    questions.Tell(PromptKind::Information,
                   QStringLiteral("\tList of \"") + reason +
                       QStringLiteral("\" has been removed.") + QStringLiteral("\n\r\n\r") +
                       CountsText(result.Overnights, result.DayVisits, "removed", "removed"));
    if (result.Overnights > 0 || result.DayVisits > 0) {
        ++doc.AppliedChangeCount;
        result.Counted = true;
    }
    return result;
}

TimePromptTexts RepeatTimePrompt(bool overnight, bool end)
{
    if (end)
        return {QStringLiteral("Set Custom Pattern End Times"),
                QStringLiteral("Set End Time for Custom Pattern")};
    return {QStringLiteral("Set Custom Pattern Start Times"),
            overnight ? QStringLiteral("Set Start Time for Overnight Stay Custom Pattern")
                      : QStringLiteral("Set Start Time for Day Visit Custom Pattern")};
}

bool OpenRepeatDialog(const CalendarDocument& doc, RepeatDialogState& state,
                      OverwriteQuestions& questions)
{
    state = RepeatDialogState{};
    FillDateRange(doc, state.Range);
    state.ONStrtTime = doc.OverNiteStrtTime;
    state.ONEndTime = doc.OverNiteEndTime;
    state.DVStrtTime = doc.DayVisitStrtTime;
    state.DVEndTime = doc.DayVisitEndTime;
    const std::optional<QStringList> items =
        ReadRepeatPatterns(RepeatPatternPath(doc.ClientFolder));
    if (!items) {
        questions.Tell(PromptKind::Error, NoRepeatPatternsMessage);
        state.ApplyEnabled = false;
        return false;
    }
    state.Items = *items;
    return true;
}

void ChooseRepeatPattern(RepeatDialogState& state, int index)
{
    if (index < 0 || index >= state.Items.size())
        return;
    state.Chosen = SplitRepeatPatternItem(state.Items.at(index));
    state.Reason = state.Chosen->Name;
    TypedNameRules(state.Reason); // a name from a file edited by hand obeys the field's rules
    state.Reason = CutText(state.Reason, RepeatPatternNameCapacity);
}

RepeatRequest RepeatRequestOf(const RepeatDialogState& state)
{
    RepeatRequest request;
    request.PatternChosen = state.Chosen.has_value();
    request.Letters = state.Chosen ? state.Chosen->Letters : QString();
    request.Range = state.Range;
    request.ONStrtTime = state.ONStrtTime;
    request.ONEndTime = state.ONEndTime;
    request.DVStrtTime = state.DVStrtTime;
    request.DVEndTime = state.DVEndTime;
    request.Reason = state.Reason;
    return request;
}

RepeatRunResult ApplyRepeatClick(CalendarDocument& doc, RepeatDialogState& state,
                                 OverwriteQuestions& questions)
{
    const RepeatRunResult result = ApplyRepeatPattern(doc, RepeatRequestOf(state), questions);
    state.UndoEnabled = result.UndoTaken;
    state.UndoCounted = result.Counted;
    if (result.Ran)
        state.Changes = true;
    return result;
}

RepeatRunResult RemoveRepeatClick(CalendarDocument& doc, RepeatDialogState& state,
                                  OverwriteQuestions& questions)
{
    const RepeatRunResult result =
        RemoveRepeatPattern(doc, state.Range, state.Reason, state.Chosen.has_value(), questions);
    state.UndoEnabled = result.UndoTaken;
    state.UndoCounted = result.Counted;
    if (result.Ran)
        state.Changes = true;
    return result;
}

void UndoRepeatClick(CalendarDocument& doc, RepeatDialogState& state)
{
    UndoLastRun(doc, state.UndoEnabled, state.UndoCounted);
}

} // namespace custodex
