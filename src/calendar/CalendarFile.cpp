#include "calendar/CalendarFile.h"
#include "platform/FileAccess.h"

#include "calendar/TextCodec.h"
#include "calendar/TimeText.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace custodex {

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString BackgroundKey = QStringLiteral("BACKGRNDCOL");
const QString DayVisitColourKey = QStringLiteral("DAYVISITCOL");
const QString OvernightColourKey = QStringLiteral("OVERNITECOL");
const QString NoNapSuffix = QStringLiteral(" (No Nap)");

// A line break or "!" inside a stored text would shift every later field of the file;
// the windows never let one in, and this keeps a file readable if one ever gets through.
QString StorableText(QString text, bool isDayField)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (isDayField)
        text.replace(QLatin1Char('!'), QLatin1Char(' '));
    return text;
}

QString DayRecordLine(const CalendarDay& day)
{
    auto reasonField = [](bool marked, const QString& reason) {
        return marked && reason != BlankReason ? StorableText(reason, true) : QString();
    };
    auto timesField = [](bool marked, const QString& first, const QString& second) {
        return marked
                   ? StorableText(first, true) + QStringLiteral(" - ") + StorableText(second, true)
                   : QString();
    };
    const QString bang = QStringLiteral("!");
    return QString::number(day.DayOfMonth) + bang + StorableText(day.MonthName, true) + bang +
           StorableText(day.WeekdayName, true) + bang +
           (day.HasOvernight ? QStringLiteral("True") : QStringLiteral("False")) + bang +
           reasonField(day.HasOvernight, day.OvernightReason) + bang +
           (day.HasDayVisit ? QStringLiteral("True") : QStringLiteral("False")) + bang +
           reasonField(day.HasDayVisit, day.DayVisitReason) + bang +
           timesField(day.HasOvernight, day.OvernightPickup, day.OvernightDropoff) + bang +
           timesField(day.HasDayVisit, day.DayVisitStart, day.DayVisitEnd) + QLatin1Char(';');
}

} // namespace

QString CalendarFileText(const CalendarDocument& doc)
{
    QString text;
    text.reserve(64 * static_cast<int>(doc.Days.size()) + 1024);
    auto line = [&](const QString& content) { text += StorableText(content, false) + CrLf; };
    line(doc.ClientName);
    line(doc.UserYear);
    for (const CalendarDay& day : doc.Days)
        text += DayRecordLine(day) + CrLf;
    line(BackgroundKey + QLatin1Char('=') + QString::number(doc.BackgroundColour));
    line(DayVisitColourKey + QLatin1Char('=') + QString::number(doc.DayVisitColour));
    line(OvernightColourKey + QLatin1Char('=') + QString::number(doc.OvernightColour));
    line(doc.OverNiteStrtTime);
    line(doc.OverNiteEndTime);
    line(doc.DayVisitStrtTime);
    line(doc.DayVisitEndTime);
    line(QStringLiteral("OVERNITEHOURS=") + doc.OvernightHours);
    line(QStringLiteral("SLEEPTIME=") + doc.SleepTime);
    line(QStringLiteral("DAYVISITHOURS=") + doc.DayVisitHours);
    line(QStringLiteral("NAPTIME=") + doc.NapTime);
    line(QStringLiteral("HOURLYERRORS"));
    line(QStringLiteral("QTOTOVRNITES=") + QString::number(doc.QTotOvernights));
    line(QStringLiteral("QTOTDAYVISITS=") + QString::number(doc.QTotDayVisits));
    line(QStringLiteral("QTOTOVRNITEMINS=") + QString::number(doc.QTotOvernightMinutes));
    line(QStringLiteral("QTOTDAYVISITMINS=") + QString::number(doc.QTotDayVisitMinutes));
    auto optional = [&](const char* key, const QString& value) {
        if (!value.isEmpty())
            line(QLatin1String(key) + value);
    };
    optional("AUTHOR=", doc.Author);
    optional("TITLE=", doc.Title);
    optional("CUSTODIALNAME=", doc.CustodialName);
    optional("NONCUSTODIALNAME=", doc.NonCustodialName);
    for (const QString& exclusion : doc.Exclusions)
        line(QStringLiteral("EXCLUSION=") + exclusion);
    // Last of all, so a reader that does not know them stops at nothing it needs.
    for (const Guideline& guideline : doc.Guidelines)
        line(GuidelineFileLine(guideline));
    // As read, without the changes written text gets: the reader split them at line ends.
    for (const QString& unread : doc.UnreadGuidelineLines)
        text += unread + CrLf;
    return text;
}

