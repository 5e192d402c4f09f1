#include "patterns/DateRange.h"

#include <QDate>

#include <optional>

namespace custodex {

namespace {

// A date as one comparable number.
int DateKey(int year, int monthIndex, int dayOfMonth)
{
    return year * 10000 + (monthIndex + 1) * 100 + dayOfMonth;
}

int DayKey(const CalendarDocument& doc, int index)
{
    const CalendarDay& day = doc.Days[static_cast<std::size_t>(index)];
    return DateKey(YearOfDay(doc, index), MonthIndexOf(day.MonthName), day.DayOfMonth);
}

int LastIndex(const CalendarDocument& doc)
{
    return static_cast<int>(doc.Days.size()) - 1;
}

// The item that matches the entry ignoring case, if any.
std::optional<QString> MatchingItem(const QStringList& items, const QString& entry)
{
    for (const QString& item : items)
        if (item.compare(entry, Qt::CaseInsensitive) == 0)
            return item;
    return std::nullopt;
}

QStringList NumberItems(int first, int last)
{
    QStringList items;
    for (int n = first; n <= last; ++n)
        items << QString::number(n);
    return items;
}

// The key of a side's entries, or nothing when they do not name a month, day and year.
std::optional<int> EntryKey(const DateRangeSide& side)
{
    const int monthIndex = MonthIndexOf(side.Month);
    bool dayOk = false;
    bool yearOk = false;
    const int day = side.Day.toInt(&dayOk);
    const int year = side.Year.toInt(&yearOk);
    if (monthIndex < 0 || !dayOk || !yearOk)
        return std::nullopt;
    return DateKey(year, monthIndex, day);
}

// The days are in date order, so a date is found by halving: a template of thousands of
// entries looked each one up day by day.
int FirstIndexOnOrAfter(const CalendarDocument& doc, int key)
{
    int low = 0;
    int high = LastIndex(doc) + 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (DayKey(doc, middle) < key)
            low = middle + 1;
        else
            high = middle;
    }
    return low <= LastIndex(doc) ? low : -1;
}

int LastIndexOnOrBefore(const CalendarDocument& doc, int key)
{
    const int after = FirstIndexOnOrAfter(doc, key + 1);
    return after < 0 ? LastIndex(doc) : after - 1;
}

const QString TryAgain = QStringLiteral("Please correct and try again.");

QString DateText(const DateRangeSide& side)
{
    return side.Month + QStringLiteral(" ") + side.Day + QStringLiteral(", ") + side.Year;
}

DateRangeCheck Failure(RangeField focus, const QString& message)
{
    DateRangeCheck check;
    check.Focus = focus;
    check.Message = message;
    return check;
}

} // namespace

bool DateRangeFilled(const DateRangeBlock& block)
{
    return !block.Start.Month.isEmpty();
}

void ClearDateRange(DateRangeBlock& block)
{
    block = DateRangeBlock{};
}

int DaysInMonthOf(int monthIndex, int year)
{
    for (int day = 31; day > 28; --day)
        if (QDate(year, monthIndex + 1, day).isValid())
            return day;
    return 28;
}

void FillDateRange(const CalendarDocument& doc, DateRangeBlock& block)
{
    block = DateRangeBlock{};
    if (!doc.HasCalendar())
        return;
    QStringList months;
    for (int k = 0; k < 12; ++k)
        months << DisplayMonthNames().at((doc.StartMonthIndex + k) % 12);
    const int startYear = doc.StartYearText.toInt();
    const int endYear = doc.EndYearText.toInt();
    const QStringList years = NumberItems(startYear, endYear);
    const CalendarDay& lastDay = doc.Days.back();
    block.CalendarLastDay = lastDay.DayOfMonth;

    block.Start.Months = months;
    block.Start.Years = years;
    block.Start.Month = months.first();
    block.Start.Year = doc.StartYearText;
    block.Start.Days = NumberItems(1, DaysInMonthOf(doc.StartMonthIndex, startYear));
    block.Start.Day = QStringLiteral("1");

    block.End.Months = months;
    block.End.Years = years;
    block.End.Month = months.last();
    block.End.Year = doc.EndYearText;
    block.End.Days = NumberItems(1, block.CalendarLastDay);
    block.End.Day = QString::number(block.CalendarLastDay);
}

bool DateRangeSideChanged(DateRangeSide& side)
{
    const std::optional<QString> month = MatchingItem(side.Months, side.Month);
    const std::optional<QString> day = MatchingItem(side.Days, side.Day);
    const std::optional<QString> year = MatchingItem(side.Years, side.Year);
    if (!month || !day || !year)
        return false;
    side.Month = *month;
    side.Day = *day;
    side.Year = *year;
    const int last = DaysInMonthOf(MonthIndexOf(*month), year->toInt());
    side.Days = NumberItems(1, last);
    if (side.Day.toInt() > last)
        side.Day = QString::number(last);
    return true;
}

