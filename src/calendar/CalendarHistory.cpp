#include "calendar/CalendarHistory.h"

#include <QUndoCommand>

namespace custodex {

namespace {

// The figures of the hourly distribution belong together: they were worked out from one day
// list, so a step puts them back as a whole.
struct DistributionFigures {
    std::int32_t QTotOvernights;
    std::int32_t QTotDayVisits;
    std::int32_t QTotOvernightMinutes;
    std::int32_t QTotDayVisitMinutes;
    bool DistributionStale;
    bool DistributionHadErrors;
    bool operator==(const DistributionFigures&) const = default;
};

DistributionFigures FiguresOf(const CalendarContent& c)
{
    return {c.QTotOvernights,      c.QTotDayVisits,     c.QTotOvernightMinutes,
            c.QTotDayVisitMinutes, c.DistributionStale, c.DistributionHadErrors};
}

template <typename Value> void TakeIfChanged(Value& into, const Value& target, const Value& other)
{
    if (!(target == other))
        into = target;
}

using SharedContent = std::shared_ptr<const CalendarContent>;

class CalendarStep : public QUndoCommand {
public:
    CalendarStep(CalendarDocument& doc, const QString& name, SharedContent before,
                 SharedContent after)
        : QUndoCommand(name), Doc(doc), Before(std::move(before)), After(std::move(after))
    {
    }
    void undo() override { RestoreContent(Doc, *Before, *After); }
    void redo() override
    {
        // The first redo comes from the push: the change is already made.
        if (Pushed)
            RestoreContent(Doc, *After, *Before);
        Pushed = true;
    }

private:
    CalendarDocument& Doc;
    SharedContent Before;
    SharedContent After;
    bool Pushed = false;
};

QString DayDateText(const CalendarDocument& doc, int index)
{
    const CalendarDay& day = doc.Days.at(static_cast<std::size_t>(index));
    const int month = MonthIndexOf(day.MonthName);
    return DisplayMonthNames().value(month) + QLatin1Char(' ') + QString::number(day.DayOfMonth) +
           QStringLiteral(", ") + QString::number(YearOfDay(doc, index));
}

} // namespace

CalendarContent CaptureContent(const CalendarDocument& doc)
{
    CalendarContent c;
    c.Days = doc.Days;
    c.ClientName = doc.ClientName;
    c.OverniteReasons = doc.OverniteReasons;
    c.DayVisitReasons = doc.DayVisitReasons;
    c.OverNiteStrtTime = doc.OverNiteStrtTime;
    c.OverNiteEndTime = doc.OverNiteEndTime;
    c.DayVisitStrtTime = doc.DayVisitStrtTime;
    c.DayVisitEndTime = doc.DayVisitEndTime;
    c.BackgroundColour = doc.BackgroundColour;
    c.DayVisitColour = doc.DayVisitColour;
    c.OvernightColour = doc.OvernightColour;
    c.OvernightHours = doc.OvernightHours;
    c.SleepTime = doc.SleepTime;
    c.DayVisitHours = doc.DayVisitHours;
    c.NapTime = doc.NapTime;
    c.QTotOvernights = doc.QTotOvernights;
    c.QTotDayVisits = doc.QTotDayVisits;
    c.QTotOvernightMinutes = doc.QTotOvernightMinutes;
    c.QTotDayVisitMinutes = doc.QTotDayVisitMinutes;
    c.Author = doc.Author;
    c.Title = doc.Title;
    c.CustodialName = doc.CustodialName;
    c.NonCustodialName = doc.NonCustodialName;
    c.Exclusions = doc.Exclusions;
    c.Guidelines = doc.Guidelines;
    c.DistributionStale = doc.DistributionStale;
    c.DistributionHadErrors = doc.DistributionHadErrors;
    return c;
}

void RestoreContent(CalendarDocument& doc, const CalendarContent& target,
                    const CalendarContent& other)
{
    if (target.Days.size() == doc.Days.size() && other.Days.size() == doc.Days.size()) {
        for (std::size_t i = 0; i < doc.Days.size(); ++i)
            TakeIfChanged(doc.Days[i], target.Days[i], other.Days[i]);
    }
    TakeIfChanged(doc.ClientName, target.ClientName, other.ClientName);
    TakeIfChanged(doc.OverniteReasons.Text, target.OverniteReasons.Text,
                  other.OverniteReasons.Text);
    TakeIfChanged(doc.OverniteReasons.Items, target.OverniteReasons.Items,
                  other.OverniteReasons.Items);
    TakeIfChanged(doc.DayVisitReasons.Text, target.DayVisitReasons.Text,
                  other.DayVisitReasons.Text);
    TakeIfChanged(doc.DayVisitReasons.Items, target.DayVisitReasons.Items,
                  other.DayVisitReasons.Items);
    TakeIfChanged(doc.OverNiteStrtTime, target.OverNiteStrtTime, other.OverNiteStrtTime);
    TakeIfChanged(doc.OverNiteEndTime, target.OverNiteEndTime, other.OverNiteEndTime);
    TakeIfChanged(doc.DayVisitStrtTime, target.DayVisitStrtTime, other.DayVisitStrtTime);
    TakeIfChanged(doc.DayVisitEndTime, target.DayVisitEndTime, other.DayVisitEndTime);
    TakeIfChanged(doc.BackgroundColour, target.BackgroundColour, other.BackgroundColour);
    TakeIfChanged(doc.DayVisitColour, target.DayVisitColour, other.DayVisitColour);
    TakeIfChanged(doc.OvernightColour, target.OvernightColour, other.OvernightColour);
    TakeIfChanged(doc.OvernightHours, target.OvernightHours, other.OvernightHours);
    TakeIfChanged(doc.SleepTime, target.SleepTime, other.SleepTime);
    TakeIfChanged(doc.DayVisitHours, target.DayVisitHours, other.DayVisitHours);
    TakeIfChanged(doc.NapTime, target.NapTime, other.NapTime);
    TakeIfChanged(doc.Author, target.Author, other.Author);
    TakeIfChanged(doc.Title, target.Title, other.Title);
    TakeIfChanged(doc.CustodialName, target.CustodialName, other.CustodialName);
    TakeIfChanged(doc.NonCustodialName, target.NonCustodialName, other.NonCustodialName);
    TakeIfChanged(doc.Exclusions, target.Exclusions, other.Exclusions);
    TakeIfChanged(doc.Guidelines, target.Guidelines, other.Guidelines);
    if (FiguresOf(target) != FiguresOf(other)) {
        doc.QTotOvernights = target.QTotOvernights;
        doc.QTotDayVisits = target.QTotDayVisits;
        doc.QTotOvernightMinutes = target.QTotOvernightMinutes;
        doc.QTotDayVisitMinutes = target.QTotDayVisitMinutes;
        doc.DistributionStale = target.DistributionStale;
        doc.DistributionHadErrors = target.DistributionHadErrors;
    }
    RecomputeDurationMinutes(doc);
    RecountCounters(doc);
}

QString DescribeDayStep(const CalendarDocument& doc, const DayList& before, const DayList& after,
                        const QString& fallback)
{
    if (before.size() != after.size() || after.size() != doc.Days.size())
        return fallback;
    int changed = -1;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (before[i] == after[i])
            continue;
        if (changed >= 0)
            return fallback;
        changed = static_cast<int>(i);
    }
    if (changed < 0)
        return fallback;
    const CalendarDay& was = before[static_cast<std::size_t>(changed)];
    const CalendarDay& now = after[static_cast<std::size_t>(changed)];
    const bool overnight = was.HasOvernight != now.HasOvernight ||
                           MarkFieldsOf(was, true).Reason != MarkFieldsOf(now, true).Reason ||
                           was.OvernightPickup != now.OvernightPickup ||
                           was.OvernightDropoff != now.OvernightDropoff;
    const QString kind = overnight ? QStringLiteral("Overnight") : QStringLiteral("Day Visit");
    const bool removed =
        overnight ? (was.HasOvernight && !now.HasOvernight) : (was.HasDayVisit && !now.HasDayVisit);
    return (removed ? QStringLiteral("Remove ") : QString()) + kind + QStringLiteral(" on ") +
           DayDateText(doc, changed);
}