QByteArray CalendarFileBytes(const CalendarDocument& doc)
{
    return EncodeText(CalendarFileText(doc));
}

FileResult WriteCalendarFile(CalendarDocument& doc, const QString& path, bool updateCaption)
{
    // The reader's limit holds here too, so every saved calendar opens again.
    const FileWriteError error = WriteWholeFile(path, CalendarFileBytes(doc), MaxCalendarFileSize);
    if (error != FileWriteError::None)
        return {false, WriteRefusalMessage(error, path)};
    doc.ClientFolder = FolderOfPath(path);
    doc.DocumentFolder = doc.ClientFolder;
    if (updateCaption) {
        doc.CurrentFileName = FileNameOfPath(path);
        doc.WindowCaption = QStringLiteral("Calendar File=") + doc.CurrentFileName;
    }
    doc.ChangesPending = false;
    return {};
}

namespace {

// The day records are taken apart as views into their line. Neighbouring days mostly repeat
// their month, reasons and times, so a text equal to the day before's shares that string
// instead of being copied again.
QString KeptText(QStringView text, const QString& dayBefore)
{
    return !text.isEmpty() && text == dayBefore ? dayBefore : text.toString();
}

struct TimeViews {
    QStringView First;
    QStringView Second; // null when the field holds no blank
};

// "07:30PM - 09:00AM": the text before the first blank, then blanks and "-" skipped.
TimeViews SplitTimes(QStringView field)
{
    const auto blank = field.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {CutView(field, TimeTextCapacity), QStringView()};
    auto rest = blank;
    while (rest < field.size() &&
           (field.at(rest) == QLatin1Char(' ') || field.at(rest) == QLatin1Char('-')))
        ++rest;
    return {CutView(field.first(blank), TimeTextCapacity),
            CutView(field.sliced(rest), TimeTextCapacity)};
}

QString ReadReason(QStringView field, const QString& dayBefore)
{
    // Older copies wrote the no-nap marker as a suffix. A reason that already carries the
    // prefix was written by a newer copy, so its text is kept as typed.
    if (field.endsWith(NoNapSuffix) && !field.startsWith(QLatin1Char('*')) &&
        !field.startsWith(NoNapPrefix))
        return CutText(QString(NoNapPrefix).append(field.chopped(NoNapSuffix.size())),
                       ReasonCapacity);
    const QStringView reason = CutView(field, ReasonCapacity);
    return reason.isEmpty() ? BlankReason : KeptText(reason, dayBefore);
}

// No character but "t", "r", "u" and "e" upper-cases to these letters, so this is the
// older "field.toUpper() == TRUE" without a copy.
bool IsTrueText(QStringView field)
{
    return field.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
}

bool IsStorableTime(const QString& text)
{
    return text.isEmpty() || IsNoTime(text) || IsValidTimeText(text);
}

// `dayBefore` is the record read before this one, or a new day for the first.
std::optional<CalendarDay> ParseDayRecord(QStringView line, const CalendarDay& dayBefore)
{
    // Fields 1..6 each end with "!".
    std::array<QStringView, 6> fields;
    qsizetype from = 0;
    for (QStringView& field : fields) {
        const auto bang = line.indexOf(QLatin1Char('!'), from);
        if (bang < 0)
            return std::nullopt;
        field = line.sliced(from, bang - from);
        from = bang + 1;
    }
    const QStringView rest = line.sliced(from);

    CalendarDay day;
    bool isNumber = false;
    day.DayOfMonth = fields[0].toInt(&isNumber);
    if (!isNumber)
        return std::nullopt;
    day.MonthName = KeptText(CutView(fields[1], MonthNameCapacity), dayBefore.MonthName);
    day.WeekdayName = CutView(fields[2], WeekdayNameCapacity).toString();
    day.HasOvernight = IsTrueText(fields[3]);
    day.OvernightReason = ReadReason(fields[4], dayBefore.OvernightReason);
    day.HasDayVisit = IsTrueText(fields[5]);

    // Reasons never hold "!" but may hold ";": a "!" after field 6 marks the layout with
    // time fields; without one, field 7 ends at the last ";" (the older layout).
    const auto bang = rest.indexOf(QLatin1Char('!'));
    if (bang < 0) {
        const auto semicolon = rest.lastIndexOf(QLatin1Char(';'));
        if (semicolon < 0)
            return std::nullopt;
        day.DayVisitReason = ReadReason(rest.first(semicolon), dayBefore.DayVisitReason);
        return day; // the four times keep "<None>"
    }
    day.DayVisitReason = ReadReason(rest.first(bang), dayBefore.DayVisitReason);
    day.OvernightPickup.clear();
    day.OvernightDropoff.clear();
    day.DayVisitStart.clear();
    day.DayVisitEnd.clear();

    const QStringView afterReason = rest.sliced(bang + 1);
    auto fieldEnd = afterReason.indexOf(QLatin1Char('!'));
    const auto semicolon = afterReason.indexOf(QLatin1Char(';'));
    if (fieldEnd < 0 || (semicolon >= 0 && semicolon < fieldEnd))
        fieldEnd = semicolon;
    const QStringView overnightTimes = fieldEnd < 0 ? afterReason : afterReason.first(fieldEnd);
    QStringView dayVisitTimes;
    if (fieldEnd >= 0 && afterReason.at(fieldEnd) == QLatin1Char('!')) {
        // Field 9 ends like field 8; whatever follows it is ignored.
        dayVisitTimes = afterReason.sliced(fieldEnd + 1);
        const auto bangEnd = dayVisitTimes.indexOf(QLatin1Char('!'));
        const auto semicolonEnd = dayVisitTimes.indexOf(QLatin1Char(';'));
        const auto end = bangEnd < 0        ? semicolonEnd
                         : semicolonEnd < 0 ? bangEnd
                                            : std::min(bangEnd, semicolonEnd);
        if (end >= 0)
            dayVisitTimes.truncate(end);
    }
    if (day.HasOvernight && !overnightTimes.isEmpty()) {
        const TimeViews times = SplitTimes(overnightTimes);
        day.OvernightPickup = KeptText(times.First, dayBefore.OvernightPickup);
        day.OvernightDropoff = KeptText(times.Second, dayBefore.OvernightDropoff);
    }
    if (day.HasDayVisit && !dayVisitTimes.isEmpty()) {
        const TimeViews times = SplitTimes(dayVisitTimes);
        day.DayVisitStart = KeptText(times.First, dayBefore.DayVisitStart);
        day.DayVisitEnd = KeptText(times.Second, dayBefore.DayVisitEnd);
    }
    // A time equal to the day before's has passed this check there.
    const std::array<std::pair<const QString*, const QString*>, 4> times{{
        {&day.OvernightPickup, &dayBefore.OvernightPickup},
        {&day.OvernightDropoff, &dayBefore.OvernightDropoff},
        {&day.DayVisitStart, &dayBefore.DayVisitStart},
        {&day.DayVisitEnd, &dayBefore.DayVisitEnd},
    }};
    for (const auto& [time, before] : times)
        if (*time != *before && !IsStorableTime(*time))
            return std::nullopt;
    return day;
}

std::optional<std::int32_t> ValueAsInteger(const QString& line)
{
    const auto equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    bool ok = false;
    const int value = line.mid(equals + 1).trimmed().toInt(&ok);
    return ok ? std::optional<std::int32_t>(value) : std::nullopt;
}

QString ValueOf(const QString& line)
{
    const auto equals = line.indexOf(QLatin1Char('='));
    return equals < 0 ? QString() : line.mid(equals + 1);
}

// Reasons are mostly plain ASCII and often share a long beginning ("Even Weekend with ..."),
// where Qt's Unicode case folding, character by character, made up much of a read. For plain
// ASCII the folding only lowers A..Z, so this copy is the text's case folding, and copies
// compare in the order of QString::compare ignoring case. Nothing for other texts.
std::optional<QString> AsciiFolded(const QString& text)
{
    QString folded(text.size(), Qt::Uninitialized);
    QChar* out = folded.data();
    for (QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code >= 0x80)
            return std::nullopt;
        *out++ = QChar(code >= u'A' && code <= u'Z' ? code + (u'a' - u'A') : code);
    }
    return folded;
}

