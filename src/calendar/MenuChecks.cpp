#include "calendar/MenuChecks.h"

#include "platform/Prompter.h"

namespace custodex {

namespace {

bool InvalidClientName(const CalendarDocument& doc)
{
    return doc.ClientName.isEmpty() || doc.ClientName == QStringLiteral("No Name");
}

bool Refuse(Prompter& prompter, PromptKind kind, const QString& text)
{
    prompter.Ask(kind, text, PromptButtons::Ok);
    return false;
}

bool Refuse(Prompter& prompter, PromptKind kind, const char* text)
{
    return Refuse(prompter, kind, QString::fromUtf8(text));
}

} // namespace

bool NothingMarked(const CalendarDocument& doc)
{
    return doc.FirstYearCounters.Overnights == 0 && doc.FirstYearCounters.DayVisits == 0 &&
           doc.SecondYearCounters.Overnights == 0 && doc.SecondYearCounters.DayVisits == 0;
}

bool CheckDayChangingDialog(const CalendarDocument& doc, DayChangingGroup group, Prompter& prompter)
{
    if (doc.HasCalendar())
        return true;
    switch (group) {
    case DayChangingGroup::Holidays:
        return Refuse(
            prompter, PromptKind::Information,
            "You must open or create a calendar\n\rbefore you can add or remove holidays.");
    case DayChangingGroup::Patterns:
        return Refuse(prompter, PromptKind::Information,
                      "You must open or create a calendar\n\rbefore you can apply/remove a list.");
    case DayChangingGroup::RepeatPatterns:
        return Refuse(prompter, PromptKind::Information,
                      "You must open or create a calendar before\n\ryou can apply/remove custom "
                      "repeat patterns.");
    case DayChangingGroup::CustomLists:
        return Refuse(
            prompter, PromptKind::Information,
            "You must open or create a calendar\n\rbefore you can apply/remove a custom list.");
    }
    return false;
}

QString RunDayChangingDialog(CalendarDocument& doc, const std::function<bool()>& show)
{
    TakeSnapshot(doc, SnapshotKind::Entry);
    doc.AppliedChangeCount = 0;
    if (!show()) {
        RestoreSnapshot(doc, SnapshotKind::Entry);
        RecountCounters(doc);
        return QString();
    }
    if (doc.AppliedChangeCount > 0) {
        doc.DistributionStale = true;
        doc.ChangesPending = true;
    }
    RecountCounters(doc);
    return DescribeDayChanges(doc.EntrySnapshot, doc.Days);
}

namespace {

QString DaysText(int days)
{
    return QString::number(days) + (days == 1 ? QStringLiteral(" day") : QStringLiteral(" days"));
}

} // namespace

QString DescribeDayChanges(const DayList& before, const DayList& after)
{
    int applied = 0;
    int replaced = 0; // of those applied, days whose mark was there before and changed
    int removed = 0;
    QStringList reasons;
    const auto noteReason = [&reasons](const QString& reason) {
        const QString shown = reason.trimmed();
        if (!shown.isEmpty() && !reasons.contains(shown))
            reasons.push_back(shown);
    };
    const std::size_t days = std::min(before.size(), after.size());
    for (std::size_t i = 0; i < days; ++i) {
        const CalendarDay& was = before[i];
        const CalendarDay& now = after[i];
        if (was == now)
            continue;
        const bool overnightSet =
            now.HasOvernight &&
            (!was.HasOvernight || was.OvernightReason != now.OvernightReason ||
             was.OvernightPickup != now.OvernightPickup ||
             was.OvernightDropoff != now.OvernightDropoff);
        const bool visitSet = now.HasDayVisit &&
                              (!was.HasDayVisit || was.DayVisitReason != now.DayVisitReason ||
                               was.DayVisitStart != now.DayVisitStart ||
                               was.DayVisitEnd != now.DayVisitEnd);
        if (overnightSet)
            noteReason(now.OvernightReason);
        if (visitSet)
            noteReason(now.DayVisitReason);
        if (overnightSet || visitSet)
            ++applied;
        if ((overnightSet && was.HasOvernight) || (visitSet && was.HasDayVisit))
            ++replaced;
        else if ((was.HasOvernight && !now.HasOvernight) || (was.HasDayVisit && !now.HasDayVisit))
            ++removed;
    }
    QString text;
    if (applied > 0) {
        text = QStringLiteral("Applied: ") + DaysText(applied);
        // Reasons may hold commas themselves ("Odd Friday, Saturday").
        if (!reasons.isEmpty() && reasons.size() <= 3)
            text += QStringLiteral(" of ") + reasons.join(QStringLiteral(" / "));
        if (replaced > 0)
            text += QStringLiteral(" (%1 replaced)").arg(replaced);
    }
    if (removed > 0)
        text += text.isEmpty() ? QStringLiteral("Removed: ") + DaysText(removed)
                               : QStringLiteral("; removed ") + DaysText(removed);
    return text;
}

bool CheckFind(CalendarDocument& doc, Prompter& prompter)
{
    if (!doc.HasCalendar())
        return Refuse(prompter, PromptKind::Information,
                      "You must open or create a calendar\n\rbefore you can find items in it.");
    RecountCounters(doc);
    if (NothingMarked(doc))
        return Refuse(prompter, PromptKind::Warning,
                      "There is nothing to find!  You must mark at least one\n\rovernight stay or "
                      "day visit with a "
                      "reason for there\n\rto be something to find.");
    return true;
}

bool CheckPrint(CalendarDocument& doc, bool currentMonthOnly, Prompter& prompter)
{
    if (!doc.HasCalendar())
        return Refuse(prompter, PromptKind::Error, "Error!  There is nothing to print!");
    RecountCounters(doc);
    if (NothingMarked(doc) &&
        prompter.Ask(
            PromptKind::Warning,
            currentMonthOnly
                ? QStringLiteral(
                      "No Overnight Stays or Day Visits are marked on your calendar.\n\rDo you "
                      "really want to print a blank calendar month?")
                : QStringLiteral(
                      "No Overnight Stays or Day Visits are marked on your calendar.\n\rDo you "
                      "really want to print a blank calendar?"),
            PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;
    if (InvalidClientName(doc) &&
        prompter.Ask(PromptKind::Confirmation,
                     QStringLiteral("Invalid Client name.  Print anyway?"),
                     PromptButtons::YesCancel) != PromptAnswer::Yes)
        return false;
    return true;
}

bool CheckCsvExport(CalendarDocument& doc, Prompter& prompter)
{
    if (!doc.HasCalendar())
        return Refuse(prompter, PromptKind::Error,
                      "Error!  You must create a calendar to convert to .csv format!");
    if (InvalidClientName(doc) &&
        prompter.Ask(PromptKind::Confirmation,
                     QStringLiteral("Invalid Client name.  Convert to .csv format anyway?"),
                     PromptButtons::YesCancel) != PromptAnswer::Yes)
        return false;
    RecountCounters(doc);
    if (NothingMarked(doc) &&
        prompter.Ask(
            PromptKind::Warning,
            QStringLiteral(
                "No Overnight Stays or Day Visits are marked on your calendar.\n\rDo you really "
                "want to create an empty calendar .csv file?"),
            PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;
    return true;
}

bool CheckDistributionReport(const CalendarDocument& doc, Prompter& prompter)
{
    if (!doc.HasCalendar())
        return Refuse(prompter, PromptKind::Error,
                      "Please create a calendar before showing a distribution report.");
    return true;
}

bool CheckTimeReport(CalendarDocument& doc, TimeReport report, Prompter& prompter,
                     const std::function<void()>& runDistribution,
                     const std::function<QString()>& uncountable)
{
    const bool quality = report == TimeReport::Quality;
    if (!doc.HasCalendar())
        return Refuse(prompter, PromptKind::Error,
                      quality ? "Please create a calendar before computing quality time."
                              : "Please create a calendar before computing Care Time.");
    auto storeTotals = [&doc] {
        RecountCounters(doc);
        doc.QTotOvernights = doc.BothYearsCounters.Overnights;
        doc.QTotDayVisits = doc.BothYearsCounters.DayVisits;
    };
    storeTotals();
    if (doc.QTotOvernights == 0 && doc.QTotDayVisits == 0)
        return Refuse(
            prompter, PromptKind::Error,
            quality
                ? "You must mark at least one overnight stay or\n\rone day visit on your calendar "
                  "before you can\n\rcreate a Quality Time report."
                : "You must mark at least one overnight stay or\n\rone day visit on your calendar "
                  "before you can\n\rcreate a Care Time report.");
    if (doc.DistributionStale) {
        const QString question =
            quality
                ? QStringLiteral("An Hourly Distribution Report must be ran before running\n\ra "
                                 "Quality Time report.\n\r\n\rWould you like to run an Hourly "
                                 "Distribution Report now?")
                : QStringLiteral("An Hourly Distribution Report must be ran before running\n\ra "
                                 "Care Time report.\n\r\n\rWould you like to run an Hourly "
                                 "Distribution Report now?");
        if (prompter.Ask(PromptKind::Confirmation, question, PromptButtons::YesNo) !=
            PromptAnswer::Yes)
            return Refuse(
                prompter, PromptKind::Information,
                quality ? "Quality Time Report aborted.  Try again after\n\rrunning an Hourly "
                          "Distribution Report."
                        : "Care Time Report aborted.  Try again after\n\rrunning an Hourly "
                          "Distribution "
                          "Report.");
        runDistribution();
    }
    if (uncountable)
        if (const QString refusal = uncountable(); !refusal.isEmpty())
            return Refuse(prompter, PromptKind::Error, refusal);
    if (doc.DistributionHadErrors &&
        prompter.Ask(
            PromptKind::Confirmation,
            quality ? QStringLiteral(
                          "The Hourly Distribution Report reported problems with\n\rtimes entered "
                          "on your calendar.  Quality Time results\n\rwill only be "
                          "approximate.\n\r\n\rDo you want to proceed to run Quality Time "
                          "anyhow?")
                    : QStringLiteral(
                          "The Hourly Distribution Report reported problems with\n\rtimes entered "
                          "on your calendar.  Care Time results\n\rwill only be "
                          "approximate.\n\r\n\rDo you want to proceed to run a Care Time report "
                          "anyhow?"),
            PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;
    storeTotals();
    return true;
}

bool CheckPreview(const CalendarDocument& doc, Prompter& prompter)
{
    if (!doc.HasCalendar())
        return Refuse(prompter, PromptKind::Error,
                      "You must build a year before you can preview it.");
    return true;
}

bool CheckPreferences(const CalendarDocument& doc, Prompter& prompter)
{
    if (!doc.HasCalendar())
        return Refuse(prompter, PromptKind::Error,
                      "You must create a Calendar before you can initialize\n\rit's settings.");
    return true;
}

QString ToggleStartWizard(bool& wizardOn, Prompter& prompter)
{
    wizardOn = !wizardOn;
    prompter.Ask(
        PromptKind::Information,
        wizardOn ? QStringLiteral(
                       "You have turned the Startup Wizard on.\n\rThe Startup Wizard will be on "
                       "whenever\n\ryou start the Calendar program.")
                 : QStringLiteral(
                       "You have turned the Startup Wizard off.\n\rThe Startup Wizard will be off "
                       "whenever\n\ryou start the Calendar program."),
        PromptButtons::Ok);
    return wizardOn ? QStringLiteral("Startup Wizard ON (Toggles)")
                    : QStringLiteral("Startup Wizard Off (Toggles)");
}

QStringList CustomListArguments(const CalendarDocument& doc)
{
    return {doc.UserYear, doc.SelUserMonth, doc.ClientName, doc.ClientFolder};
}

} // namespace custodex
