#include "output/IcsExport.h"

#include "calendar/TimeText.h"
#include "output/ExportFile.h"

#include <QCryptographicHash>
#include <QTimeZone>

#include <algorithm>

namespace custodex {

namespace {

QDate DateOfDay(const CalendarDocument& doc, int index)
{
    const CalendarDay& day = doc.Days[static_cast<std::size_t>(index)];
    return QDate(YearOfDay(doc, index), MonthIndexOf(day.MonthName) + 1, day.DayOfMonth);
}

// Calendar times are wall-clock times; held as UTC so no local rule of this machine moves them.
QDateTime WallTime(const QDate& date, const QTime& time = QTime(0, 0))
{
    return QDateTime(date, time, Qt::UTC);
}

QTime TimeOf(const QString& timeText)
{
    return QTime(0, 0).addSecs(60 * TimeTextToMinutes(timeText));
}

// Identifies the calendar: the same client and span give the same UIDs, so a revised schedule
// imported again replaces its events instead of adding them twice.
QString CalendarKey(const CalendarDocument& doc)
{
    const QByteArray identity =
        (doc.ClientName + QLatin1Char('|') + DateOfDay(doc, 0).toString(Qt::ISODate)).toUtf8();
    return QString::fromLatin1(
        QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex().left(16));
}

IcsEvent MakeEvent(const CalendarDocument& doc, IcsEventKind kind, const QString& key,
                   const QDate& first, const QStringList& reasons)
{
    IcsEvent event;
    event.Kind = kind;
    event.Uid = (kind == IcsEventKind::Stay ? QStringLiteral("stay-") : QStringLiteral("visit-")) +
                first.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('-') + key +
                QStringLiteral("@custodex-calendar");
    event.Summary = IcsSummary(doc, reasons);
    return event;
}

struct Stay {
    int FirstDay = 0; // indices into CalendarDocument::Days
    int LastDay = 0;
    QStringList Reasons; // as stored, night by night
};

// Stays as their times tell them: from a marked night on through the following marked nights,
// whatever their reasons, up to the first night whose dropoff is set. A note ("*...") is no
// time with the child, so a night that is one and a night that is not never share a stay.
std::vector<Stay> FindStays(const CalendarDocument& doc)
{
    std::vector<Stay> stays;
    const int days = static_cast<int>(doc.Days.size());
    auto night = [&](int index) -> const CalendarDay& {
        return doc.Days[static_cast<std::size_t>(index)];
    };
    for (int day = 0; day < days; ++day) {
        if (!night(day).HasOvernight)
            continue;
        const bool note = IsAnnotationReason(night(day).OvernightReason);
        Stay stay{day, day, {night(day).OvernightReason}};
        while (!IsValidTimeText(night(stay.LastDay).OvernightDropoff) && stay.LastDay + 1 < days) {
            const CalendarDay& next = night(stay.LastDay + 1);
            if (!next.HasOvernight || IsAnnotationReason(next.OvernightReason) != note)
                break;
            ++stay.LastDay;
            stay.Reasons << next.OvernightReason;
        }
        stays.push_back(stay);
        day = stay.LastDay;
    }
    return stays;
}

// The reason as the user typed it: without the no-nap prefix or the note's "*". The month
// view's shortening of pattern names is for its small cells, not for a typed "All Saints trip".
QString ReasonSummaryText(const QString& reason)
{
    QString text = reason;
    if (IsAnnotationReason(text))
        text.remove(0, 1);
    else if (text.startsWith(NoNapPrefix))
        text.remove(0, NoNapPrefix.size());
    return text.trimmed();
}

// False when the event is left out.
bool ApplyAnnotationRule(IcsEvent& event, const QString& reason, IcsAnnotations rule)
{
    if (!IsAnnotationReason(reason))
        return true;
    event.Transparent = rule == IcsAnnotations::Transparent;
    return rule != IcsAnnotations::Omit;
}

QString DateValue(const QDate& date)
{
    return date.toString(QStringLiteral("yyyyMMdd"));
}

QString DateTimeValue(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyyMMdd'T'HHmmss"));
}

QString OffsetValue(int seconds)
{
    const QChar sign = seconds < 0 ? QLatin1Char('-') : QLatin1Char('+');
    const int magnitude = std::abs(seconds);
    QString text = sign + QStringLiteral("%1%2")
                              .arg(magnitude / 3600, 2, 10, QLatin1Char('0'))
                              .arg(magnitude / 60 % 60, 2, 10, QLatin1Char('0'));
    if (magnitude % 60 != 0)
        text += QStringLiteral("%1").arg(magnitude % 60, 2, 10, QLatin1Char('0'));
    return text;
}

class IcsWriter {
public:
    void Line(const QString& line) { Bytes += FoldIcsLine(line.toUtf8()); }
    void Property(const QString& name, const QString& value)
    {
        Line(name + QLatin1Char(':') + value);
    }
    QByteArray Bytes;
};

// One observance per transition that can touch the calendar's days, starting with the one in
// effect before the first day, so every local time written is covered.
void WriteTimeZone(IcsWriter& out, const QTimeZone& zone, const QDate& first, const QDate& last)
{
    const QDateTime from = WallTime(first.addDays(-1));
    const QDateTime to = WallTime(last.addDays(3));
    QTimeZone::OffsetDataList observances;
    const QTimeZone::OffsetData before = zone.previousTransition(from);
    if (before.atUtc.isValid())
        observances.append(before);
    observances.append(zone.transitions(from, to));

    out.Line(QStringLiteral("BEGIN:VTIMEZONE"));
    out.Property(QStringLiteral("TZID"), QString::fromUtf8(zone.id()));
    auto observance = [&out](bool daylight, const QString& start, int offsetFrom, int offsetTo,
                             const QString& name) {
        const QString component =
            daylight ? QStringLiteral("DAYLIGHT") : QStringLiteral("STANDARD");
        out.Property(QStringLiteral("BEGIN"), component);
        out.Property(QStringLiteral("DTSTART"), start);
        out.Property(QStringLiteral("TZOFFSETFROM"), OffsetValue(offsetFrom));
        out.Property(QStringLiteral("TZOFFSETTO"), OffsetValue(offsetTo));
        if (!name.isEmpty())
            out.Property(QStringLiteral("TZNAME"), EscapeIcsText(name));
        out.Property(QStringLiteral("END"), component);
    };
    if (observances.isEmpty()) {
        // A zone that never changed its offset.
        const int offset = zone.offsetFromUtc(from);
        observance(false, QStringLiteral("19700101T000000"), offset, offset,
                   zone.abbreviation(from));
    }
    for (const QTimeZone::OffsetData& change : observances) {
        const int offsetFrom = zone.offsetFromUtc(change.atUtc.addSecs(-1));
        // DTSTART is the wall-clock time at which the change happens, in the offset before it.
        const QDateTime local = change.atUtc.toUTC().addSecs(offsetFrom);
        observance(change.daylightTimeOffset != 0, DateTimeValue(local), offsetFrom,
                   change.offsetFromUtc, change.abbreviation);
    }
    out.Line(QStringLiteral("END:VTIMEZONE"));
}

void WriteEvent(IcsWriter& out, const IcsEvent& event, const QString& stamp, const QString& zoneId)
{
    out.Line(QStringLiteral("BEGIN:VEVENT"));
    out.Property(QStringLiteral("UID"), event.Uid);
    out.Property(QStringLiteral("DTSTAMP"), stamp);
    if (event.AllDay) {
        out.Property(QStringLiteral("DTSTART;VALUE=DATE"), DateValue(event.Start.date()));
        out.Property(QStringLiteral("DTEND;VALUE=DATE"), DateValue(event.End.date()));
    }
    else {
        const QString zone = zoneId.isEmpty() ? QString() : QStringLiteral(";TZID=") + zoneId;
        out.Property(QStringLiteral("DTSTART") + zone, DateTimeValue(event.Start));
        out.Property(QStringLiteral("DTEND") + zone, DateTimeValue(event.End));
    }
    out.Property(QStringLiteral("SUMMARY"), EscapeIcsText(event.Summary));
    if (event.Transparent)
        out.Property(QStringLiteral("TRANSP"), QStringLiteral("TRANSPARENT"));
    out.Line(QStringLiteral("END:VEVENT"));
}

} // namespace

bool IsKnownTimeZone(const QString& zoneId)
{
    // Qt's list of ids leaves out the system's aliases and old names ("GMT", "EST5EDT",
    // "America/Godthab"); a zone the system can load is a zone.
    return !zoneId.isEmpty() && (QTimeZone::isTimeZoneIdAvailable(zoneId.toUtf8()) ||
                                 QTimeZone(zoneId.toUtf8()).isValid());
}

QString IcsSummary(const CalendarDocument& doc, const QStringList& reasons)
{
    QStringList texts;
    for (const QString& reason : reasons) {
        const QString text = ReasonSummaryText(reason);
        if (!text.isEmpty() && !texts.contains(text, Qt::CaseInsensitive))
            texts << text;
    }
    const QString shown = texts.join(QStringLiteral(" / "));
    const QString title =
        doc.NonCustodialName.isEmpty() ? QStringLiteral("Non-Custodial") : doc.NonCustodialName;
    return shown.isEmpty() ? title : shown + QStringLiteral(" (") + title + QLatin1Char(')');
}

std::vector<IcsEvent> IcsEvents(const CalendarDocument& doc, const IcsOptions& options)
{
    std::vector<IcsEvent> events;
    if (!doc.HasCalendar())
        return events;
    const QString key = CalendarKey(doc);
    std::vector<int> firstDays; // for ordering
    if (options.Overnights) {
        for (const Stay& stay : FindStays(doc)) {
            const CalendarDay& firstNight = doc.Days[static_cast<std::size_t>(stay.FirstDay)];
            const CalendarDay& lastNight = doc.Days[static_cast<std::size_t>(stay.LastDay)];
            const QDate first = DateOfDay(doc, stay.FirstDay);
            const QDate morningAfter = DateOfDay(doc, stay.LastDay).addDays(1);
            // The UID follows the first night, so a stay whose later nights were edited
            // replaces its event when imported again.
            IcsEvent event = MakeEvent(doc, IcsEventKind::Stay, key, first, stay.Reasons);
            if (!ApplyAnnotationRule(event, firstNight.OvernightReason, options.Annotations))
                continue;
            const QString& pickup = firstNight.OvernightPickup;
            const QString& dropoff = lastNight.OvernightDropoff;
            event.AllDay = !IsValidTimeText(pickup) || !IsValidTimeText(dropoff);
            if (event.AllDay) {
                // Every day the child is there, the morning of the dropoff included.
                event.Start = WallTime(first);
                event.End = WallTime(morningAfter.addDays(1));
            }
            else {
                event.Start = WallTime(first, TimeOf(pickup));
                event.End = WallTime(morningAfter, TimeOf(dropoff));
            }
            events.push_back(event);
            firstDays.push_back(2 * stay.FirstDay);
        }
    }
    if (options.DayVisits) {
        for (int index = 0; index < static_cast<int>(doc.Days.size()); ++index) {
            const CalendarDay& day = doc.Days[static_cast<std::size_t>(index)];
            if (!day.HasDayVisit)
                continue;
            const QDate date = DateOfDay(doc, index);
            IcsEvent event =
                MakeEvent(doc, IcsEventKind::DayVisit, key, date, {day.DayVisitReason});
            if (!ApplyAnnotationRule(event, day.DayVisitReason, options.Annotations))
                continue;
            event.AllDay = !IsValidTimeText(day.DayVisitStart) || !IsValidTimeText(day.DayVisitEnd);
            if (event.AllDay) {
                event.Start = WallTime(date);
                event.End = WallTime(date.addDays(1));
            }
            else {
                event.Start = WallTime(date, TimeOf(day.DayVisitStart));
                event.End = WallTime(date, TimeOf(day.DayVisitEnd));
                // A visit whose end is not after its start ends on the next day; an event
                // ending before it starts is refused by calendar programs.
                if (event.End <= event.Start)
                    event.End = event.End.addDays(1);
            }
            events.push_back(event);
            firstDays.push_back(2 * index + 1);
        }
    }
    std::vector<std::size_t> order(events.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return firstDays[a] < firstDays[b]; });
    std::vector<IcsEvent> sorted;
    sorted.reserve(events.size());
    for (std::size_t i : order)
        sorted.push_back(events[i]);
    return sorted;
}

