#pragma once

#include "calendar/CalendarModel.h"

#include <QString>
#include <QUndoStack>

#include <memory>
#include <optional>

// Undo and redo of every change to a calendar. Each step keeps what a calendar file keeps
// (the days, the default reasons and times, the settings, the guidelines and the figures of
// the distribution) as plain copies before and after the change; the stack's clean index is
// the state last saved or opened, and ChangesPending follows the content back to it.

namespace custodex {

// What one step restores: everything the calendar file holds apart from the span, which
// only Start makes (and which clears the history).
struct CalendarContent {
    DayList Days;
    QString ClientName;
    ReasonList OverniteReasons;
    ReasonList DayVisitReasons;
    QString OverNiteStrtTime;
    QString OverNiteEndTime;
    QString DayVisitStrtTime;
    QString DayVisitEndTime;
    std::int32_t BackgroundColour = 0;
    std::int32_t DayVisitColour = 0;
    std::int32_t OvernightColour = 0;
    QString OvernightHours;
    QString SleepTime;
    QString DayVisitHours;
    QString NapTime;
    std::int32_t QTotOvernights = 0;
    std::int32_t QTotDayVisits = 0;
    std::int32_t QTotOvernightMinutes = 0;
    std::int32_t QTotDayVisitMinutes = 0;
    QString Author;
    QString Title;
    QString CustodialName;
    QString NonCustodialName;
    QStringList Exclusions;
    std::vector<Guideline> Guidelines;
    bool DistributionStale = true;
    bool DistributionHadErrors = false;

    bool operator==(const CalendarContent&) const = default;
};

CalendarContent CaptureContent(const CalendarDocument& doc);
// Takes a step: puts back `target` where it differs from `other` (the step's other end) and
// recounts, so a change made outside the history (a client name typed since) stays. The span,
// the month shown and the file stay.
void RestoreContent(CalendarDocument& doc, const CalendarContent& target,
                    const CalendarContent& other);

// The name of a step that changed days one by one (the month view, the day editor):
// "Overnight on March 12, 2025", "Remove Day Visit on March 12, 2025", or `fallback` when
// more than one day or no day changed.
QString DescribeDayStep(const CalendarDocument& doc, const DayList& before, const DayList& after,
                        const QString& fallback);

// The main window's history. Steps are recorded after the change was made: `before` is the
// content as it was, the document holds the content after.
class CalendarHistory {
public:
    explicit CalendarHistory(CalendarDocument& doc);

    QUndoStack& Stack() { return Steps; }
    // The content before a user action, taken as it begins. A calendar that says it has
    // nothing pending holds its file's content, whoever saved it, so that is the clean state.
    CalendarContent Begin();
    // Adds a step from `before` to the document as it now is; nothing when nothing changed
    // but the staleness of the distribution, and then ChangesPending stays as the action set
    // it. True when a step was added.
    bool Record(const QString& name, const CalendarContent& before);
    // A step whose end is not the document as it now is (one of several runs of a dialog,
    // recorded in order once it closed); the document must already hold the last step's end.
    bool Record(const QString& name, const CalendarContent& before, const CalendarContent& after);
    // New, Open, Close, Start, a recovered calendar: the history starts again. `saved`: the
    // document is the file's content (opened), so going back to it is clean.
    void Restart(bool saved);
    // The document was written to its file: this is the clean state now.
    void MarkSaved();
    // Sets ChangesPending: false exactly when the calendar holds what its file holds (the
    // stack's clean state, or any other index that comes back to it; a change made outside the
    // history is never forgotten this way).
    void FollowCleanState();

    // The most steps kept; older ones are dropped.
    static constexpr int StepLimit = 100;

private:
    CalendarDocument& Doc;
    QUndoStack Steps;
    std::optional<CalendarContent> Saved;
    // The end of the last step recorded, which the next step usually starts from.
    std::shared_ptr<const CalendarContent> LastEnd;
};

} // namespace custodex