// Collects each reason once, compared ignoring case, in the order first met.
class ReasonCollector {
public:
    void Add(const QString& reason)
    {
        // Days in a row mostly share their reason, which then needs no second look.
        if (Previous && reason == *Previous)
            return;
        Previous = reason;
        const auto seenBefore = Seen.size();
        const std::optional<QString> folded = AsciiFolded(reason);
        Seen.insert(folded ? *folded : reason.toCaseFolded());
        if (Seen.size() != seenBefore)
            Items << reason;
    }
    QStringList Items;

private:
    QSet<QString> Seen;
    std::optional<QString> Previous;
};

void FinishReasonList(ReasonList& list)
{
    // The combo boxes keep their items sorted, so the first item is the alphabetical first.
    struct SortItem {
        QString Reason;
        std::optional<QString> Folded;
    };
    std::vector<SortItem> items;
    items.reserve(static_cast<std::size_t>(list.Items.size()));
    for (const QString& reason : list.Items)
        items.push_back({reason, AsciiFolded(reason)});
    std::stable_sort(items.begin(), items.end(), [](const SortItem& a, const SortItem& b) {
        // Both ways give the same order wherever both apply.
        if (a.Folded && b.Folded)
            return *a.Folded < *b.Folded;
        return a.Reason.compare(b.Reason, Qt::CaseInsensitive) < 0;
    });
    for (std::size_t i = 0; i < items.size(); ++i)
        list.Items[static_cast<qsizetype>(i)] = std::move(items[i].Reason);
    list.Text = list.Items.isEmpty() ? BlankReason : list.Items.first();
    list.Items.prepend(BlankReason);
}

