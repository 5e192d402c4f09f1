#include "calendar/PreferencesLogic.h"

#include "platform/Prompter.h"

namespace custodex {

QString Duration::Text() const
{
    return QStringLiteral("%1:%2")
        .arg(Hours, 2, 10, QLatin1Char('0'))
        .arg(Minutes, 2, 10, QLatin1Char('0'));
}

Duration DurationFromText(const QString& text, int limitHours)
{
    const int minutes = std::max(0, DurationMinutes(text));
    Duration duration{minutes / 60, minutes % 60, limitHours};
    if (duration.TotalMinutes() > limitHours * 60)
        duration = {limitHours, 0, limitHours};
    return duration;
}

void SpinDurationHours(Duration& d, bool up)
{
    const int L = d.LimitHours;
    if (up) {
        if (d.Hours == L - 1 && d.Minutes > 0)
            return;
        d.Hours = d.Hours == L ? 0 : d.Hours + 1;
    }
    else {
        if (d.Hours == 0 && d.Minutes > 0)
            return;
        d.Hours = d.Hours == 0 ? L : d.Hours - 1;
    }
}

void SpinDurationMinutes(Duration& d, bool up)
{
    if (d.Hours == d.LimitHours)
        return;
    if (up)
        d.Minutes = d.Minutes == 59 ? 0 : d.Minutes + 1;
    else
        d.Minutes = d.Minutes == 0 ? 59 : d.Minutes - 1;
}

namespace {

QString DurationHourRefusal(const Duration& d)
{
    return QStringLiteral("Invalid hour.  Must be a value from 0 to %1").arg(d.LimitHours);
}

QString DurationMinuteRefusal(const Duration& d)
{
    if (d.Hours == d.LimitHours)
        return QStringLiteral("Invalid Minute.  Must be 00 when the hours are %1")
            .arg(d.LimitHours);
    return QStringLiteral("Invalid Minute.  Must be a value from 0 to 59");
}

TypedKey TypeIntoDurationHours(Duration& d, DurationTyping& typing, QChar key)
{
    const TypedEntry entry = TypeIntoTime(typing.Typed, key, d.LimitHours * 60);
    const TypedTime& time = entry.Time;
    if (entry.Ignored)
        return {true, {}};
    if (time.Fault == TypedTimeFault::Hour)
        return {true, DurationHourRefusal(d)};
    if (time.Fault == TypedTimeFault::Minute) {
        Duration refused = d;
        refused.Hours = std::min(time.Hour, d.LimitHours);
        return {true, DurationMinuteRefusal(refused)};
    }
    d.Hours = time.Hour;
    d.Minutes = time.Minute;
    return {true, {}};
}

TypedKey TypeIntoDurationMinutes(Duration& d, DurationTyping& typing, QChar digit)
{
    const bool atLimit = d.Hours == d.LimitHours;
    const TypedDigit typed = TypeTimeDigit(typing.Typed, digit, atLimit ? 0 : 59);
    if (typed.Refused)
        return {true, DurationMinuteRefusal(d)};
    d.Minutes = typed.Value;
    return {true, {}};
}

} // namespace

TypedKey DurationKey(Duration& d, DurationTyping& typing, int key, const QString& text)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        typing.Typed.clear();
        if (typing.MinutesField)
            SpinDurationMinutes(d, key == Qt::Key_Up);
        else
            SpinDurationHours(d, key == Qt::Key_Up);
        return {true, {}};
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        typing.Typed.clear();
        const int next = NextQuarterHour(d.TotalMinutes(), key == Qt::Key_PageUp);
        if (next >= 0 && next <= d.LimitHours * 60) {
            d.Hours = next / 60;
            d.Minutes = next % 60;
        }
        return {true, {}};
    }
    default:
        break;
    }
    if (text.size() != 1)
        return {};
    const QChar typed = text.at(0) == QLatin1Char('.') ? QLatin1Char(':') : text.at(0);
    if (typed != QLatin1Char(':') && !IsTypedDigit(typed))
        return {};
    if (!typing.MinutesField)
        return TypeIntoDurationHours(d, typing, typed);
    if (typed == QLatin1Char(':'))
        return {true, {}};
    return TypeIntoDurationMinutes(d, typing, typed);
}

PreferencesValues LoadPreferences(const CalendarDocument& doc)
{
    PreferencesValues v;
    v.Author = doc.Author;
    v.Title = doc.Title;
    v.BackgroundColour = doc.BackgroundColour;
    v.OvernightColour = doc.OvernightColour;
    v.DayVisitColour = doc.DayVisitColour;
    v.OverNiteStrtTime = doc.OverNiteStrtTime;
    v.OverNiteEndTime = doc.OverNiteEndTime;
    v.DayVisitStrtTime = doc.DayVisitStrtTime;
    v.DayVisitEndTime = doc.DayVisitEndTime;
    v.CustodialName = doc.CustodialName.isEmpty() ? QStringLiteral("Custodial") : doc.CustodialName;
    v.NonCustodialName =
        doc.NonCustodialName.isEmpty() ? QStringLiteral("Non-Custodial") : doc.NonCustodialName;
    v.Overnight = DurationFromText(doc.OvernightHours, OvernightLimitHours);
    v.Sleep = DurationFromText(doc.SleepTime, SleepLimitHours);
    v.DayVisit = DurationFromText(doc.DayVisitHours, DayVisitLimitHours);
    v.Nap = DurationFromText(doc.NapTime, NapLimitHours);
    return v;
}