CalendarHistory::CalendarHistory(CalendarDocument& doc) : Doc(doc)
{
    Steps.setUndoLimit(StepLimit);
    // The stack moves its index after a step was taken, so the flag follows the index.
    QObject::connect(&Steps, &QUndoStack::indexChanged, &Steps, [this] { FollowCleanState(); });
}

CalendarContent CalendarHistory::Begin()
{
    CalendarContent content = CaptureContent(Doc);
    if (Doc.HasCalendar() && !Doc.ChangesPending && !(Saved && *Saved == content)) {
        Saved = content;
        Steps.setClean();
    }
    return content;
}

bool CalendarHistory::Record(const QString& name, const CalendarContent& before)
{
    return Record(name, before, CaptureContent(Doc));
}

bool CalendarHistory::Record(const QString& name, const CalendarContent& before,
                             const CalendarContent& after)
{
    // Nothing changed, or only the distribution became stale (a preferences spinner touched
    // and cancelled): no step, and the flag the action set stays as it set it.
    CalendarContent probe = after;
    probe.DistributionStale = before.DistributionStale;
    if (probe == before)
        return false;
    // Steps in a row share the content between them, so a step costs one copy, not two.
    SharedContent start =
        LastEnd && *LastEnd == before ? LastEnd : std::make_shared<const CalendarContent>(before);
    LastEnd = std::make_shared<const CalendarContent>(after);
    Steps.push(new CalendarStep(Doc, name, std::move(start), LastEnd));
    return true;
}

void CalendarHistory::Restart(bool saved)
{
    Steps.clear();
    LastEnd.reset();
    if (saved)
        Saved = CaptureContent(Doc);
    else
        Saved.reset();
    Steps.setClean();
    FollowCleanState();
}

void CalendarHistory::MarkSaved()
{
    Saved = CaptureContent(Doc);
    Steps.setClean();
    FollowCleanState();
}

void CalendarHistory::FollowCleanState()
{
    if (!Doc.HasCalendar())
        return;
    if (!Saved) {
        Doc.ChangesPending = true; // never saved
        return;
    }
    // The reason lists are the window's, not the file's: a step that only changed them (a
    // default reason typed) neither makes nor takes away anything to save.
    CalendarContent now = CaptureContent(Doc);
    now.OverniteReasons = Saved->OverniteReasons;
    now.DayVisitReasons = Saved->DayVisitReasons;
    Doc.ChangesPending = !(now == *Saved);
}

} // namespace custodex