const QStringList& TrailerKeys()
{
    static const QStringList keys{QStringLiteral("OVERNITEHOURS="),
                                  QStringLiteral("SLEEPTIME="),
                                  QStringLiteral("DAYVISITHOURS="),
                                  QStringLiteral("NAPTIME="),
                                  QStringLiteral("EXCLUSION="),
                                  QStringLiteral("QTOTOVRNITES="),
                                  QStringLiteral("QTOTDAYVISITS="),
                                  QStringLiteral("QTOTOVRNITEMINS="),
                                  QStringLiteral("QTOTDAYVISITMINS="),
                                  QStringLiteral("AUTHOR="),
                                  QStringLiteral("TITLE="),
                                  QStringLiteral("CUSTODIALNAME="),
                                  QStringLiteral("NONCUSTODIALNAME="),
                                  GuidelineKey};
    return keys;
}

// Applies one trailer line after the default times. When the text before the first "=" is
// one of our keys, that key alone decides, so a value such as the away activity
// "HOURLY swim" cannot change another setting; other lines keep the rule of looking for a
// key anywhere in the line.
bool ApplyTrailerLine(CalendarDocument& doc, const QString& line)
{
    const auto equals = line.indexOf(QLatin1Char('='));
    const QString key = equals < 0 ? QString() : line.left(equals + 1);
    const bool knownKey = TrailerKeys().contains(key);
    auto contains = [&](const char* name) {
        return knownKey ? key == QLatin1String(name) : line.contains(QLatin1String(name));
    };
    auto startsWith = [&](const char* name) {
        return knownKey ? key == QLatin1String(name) : line.startsWith(QLatin1String(name));
    };
    const QString value = ValueOf(line);

    // A duration beyond its limit is brought to it, so no report ever counts an impossible
    // assumption.
    auto duration = [&](QString& target, int limitHours) {
        target = DurationWithinLimit(CutText(value, DurationCapacity), limitHours);
        return DurationMinutes(target) >= 0;
    };
    if (contains("OVERNITEHOURS=") && !duration(doc.OvernightHours, OvernightHoursLimit))
        return false;
    if (contains("SLEEPTIME=") && !duration(doc.SleepTime, SleepTimeLimit))
        return false;
    if (contains("DAYVISITHOURS=") && !duration(doc.DayVisitHours, DayVisitHoursLimit))
        return false;
    if (contains("NAPTIME=") && !duration(doc.NapTime, NapTimeLimit))
        return false;
    if (contains("EXCLUSION="))
        doc.Exclusions << value;
    if (contains("GUIDELINE=")) {
        // A line that holds no valid guideline is kept as it stands, so a resave loses none;
        // guidelines of one name are all kept. More lines than a calendar may hold refuse
        // the file, before the list grows any further.
        if (doc.Guidelines.size() + static_cast<std::size_t>(doc.UnreadGuidelineLines.size()) >=
            GuidelineLimit)
            return false;
        if (std::optional<Guideline> guideline = ReadGuidelineValueText(value))
            doc.Guidelines.push_back(std::move(*guideline));
        else
            doc.UnreadGuidelineLines << line;
    }
    if (!knownKey && line.contains(QStringLiteral("HOURLY"))) {
        doc.DistributionStale = false;
        doc.DistributionHadErrors = line.contains(QStringLiteral("ERRORS"));
        if (doc.DistributionHadErrors)
            doc.DistributionStale = true;
    }
    auto total = [&](std::int32_t& target) {
        const std::optional<std::int32_t> number = ValueAsInteger(line);
        if (number)
            target = *number;
        return number.has_value();
    };
    if (contains("QTOTOVRNITES=") && !total(doc.QTotOvernights))
        return false;
    if (contains("QTOTDAYVISITS=") && !total(doc.QTotDayVisits))
        return false;
    if (contains("QTOTOVRNITEMINS=") && !total(doc.QTotOvernightMinutes))
        return false;
    if (contains("QTOTDAYVISITMINS=") && !total(doc.QTotDayVisitMinutes))
        return false;
    if (contains("AUTHOR="))
        doc.Author = CutText(value, AuthorCapacity);
    if (contains("TITLE="))
        doc.Title = CutText(value, TitleCapacity);
    // A parent title is a required entry: an empty or blank one (which the preferences never
    // store, and which a save would leave out) reads as the default, so a resave keeps it.
    auto parentTitle = [&](QString& target, const QString& fallback) {
        target =
            value.trimmed().isEmpty() ? fallback : CutToUserCharacters(value, ParentNameCapacity);
    };
    static const CalendarDocument defaults;
    if (startsWith("CUSTODIALNAME="))
        parentTitle(doc.CustodialName, defaults.CustodialName);
    if (startsWith("NONCUSTODIALNAME="))
        parentTitle(doc.NonCustodialName, defaults.NonCustodialName);
    return true;
}