void RestoreColourDefaults(PreferencesValues& values)
{
    values.BackgroundColour = 0xFFFFFF;
    values.OvernightColour = 0xC0C0C0;
    values.DayVisitColour = 0;
}

namespace {

QString TitleForStoring(const QString& title)
{
    QString text = CutToUserCharacters(title, ParentNameCapacity);
    while (text.startsWith(QLatin1Char(' ')))
        text.remove(0, 1);
    return text;
}

} // namespace

PreferencesCheck ValidateAndStorePreferences(PreferencesValues& v, CalendarDocument& doc,
                                             Prompter& prompter)
{
    PreferencesCheck check;
    bool failed = false;
    v.CustodialName = TitleForStoring(v.CustodialName);
    v.NonCustodialName = TitleForStoring(v.NonCustodialName);
    if (v.NonCustodialName.trimmed().isEmpty()) {
        prompter.Ask(
            PromptKind::Error,
            QStringLiteral(
                "Error!  A non-custodial parent name is a required entry.\n\rPlease try again."),
            PromptButtons::Ok);
        failed = true;
    }
    if (v.CustodialName.trimmed().isEmpty()) {
        prompter.Ask(
            PromptKind::Error,
            QStringLiteral(
                "Error!  A custodial parent name is a required entry.\n\rPlease try again."),
            PromptButtons::Ok);
        failed = true;
    }
    const int overnight = v.Overnight.TotalMinutes();
    const int sleep = v.Sleep.TotalMinutes();
    const int dayVisit = v.DayVisit.TotalMinutes();
    const int nap = v.Nap.TotalMinutes();
    if (overnight < 720 &&
        prompter.Ask(PromptKind::Confirmation,
                     QStringLiteral("Notice:  Assumed Overnight Stay Time is less than 12 "
                                    "hours.\n\rContinue with this value?"),
                     PromptButtons::YesNo) != PromptAnswer::Yes) {
        failed = true;
        check.Focus = PreferencesFocus::OvernightHours;
    }
    if (!failed && overnight <= sleep) {
        prompter.Ask(
            PromptKind::Error,
            QStringLiteral(
                "Error: Assumed Overnight Stay Time is less than or equal to\n\rAssumed Overnight "
                "Sleep Time.  This error MUST be corrected!"),
            PromptButtons::Ok);
        failed = true;
        check.Focus = PreferencesFocus::OvernightHours;
    }
    if (!failed && dayVisit < 120 &&
        prompter.Ask(PromptKind::Confirmation,
                     QStringLiteral("Notice:  Assumed Day Visit Time is less than 2 "
                                    "Hours\n\rContinue with this value?"),
                     PromptButtons::YesNo) != PromptAnswer::Yes) {
        failed = true;
        check.Focus = PreferencesFocus::DayVisitHours;
    }
    if (!failed && dayVisit <= nap) {
        prompter.Ask(
            PromptKind::Error,
            QStringLiteral(
                "Error:  Assumed Day Visit Time is less than or equal to\n\rAssumed Day Visit Nap "
                "Time.  This error MUST be corrected!"),
            PromptButtons::Ok);
        failed = true;
        check.Focus = PreferencesFocus::DayVisitHours;
    }
    if (failed)
        return check;

    doc.Author = CutText(v.Author, AuthorCapacity);
    doc.Title = CutText(v.Title, TitleCapacity);
    doc.BackgroundColour = v.BackgroundColour;
    doc.OvernightColour = v.OvernightColour;
    doc.DayVisitColour = v.DayVisitColour;
    doc.OverNiteStrtTime = v.OverNiteStrtTime;
    doc.OverNiteEndTime = v.OverNiteEndTime;
    doc.DayVisitStrtTime = v.DayVisitStrtTime;
    doc.DayVisitEndTime = v.DayVisitEndTime;
    doc.CustodialName = v.CustodialName;
    doc.NonCustodialName = v.NonCustodialName;
    doc.OvernightHours = v.Overnight.Text();
    doc.SleepTime = v.Sleep.Text();
    doc.DayVisitHours = v.DayVisit.Text();
    doc.NapTime = v.Nap.Text();
    RecomputeDurationMinutes(doc);
    doc.ChangesPending = true;
    check.Stored = true;
    return check;
}

} // namespace custodex
