#include "calendar/CalendarModel.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace custodex {

QStringView CutView(QStringView text, int capacity)
{
    if (text.size() <= capacity)
        return text;
    int keep = capacity;
    if (keep > 0 && text.at(keep - 1).isHighSurrogate())
        --keep;
    return text.left(keep);
}

QString CutText(const QString& text, int capacity)
{
    return text.left(CutView(text, capacity).size());
}

int UserCharacterCount(const QString& text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

QString CutToUserCharacters(const QString& text, int capacity)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    for (int count = 0; count < capacity; ++count) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0)
            break;
        end = next;
    }
    return text.left(end);
}

const QStringList& DisplayMonthNames()
{
    static const QStringList names{
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    return names;
}

const QStringList& MonthKeys()
{
    static const QStringList keys = [] {
        QStringList upper;
        for (const QString& name : DisplayMonthNames())
            upper << name.toUpper();
        return upper;
    }();
    return keys;
}

const QStringList& DisplayWeekdayNames()
{
    static const QStringList names{QStringLiteral("Sunday"),   QStringLiteral("Monday"),
                                   QStringLiteral("Tuesday"),  QStringLiteral("Wednesday"),
                                   QStringLiteral("Thursday"), QStringLiteral("Friday"),
                                   QStringLiteral("Saturday")};
    return names;
}

const QStringList& WeekdayKeys()
{
    static const QStringList keys = [] {
        QStringList upper;
        for (const QString& name : DisplayWeekdayNames())
            upper << name.toUpper();
        return upper;
    }();
    return keys;
}

int MonthIndexOf(const QString& monthName)
{
    return static_cast<int>(MonthKeys().indexOf(monthName.toUpper()));
}

namespace {

bool IsLeapYear(long long year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(long long year, int monthIndex)
{
    static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (monthIndex == 1 && IsLeapYear(year))
        return 29;
    return lengths[monthIndex];
}

// Weekday of 1 January as an index into WeekdayKeys (0 = SUNDAY).
int WeekdayOfFirstJanuary(long long year)
{
    const long long c = year - 1;
    const long long n = c * 365 + c / 4 - c / 100 + c / 400;
    const long long mondayBased = ((n % 7) + 7) % 7; // 0 = MONDAY
    return static_cast<int>((mondayBased + 1) % 7);
}

CalendarDay NewDay(int dayOfMonth, int monthIndex, int weekdayIndex)
{
    CalendarDay day;
    day.DayOfMonth = dayOfMonth;
    day.MonthName = DisplayMonthNames().at(monthIndex);
    day.WeekdayName = WeekdayKeys().at(weekdayIndex);
    return day;
}

} // namespace

int YearFromYearText(const QString& yearText)
{
    // Unsigned arithmetic: the digits are not checked, and junk must not overflow.
    std::uint32_t value = 0;
    const QString digits = yearText.mid(yearText.lastIndexOf(QLatin1Char('/')) + 1);
    for (QChar ch : digits)
        value = value * 10u + static_cast<std::uint32_t>(ch.unicode() - u'0');
    auto year = static_cast<std::int32_t>(value);
    if (year < 100)
        year += 2000;
    return year;
}

DayList BuildYear(const QString& yearText, int startMonthIndex)
{
    const long long year = YearFromYearText(yearText);
    startMonthIndex = std::clamp(startMonthIndex, 0, 11);

    // Weekday of the first day of the start month, counted on from 1 January.
    int weekday = WeekdayOfFirstJanuary(year);
    for (int m = 0; m < startMonthIndex; ++m)
        weekday = (weekday + DaysInMonth(year, m)) % 7;

    DayList days;
    days.reserve(366);
    for (int k = 0; k < 12; ++k) {
        const int monthIndex = (startMonthIndex + k) % 12;
        const long long monthYear = year + (startMonthIndex + k) / 12;
        const int length = DaysInMonth(monthYear, monthIndex);
        for (int d = 1; d <= length; ++d) {
            days.push_back(NewDay(d, monthIndex, weekday));
            weekday = (weekday + 1) % 7;
        }
    }
    return days;
}

void BuildSpan(CalendarDocument& doc, int startMonthIndex, int startYear)
{
    DayList first = BuildYear(QStringLiteral("/") + QString::number(startYear), startMonthIndex);
    DayList second =
        BuildYear(QStringLiteral("/") + QString::number(startYear + 1), startMonthIndex);
    doc.SecondYearFirstDay = static_cast<int>(first.size());
    first.insert(first.end(), second.begin(), second.end());
    doc.Days = std::move(first);
    doc.DayCount = static_cast<int>(doc.Days.size());
    doc.StartMonthIndex = std::clamp(startMonthIndex, 0, 11);
    doc.StartYear = startYear;
    doc.ShownMonthIndex = doc.StartMonthIndex;
    doc.ShowingFirstYear = true;
    doc.ShownMonthNumber = 1;
    BuildMonthTables(doc);
}

void BuildMonthTables(CalendarDocument& doc)
{
    doc.MonthTable = {};
    doc.FirstYearOfMonth = {};
    doc.MonthButtonCaptions = {};
    int month = -1;
    int year = doc.StartYear;
    QString previousKey;
    for (int i = 0; i < static_cast<int>(doc.Days.size()); ++i) {
        const QString& name = doc.Days[static_cast<std::size_t>(i)].MonthName;
        // A day named exactly as the day before stays in its month without upper-casing.
        if (month >= 0 && name == doc.Days[static_cast<std::size_t>(i) - 1].MonthName)
            continue;
        const QString key = name.toUpper();
        if (month >= 0 && key == previousKey)
            continue;
        if (month + 1 >= MonthsInSpan)
            break;
        ++month;
        if (month > 0 && key == MonthKeys().at(0))
            ++year;
        previousKey = key;
        MonthTableEntry& entry = doc.MonthTable[static_cast<std::size_t>(month)];
        entry.FirstDay = i;
        entry.Year = year;
        entry.MonthName =
            CutText(doc.Days[static_cast<std::size_t>(i)].MonthName, MonthTableNameCapacity);
        if (month < 12) {
            const int monthIndex = MonthIndexOf(key);
            const QString display =
                monthIndex >= 0 ? DisplayMonthNames().at(monthIndex) : entry.MonthName;
            if (monthIndex >= 0)
                doc.FirstYearOfMonth[static_cast<std::size_t>(monthIndex)] = year;
            doc.MonthButtonCaptions[static_cast<std::size_t>(month)] =
                QString::number(year) + QStringLiteral("  ") + display;
            doc.MonthButtonCaptions[static_cast<std::size_t>(month + 12)] =
                QString::number(year + 1) + QStringLiteral("  ") + display;
        }
    }
    doc.StartYearText = CutText(QString::number(doc.StartYear), YearTextCapacity);
    const bool startsInJanuary =
        !doc.Days.empty() && doc.Days.front().MonthName.toUpper() == MonthKeys().at(0);
    doc.EndYearText =
        CutText(QString::number(doc.StartYear + (startsInJanuary ? 1 : 2)), YearTextCapacity);
}

int FindDay(const CalendarDocument& doc, int monthIndex, bool inFirstYear, int dayOfMonth)
{
    if (monthIndex < 0 || monthIndex > 11)
        return -1;
    const QString key = MonthKeys().at(monthIndex);
    const auto count = static_cast<int>(doc.Days.size());
    auto nameAt = [&](int i) { return doc.Days[static_cast<std::size_t>(i)].MonthName.toUpper(); };
    int i = 0;
    while (i < count && nameAt(i) != key)
        ++i;
    if (!inFirstYear) {
        while (i < count && nameAt(i) == key)
            ++i;
        while (i < count && nameAt(i) != key)
            ++i;
    }
    while (i < count && doc.Days[static_cast<std::size_t>(i)].DayOfMonth != dayOfMonth)
        ++i;
    return i < count ? i : -1;
}

int YearOfDay(const CalendarDocument& doc, int dayIndex)
{
    for (int m = MonthsInSpan - 1; m >= 0; --m) {
        const MonthTableEntry& entry = doc.MonthTable[static_cast<std::size_t>(m)];
        if (entry.FirstDay >= 0 && entry.FirstDay <= dayIndex)
            return entry.Year;
    }
    return doc.StartYear;
}

bool IsAnnotationReason(const QString& reason)
{
    return reason.startsWith(QLatin1Char('*'));
}

namespace {

void CountRange(const CalendarDocument& doc, int from, int to, CounterSet& set)
{
    for (int i = from; i < to; ++i) {
        const CalendarDay& day = doc.Days[static_cast<std::size_t>(i)];
        ++set.Days;
        if (day.HasOvernight && !IsAnnotationReason(day.OvernightReason))
            ++set.Overnights;
        if (day.HasDayVisit && !IsAnnotationReason(day.DayVisitReason))
            ++set.DayVisits;
    }
}

void FillTexts(CounterSet& set)
{
    set.CustodialOvernights = set.Days - set.Overnights;
    set.CustodialDayVisits = set.Days - set.DayVisits;
    auto percent = [&](int count) {
        return set.Days > 0 ? PercentText(count, set.Days) : QString();
    };
    set.Texts = {QString::number(set.Overnights), QString::number(set.CustodialOvernights),
                 percent(set.Overnights),         percent(set.CustodialOvernights),
                 QString::number(set.DayVisits),  QString::number(set.CustodialDayVisits),
                 percent(set.DayVisits),          percent(set.CustodialDayVisits)};
}

} // namespace

void RecountCounters(CalendarDocument& doc)
{
    doc.FirstYearCounters = {};
    doc.SecondYearCounters = {};
    doc.BothYearsCounters = {};
    const auto count = static_cast<int>(doc.Days.size());
    const int boundary =
        doc.SecondYearFirstDay < 0 ? count : std::min(doc.SecondYearFirstDay, count);
    CountRange(doc, 0, boundary, doc.FirstYearCounters);
    CountRange(doc, boundary, count, doc.SecondYearCounters);
    FillTexts(doc.FirstYearCounters);
    FillTexts(doc.SecondYearCounters);
    CounterSet& both = doc.BothYearsCounters;
    both.Days = doc.FirstYearCounters.Days + doc.SecondYearCounters.Days;
    both.Overnights = doc.FirstYearCounters.Overnights + doc.SecondYearCounters.Overnights;
    both.DayVisits = doc.FirstYearCounters.DayVisits + doc.SecondYearCounters.DayVisits;
    FillTexts(both);
}

QString PercentText(int count, int days)
{
    if (days <= 0)
        return QString();
    const long long q = static_cast<long long>(count) * 10000 / days;
    long long whole = q / 100;
    const long long hundredths = q % 100;
    long long tenth = hundredths / 10;
    if (hundredths % 10 >= 5) {
        tenth = hundredths / 10 + 1;
        if (tenth == 10) {
            ++whole;
            tenth = 0;
        }
    }
    QString text;
    if (whole == 0)
        text = QStringLiteral("00.");
    else if (whole < 10)
        text = QStringLiteral("0") + QString::number(whole) + QLatin1Char('.');
    else
        text = QString::number(whole) + QLatin1Char('.');
    return text + QString::number(tenth) + QLatin1Char('%');
}

QString ReasonDisplayText(const QString& reason)
{
    QString text = reason;
    const bool hadNoNap = text.startsWith(NoNapPrefix);
    if (hadNoNap)
        text.remove(0, NoNapPrefix.size());
    if (text.startsWith(QStringLiteral("Even ")))
        text.remove(0, 5);
    else if (text.startsWith(QStringLiteral("Odd ")) || text.startsWith(QStringLiteral("All ")))
        text.remove(0, 4);
    return hadNoNap ? NoNapPrefix + text : text;
}

DayMarkFields MarkFieldsOf(CalendarDay& day, bool overnight)
{
    if (overnight)
        return {day.HasOvernight, day.OvernightReason, day.OvernightPickup, day.OvernightDropoff};
    return {day.HasDayVisit, day.DayVisitReason, day.DayVisitStart, day.DayVisitEnd};
}

ConstDayMarkFields MarkFieldsOf(const CalendarDay& day, bool overnight)
{
    if (overnight)
        return {day.HasOvernight, day.OvernightReason, day.OvernightPickup, day.OvernightDropoff};
    return {day.HasDayVisit, day.DayVisitReason, day.DayVisitStart, day.DayVisitEnd};
}

void TakeSnapshot(CalendarDocument& doc, SnapshotKind kind)
{
    if (kind == SnapshotKind::Undo && doc.BeforeBulkRun)
        doc.BeforeBulkRun();
    (kind == SnapshotKind::Entry ? doc.EntrySnapshot : doc.UndoSnapshot) = doc.Days;
}

void RestoreSnapshot(CalendarDocument& doc, SnapshotKind kind)
{
    const DayList& copy = kind == SnapshotKind::Entry ? doc.EntrySnapshot : doc.UndoSnapshot;
    const std::size_t n = std::min(copy.size(), doc.Days.size());
    std::copy(copy.begin(), copy.begin() + static_cast<std::ptrdiff_t>(n), doc.Days.begin());
}

void ClearCalendar(CalendarDocument& doc)
{
    doc.Days.clear();
    doc.SecondYearFirstDay = -1;
    doc.DayCount = 0;
    doc.MonthTable = {};
    doc.FirstYearOfMonth = {};
    doc.MonthButtonCaptions = {};
}

void ResetSettingsToDefaults(CalendarDocument& doc)
{
    const CalendarDocument defaults;
    doc.BackgroundColour = defaults.BackgroundColour;
    doc.DayVisitColour = defaults.DayVisitColour;
    doc.OvernightColour = defaults.OvernightColour;
    doc.OvernightHours = defaults.OvernightHours;
    doc.SleepTime = defaults.SleepTime;
    doc.DayVisitHours = defaults.DayVisitHours;
    doc.NapTime = defaults.NapTime;
    doc.QTotOvernights = defaults.QTotOvernights;
    doc.QTotDayVisits = defaults.QTotDayVisits;
    doc.QTotOvernightMinutes = defaults.QTotOvernightMinutes;
    doc.QTotDayVisitMinutes = defaults.QTotDayVisitMinutes;
    doc.Author.clear();
    doc.Title.clear();
    doc.CustodialName = defaults.CustodialName;
    doc.NonCustodialName = defaults.NonCustodialName;
    doc.Exclusions.clear();
    doc.Guidelines.clear();
    doc.UnreadGuidelineLines.clear();
    doc.OverNiteStrtTime = NoTimeText;
    doc.OverNiteEndTime = NoTimeText;
    doc.DayVisitStrtTime = NoTimeText;
    doc.DayVisitEndTime = NoTimeText;
    doc.ChangesPending = false;
    doc.DistributionStale = true;
    doc.DistributionHadErrors = false;
    RecomputeDurationMinutes(doc);
}

int DurationMinutes(const QString& durationText)
{
    if (durationText.size() != 5 || durationText.at(2) != QLatin1Char(':'))
        return -1;
    for (int i : {0, 1, 3, 4})
        if (!durationText.at(i).isDigit() || durationText.at(i).unicode() > u'9')
            return -1;
    auto digit = [&](int i) { return durationText.at(i).unicode() - u'0'; };
    return (digit(0) * 10 + digit(1)) * 60 + digit(3) * 10 + digit(4);
}

QString DurationWithinLimit(const QString& durationText, int limitHours)
{
    const int minutes = DurationMinutes(durationText);
    if (minutes < 0 || (minutes <= limitHours * 60 && durationText.mid(3, 2).toInt() < 60))
        return durationText;
    const int kept = std::min(minutes, limitHours * 60);
    return QStringLiteral("%1:%2")
        .arg(kept / 60, 2, 10, QLatin1Char('0'))
        .arg(kept % 60, 2, 10, QLatin1Char('0'));
}

void RecomputeDurationMinutes(CalendarDocument& doc)
{
    auto minutes = [](const QString& text) { return std::max(0, DurationMinutes(text)); };
    doc.OvernightMinutes = minutes(doc.OvernightHours);
    doc.SleepMinutes = minutes(doc.SleepTime);
    doc.DayVisitMinutes = minutes(doc.DayVisitHours);
    doc.NapMinutes = minutes(doc.NapTime);
}

} // namespace custodex
