#include "holidays/HolidayApplication.h"

#include "calendar/TimeText.h"

namespace custodex {

namespace {

constexpr int DefaultTimeCapacity = 8;
constexpr int March = 2;
constexpr int April = 3;

DayMarkFields MarkOf(CalendarDay& day, ListKind kind)
{
    return MarkFieldsOf(day, kind == ListKind::Overnights);
}

ConstDayMarkFields MarkOf(const CalendarDay& day, ListKind kind)
{
    return MarkFieldsOf(day, kind == ListKind::Overnights);
}

const CalendarDay& DayAt(const CalendarDocument& doc, int index)
{
    return doc.Days[static_cast<std::size_t>(index)];
}

QString TitleCaseMonth(const CalendarDay& day)
{
    const int monthIndex = MonthIndexOf(day.MonthName);
    return monthIndex >= 0 ? DisplayMonthNames().at(monthIndex) : day.MonthName;
}

bool IsSameHoliday(const QString& reason, const QString& caption, Qt::CaseSensitivity cs)
{
    return reason.compare(caption, cs) == 0 || reason.compare(NoNapPrefix + caption, cs) == 0;
}

void Store(DayMarkFields fields, const QString& reason, const HolidayMark& mark)
{
    fields.Has = true;
    fields.Reason = CutText(reason, ReasonCapacity);
    fields.Pickup = CutText(mark.Pickup, TimeTextCapacity);
    fields.Dropoff = CutText(mark.Dropoff, TimeTextCapacity);
}

QString TimeErrorText(const QString& caption, DayVisitTimesCheck outcome)
{
    QString detail;
    switch (outcome) {
    case DayVisitTimesCheck::PickupNotBeforeDropoff:
        detail = QStringLiteral("When entering day visit times, the pickup time\n\rmust be "
                                "earlier than the dropoff Time.\n\rPlease try again.");
        break;
    case DayVisitTimesCheck::NotLongerThanNap:
        detail = QStringLiteral(
            "The total day visit time must be greater than\n\rthe day visit nap time.  You can "
            "either make the\n\rpickup time earlier, the dropoff time later,\n\rdecrease the day "
            "visit nap time found on the \n\rsettings form, or check the no nap check box "
            "if\n\rthe child will not be napping during this day visit.");
        break;
    case DayVisitTimesCheck::OnlyOneTimeGiven:
        detail = QStringLiteral("If you enter a Pickup (Dropoff) time for a day visit,\n\ryou "
                                "must also enter a Dropoff (Pickup) time.\n\rPlease try again.");
        break;
    case DayVisitTimesCheck::Acceptable:
        break;
    }
    return QStringLiteral("Error in times for holiday ") + caption + QStringLiteral("!\n\r") +
           detail;
}

HolidayMark MarkOfRow(const HolidayDefinition& holiday, const HolidayRowState& row)
{
    return {holiday.Caption, row.Ticked, row.NoNap, row.Pickup, row.Dropoff};
}

// Applies one non-Easter row; true when it counts as marked.
bool ApplyRuleRow(CalendarDocument& doc, const HolidayDialogState& state,
                  const HolidayDefinition& holiday, const HolidayRowState& row,
                  OverwriteQuestions& questions)
{
    const int day = FindRuleDay(doc, state.Year, holiday.Rule);
    if (day < 0)
        return false;
    const bool movedToFixedDate =
        holiday.Rule.Special == HolidaySpecial::LateMayBankHoliday && MayIn2002(doc, state.Year);
    const HolidayApplicationKind kind =
        holiday.Rule.Kind == HolidayRuleKind::FixedDate || movedToFixedDate
            ? HolidayApplicationKind::FixedDate
            : HolidayApplicationKind::Ordinary;
    return ApplyHoliday(doc, day, MarkOfRow(holiday, row), state.Kind,
                        TitleCaseMonth(DayAt(doc, day)), kind, questions);
}

// The first ticked row, in test order, whose day-visit times do not pass; 0 when all pass.
int FirstRowWithTimeError(const CalendarDocument& doc, const HolidayDialogState& state,
                          DayVisitTimesCheck& outcome)
{
    for (int number : state.Country->TestOrder) {
        const HolidayRowState& row = state.Rows.at(static_cast<std::size_t>(number - 1));
        if (!row.Ticked)
            continue;
        outcome = CheckDayVisitTimes(row.Pickup, row.Dropoff, row.NoNap, doc.NapMinutes);
        if (outcome != DayVisitTimesCheck::Acceptable)
            return number;
    }
    outcome = DayVisitTimesCheck::Acceptable;
    return 0;
}

} // namespace

HolidayRowState ScanHolidayRow(const CalendarDocument& doc, const HolidayDefinition& holiday,
                               const SelectedYear& year, ListKind kind,
                               const QString& defaultPickup, const QString& defaultDropoff)
{
    HolidayRowState row;
    row.Pickup = defaultPickup;
    row.Dropoff = defaultDropoff;
    row.Visible = HolidayRowVisible(doc, year, holiday);
    for (int i = year.First; i < year.End; ++i) {
        const ConstDayMarkFields mark = MarkOf(DayAt(doc, i), kind);
        if (!mark.Has || !IsSameHoliday(mark.Reason, holiday.Caption, Qt::CaseSensitive))
            continue;
        row.Ticked = true;
        row.Pickup = mark.Pickup;
        row.Dropoff = mark.Dropoff;
        row.FieldsWhite = true;
        row.NoNapEnabled = true;
        row.NoNap = mark.Reason.startsWith(NoNapPrefix);
    }
    return row;
}

bool HolidayRowVisible(const CalendarDocument& doc, const SelectedYear& year,
                       const HolidayDefinition& holiday)
{
    if (holiday.NeverShown)
        return false;
    if (holiday.Rule.Special == HolidaySpecial::GoldenJubilee)
        return JuneIn2002(doc, year);
    return true;
}

bool ApplyHoliday(CalendarDocument& doc, int dayIndex, const HolidayMark& mark, ListKind kind,
                  const QString& monthName, HolidayApplicationKind applicationKind,
                  OverwriteQuestions& questions)
{
    CalendarDay& day = doc.Days.at(static_cast<std::size_t>(dayIndex));
    const DayMarkFields fields = MarkOf(day, kind);
    const QString reason = mark.NoNap ? NoNapPrefix + mark.Caption : mark.Caption;
    const bool easter = applicationKind == HolidayApplicationKind::EasterBased;
    const bool same = fields.Has && IsSameHoliday(fields.Reason, mark.Caption, Qt::CaseInsensitive);

    if (!mark.Ticked) {
        if (!same)
            return false;
        fields.Has = false;
        fields.Reason.clear();
        fields.Pickup = NoTimeText;
        fields.Dropoff = NoTimeText;
        doc.ChangesPending = true;
        if (easter)
            doc.DistributionStale = true;
        return false;
    }
    if (!fields.Has) {
        Store(fields, reason, mark);
        doc.ChangesPending = true;
        if (easter)
            doc.DistributionStale = true;
        else
            AddKnownReason(doc, reason, kind);
        return true;
    }
    if (same) {
        Store(fields, reason, mark);
        doc.ChangesPending = true;
        return true;
    }
    const QString question = monthName + QStringLiteral(" ") + QString::number(day.DayOfMonth) +
                             QStringLiteral(" is set to ") + fields.Reason +
                             QStringLiteral(".\n\r") + QStringLiteral("Overwrite with ") +
                             mark.Caption + QStringLiteral("?");
    if (questions.AskOverwrite(question, OverwriteChoices::YesNo) != OverwriteAnswer::Yes)
        return false;
    const bool overwritesAnnotation = IsAnnotationReason(fields.Reason);
    Store(fields, reason, mark);
    doc.ChangesPending = true;
    if (overwritesAnnotation && (easter || (applicationKind == HolidayApplicationKind::FixedDate &&
                                            kind == ListKind::DayVisits)))
        doc.DistributionStale = true;
    if (!easter)
        AddKnownReason(doc, reason, kind);
    return true;
}

void AddKnownReason(CalendarDocument& doc, const QString& text, ListKind kind)
{
    QStringList& items =
        kind == ListKind::Overnights ? doc.OverniteReasons.Items : doc.DayVisitReasons.Items;
    if (!items.contains(text, Qt::CaseSensitive))
        items.append(text);
}

bool PlaceEasterHoliday(CalendarDocument& doc, const SelectedYear& year, const HolidayMark& mark,
                        ListKind kind, OverwriteQuestions& questions)
{
    const std::optional<EasterVariant> variant = EasterVariantOfCaption(mark.Caption);
    if (!variant)
        return false;
    int count = 0;
    bool marked = false;
    // April first, then March: the two differ in year only when the selected year starts in
    // April, and then Easter may fall in it twice or not at all.
    for (int monthIndex : {April, March}) {
        const int tableYear = YearOfMonth(doc, year, monthIndex);
        const std::optional<EasterTableEntry> date = EasterTableDate(*variant, tableYear);
        if (!date) {
            questions.Tell(PromptKind::Information,
                           QStringLiteral("Easter Calculation not supported for\n\rthe year ") +
                               QString::number(tableYear));
            continue;
        }
        if (date->MonthIndex != monthIndex)
            continue;
        const int day = FindFixedDay(doc, year, date->DayOfMonth, monthIndex);
        if (day < 0)
            continue;
        ++count;
        if (ApplyHoliday(doc, day, mark, kind, DisplayMonthNames().at(monthIndex),
                         HolidayApplicationKind::EasterBased, questions))
            marked = true;
    }
    if (!mark.Ticked)
        return false;
    if (count == 0) {
        questions.Tell(PromptKind::Warning, QStringLiteral("Warning!  There were no \"") +
                                                mark.Caption +
                                                QStringLiteral("\" holidays\n\rwithin your "
                                                               "yearly selected time period."));
        return false;
    }
    if (count == 2)
        questions.Tell(PromptKind::Warning, QStringLiteral("Warning!  There were two \"") +
                                                mark.Caption +
                                                QStringLiteral("\" holidays\n\rwithin your "
                                                               "yearly selected time period."));
    return marked;
}

HolidayDialogState OpenHolidayDialog(const CalendarDocument& doc, const HolidayCountry& country,
                                     ListKind kind)
{
    HolidayDialogState state;
    state.Country = &country;
    state.Kind = kind;
    state.Year = SelectYear(doc, false);
    const bool overnights = kind == ListKind::Overnights;
    state.DefaultPickup =
        CutText(overnights ? doc.OverNiteStrtTime : doc.DayVisitStrtTime, DefaultTimeCapacity);
    state.DefaultDropoff =
        CutText(overnights ? doc.OverNiteEndTime : doc.DayVisitEndTime, DefaultTimeCapacity);
    state.NothingPending = true;
    RebuildHolidayRows(doc, state);
    return state;
}

void SwitchHolidayPage(const CalendarDocument& doc, HolidayDialogState& state, bool secondYear)
{
    state.Year = SelectYear(doc, secondYear);
    RebuildHolidayRows(doc, state);
}

void RebuildHolidayRows(const CalendarDocument& doc, HolidayDialogState& state)
{
    state.Rows.clear();
    for (const HolidayDefinition& holiday : state.Country->Rows)
        state.Rows.push_back(ScanHolidayRow(doc, holiday, state.Year, state.Kind,
                                            state.DefaultPickup, state.DefaultDropoff));
}

HolidayApplyResult ApplyHolidays(CalendarDocument& doc, HolidayDialogState& state,
                                 OverwriteQuestions& questions)
{
    const HolidayCountry& country = *state.Country;
    if (state.Kind == ListKind::DayVisits) {
        DayVisitTimesCheck outcome = DayVisitTimesCheck::Acceptable;
        const int failing = FirstRowWithTimeError(doc, state, outcome);
        state.TimeCheckOutcome = static_cast<int>(outcome);
        if (failing > 0) {
            questions.Tell(
                PromptKind::Error,
                TimeErrorText(country.Rows.at(static_cast<std::size_t>(failing - 1)).Caption,
                              outcome));
            return {false, failing};
        }
    }

    TakeSnapshot(doc, SnapshotKind::Undo);
    for (int number : country.ApplyOrder) {
        const auto index = static_cast<std::size_t>(number - 1);
        const HolidayDefinition& holiday = country.Rows.at(index);
        HolidayRowState& row = state.Rows.at(index);
        bool marked = false;
        if (holiday.Rule.Kind == HolidayRuleKind::EasterBased) {
            marked =
                PlaceEasterHoliday(doc, state.Year, MarkOfRow(holiday, row), state.Kind, questions);
            if (marked)
                AddKnownReason(doc, holiday.Caption, state.Kind);
        }
        else if (holiday.Rule.Special == HolidaySpecial::GoldenJubilee) {
            if (!JuneIn2002(doc, state.Year))
                continue;
            marked = ApplyRuleRow(doc, state, holiday, row, questions);
            if (!MayIn2002(doc, state.Year))
                questions.Tell(
                    PromptKind::Information,
                    QStringLiteral("Notice... Because you have started the year in June, May "
                                   "falls\n\rin year 2003 and, if you wish to mark June 4th as "
                                   "a holiday, you\n\rwill need to do so manually."));
        }
        else {
            marked = ApplyRuleRow(doc, state, holiday, row, questions);
        }
        if (!marked)
            row.Ticked = false;
        if (holiday.Rule.Special == HolidaySpecial::LateMayBankHoliday &&
            MayIn2002(doc, state.Year) && row.Ticked)
            questions.Tell(
                PromptKind::Information,
                QStringLiteral("Notice... Due to Queen Elizabeth II's Golden Jubilee, "
                               "holiday\n\r\"") +
                    holiday.Caption +
                    QStringLiteral("\"  is being moved to June 4th (in year 2002 only)."));
    }
    RecountCounters(doc);
    RebuildHolidayRows(doc, state);
    state.NothingPending = false;
    ++doc.AppliedChangeCount;
    return {true, -1};
}

QString HolidayWindowCaption(ListKind kind)
{
    return kind == ListKind::Overnights ? QStringLiteral("Add/Remove OverNight Holidays")
                                        : QStringLiteral("Add/Remove Day Visit Holidays");
}

QString HolidayTabCaption(const CalendarDocument& doc, bool secondYear)
{
    const QString year =
        secondYear ? QString::number(doc.UserYear.trimmed().toInt() + 1) : doc.UserYear;
    return QStringLiteral("Begins ") + doc.SelUserMonth + QStringLiteral(" ") + year;
}

QString HolidaySelectedYearLabel(const CalendarDocument& doc, bool secondYear, bool onOpening)
{
    if (onOpening)
        return QStringLiteral("First Year Begins in ") + doc.SelUserMonth + QStringLiteral(" ") +
               doc.UserYear;
    if (secondYear)
        return QStringLiteral("Second Year Begins in ") + doc.SelUserMonth +
               QStringLiteral(" of ") + QString::number(doc.UserYear.trimmed().toInt() + 1);
    return QStringLiteral("First Year Begins in ") + doc.SelUserMonth + QStringLiteral(" of ") +
           doc.UserYear;
}

} // namespace custodex
