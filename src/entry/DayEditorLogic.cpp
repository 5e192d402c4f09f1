#include "entry/DayEditorLogic.h"

#include "calendar/TimeText.h"
#include "platform/Prompter.h"

namespace custodex {

namespace {

bool CountsAsOvernight(const CalendarDay& day)
{
    return day.HasOvernight && !day.OvernightReason.isEmpty() &&
           !IsAnnotationReason(day.OvernightReason);
}

// One neighbour check: `earlier` must not end after `later` begins.
bool NeighbourCheck(const QString& earlier, const QString& later, Prompter& prompter,
                    const char* question, const char* error)
{
    const bool noEarlier = IsNoTime(earlier);
    const bool noLater = IsNoTime(later);
    if (noEarlier && noLater)
        return true;
    if (noEarlier != noLater)
        return prompter.Ask(PromptKind::Confirmation, QString::fromLatin1(question),
                            PromptButtons::YesNo) == PromptAnswer::Yes;
    if (TimeTextToMinutes(earlier) > TimeTextToMinutes(later)) {
        prompter.Ask(PromptKind::Error, QString::fromLatin1(error), PromptButtons::Ok);
        return false;
    }
    return true;
}

} // namespace

QString DayVisitTimesMessage(int outcomeCode)
{
    switch (outcomeCode) {
    case 1:
        return QStringLiteral("Error!  When entering day visit times, the \n\rPickup time must be "
                              "earlier than the Dropoff Time.\n\rPlease try again.");
    case 2:
        return QStringLiteral(
            "Error!  The total day visit time must be greater\n\rthan the day visit nap time.  "
            "You can either make\n\rthe pickup time earlier, the dropoff time later,\n\rdecrease "
            "the day visit nap time found on the \n\rsettings form, or check the no nap check box "
            "if\n\rthe child will not be napping during this day visit.");
    case 3:
        return QStringLiteral("Error!  If you enter a Pickup (Dropoff) time for a \n\rday visit, "
                              "you must also enter a Dropoff (Pickup) time.\n\rPlease try again.");
    default:
        return QString();
    }
}

bool DayEditorAccept(CalendarDocument& doc, const DayEditorContext& context, DayEditorEntry& entry,
                     Prompter& prompter)
{
    if (entry.Reason.isEmpty())
        entry.Reason = BlankReason;
    const QString remembered =
        context.RememberedReason.isEmpty() ? BlankReason : context.RememberedReason;
    if (IsAnnotationReason(remembered) != IsAnnotationReason(entry.Reason))
        doc.DistributionStale = true;

    if (context.OvernightMode || IsAnnotationReason(entry.Reason)) {
        if (context.Changed)
            doc.DistributionStale = true;
        if (IsAnnotationReason(entry.Reason))
            return true;
        const auto count = static_cast<int>(doc.Days.size());
        bool passed = true;
        if (context.DayIndex > 0) {
            const CalendarDay& before = doc.Days[static_cast<std::size_t>(context.DayIndex - 1)];
            if (CountsAsOvernight(before))
                passed = NeighbourCheck(before.OvernightDropoff, entry.Start, prompter,
                                        "Todays start time might overlap yesterdays\n\rend time.  "
                                        "Continue anyway?",
                                        "Yesterdays end time overlaps todays start time.\n\rThis "
                                        "error must be corrected.");
        }
        if (context.DayIndex >= 0 && context.DayIndex + 1 < count) {
            const CalendarDay& after = doc.Days[static_cast<std::size_t>(context.DayIndex + 1)];
            if (CountsAsOvernight(after) &&
                !NeighbourCheck(entry.End, after.OvernightPickup, prompter,
                                "Todays end time might overlap tomorrows\n\rstart time.  Continue "
                                "anyway?",
                                "Todays end time overlaps tomorrows start time.\n\rThis error must "
                                "be corrected."))
                passed = false;
        }
        return passed;
    }

    const auto outcome = static_cast<int>(CheckDayVisitTimes(
        entry.Start, entry.End, entry.NoNap, std::max(0, DurationMinutes(doc.NapTime))));
    if (outcome != 0) {
        prompter.Ask(PromptKind::Error, DayVisitTimesMessage(outcome), PromptButtons::Ok);
        return false;
    }
    if (context.Changed)
        doc.DistributionStale = true;
    return true;
}

ReasonTextCheck CheckTypedReason(const QString& text)
{
    const auto bang = text.indexOf(QLatin1Char('!'));
    if (bang >= 0)
        return {text.left(bang), QStringLiteral("Explanation marks are not allowed in a reason."),
                true};
    if (text.size() > TypedReasonCapacity)
        return {CutText(text, TypedReasonCapacity),
                QStringLiteral("Stop!  The maximum reason length is 80 characters,"), false};
    if (text.size() == TypedReasonCapacity)
        return {text, QStringLiteral("Stop!  The maximum reason length is 80 characters,"), false};
    return {text, QString(), false};
}

} // namespace custodex