// The expected span decides whether the records read make a whole calendar: the first
// year alone (the second is then built empty) or both years, day by day in order.
bool CompleteSpan(CalendarDocument& doc, DayList records, int startMonthIndex, int startYear)
{
    CalendarDocument expected;
    BuildSpan(expected, startMonthIndex, startYear);
    const auto firstYearLength = static_cast<std::size_t>(expected.SecondYearFirstDay);
    if (records.size() != firstYearLength && records.size() != expected.Days.size())
        return false;
    // Files mostly hold the names exactly as written; only others need upper-casing.
    auto sameName = [](const QString& name, const QString& wanted) {
        return name == wanted || name.toUpper() == wanted.toUpper();
    };
    for (std::size_t i = 0; i < records.size(); ++i) {
        const CalendarDay& got = records[i];
        const CalendarDay& want = expected.Days[i];
        if (got.DayOfMonth != want.DayOfMonth || !sameName(got.MonthName, want.MonthName) ||
            !sameName(got.WeekdayName, want.WeekdayName))
            return false;
    }
    if (records.size() == firstYearLength)
        records.insert(records.end(), expected.Days.begin() + expected.SecondYearFirstDay,
                       expected.Days.end());
    doc.Days = std::move(records);
    doc.SecondYearFirstDay = expected.SecondYearFirstDay;
    doc.DayCount = static_cast<int>(doc.Days.size());
    doc.StartMonthIndex = startMonthIndex;
    doc.StartYear = startYear;
    doc.ShownMonthIndex = startMonthIndex;
    doc.ShowingFirstYear = true;
    doc.ShownMonthNumber = 1;
    return true;
}

