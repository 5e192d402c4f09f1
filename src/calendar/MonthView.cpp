#include "calendar/MonthView.h"

#include "platform/Prompter.h"

#include <algorithm>

namespace custodex {

namespace {

constexpr int RemovedTimeCapacity = 8;

void BlankCell(DayCell& cell)
{
    cell.Colour = White;
    cell.Caption.clear();
    cell.MonthName.clear();
    cell.Day = -1;
    cell.ShowsOvernight = false;
    cell.OvernightReason.clear();
    cell.ShowsDayVisit = false;
    cell.DayVisitReason.clear();
    cell.DayVisitReasonLabel.clear();
    cell.DayVisitTimesLabel.clear();
    cell.OvernightTimesLabel.clear();
    cell.OvernightReasonLabel.clear();
    cell.BarVisible = false;
}

QString OvernightRangeText(const QString& pickup, const QString& dropoff)
{
    return dropoff.contains(QLatin1Char('M')) ? RangeText(pickup, dropoff + QStringLiteral(" >"))
                                              : RangeText(pickup, dropoff);
}

void ShowOvernight(const CalendarDocument& doc, DayCell& cell, const CalendarDay& day)
{
    cell.ShowsOvernight = true;
    cell.OvernightReason = day.OvernightReason;
    cell.Colour =
        IsAnnotationReason(day.OvernightReason) ? doc.BackgroundColour : doc.OvernightColour;
    cell.OvernightReasonLabel = ReasonDisplayText(day.OvernightReason);
    cell.OvernightTimesLabel = OvernightRangeText(day.OvernightPickup, day.OvernightDropoff);
}

void HideOvernight(const CalendarDocument& doc, DayCell& cell)
{
    cell.ShowsOvernight = false;
    cell.OvernightReason.clear();
    cell.Colour = doc.BackgroundColour;
    cell.OvernightReasonLabel.clear();
    cell.OvernightTimesLabel.clear();
}

void ShowDayVisit(DayCell& cell, const CalendarDay& day)
{
    cell.ShowsDayVisit = true;
    cell.DayVisitReason = day.DayVisitReason;
    cell.BarVisible = !IsAnnotationReason(day.DayVisitReason);
    cell.DayVisitReasonLabel = ReasonDisplayText(day.DayVisitReason);
    cell.DayVisitTimesLabel = RangeText(day.DayVisitStart, day.DayVisitEnd);
}

void HideDayVisit(DayCell& cell)
{
    cell.ShowsDayVisit = false;
    cell.DayVisitReason.clear();
    cell.BarVisible = false;
    cell.DayVisitReasonLabel.clear();
    cell.DayVisitTimesLabel.clear();
}

void SyncShownMonth(CalendarDocument& doc)
{
    doc.ShowingFirstYear = doc.ShownMonthNumber <= 12;
    doc.ShownMonthIndex = (doc.StartMonthIndex + doc.ShownMonthNumber - 1) % 12;
}

DayMarkFields MarkOf(CalendarDay& day, MarkMode mode)
{
    return MarkFieldsOf(day, mode == MarkMode::Overnights);
}

void EditMark(CalendarDocument& doc, MonthView& view, DayCell& cell, int dayIndex,
              CellClickHost& host)
{
    CalendarDay& day = doc.Days[static_cast<std::size_t>(dayIndex)];
    const bool overnight = view.Mode == MarkMode::Overnights;
    ReasonList& defaults = overnight ? doc.OverniteReasons : doc.DayVisitReasons;
    const bool modifying = overnight ? cell.ShowsOvernight : cell.ShowsDayVisit;

    DayEditRequest request;
    request.OvernightMode = overnight;
    request.DayIndex = dayIndex;
    const QString kind = overnight ? QStringLiteral("Overnight") : QStringLiteral("Day Visit");
    request.Caption = (modifying ? QStringLiteral("Modifying ") : QStringLiteral("Entering ")) +
                      (overnight ? QStringLiteral("an ") : QStringLiteral("a ")) + kind +
                      QLatin1Char('.');
    request.Heading = (modifying ? QStringLiteral("Modifying ") : QStringLiteral("Setting ")) +
                      kind + QStringLiteral(" for ") + cell.WeekdayName + QStringLiteral(", ") +
                      cell.MonthName + QLatin1Char(' ') + QString::number(cell.Day);
    const DayMarkFields mark = MarkOf(day, view.Mode);
    QString reason;
    if (modifying) {
        reason = mark.Reason;
        request.Entry.Start = mark.Pickup;
        request.Entry.End = mark.Dropoff;
    }
    else {
        request.ReasonItems = defaults.Items;
        reason = defaults.Text;
        request.Entry.Start = overnight ? doc.OverNiteStrtTime : doc.DayVisitStrtTime;
        request.Entry.End = overnight ? doc.OverNiteEndTime : doc.DayVisitEndTime;
    }
    request.Entry.NoNap = reason.startsWith(NoNapPrefix);
    request.Entry.Reason = request.Entry.NoNap ? reason.mid(NoNapPrefix.size()) : reason;
    const QString before = mark.Reason;
    const bool wasMarked = mark.Has;

    if (!host.EditDay(request, cell.Number))
        return;

    QString text = request.Entry.Reason;
    if (!(text.isEmpty() && !request.Entry.NoNap)) {
        if (request.Entry.NoNap && !IsAnnotationReason(text))
            text.prepend(NoNapPrefix);
        text = CutText(text, TypedReasonCapacity);
        defaults.Text = text;
        AddReasonItem(defaults, text);
    }
    else {
        text = BlankReason;
    }
    mark.Has = true;
    mark.Pickup = request.Entry.Start;
    mark.Dropoff = request.Entry.End;
    mark.Reason = text;
    if (overnight)
        ShowOvernight(doc, cell, day);
    else
        ShowDayVisit(cell, day);
    const bool annotation = IsAnnotationReason(text);
    if ((!modifying && !annotation) ||
        (modifying && wasMarked && IsAnnotationReason(before) != annotation))
        doc.DistributionStale = true;
}

void RemoveOrRestore(CalendarDocument& doc, MonthView& view, DayCell& cell, int dayIndex)
{
    CalendarDay& day = doc.Days[static_cast<std::size_t>(dayIndex)];
    const bool overnight = view.Mode == MarkMode::Overnights;
    const DayMarkFields mark = MarkOf(day, view.Mode);
    RemovedMark& removed = overnight ? view.RemovedOvernight : view.RemovedDayVisit;
    const bool shown = overnight ? cell.ShowsOvernight : cell.ShowsDayVisit;
    const bool drawn = overnight ? cell.Colour == doc.OvernightColour : cell.BarVisible;
    const QString& cellReason = overnight ? cell.OvernightReason : cell.DayVisitReason;
    if (shown && (drawn || IsAnnotationReason(cellReason))) {
        removed = {dayIndex, CutText(mark.Reason, ReasonCapacity),
                   CutText(mark.Pickup, RemovedTimeCapacity),
                   CutText(mark.Dropoff, RemovedTimeCapacity)};
        if (overnight)
            HideOvernight(doc, cell);
        else
            HideDayVisit(cell);
        if (!IsAnnotationReason(mark.Reason))
            doc.DistributionStale = true;
        mark.Has = false;
        mark.Reason.clear();
        mark.Pickup = NoTimeText;
        mark.Dropoff = NoTimeText;
    }
    else if (!shown && removed.Day == dayIndex) {
        mark.Has = true;
        mark.Reason = removed.Reason;
        mark.Pickup = removed.First;
        mark.Dropoff = removed.Second;
        if (overnight)
            ShowOvernight(doc, cell, day);
        else
            ShowDayVisit(cell, day);
        if (!IsAnnotationReason(mark.Reason))
            doc.DistributionStale = true;
        removed = {};
    }
}

} // namespace

MonthView::MonthView()
{
    for (int i = 0; i < CellCount; ++i) {
        Cells[static_cast<std::size_t>(i)].Number = i + 1;
        Cells[static_cast<std::size_t>(i)].WeekdayName = DisplayWeekdayNames().at(i % 7);
    }
}

QString RangeText(const QString& first, const QString& second)
{
    const bool hasFirst = !first.isEmpty() && first != NoTimeText;
    const bool hasSecond =
        !second.isEmpty() && second != NoTimeText && second != NoTimeText + QStringLiteral(" >");
    const bool arrow = second.contains(QLatin1Char('>'));
    QString text;
    if (hasFirst && hasSecond)
        text = first + (arrow ? QStringLiteral(" - ") : QStringLiteral("  -  ")) + second;
    else if (hasSecond)
        text = QString(arrow ? 15 : 17, QLatin1Char(' ')) + second;
    else if (hasFirst)
        text = first;
    return CutText(text, 30);
}

QString ParentTitleText(const QString& title)
{
    const QString cut = CutText(title, 20);
    return cut.size() > 10 ? cut.left(12) + QStringLiteral("...") : cut;
}

std::array<QString, 8> ZeroCounterTexts()
{
    const QString zero = QStringLiteral("0");
    const QString percent = QStringLiteral("00.0%");
    return {zero, zero, percent, percent, zero, zero, percent, percent};
}

std::array<QString, 8> ShownCounterTexts(const CalendarDocument& doc, CounterChoice choice)
{
    if (!doc.HasCalendar())
        return ZeroCounterTexts();
    switch (choice) {
    case CounterChoice::FirstYear:
        return doc.FirstYearCounters.Texts;
    case CounterChoice::SecondYear:
        return doc.SecondYearCounters.Texts;
    case CounterChoice::BothYears:
        break;
    }
    return doc.BothYearsCounters.Texts;
}

bool ChooseCounters(CalendarDocument& doc, MonthView& view, CounterChoice choice,
                    Prompter& prompter)
{
    if (!doc.HasCalendar()) {
        prompter.Ask(
            PromptKind::Error,
            QStringLiteral("You must create a calendar before showing it's counters.\n\r(Enter "
                           "a Client Name, Beginning Year and Month and click Start)"),
            PromptButtons::Ok);
        return false;
    }
    view.Counters = choice;
    RecountCounters(doc);
    return true;
}

void BlankCells(MonthView& view)
{
    for (DayCell& cell : view.Cells) {
        BlankCell(cell);
        cell.Visible = true;
    }
    view.MonthLabel.clear();
}

int ShownMonthYear(const CalendarDocument& doc)
{
    return doc.FirstYearOfMonth[static_cast<std::size_t>(doc.ShownMonthIndex)] +
           (doc.ShowingFirstYear ? 0 : 1);
}

void DrawMonth(const CalendarDocument& doc, MonthView& view)
{
    if (!doc.HasCalendar()) {
        BlankCells(view);
        return;
    }
    const int monthIndex = doc.ShownMonthIndex;
    view.MonthLabel = DisplayMonthNames().at(monthIndex) + QStringLiteral("    ") +
                      QString::number(ShownMonthYear(doc));

    const auto count = static_cast<int>(doc.Days.size());
    int i = doc.ShowingFirstYear ? 0 : doc.SecondYearFirstDay;
    const QString key = MonthKeys().at(monthIndex);
    while (i < count && doc.Days[static_cast<std::size_t>(i)].MonthName.toUpper() != key)
        ++i;
    int cell = 0;
    if (i < count) {
        const QString weekday = doc.Days[static_cast<std::size_t>(i)].WeekdayName.toUpper();
        while (cell < CellCount &&
               view.Cells[static_cast<std::size_t>(cell)].WeekdayName.toUpper() != weekday) {
            BlankCell(view.Cells[static_cast<std::size_t>(cell)]);
            view.Cells[static_cast<std::size_t>(cell)].Visible = true;
            ++cell;
        }
    }
    for (; i < count && cell < CellCount &&
           doc.Days[static_cast<std::size_t>(i)].MonthName.toUpper() == key;
         ++i, ++cell) {
        const CalendarDay& day = doc.Days[static_cast<std::size_t>(i)];
        DayCell& target = view.Cells[static_cast<std::size_t>(cell)];
        BlankCell(target);
        if (day.HasOvernight)
            ShowOvernight(doc, target, day);
        else
            HideOvernight(doc, target);
        if (day.HasDayVisit)
            ShowDayVisit(target, day);
        target.Visible = true;
        target.MonthName = CutText(day.MonthName.toUpper(), MonthNameCapacity);
        target.Day = day.DayOfMonth;
        target.Caption = QString::number(day.DayOfMonth);
    }
    for (; cell < CellCount; ++cell) {
        BlankCell(view.Cells[static_cast<std::size_t>(cell)]);
        view.Cells[static_cast<std::size_t>(cell)].Visible = false;
    }
}

bool NextMonth(CalendarDocument& doc)
{
    if (!doc.HasCalendar() || doc.ShownMonthNumber >= MonthsInSpan)
        return false;
    ++doc.ShownMonthNumber;
    SyncShownMonth(doc);
    return true;
}

bool PrevMonth(CalendarDocument& doc)
{
    if (!doc.HasCalendar() || doc.ShownMonthNumber <= 1)
        return false;
    --doc.ShownMonthNumber;
    SyncShownMonth(doc);
    return true;
}

void GoToMonth(CalendarDocument& doc, int monthNumber)
{
    if (!doc.HasCalendar())
        return;
    doc.ShownMonthNumber = std::clamp(monthNumber, 1, MonthsInSpan);
    SyncShownMonth(doc);
}

void AddReasonItem(ReasonList& list, const QString& reason)
{
    for (const QString& item : list.Items)
        if (item.compare(reason, Qt::CaseInsensitive) == 0)
            return;
    const auto at = std::lower_bound(
        list.Items.begin(), list.Items.end(), reason,
        [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    list.Items.insert(at, reason);
}

int MonthNumberOfDay(const CalendarDocument& doc, int dayIndex)
{
    int month = 1;
    for (int k = 0; k < MonthsInSpan; ++k)
        if (doc.MonthTable[static_cast<std::size_t>(k)].FirstDay >= 0 &&
            doc.MonthTable[static_cast<std::size_t>(k)].FirstDay <= dayIndex)
            month = k + 1;
    return month;
}

namespace {

// First day and one past the last day of a month of the span (1..24).
std::pair<int, int> DaysOfMonth(const CalendarDocument& doc, int monthNumber)
{
    const int first = doc.MonthTable[static_cast<std::size_t>(monthNumber - 1)].FirstDay;
    const int end = monthNumber < MonthsInSpan
                        ? doc.MonthTable[static_cast<std::size_t>(monthNumber)].FirstDay
                        : static_cast<int>(doc.Days.size());
    return {first, end < 0 ? static_cast<int>(doc.Days.size()) : end};
}

} // namespace

int MoveGridCursor(const CalendarDocument& doc, int dayIndex, GridKey key)
{
    const int last = static_cast<int>(doc.Days.size()) - 1;
    if (last < 0)
        return -1;
    dayIndex = std::clamp(dayIndex, 0, last);
    const int month = MonthNumberOfDay(doc, dayIndex);
    const auto [first, end] = DaysOfMonth(doc, month);
    switch (key) {
    case GridKey::Left:
        return std::max(dayIndex - 1, 0);
    case GridKey::Right:
        return std::min(dayIndex + 1, last);
    case GridKey::Up:
        return std::max(dayIndex - 7, 0);
    case GridKey::Down:
        return std::min(dayIndex + 7, last);
    case GridKey::Home:
        return first;
    case GridKey::End:
        return end - 1;
    case GridKey::PageUp:
    case GridKey::PageDown: {
        const int target = std::clamp(month + (key == GridKey::PageUp ? -1 : 1), 1, MonthsInSpan);
        const auto [targetFirst, targetEnd] = DaysOfMonth(doc, target);
        return std::min(targetFirst + (dayIndex - first), targetEnd - 1);
    }
    }
    return dayIndex;
}

int CellOfDay(const CalendarDocument& doc, const MonthView& view, int dayIndex)
{
    if (dayIndex < 0 || dayIndex >= static_cast<int>(doc.Days.size()) ||
        MonthNumberOfDay(doc, dayIndex) != doc.ShownMonthNumber)
        return 0;
    const CalendarDay& day = doc.Days[static_cast<std::size_t>(dayIndex)];
    for (const DayCell& cell : view.Cells)
        if (cell.Day == day.DayOfMonth && !cell.Caption.isEmpty())
            return cell.Number;
    return 0;
}

int DayOfCell(const CalendarDocument& doc, const MonthView& view, int cellNumber)
{
    if (cellNumber < 1 || cellNumber > static_cast<int>(view.Cells.size()))
        return -1;
    const DayCell& cell = view.Cells[static_cast<std::size_t>(cellNumber - 1)];
    if (cell.Day < 1 || cell.Caption.isEmpty())
        return -1;
    return FindDay(doc, MonthIndexOf(cell.MonthName), doc.ShowingFirstYear, cell.Day);
}

QString DayAccessibleName(const CalendarDocument& doc, int dayIndex)
{
    if (dayIndex < 0 || dayIndex >= static_cast<int>(doc.Days.size()))
        return QString();
    const CalendarDay& day = doc.Days[static_cast<std::size_t>(dayIndex)];
    const int monthIndex = MonthIndexOf(day.MonthName);
    QString weekday = day.WeekdayName.toLower();
    if (!weekday.isEmpty())
        weekday[0] = weekday[0].toUpper();
    const QString date = weekday + QStringLiteral(", ") + DisplayMonthNames().value(monthIndex) +
                         QLatin1Char(' ') + QString::number(day.DayOfMonth) + QStringLiteral(", ") +
                         QString::number(YearOfDay(doc, dayIndex));
    auto mark = [](const QString& kind, const QString& reason, const QString& start,
                   const QString& end) {
        QString text = kind;
        if (!reason.trimmed().isEmpty())
            text += QStringLiteral(", ") + reason.trimmed();
        // A time not set reads "<None>" or, in a file of an older version, nothing.
        const bool from = !start.isEmpty() && start != NoTimeText;
        const bool to = !end.isEmpty() && end != NoTimeText;
        if (from && to)
            text += QStringLiteral(", ") + start + QStringLiteral(" to ") + end;
        else if (from)
            text += QStringLiteral(", ") + start;
        else if (to)
            text += QStringLiteral(", until ") + end;
        return text;
    };
    QStringList marks;
    if (day.HasOvernight)
        marks << mark(QStringLiteral("overnight"), day.OvernightReason, day.OvernightPickup,
                      day.OvernightDropoff);
    if (day.HasDayVisit)
        marks << mark(QStringLiteral("day visit"), day.DayVisitReason, day.DayVisitStart,
                      day.DayVisitEnd);
    return date + QStringLiteral(": ") +
           (marks.isEmpty() ? QStringLiteral("not marked") : marks.join(QStringLiteral("; ")));
}

void CellClicked(CalendarDocument& doc, MonthView& view, int cellNumber, CellButton button,
                 bool ctrlHeld, CellClickHost& host, Prompter& prompter)
{
    if (cellNumber < 1 || cellNumber > CellCount)
        return;
    DayCell& cell = view.Cells[static_cast<std::size_t>(cellNumber - 1)];
    if (cell.Caption.isEmpty() || button == CellButton::Other)
        return;
    if (host.ClientNameText().isEmpty()) {
        prompter.Ask(PromptKind::Error, QStringLiteral("A Client Name is a required entry."),
                     PromptButtons::Retry);
        host.FocusClientName();
        return;
    }
    if (!doc.HasCalendar()) {
        prompter.Ask(
            PromptKind::Error,
            QStringLiteral(
                "A calendar must be created.  Please click\n\rthe Start button to continue."),
            PromptButtons::Ok);
        host.FocusStartButton();
        return;
    }
    if (cell.Day < 1 || cell.Day > 31)
        return;
    const int dayIndex = FindDay(doc, MonthIndexOf(cell.MonthName), doc.ShowingFirstYear, cell.Day);
    if (dayIndex < 0)
        return;
    if (button == CellButton::Left && !ctrlHeld)
        EditMark(doc, view, cell, dayIndex, host);
    else
        RemoveOrRestore(doc, view, cell, dayIndex);
    RecountCounters(doc);
    doc.ChangesPending = true;
}

DayMenuMark DayMenuMarkFor(const CalendarDocument& doc, const MonthView& view, int dayIndex)
{
    if (dayIndex < 0 || dayIndex >= static_cast<int>(doc.Days.size()))
        return DayMenuMark::None;
    const bool overnights = view.Mode == MarkMode::Overnights;
    const CalendarDay& day = doc.Days[static_cast<std::size_t>(dayIndex)];
    if (overnights ? day.HasOvernight : day.HasDayVisit)
        return DayMenuMark::Remove;
    const RemovedMark& removed = overnights ? view.RemovedOvernight : view.RemovedDayVisit;
    return removed.Day == dayIndex ? DayMenuMark::Restore : DayMenuMark::None;
}

} // namespace custodex