QString EscapeIcsText(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(',')) {
            escaped += QLatin1Char('\\');
            escaped += c;
        }
        else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            // CR LF, LF CR, CR or LF: one line break each.
            if (i + 1 < text.size() && text.at(i + 1) != c &&
                (text.at(i + 1) == QLatin1Char('\r') || text.at(i + 1) == QLatin1Char('\n')))
                ++i;
            escaped += QStringLiteral("\\n");
        }
        else if (c.unicode() >= 0x20 && c.unicode() != 0x7F) {
            escaped += c;
        }
        else if (c == QLatin1Char('\t')) {
            escaped += c;
        }
    }
    return escaped;
}

QByteArray FoldIcsLine(const QByteArray& line)
{
    QByteArray folded;
    qsizetype start = 0;
    qsizetype room = 75; // octets, without the CR LF; a continuation's leading blank counts
    while (line.size() - start > room) {
        qsizetype cut = start + room;
        // Back up to the first byte of a UTF-8 sequence.
        while (cut > start && (static_cast<unsigned char>(line.at(cut)) & 0xC0) == 0x80)
            --cut;
        folded += line.mid(start, cut - start);
        folded += "\r\n ";
        start = cut;
        room = 74;
    }
    folded += line.mid(start);
    folded += "\r\n";
    return folded;
}