// Reads the lines into `doc`, which starts from the reset state. False on anything that
// does not make a complete calendar.
bool ParseCalendar(CalendarDocument& doc, const QStringList& lines)
{
    if (lines.size() < 2)
        return false;
    doc.ClientName = lines[0];
    doc.UserYear = lines[1];
    bool isNumber = false;
    const int startYear = lines[1].trimmed().toInt(&isNumber);
    if (!isNumber || startYear < 1000 || startYear > 2999)
        return false;

    // Day section: records start with a digit 1..9; anything else is skipped together with
    // everything up to the colour key that opens the trailer.
    DayList records;
    const CalendarDay newDay;
    qsizetype index = 2;
    QString trailerLine;
    for (; index < lines.size(); ++index) {
        const QString& line = lines[index];
        if (!line.isEmpty() && line.at(0) >= QLatin1Char('1') && line.at(0) <= QLatin1Char('9')) {
            std::optional<CalendarDay> day =
                ParseDayRecord(line, records.empty() ? newDay : records.back());
            if (!day)
                return false;
            records.push_back(std::move(*day));
            continue;
        }
        for (; index < lines.size(); ++index) {
            const auto at = lines[index].indexOf(BackgroundKey);
            if (at >= 0) {
                trailerLine = lines[index].mid(at);
                break;
            }
        }
        break;
    }
    if (trailerLine.isEmpty() || records.empty())
        return false;
    const int startMonthIndex = MonthIndexOf(records.front().MonthName);
    if (startMonthIndex < 0 || !CompleteSpan(doc, std::move(records), startMonthIndex, startYear))
        return false;

    // Trailer: the colour lines, the four default times, then keyed lines.
    for (;;) {
        const QString token = trailerLine.left(trailerLine.indexOf(QLatin1Char('=')));
        const std::optional<std::int32_t> colour = ValueAsInteger(trailerLine);
        if (!colour)
            return false;
        if (token == BackgroundKey)
            doc.BackgroundColour = *colour;
        else if (token == DayVisitColourKey)
            doc.DayVisitColour = *colour;
        else if (token == OvernightColourKey) {
            doc.OvernightColour = *colour;
            break;
        }
        else
            return false;
        if (++index >= lines.size())
            return false;
        trailerLine = lines[index];
    }
    // The default times follow unless the file has ended; those missing keep their defaults.
    for (QString* time : {&doc.OverNiteStrtTime, &doc.OverNiteEndTime, &doc.DayVisitStrtTime,
                          &doc.DayVisitEndTime}) {
        if (index + 1 >= lines.size())
            break;
        *time = CutText(lines[++index], TimeTextCapacity);
        if (!IsNoTime(*time) && !IsValidTimeText(*time))
            return false;
    }
    for (++index; index < lines.size(); ++index)
        if (!ApplyTrailerLine(doc, lines[index]))
            return false;

    ReasonCollector overnightReasons;
    ReasonCollector dayVisitReasons;
    for (const CalendarDay& day : doc.Days) {
        if (day.HasOvernight && day.OvernightReason != BlankReason)
            overnightReasons.Add(day.OvernightReason);
        if (day.HasDayVisit && day.DayVisitReason != BlankReason)
            dayVisitReasons.Add(day.DayVisitReason);
    }
    doc.OverniteReasons.Items = overnightReasons.Items;
    doc.DayVisitReasons.Items = dayVisitReasons.Items;
    return true;
}

