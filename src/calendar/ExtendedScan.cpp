#include "calendar/ExtendedScan.h"

#include "platform/Prompter.h"

namespace custodex {

bool IsExtendedCandidate(const CalendarDay& day, const CalendarDay& next)
{
    return day.HasOvernight && next.HasOvernight && !IsAnnotationReason(day.OvernightReason) &&
           !IsAnnotationReason(next.OvernightReason) &&
           (day.OvernightDropoff.contains(QLatin1Char('M')) ||
            next.OvernightPickup.contains(QLatin1Char('M')));
}

int ScanExtendedOvernights(CalendarDocument& doc, ExtendedScanHost& host, Prompter& prompter)
{
    if (!doc.HasCalendar()) {
        prompter.Ask(
            PromptKind::Error,
            QStringLiteral(
                "Error.  You must create a calendar beforeyou can scan it for possible extended "
                "overnights."),
            PromptButtons::Ok);
        return -1;
    }
    auto describe = [](const CalendarDay& day) {
        return day.MonthName + QLatin1Char(' ') + QString::number(day.DayOfMonth) +
               QStringLiteral(", Reason:  ") + day.OvernightReason;
    };
    int monthNumber = 0;
    QString previousMonth;
    ExtendedAnswer answer = ExtendedAnswer::No;
    bool answeredAll = false;
    int converted = 0;
    for (std::size_t i = 0; i + 1 < doc.Days.size(); ++i) {
        CalendarDay& day = doc.Days[i];
        CalendarDay& next = doc.Days[i + 1];
        if (monthNumber == 0 || day.MonthName.compare(previousMonth, Qt::CaseInsensitive) != 0)
            ++monthNumber;
        previousMonth = day.MonthName;
        if (!IsExtendedCandidate(day, next))
            continue;
        host.ShowMonth(monthNumber);
        if (!answeredAll) {
            answer = host.AskToConvert(QStringLiteral("Possible Extended Overnight found at:"),
                                       describe(day), describe(next));
            answeredAll = answer == ExtendedAnswer::All;
        }
        if (answer == ExtendedAnswer::Yes || answer == ExtendedAnswer::All) {
            day.OvernightDropoff = NoTimeText;
            next.OvernightPickup = NoTimeText;
            ++converted;
            host.ShowMonth(monthNumber);
        }
        if (answer == ExtendedAnswer::Cancel)
            break;
    }
    prompter.Ask(
        PromptKind::Information,
        QString::number(converted) +
            QStringLiteral(
                " Possible Extended Overnights were\n\rConverted to Definite Extended Overnights."),
        PromptButtons::Ok);
    if (converted > 0) {
        doc.DistributionStale = true;
        doc.ChangesPending = true; // the times changed; the user is asked to save at exit
    }
    return converted;
}

} // namespace custodex