QByteArray IcsFileBytes(const CalendarDocument& doc, const IcsOptions& options)
{
    IcsWriter out;
    out.Line(QStringLiteral("BEGIN:VCALENDAR"));
    out.Property(QStringLiteral("VERSION"), QStringLiteral("2.0"));
    out.Property(QStringLiteral("PRODID"), QStringLiteral("-//Custodex//Custodex Calendar//EN"));
    out.Property(QStringLiteral("CALSCALE"), QStringLiteral("GREGORIAN"));
    if (!doc.ClientName.isEmpty())
        out.Property(QStringLiteral("X-WR-CALNAME"), EscapeIcsText(doc.ClientName));
    const QTimeZone zone(options.TimeZone.toUtf8());
    const bool zoned = !options.TimeZone.isEmpty() && zone.isValid();
    if (zoned && doc.HasCalendar())
        WriteTimeZone(out, zone, DateOfDay(doc, 0),
                      DateOfDay(doc, static_cast<int>(doc.Days.size()) - 1));
    const QDateTime stamp =
        options.Stamp.isValid() ? options.Stamp : QDateTime::currentDateTimeUtc();
    const QString stampValue = DateTimeValue(stamp.toUTC()) + QLatin1Char('Z');
    for (const IcsEvent& event : IcsEvents(doc, options))
        WriteEvent(out, event, stampValue, zoned ? options.TimeZone : QString());
    out.Line(QStringLiteral("END:VCALENDAR"));
    return out.Bytes;
}

QString IcsFilePath(const QString& chosen)
{
    return ExportFilePath(chosen, QStringLiteral(".ics"));
}

bool SaveIcsFile(CalendarDocument& doc, const QString& chosen, const IcsOptions& options,
                 Prompter& messages)
{
    return SaveExportFile(
        doc, IcsFilePath(chosen), [&] { return IcsFileBytes(doc, options); }, messages);
}

} // namespace custodex