void LeaveWithoutCalendar(CalendarDocument& doc)
{
    ClearCalendar(doc);
    ResetSettingsToDefaults(doc);
    doc.OverniteReasons = {};
    doc.DayVisitReasons = {};
    RecountCounters(doc);
}

} // namespace

FileResult ReadCalendarFromBytes(CalendarDocument& doc, const QByteArray& bytes,
                                 const QString& path)
{
    CalendarDocument read;
    read.EntrySnapshot = std::move(doc.EntrySnapshot);
    read.UndoSnapshot = std::move(doc.UndoSnapshot);
    read.AppliedChangeCount = doc.AppliedChangeCount;
    // Colours and stored totals keep their values until their lines are read.
    read.BackgroundColour = doc.BackgroundColour;
    read.DayVisitColour = doc.DayVisitColour;
    read.OvernightColour = doc.OvernightColour;
    read.QTotOvernights = doc.QTotOvernights;
    read.QTotDayVisits = doc.QTotDayVisits;
    read.QTotOvernightMinutes = doc.QTotOvernightMinutes;
    read.QTotDayVisitMinutes = doc.QTotDayVisitMinutes;
    read.ClientFolder = FolderOfPath(path);

    bool decoded = false;
    const QString text = DecodeText(bytes, &decoded);
    if (bytes.size() > MaxCalendarFileSize || !decoded ||
        !ParseCalendar(read, SplitTextLines(text))) {
        doc.EntrySnapshot = std::move(read.EntrySnapshot);
        doc.UndoSnapshot = std::move(read.UndoSnapshot);
        const bool tooManyGuidelines =
            read.Guidelines.size() + static_cast<std::size_t>(read.UnreadGuidelineLines.size()) >=
            GuidelineLimit;
        LeaveWithoutCalendar(doc);
        return {false, tooManyGuidelines ? ReadErrorMessage(path) + QStringLiteral("\n\r") +
                                               GuidelineLimitMessage()
                                         : ReadErrorMessage(path)};
    }
    read.ClientName = ClientNameFromPath(path);
    read.CurrentFileName = FileNameOfPath(path);
    read.DocumentFolder = read.ClientFolder;
    read.WindowCaption = QStringLiteral("Calendar File=") + read.CurrentFileName;
    read.SelUserMonth = DisplayMonthNames().at(read.StartMonthIndex);
    read.ChangesPending = false;
    FinishReasonList(read.OverniteReasons);
    FinishReasonList(read.DayVisitReasons);
    RecountCounters(read);
    RecomputeDurationMinutes(read);
    BuildMonthTables(read);
    doc = std::move(read);
    return {};
}

FileResult ReadCalendarFile(CalendarDocument& doc, const QString& path)
{
    const std::optional<QByteArray> bytes = ReadRegularFile(path, MaxCalendarFileSize);
    if (!bytes) {
        LeaveWithoutCalendar(doc);
        doc.ClientFolder = FolderOfPath(path);
        return {false, ReadErrorMessage(path)};
    }
    return ReadCalendarFromBytes(doc, *bytes, path);
}

} // namespace custodex