void ChooseRangeDate(DateRangeSide& side, int year, int monthIndex, int dayOfMonth)
{
    side.Month = monthIndex >= 0 && monthIndex < 12 ? DisplayMonthNames().at(monthIndex)
                                                    : QString::number(monthIndex + 1);
    side.Year = QString::number(year);
    side.Day = QStringLiteral("1");
    DateRangeSideChanged(side);
    side.Day = QString::number(dayOfMonth);
}

DateRangeCheck CheckDateRange(const CalendarDocument& doc, const DateRangeBlock& block)
{
    if (!doc.HasCalendar())
        return Failure(RangeField::StartMonth, QString());
    const struct {
        const QString& Entry;
        const QStringList& Items;
        RangeField Field;
        const char* Name;
    } entries[] = {
        {block.Start.Month, block.Start.Months, RangeField::StartMonth, "\"Start On\" month."},
        {block.Start.Day, block.Start.Days, RangeField::StartDay, "\"Start On\" day."},
        {block.Start.Year, block.Start.Years, RangeField::StartYear, "\"Start On\" year."},
        {block.End.Month, block.End.Months, RangeField::EndMonth, "\"End Before\" month."},
        {block.End.Day, block.End.Days, RangeField::EndDay, "\"End Before\" day."},
        {block.End.Year, block.End.Years, RangeField::EndYear, "\"End Before\" year."},
    };
    for (const auto& entry : entries)
        if (!MatchingItem(entry.Items, entry.Entry))
            return Failure(entry.Field, QStringLiteral("Invalid entry \"") + entry.Entry.left(25) +
                                            QStringLiteral("\" found in ") +
                                            QLatin1String(entry.Name) + QStringLiteral("\n\r") +
                                            TryAgain);

    const std::optional<int> start = EntryKey(block.Start);
    const std::optional<int> end = EntryKey(block.End);
    if (!start)
        return Failure(RangeField::StartMonth, QString());
    if (!end)
        return Failure(RangeField::EndMonth, QString());
    const QString firstMonth = DisplayMonthNames().at(doc.StartMonthIndex);
    if (*start < DayKey(doc, 0))
        return Failure(RangeField::StartMonth,
                       QStringLiteral("Your \"Start ON...\" Date of ") + DateText(block.Start) +
                           QStringLiteral(" comes before") + QStringLiteral("\n\r") +
                           QStringLiteral("the beginning of your calendar, ") + firstMonth +
                           QStringLiteral(" ") + QStringLiteral("1") + QStringLiteral(", ") +
                           doc.StartYearText + QStringLiteral(".") + QStringLiteral("\n\r") +
                           TryAgain);
    if (*end > DayKey(doc, LastIndex(doc))) {
        const int lastMonth = MonthIndexOf(doc.Days.back().MonthName);
        return Failure(RangeField::EndMonth,
                       QStringLiteral("Your \"End Before...\" Date of ") + DateText(block.End) +
                           QStringLiteral(" comes after") + QStringLiteral("\n\r") +
                           QStringLiteral("the ending of your calendar, ") +
                           DisplayMonthNames().at(lastMonth) + QStringLiteral(" ") +
                           QString::number(block.CalendarLastDay) + QStringLiteral(", ") +
                           doc.EndYearText + QStringLiteral(".") + QStringLiteral("\n\r") +
                           TryAgain);
    }
    if (*start > *end)
        return Failure(RangeField::StartMonth,
                       QStringLiteral("Your \"Start ON...\" Date of ") + DateText(block.Start) +
                           QStringLiteral(" comes after") + QStringLiteral("\n\r") +
                           QStringLiteral("your \"End Before...\" date of ") + DateText(block.End) +
                           QStringLiteral(".") + QStringLiteral("\n\r") + TryAgain);

    DateRangeCheck check;
    check.Ok = true;
    check.First = FirstIndexOnOrAfter(doc, *start);
    check.Last = LastIndexOnOrBefore(doc, *end);
    // A day beyond its month (a day list not yet refilled) names no day of the calendar.
    if (check.First < 0 || check.Last < check.First)
        return Failure(RangeField::StartDay, QStringLiteral("Invalid entry \"") + block.Start.Day +
                                                 QStringLiteral("\" found in \"Start On\" day.") +
                                                 QStringLiteral("\n\r") + TryAgain);
    return check;
}

DayIndexRange RemoveDayRange(const CalendarDocument& doc, const DateRangeBlock& block)
{
    DayIndexRange range;
    const std::optional<int> start = EntryKey(block.Start);
    const std::optional<int> end = EntryKey(block.End);
    if (!doc.HasCalendar() || !start || !end)
        return range;
    range.First = FirstIndexOnOrAfter(doc, *start);
    if (range.First < 0)
        return range;
    range.Last = std::max(range.First, LastIndexOnOrBefore(doc, *end));
    return range;
}

int DayIndexOfDate(const CalendarDocument& doc, int year, int monthIndex, int dayOfMonth)
{
    const int key = DateKey(year, monthIndex, dayOfMonth);
    const int index = FirstIndexOnOrAfter(doc, key);
    return index >= 0 && DayKey(doc, index) == key ? index : -1;
}

} // namespace custodex
