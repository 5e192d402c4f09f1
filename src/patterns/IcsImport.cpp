#include "patterns/IcsImport.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QTimeZone>

#include <libical/ical.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

namespace custodex {

namespace {

// Calls of the recurrence iterator for one event. A rule that has not reached the end of the
// span by then is given up and the event reported, so no file can keep the import busy.
constexpr int MaxOccurrenceSteps = 100000;
// A template of 24 months never needs more; a file that would give more is refused.
constexpr qsizetype MaxEntries = 100000;
constexpr int MaxEvents = 100000;
constexpr qint64 SecondsPerDay = 24 * 60 * 60;
// Longer than any span: an event from the year 1 lasting this long covers every list.
constexpr qint64 MaxDurationSeconds = qint64(10000) * 366 * SecondsPerDay;

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using ComponentPointer = std::unique_ptr<icalcomponent, ComponentFree>;

struct IteratorFree {
    void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};
using IteratorPointer = std::unique_ptr<icalrecur_iterator, IteratorFree>;

struct ZoneFree {
    void operator()(icaltimezone* zone) const { icaltimezone_free(zone, 1); }
};
using ZonePointer = std::unique_ptr<icaltimezone, ZoneFree>;

// A line of the file after unfolding, with the number of its first physical line.
struct LogicalLine {
    int Number = 0;
    QByteArray Text;
};

// Splits on LF (dropping one CR before it) and joins continuation lines, which begin with a
// blank or a tab, to the line they continue. One pass, so that every later message can name
// its line without looking for it.
std::vector<LogicalLine> LogicalLines(const QByteArray& text)
{
    std::vector<LogicalLine> lines;
    int number = 0;
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype to = text.indexOf('\n', from);
        if (to < 0)
            to = text.size();
        ++number;
        qsizetype end = to;
        if (end > from && text.at(end - 1) == '\r')
            --end;
        const QByteArrayView line(text.constData() + from, end - from);
        if (!lines.empty() && !line.isEmpty() && (line.at(0) == ' ' || line.at(0) == '\t'))
            lines.back().Text += line.sliced(1);
        else if (!line.trimmed().isEmpty())
            lines.push_back({number, line.toByteArray()});
        from = to + 1;
    }
    return lines;
}

// A content line taken apart: NAME;PARAM=VALUE;...:VALUE, quotes respected. Only so that
// lines can be sorted and cleaned before libical reads them.
struct ContentLine {
    QByteArray Name;                                       // upper case
    std::vector<std::pair<QByteArray, QByteArray>> Params; // names upper case
    QByteArray Value;
    bool IsProperty = false;
};

ContentLine Split(const QByteArray& text)
{
    ContentLine line;
    qsizetype at = 0;
    while (at < text.size() && text.at(at) != ';' && text.at(at) != ':')
        ++at;
    line.Name = text.left(at).trimmed().toUpper();
    while (at < text.size() && text.at(at) == ';') {
        const qsizetype start = ++at;
        bool quoted = false;
        while (at < text.size() && (quoted || (text.at(at) != ';' && text.at(at) != ':'))) {
            if (text.at(at) == '"')
                quoted = !quoted;
            ++at;
        }
        const QByteArray param = text.mid(start, at - start);
        const qsizetype equals = param.indexOf('=');
        line.Params.emplace_back(param.left(equals).trimmed().toUpper(),
                                 equals < 0 ? QByteArray() : param.mid(equals + 1));
    }
    if (at >= text.size() || line.Name.isEmpty())
        return line;
    line.Value = text.mid(at + 1);
    line.IsProperty = true;
    return line;
}

QByteArray ParamValue(const ContentLine& line, const char* name)
{
    for (const auto& [param, value] : line.Params)
        if (param == name) {
            QByteArray unquoted = value.trimmed();
            if (unquoted.size() >= 2 && unquoted.startsWith('"') && unquoted.endsWith('"'))
                unquoted = unquoted.mid(1, unquoted.size() - 2);
            return unquoted;
        }
    return {};
}

// The properties of an event that make its entries; everything else is ignored, as a reader
// does with what it does not need.
bool IsTimeProperty(const QByteArray& name)
{
    return name == "DTSTART" || name == "DTEND" || name == "RDATE" || name == "EXDATE" ||
           name == "RECURRENCE-ID";
}

bool IsNeeded(const QByteArray& name)
{
    return IsTimeProperty(name) || name == "DURATION" || name == "RRULE" || name == "SUMMARY" ||
           name == "UID" || name == "STATUS";
}

// The line as libical is given it: parameters it needs only (TZID and VALUE of times), so
// that a parameter it does not know never costs an event.
QByteArray Cleaned(const ContentLine& line)
{
    QByteArray text = line.Name;
    if (IsTimeProperty(line.Name))
        for (const auto& [param, value] : line.Params)
            if (param == "TZID" || param == "VALUE")
                text += ';' + param + '=' + value;
    return text + ':' + line.Value;
}

QString Shown(const QByteArray& line)
{
    return QString::fromUtf8(line.left(200)).left(80);
}

// A VEVENT or VTIMEZONE as found in the file.
struct Block {
    int BeginLine = 0;      // number of its BEGIN line
    std::vector<int> Lines; // indexes of its own property lines (an event), or of all it
                            // holds down to STANDARD and DAYLIGHT (a zone)
    QString Problem;        // why it cannot be read whatever its values
    int ProblemLine = 0;
    bool Closed = false;
};

// The calendar's components found in one pass over the lines, with a stack of open BEGIN
// lines rather than recursion, so any depth of nesting costs only its lines.
struct FileLayout {
    std::vector<Block> Events;
    std::vector<Block> Zones;
    QByteArray CalendarZone; // X-WR-TIMEZONE
    bool HasCalendar = false;
    bool TooManyEvents = false;
    bool Cancelled = false;
};

FileLayout Layout(const std::vector<LogicalLine>& lines, const IcsImportProgress& progress)
{
    FileLayout layout;
    struct Open {
        QByteArray Name;
        int Event = -1; // index into Events when this BEGIN opened one
        int Zone = -1;  // index into Zones
    };
    std::vector<Open> stack;
    QHash<QByteArray, int> openCount; // names on the stack, so an END no BEGIN matches is
                                      // found without searching the stack
    int calendars = 0;                // VCALENDARs open
    int eventDepth = -1;              // stack index of the open VEVENT, if any
    int zoneDepth = -1;               // stack index of the open VTIMEZONE, if any

    const auto close = [&](bool closedByItsEnd, int lineNumber, const QByteArray& by) {
        const Open top = std::move(stack.back());
        stack.pop_back();
        if (--openCount[top.Name] == 0)
            openCount.remove(top.Name);
        if (top.Name == "VCALENDAR")
            --calendars;
        if (top.Event >= 0) {
            Block& event = layout.Events[static_cast<std::size_t>(top.Event)];
            event.Closed = closedByItsEnd;
            if (!closedByItsEnd && event.Problem.isEmpty()) {
                event.Problem = by.isEmpty()
                                    ? QStringLiteral("the file ends before its "
                                                     "END:VEVENT.")
                                    : QString::fromUtf8(by) + QStringLiteral(" comes before its "
                                                                             "END:VEVENT.");
                event.ProblemLine = lineNumber;
            }
            eventDepth = -1;
        }
        if (top.Zone >= 0) {
            layout.Zones[static_cast<std::size_t>(top.Zone)].Closed = closedByItsEnd;
            zoneDepth = -1;
        }
    };

    for (std::size_t index = 0; index < lines.size(); ++index) {
        if (progress.Cancel && index % 4096 == 0 && progress.Cancel->load()) {
            layout.Cancelled = true;
            return layout;
        }
        const LogicalLine& logical = lines[index];
        const ContentLine line = Split(logical.Text);
        if (line.IsProperty && line.Name == "BEGIN") {
            const QByteArray name = line.Value.trimmed().toUpper();
            Open open{name};
            if (name == "VEVENT" && eventDepth >= 0) {
                // Events do not nest: the open one lost its END line.
                const int eventAt = eventDepth;
                while (static_cast<int>(stack.size()) > eventAt)
                    close(false, logical.Number, "BEGIN:VEVENT");
            }
            const int depth = static_cast<int>(stack.size());
            if (name == "VCALENDAR") {
                layout.HasCalendar = true;
                ++calendars;
            }
            else if (calendars > 0 && eventDepth < 0 && zoneDepth < 0) {
                if (name == "VEVENT") {
                    if (static_cast<int>(layout.Events.size()) >= MaxEvents) {
                        layout.TooManyEvents = true;
                        return layout;
                    }
                    open.Event = static_cast<int>(layout.Events.size());
                    layout.Events.push_back({logical.Number, {}, {}, 0, false});
                    eventDepth = depth;
                }
                else if (name == "VTIMEZONE") {
                    open.Zone = static_cast<int>(layout.Zones.size());
                    layout.Zones.push_back(
                        {logical.Number, {static_cast<int>(index)}, {}, 0, false});
                    zoneDepth = depth;
                }
            }
            else if (zoneDepth >= 0 && depth == zoneDepth + 1) {
                layout.Zones.back().Lines.push_back(static_cast<int>(index));
            }
            stack.push_back(std::move(open));
            ++openCount[name];
            continue;
        }
        if (line.IsProperty && line.Name == "END") {
            const QByteArray name = line.Value.trimmed().toUpper();
            if (!openCount.contains(name))
                continue; // an END without its BEGIN says nothing
            while (stack.back().Name != name)
                close(false, logical.Number, "END:" + name);
            if (zoneDepth >= 0 && static_cast<int>(stack.size()) - 1 <= zoneDepth + 1)
                layout.Zones.back().Lines.push_back(static_cast<int>(index));
            close(true, logical.Number, name);
            continue;
        }
        const int depth = static_cast<int>(stack.size());
        if (eventDepth >= 0) {
            if (depth != eventDepth + 1)
                continue; // an alarm or anything else inside the event
            Block& event = layout.Events.back();
            if (!line.IsProperty) {
                if (event.Problem.isEmpty()) {
                    event.Problem =
                        QStringLiteral("this line is no property: ") + Shown(logical.Text);
                    event.ProblemLine = logical.Number;
                }
            }
            else if (IsNeeded(line.Name)) {
                event.Lines.push_back(static_cast<int>(index));
            }
        }
        else if (zoneDepth >= 0) {
            if (line.IsProperty && depth <= zoneDepth + 2)
                layout.Zones.back().Lines.push_back(static_cast<int>(index));
        }
        else if (calendars > 0 && depth >= 1 && stack.back().Name == "VCALENDAR" &&
                 line.IsProperty && line.Name == "X-WR-TIMEZONE" && layout.CalendarZone.isEmpty()) {
            layout.CalendarZone = line.Value.trimmed();
        }
    }
    const int last = lines.empty() ? 0 : lines.back().Number;
    while (!stack.empty())
        close(false, last, {});
    return layout;
}

// A zone times are given in: the file's own VTIMEZONE, read by libical, or a zone this
// computer knows by name. Neither: the time is floating, read as it stands.
struct Zone {
    QString Name;
    icaltimezone* Ical = nullptr;
    QTimeZone Known;
};

QDateTime AsWall(const icaltimetype& time)
{
    return QDateTime(QDate(time.year, time.month, time.day),
                     QTime(time.hour, time.minute, std::min(time.second, 59)), QTimeZone::utc());
}

icaltimetype FromWall(const QDateTime& wall)
{
    icaltimetype time = icaltime_null_time();
    time.year = wall.date().year();
    time.month = wall.date().month();
    time.day = wall.date().day();
    time.hour = wall.time().hour();
    time.minute = wall.time().minute();
    time.second = wall.time().second();
    return time;
}

// The instant of a wall-clock time in `zone`.
QDateTime ToInstant(const QDateTime& wall, const Zone& zone)
{
    if (zone.Ical) {
        icaltimetype time = FromWall(wall);
        time.zone = zone.Ical;
        return AsWall(icaltime_convert_to_zone(time, icaltimezone_get_utc_timezone()));
    }
    return QDateTime(wall.date(), wall.time(), zone.Known).toUTC();
}

// The wall-clock time of an instant in `zone`.
QDateTime ToWall(const QDateTime& instant, const Zone& zone)
{
    if (zone.Ical) {
        icaltimetype time = FromWall(instant);
        time.zone = icaltimezone_get_utc_timezone();
        return AsWall(icaltime_convert_to_zone(time, zone.Ical));
    }
    const QDateTime there = instant.toTimeZone(zone.Known);
    return QDateTime(there.date(), there.time(), QTimeZone::utc());
}

class Zones {
public:
    Zones()
    {
        m_utc.Name = QStringLiteral("UTC");
        m_utc.Known = QTimeZone::utc();
        m_computer.Known = QTimeZone::systemTimeZone();
        m_computer.Name = QString::fromUtf8(m_computer.Known.id());
    }

    void AddFileZone(ZonePointer zone, const QString& name)
    {
        Zone& added = m_byName[name];
        added.Name = name;
        added.Ical = zone.get();
        m_owned.push_back(std::move(zone));
    }

    int FileZones() const { return static_cast<int>(m_owned.size()); }

    // The zone named by a TZID or X-WR-TIMEZONE; nothing when neither the file nor this
    // computer knows it.
    const Zone* Find(const QString& name)
    {
        if (name.isEmpty())
            return nullptr;
        if (const auto found = m_byName.find(name); found != m_byName.end())
            return found->second.Ical || found->second.Known.isValid() ? &found->second : nullptr;
        Zone& zone = m_byName[name];
        zone.Name = name;
        QByteArray id = name.toUtf8();
        if (!QTimeZone::isTimeZoneIdAvailable(id))
            id = QTimeZone::windowsIdToDefaultIanaId(id);
        if (!id.isEmpty() && QTimeZone::isTimeZoneIdAvailable(id))
            zone.Known = QTimeZone(id);
        return zone.Known.isValid() ? &zone : nullptr;
    }

    const Zone& Utc() const { return m_utc; }
    const Zone& Computer() const { return m_computer; }

private:
    Zone m_utc;
    Zone m_computer;
    std::map<QString, Zone> m_byName; // nodes stay put: times point at their zone
    std::vector<ZonePointer> m_owned;
};

// A time of the file with the zone it is given in (nullptr: a date, or floating).
struct TimeValue {
    icaltimetype Time{};
    const Zone* In = nullptr;
};

// A time as the calendar's owner reads it in the zone an event repeats in: a date, or a date
// and a wall-clock time held as UTC so that adding hours never meets a change of summer time.
struct WallTime {
    QDateTime At;
    bool IsDate = false;
};

std::optional<QDateTime> ValidWall(const icaltimetype& time)
{
    if (icaltime_is_null_time(time))
        return std::nullopt;
    const QDate date(time.year, time.month, time.day);
    if (!date.isValid())
        return std::nullopt;
    const QTime clock(time.hour, time.minute, std::min(time.second, 59));
    if (!clock.isValid())
        return std::nullopt;
    return QDateTime(date, clock, QTimeZone::utc());
}

QString SummaryText(icalproperty* summary)
{
    const char* text = icalproperty_get_summary(summary);
    return QString::fromUtf8(text ? text : "");
}

// libical's words for a value it cannot read, without the mending it reports and does not
// apply here.
QString ErrorText(icalcomponent* component)
{
    icalproperty* error = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY);
    const char* text = error ? icalproperty_get_xlicerror(error) : nullptr;
    QString message = QString::fromUtf8(text ? text : "");
    if (const qsizetype at = message.indexOf(QStringLiteral(". Removing entire property")); at >= 0)
        message = message.left(at) + message.mid(message.lastIndexOf(QStringLiteral(": ")));
    return message;
}

ComponentPointer ParseEvent(const QByteArray& body)
{
    const QByteArray text = "BEGIN:VEVENT\r\n" + body + "END:VEVENT\r\n";
    icalcomponent* parsed = icalparser_parse_string(text.constData());
    if (parsed && icalcomponent_isa(parsed) != ICAL_VEVENT_COMPONENT) {
        icalcomponent_free(parsed);
        parsed = nullptr;
    }
    return ComponentPointer(parsed);
}

// One event read by libical, or why it cannot be.
struct ReadEvent {
    ComponentPointer Component;
    QString Summary;
    QString Problem;
    int ProblemLine = 0;
};

ReadEvent ReadEventLines(const Block& block, const std::vector<LogicalLine>& lines)
{
    ReadEvent read;
    read.Problem = block.Problem;
    read.ProblemLine = block.ProblemLine;
    QByteArray body;
    std::vector<std::pair<int, QByteArray>> cleaned;
    for (const int index : block.Lines) {
        const LogicalLine& logical = lines[static_cast<std::size_t>(index)];
        const ContentLine line = Split(logical.Text);
        if (line.Value.trimmed().isEmpty()) {
            // An empty text is no text; an empty time or rule is a fault of the event.
            if (read.Problem.isEmpty() && line.Name != "SUMMARY" && line.Name != "UID" &&
                line.Name != "STATUS") {
                read.Problem = QString::fromUtf8(line.Name) + QStringLiteral(" has no value.");
                read.ProblemLine = logical.Number;
            }
            continue;
        }
        cleaned.emplace_back(logical.Number, Cleaned(line));
        body += cleaned.back().second + "\r\n";
    }
    read.Component = ParseEvent(body);
    const bool faulty = !read.Component || icalcomponent_count_errors(read.Component.get()) > 0;
    if (faulty) {
        // Rarely taken: each line alone, to name the one libical cannot read.
        read.Component.reset();
        for (const auto& [number, text] : cleaned) {
            const ComponentPointer single = ParseEvent(text + "\r\n");
            if (single && icalcomponent_count_errors(single.get()) == 0) {
                if (icalproperty* summary =
                        icalcomponent_get_first_property(single.get(), ICAL_SUMMARY_PROPERTY))
                    if (read.Summary.isEmpty())
                        read.Summary = SummaryText(summary);
                continue;
            }
            if (read.Problem.isEmpty() || number < read.ProblemLine) {
                read.Problem = single ? ErrorText(single.get()) + QLatin1Char('.')
                                      : QStringLiteral("this line cannot be read.");
                read.ProblemLine = number;
            }
        }
        if (read.Problem.isEmpty()) {
            read.Problem = QStringLiteral("the event cannot be read.");
            read.ProblemLine = block.BeginLine;
        }
        return read;
    }
    if (icalproperty* summary =
            icalcomponent_get_first_property(read.Component.get(), ICAL_SUMMARY_PROPERTY))
        read.Summary = SummaryText(summary);
    return read;
}

icalproperty* FirstProperty(icalcomponent* event, icalproperty_kind kind)
{
    return icalcomponent_get_first_property(event, kind);
}

QString UidOf(icalcomponent* event)
{
    icalproperty* uid = FirstProperty(event, ICAL_UID_PROPERTY);
    const char* text = uid ? icalproperty_get_uid(uid) : nullptr;
    return QString::fromUtf8(text ? text : "");
}

bool IsCancelled(icalcomponent* event)
{
    icalproperty* status = FirstProperty(event, ICAL_STATUS_PROPERTY);
    return status && icalproperty_get_status(status) == ICAL_STATUS_CANCELLED;
}

// A time property's value with the zone it names.
TimeValue ValueOf(icalproperty* property, const icaltimetype& time, Zones& zones)
{
    TimeValue value{time, nullptr};
    if (time.is_date)
        return value;
    if (icaltime_is_utc(time)) {
        value.In = &zones.Utc();
        return value;
    }
    if (icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER))
        if (const char* name = icalparameter_get_tzid(tzid))
            value.In = zones.Find(QString::fromUtf8(name));
    return value;
}

std::vector<TimeValue> TimesOf(icalcomponent* event, icalproperty_kind kind, Zones& zones)
{
    std::vector<TimeValue> times;
    for (icalproperty* property = icalcomponent_get_first_property(event, kind); property;
         property = icalcomponent_get_next_property(event, kind)) {
        icaltimetype time;
        if (kind == ICAL_EXDATE_PROPERTY)
            time = icalproperty_get_exdate(property);
        else if (kind == ICAL_RECURRENCEID_PROPERTY)
            time = icalproperty_get_recurrenceid(property);
        else {
            // An RDATE gives a date, a date and time, or a period from a start.
            const icaldatetimeperiodtype value = icalproperty_get_rdate(property);
            time = icaltime_is_null_time(value.time) ? value.period.start : value.time;
        }
        times.push_back(ValueOf(property, time, zones));
    }
    return times;
}

qint64 DurationSeconds(const icaldurationtype& duration)
{
    if (duration.is_neg)
        return 0;
    return qint64(duration.weeks) * 7 * SecondsPerDay + qint64(duration.days) * SecondsPerDay +
           qint64(duration.hours) * 3600 + qint64(duration.minutes) * 60 + qint64(duration.seconds);
}

bool InList(const short* list, int size, int value)
{
    for (int i = 0; i < size && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        if (list[i] == value)
            return true;
    return false;
}

bool HasAny(const short* list)
{
    return list[0] != ICAL_RECURRENCE_ARRAY_MAX;
}

void Clear(short* list)
{
    list[0] = ICAL_RECURRENCE_ARRAY_MAX;
}

// The parts of a rule that keep or drop whole repetitions (BYMONTH of a daily rule, BYHOUR of
// an hourly one...). libical would search for the next repetition they keep without limit
// (to the year 2582 for a rule that keeps none), so they are taken out of the rule it follows
// and checked here on each repetition it gives; the result is the same.
struct RuleLimits {
    short Months[ICAL_BY_MONTH_SIZE];
    short MonthDays[ICAL_BY_MONTHDAY_SIZE];
    short YearDays[ICAL_BY_YEARDAY_SIZE];
    short Days[ICAL_BY_DAY_SIZE];
    short Hours[ICAL_BY_HOUR_SIZE];
    short Minutes[ICAL_BY_MINUTE_SIZE];
    short Seconds[ICAL_BY_SECOND_SIZE];
    bool Any = false;

    // False when a weekday with a position is given where only MONTHLY and YEARLY take one.
    bool Take(icalrecurrencetype& rule)
    {
        for (short* list : {Months, MonthDays, YearDays, Days, Hours, Minutes, Seconds})
            Clear(list);
        const icalrecurrencetype_frequency freq = rule.freq;
        const bool subDaily = freq == ICAL_HOURLY_RECURRENCE || freq == ICAL_MINUTELY_RECURRENCE ||
                              freq == ICAL_SECONDLY_RECURRENCE;
        const auto move = [this](short* from, short* to, int size) {
            if (!HasAny(from))
                return;
            std::copy(from, from + size, to);
            Clear(from);
            Any = true;
        };
        // BYMONTH keeps or drops whole months of a monthly rule.
        if (freq == ICAL_MONTHLY_RECURRENCE)
            move(rule.by_month, Months, ICAL_BY_MONTH_SIZE);
        if (freq != ICAL_DAILY_RECURRENCE && !subDaily)
            return true;
        move(rule.by_month, Months, ICAL_BY_MONTH_SIZE);
        move(rule.by_month_day, MonthDays, ICAL_BY_MONTHDAY_SIZE);
        move(rule.by_day, Days, ICAL_BY_DAY_SIZE);
        if (subDaily) {
            move(rule.by_year_day, YearDays, ICAL_BY_YEARDAY_SIZE);
            move(rule.by_hour, Hours, ICAL_BY_HOUR_SIZE);
            if (freq != ICAL_HOURLY_RECURRENCE)
                move(rule.by_minute, Minutes, ICAL_BY_MINUTE_SIZE);
            if (freq == ICAL_SECONDLY_RECURRENCE)
                move(rule.by_second, Seconds, ICAL_BY_SECOND_SIZE);
        }
        for (int i = 0; i < ICAL_BY_DAY_SIZE && Days[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
            if (icalrecurrencetype_day_position(Days[i]) != 0)
                return false;
        return true;
    }

    bool Keeps(const QDateTime& at) const
    {
        if (!Any)
            return true;
        const QDate date = at.date();
        const auto matches = [](const short* list, int size, int value, int count) {
            return !HasAny(list) || InList(list, size, value) ||
                   InList(list, size, value - count - 1);
        };
        // libical counts weekdays from Sunday (1) to Saturday (7).
        const int weekday = date.dayOfWeek() % 7 + 1;
        return matches(Months, ICAL_BY_MONTH_SIZE, date.month(), 1000) &&
               matches(MonthDays, ICAL_BY_MONTHDAY_SIZE, date.day(), date.daysInMonth()) &&
               matches(YearDays, ICAL_BY_YEARDAY_SIZE, date.dayOfYear(), date.daysInYear()) &&
               matches(Days, ICAL_BY_DAY_SIZE, weekday, 1000) &&
               matches(Hours, ICAL_BY_HOUR_SIZE, at.time().hour(), 1000) &&
               matches(Minutes, ICAL_BY_MINUTE_SIZE, at.time().minute(), 1000) &&
               matches(Seconds, ICAL_BY_SECOND_SIZE, at.time().second(), 1000);
    }
};

// False for a rule whose BYMONTH and BYMONTHDAY never meet (the 30th of February), which
// libical would look for up to the year 2582 on each step. Only where nothing else chooses days.
bool MonthsHaveTheDays(const icalrecurrencetype& rule)
{
    if (!HasAny(rule.by_month) || !HasAny(rule.by_month_day) || HasAny(rule.by_day) ||
        HasAny(rule.by_year_day) || HasAny(rule.by_week_no) || HasAny(rule.by_set_pos))
        return true;
    for (int m = 0; m < ICAL_BY_MONTH_SIZE && rule.by_month[m] != ICAL_RECURRENCE_ARRAY_MAX; ++m) {
        const int month = rule.by_month[m];
        if (month < 1 || month > 12)
            return true;                                      // libical's to judge
        const int days = QDate(2024, month, 1).daysInMonth(); // a leap year: the most days
        for (int d = 0;
             d < ICAL_BY_MONTHDAY_SIZE && rule.by_month_day[d] != ICAL_RECURRENCE_ARRAY_MAX; ++d)
            if (std::abs(rule.by_month_day[d]) <= days)
                return true;
    }
    return false;
}

qint64 StepSeconds(const icalrecurrencetype& rule)
{
    const qint64 interval = std::max<short>(rule.interval, 1);
    switch (rule.freq) {
    case ICAL_SECONDLY_RECURRENCE:
        return interval;
    case ICAL_MINUTELY_RECURRENCE:
        return interval * 60;
    case ICAL_HOURLY_RECURRENCE:
        return interval * 3600;
    default:
        return 0;
    }
}

// One event: its occurrences laid on the span as entries.
class EventExpansion {
public:
    EventExpansion(const ListTemplate& span, const IcsImportRequest& request,
                   IcsImportResult& result, Zones& zones, const Zone& calendarZone)
        : m_first(SpanFirstDay(span)), m_last(SpanLastDay(span)), m_request(request),
          m_result(result), m_zones(zones), m_calendarZone(calendarZone)
    {
    }

    // Nothing when the event's entries are taken (or it has none in the span); else why it is
    // left out. Entries are kept only for an event followed to its end.
    std::optional<QString> Expand(icalcomponent* event, const QString& summary,
                                  const std::vector<TimeValue>& replaced)
    {
        icalproperty* startProperty = FirstProperty(event, ICAL_DTSTART_PROPERTY);
        if (!startProperty)
            return QStringLiteral("it has no start (DTSTART).");
        const TimeValue start =
            ValueOf(startProperty, icalproperty_get_dtstart(startProperty), m_zones);
        const std::optional<QDateTime> startWall = ValidWall(start.Time);
        if (!startWall)
            return QStringLiteral("its start (DTSTART) is no date.");
        // Occurrences are followed in the zone of the start: its wall clock for a zone or a
        // floating time, UTC for a UTC time.
        m_zone = start.Time.is_date ? nullptr : start.In;
        m_start = {*startWall, start.Time.is_date != 0};
        m_durationSeconds = DurationOf(event);
        m_reason = CleanImportedReason(m_request.Reason.isEmpty() ? summary : m_request.Reason,
                                       m_request.Kind == ListEntryKind::Overnight
                                           ? QStringLiteral("Overnight")
                                           : QStringLiteral("Day Visit"));
        m_pending.clear();
        m_pendingKeys.clear();
        m_inside = false;
        m_readUtc = m_zone == &m_zones.Utc();
        m_excludedAt.clear();
        m_excludedDays.clear();
        for (const TimeValue& excluded : TimesOf(event, ICAL_EXDATE_PROPERTY, m_zones))
            Exclude(excluded);
        for (const TimeValue& excluded : replaced)
            Exclude(excluded);

        // A changed occurrence of a series stands for itself; its own rule would repeat it.
        const bool single = FirstProperty(event, ICAL_RECURRENCEID_PROPERTY) != nullptr;
        icalproperty* rule = single ? nullptr : FirstProperty(event, ICAL_RRULE_PROPERTY);
        if (!rule)
            Occurrence(m_start);
        int steps = 0;
        for (; rule; rule = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY))
            if (std::optional<QString> problem = Repeat(icalproperty_get_rrule(rule), steps))
                return problem;
        if (!single)
            for (const TimeValue& rdate : TimesOf(event, ICAL_RDATE_PROPERTY, m_zones))
                if (const std::optional<WallTime> at = InEventZone(rdate))
                    Occurrence(*at);
        if (!m_inside)
            ++m_result.EventsOutside;
        for (ListLine& entry : m_pending)
            m_result.Entries.push_back(std::move(entry));
        m_seen.unite(m_pendingKeys);
        if (m_inside && m_readUtc)
            m_result.UtcZone = m_calendarZone.Name;
        return std::nullopt;
    }

    qsizetype Entries() const { return m_seen.size(); }

private:
    // `time` on the wall clock of the event's zone (or as the calendar's owner reads it, for
    // a floating event and a time given with a zone).
    std::optional<WallTime> InEventZone(const TimeValue& time) const
    {
        const std::optional<QDateTime> wall = ValidWall(time.Time);
        if (!wall)
            return std::nullopt;
        if (time.Time.is_date)
            return WallTime{*wall, true};
        if (!time.In || time.In == m_zone)
            return WallTime{*wall, false};
        const QDateTime instant = ToInstant(*wall, *time.In);
        const QDateTime there = ToWall(instant, m_zone ? *m_zone : m_calendarZone);
        if (!there.isValid())
            return std::nullopt;
        return WallTime{there, false};
    }

    void Exclude(const TimeValue& time)
    {
        const std::optional<WallTime> at = InEventZone(time);
        if (!at)
            return;
        if (at->IsDate || m_start.IsDate)
            m_excludedDays.insert(at->At.date().toJulianDay());
        else
            m_excludedAt.insert(at->At.toSecsSinceEpoch());
    }

    qint64 DurationOf(icalcomponent* event) const
    {
        if (icalproperty* end = FirstProperty(event, ICAL_DTEND_PROPERTY)) {
            const TimeValue value = ValueOf(end, icalproperty_get_dtend(end), m_zones);
            if (const std::optional<WallTime> wall = InEventZone(value))
                return std::clamp(m_start.At.secsTo(wall->At), qint64(0), MaxDurationSeconds);
            return 0;
        }
        if (icalproperty* duration = FirstProperty(event, ICAL_DURATION_PROPERTY))
            return std::min(DurationSeconds(icalproperty_get_duration(duration)),
                            MaxDurationSeconds);
        return m_start.IsDate ? SecondsPerDay : 0;
    }

    // Nothing when followed to its end; else why the event is left out.
    std::optional<QString> Repeat(icalrecurrencetype rule, int& steps)
    {
        if (rule.freq == ICAL_NO_RECURRENCE) {
            Occurrence(m_start);
            return std::nullopt;
        }
        // COUNT and UNTIL are applied here, on the repetitions kept.
        const int count = rule.count;
        std::optional<WallTime> until;
        if (!icaltime_is_null_time(rule.until)) {
            TimeValue value{rule.until, nullptr};
            if (icaltime_is_utc(rule.until))
                value.In = &m_zones.Utc();
            until = InEventZone(value);
        }
        rule.count = 0;
        rule.until = icaltime_null_time();
        if (!MonthsHaveTheDays(rule))
            return QStringLiteral("its RRULE gives no date: no month it names has the days it "
                                  "names.");
        RuleLimits limits;
        if (!limits.Take(rule))
            return QStringLiteral("its RRULE cannot be followed.");

        icaltimetype dtstart = FromWall(m_start.At);
        dtstart.is_date = m_start.IsDate ? 1 : 0;
        // An open-ended rule may start long before the span: begin near it. (A rule with a
        // COUNT must be counted from its start.)
        const QDate from = m_first.addDays(-(m_durationSeconds / SecondsPerDay) - 2);
        bool skipped = false;
        QDateTime aligned;
        if (const qint64 step = StepSeconds(rule);
            step > 0 && count == 0 && m_start.At.date() < from) {
            // A repetition of the same grid, so that an INTERVAL keeps its rhythm.
            const qint64 behind = m_start.At.secsTo(QDateTime(from, QTime(0, 0), QTimeZone::utc()));
            aligned = m_start.At.addSecs(behind / step * step);
            dtstart = FromWall(aligned);
            skipped = true;
        }
        IteratorPointer iterator(icalrecur_iterator_new(rule, dtstart));
        if (!iterator)
            return QStringLiteral("its RRULE cannot be followed.");
        if (!skipped && count == 0 && m_start.At.date() < from) {
            icaltimetype near = dtstart;
            near.year = from.year();
            near.month = from.month();
            near.day = from.day();
            icalrecur_iterator_set_start(iterator.get(), near);
            skipped = true;
        }
        int kept = 0;
        for (;; ++steps) {
            if (steps >= MaxOccurrenceSteps)
                return QStringLiteral("its RRULE gives no end within the list's 24 months in "
                                      "%1 steps; it was given up.")
                    .arg(MaxOccurrenceSteps);
            const std::optional<QDateTime> next =
                ValidWall(icalrecur_iterator_next(iterator.get()));
            if (!next || next->date() > m_last)
                return std::nullopt;
            // The limits hold for the start too: libical, following them itself, does not
            // give a start that does not fit them (RFC 5545 leaves that open).
            if (!limits.Keeps(*next))
                continue;
            const WallTime at{*next, m_start.IsDate};
            if (until &&
                (until->IsDate || at.IsDate ? at.At.date() > until->At.date() : at.At > until->At))
                return std::nullopt;
            Occurrence(at);
            if (count > 0 && ++kept >= count)
                return std::nullopt;
        }
    }

    bool Excluded(const WallTime& start) const
    {
        if (m_excludedDays.contains(start.At.date().toJulianDay()))
            return true;
        return !start.IsDate && m_excludedAt.contains(start.At.toSecsSinceEpoch());
    }

    void Occurrence(const WallTime& start)
    {
        if (Excluded(start))
            return;
        QDateTime first = start.At;
        QDateTime endAt = start.At.addSecs(m_durationSeconds);
        // An end far past the span says no more than one just past it, and a zone's rules
        // need never be worked out for the year 100000.
        if (const QDateTime pastSpan(m_last.addDays(3), QTime(0, 0), QTimeZone::utc());
            endAt > pastSpan)
            endAt = pastSpan;
        // A UTC time becomes a date in the calendar's zone.
        if (m_readUtc) {
            first = ToWall(first, m_calendarZone);
            endAt = ToWall(endAt, m_calendarZone);
        }
        if (!first.isValid())
            return;
        const QDate end = endAt.isValid() ? endAt.date() : first.date();
        // The nights end before the day it ends; a day visit also has the day it ends on,
        // unless it ends at midnight.
        QDate last = end.addDays(-1);
        if (m_request.Kind == ListEntryKind::DayVisit && !start.IsDate && endAt.isValid() &&
            endAt.time() != QTime(0, 0))
            last = end;
        last = std::max(first.date(), last);
        // An event that overlaps the span is inside it for its days in the span.
        for (QDate day = std::max(first.date(), m_first); day <= std::min(last, m_last);
             day = day.addDays(1)) {
            m_inside = true;
            // Past the cap nothing more is kept; the cap refuses the file.
            if (m_seen.size() + m_pendingKeys.size() > MaxEntries)
                return;
            const QPair<qint64, QString> key{day.toJulianDay(), m_reason};
            if (m_seen.contains(key) || m_pendingKeys.contains(key))
                continue;
            m_pendingKeys.insert(key);
            m_pending.push_back({true, m_request.Kind, day, m_reason, QString()});
        }
    }

    const QDate m_first;
    const QDate m_last;
    const IcsImportRequest& m_request;
    IcsImportResult& m_result;
    Zones& m_zones;
    const Zone& m_calendarZone;
    const Zone* m_zone = nullptr;
    WallTime m_start;
    qint64 m_durationSeconds = 0;
    QString m_reason;
    bool m_inside = false;
    bool m_readUtc = false;
    QSet<qint64> m_excludedAt;
    QSet<qint64> m_excludedDays;
    std::vector<ListLine> m_pending;
    QSet<QPair<qint64, QString>> m_seen; // each date and reason once
    QSet<QPair<qint64, QString>> m_pendingKeys;
};

// The file's VTIMEZONEs, read by libical one by one.
void ReadZones(const FileLayout& layout, const std::vector<LogicalLine>& lines, Zones& zones)
{
    for (const Block& block : layout.Zones) {
        if (!block.Closed)
            continue;
        QByteArray text;
        for (const int index : block.Lines)
            text += lines[static_cast<std::size_t>(index)].Text + "\r\n";
        icalcomponent* parsed = icalparser_parse_string(text.constData());
        if (!parsed)
            continue;
        ComponentPointer component(parsed);
        if (icalcomponent_isa(parsed) != ICAL_VTIMEZONE_COMPONENT)
            continue;
        icalproperty* tzid = FirstProperty(parsed, ICAL_TZID_PROPERTY);
        const char* name = tzid ? icalproperty_get_tzid(tzid) : nullptr;
        if (!name || !*name)
            continue;
        const QString zoneName = QString::fromUtf8(name);
        ZonePointer zone(icaltimezone_new());
        icalcomponent* definition = component.release();
        if (!icaltimezone_set_component(zone.get(), definition)) {
            icalcomponent_free(definition);
            continue;
        }
        zones.AddFileZone(std::move(zone), zoneName);
    }
}

// The zone UTC times are read in: the one X-WR-TIMEZONE names, or the file's only VTIMEZONE
// when no event names another, else this computer's.
const Zone& CalendarZone(const FileLayout& layout, const std::vector<LogicalLine>& lines,
                         Zones& zones)
{
    if (const Zone* named = zones.Find(QString::fromUtf8(layout.CalendarZone)))
        return *named;
    if (zones.FileZones() == 1) {
        QString only;
        for (const Block& block : layout.Zones)
            for (const int index : block.Lines) {
                const ContentLine line = Split(lines[static_cast<std::size_t>(index)].Text);
                if (line.Name == "TZID" && only.isEmpty())
                    only = QString::fromUtf8(line.Value.trimmed());
            }
        bool allUseIt = !only.isEmpty();
        for (const Block& event : layout.Events)
            for (const int index : event.Lines) {
                const ContentLine line = Split(lines[static_cast<std::size_t>(index)].Text);
                if (line.Name == "DTSTART") {
                    const QByteArray tzid = ParamValue(line, "TZID");
                    if (!tzid.isEmpty() && QString::fromUtf8(tzid) != only)
                        allUseIt = false;
                }
            }
        if (allUseIt)
            if (const Zone* zone = zones.Find(only))
                return *zone;
    }
    return zones.Computer();
}

} // namespace

QString CountOf(qsizetype count, const QString& one, const QString& many)
{
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

IcsImportResult ImportIcsEntries(const QByteArray& bytes, const ListTemplate& span,
                                 const IcsImportRequest& request, const IcsImportProgress& progress)
{
    IcsImportResult result;
    const auto cancelled = [&] {
        result = IcsImportResult();
        result.Cancelled = true;
        result.Error = QStringLiteral("The import was cancelled.");
        return result;
    };
    // libical reports what it cannot read inside the components it returns; it must never
    // end the program over a file.
    icalerror_set_errors_are_fatal(0);
    if (bytes.contains('\0')) {
        result.Error = QStringLiteral("The file is no iCalendar file: it is not text.");
        return result;
    }
    // Files saved by some calendar programs begin with a UTF-8 byte-order mark.
    const std::vector<LogicalLine> lines =
        LogicalLines(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    if (lines.empty()) {
        result.Error = QStringLiteral("The iCalendar file is empty.");
        return result;
    }
    const FileLayout layout = Layout(lines, progress);
    if (layout.Cancelled)
        return cancelled();
    if (layout.TooManyEvents) {
        result.Error =
            QStringLiteral("The iCalendar file holds more than %1 events.").arg(MaxEvents);
        return result;
    }
    if (!layout.HasCalendar) {
        result.Error = QStringLiteral("The file is no iCalendar file: it holds no "
                                      "BEGIN:VCALENDAR line.");
        return result;
    }
    Zones zones;
    ReadZones(layout, lines, zones);
    const Zone& calendarZone = CalendarZone(layout, lines, zones);

    // Occurrences of a series that are changed or cancelled by an event of their own.
    QHash<QString, std::vector<TimeValue>> replaced;
    for (const Block& block : layout.Events) {
        const bool changesOne = std::any_of(block.Lines.begin(), block.Lines.end(), [&](int i) {
            return Split(lines[static_cast<std::size_t>(i)].Text).Name == "RECURRENCE-ID";
        });
        if (!changesOne)
            continue;
        const ReadEvent read = ReadEventLines(block, lines);
        if (!read.Component)
            continue;
        const std::vector<TimeValue> ids =
            TimesOf(read.Component.get(), ICAL_RECURRENCEID_PROPERTY, zones);
        std::vector<TimeValue>& list = replaced[UidOf(read.Component.get())];
        list.insert(list.end(), ids.begin(), ids.end());
    }

    EventExpansion expansion(span, request, result, zones, calendarZone);
    const int total = static_cast<int>(layout.Events.size());
    for (int index = 0; index < total; ++index) {
        if (progress.Cancel && progress.Cancel->load())
            return cancelled();
        if (progress.Report && index % 256 == 0)
            progress.Report(index, total);
        const Block& block = layout.Events[static_cast<std::size_t>(index)];
        ++result.Events;
        const ReadEvent read = ReadEventLines(block, lines);
        if (!read.Component || !read.Problem.isEmpty()) {
            result.LeftOut.push_back({read.ProblemLine, read.Summary, read.Problem});
            continue;
        }
        icalcomponent* event = read.Component.get();
        if (IsCancelled(event)) {
            ++result.EventsCancelled;
            continue;
        }
        const bool isSeries = !FirstProperty(event, ICAL_RECURRENCEID_PROPERTY);
        static const std::vector<TimeValue> none;
        const auto found = isSeries ? replaced.constFind(UidOf(event)) : replaced.cend();
        if (const std::optional<QString> problem =
                expansion.Expand(event, read.Summary, found != replaced.cend() ? *found : none))
            result.LeftOut.push_back({block.BeginLine, read.Summary, *problem});
        if (expansion.Entries() > MaxEntries) {
            result = IcsImportResult();
            result.Error = QStringLiteral("The iCalendar file gives more than %1 entries for the "
                                          "24 months of the list.")
                               .arg(MaxEntries);
            return result;
        }
    }
    if (progress.Report)
        progress.Report(total, total);
    if (!result.UtcZone.isEmpty())
        result.UtcZoneIsComputers = &calendarZone == &zones.Computer();
    // Date order, keeping the order found within a date.
    std::stable_sort(result.Entries.begin(), result.Entries.end(),
                     [](const ListLine& a, const ListLine& b) { return a.Date < b.Date; });
    result.Ok = true;
    return result;
}

QString IcsImportReport(const IcsImportResult& result, int added, const QString& fileName,
                        int listed)
{
    QString report = CountOf(added, QStringLiteral("entry"), QStringLiteral("entries")) +
                     QStringLiteral(" added from ") +
                     CountOf(result.Events, QStringLiteral("event"), QStringLiteral("events")) +
                     QStringLiteral(" of ") + fileName + QLatin1Char('.');
    const auto were = [](qsizetype count) {
        return count == 1 ? QStringLiteral(" was") : QStringLiteral(" were");
    };
    if (result.EventsOutside > 0)
        report += QStringLiteral("\n\r") +
                  CountOf(result.EventsOutside, QStringLiteral("event"), QStringLiteral("events")) +
                  QStringLiteral(" fell outside the list's 24 months and") +
                  were(result.EventsOutside) + QStringLiteral(" left out.");
    if (result.EventsCancelled > 0)
        report += QStringLiteral("\n\r") +
                  CountOf(result.EventsCancelled, QStringLiteral("cancelled event"),
                          QStringLiteral("cancelled events")) +
                  were(result.EventsCancelled) + QStringLiteral(" left out.");
    const qsizetype leftOut = static_cast<qsizetype>(result.LeftOut.size());
    if (leftOut > 0) {
        report += QStringLiteral("\n\r") +
                  CountOf(leftOut, QStringLiteral("event"), QStringLiteral("events")) +
                  (leftOut == 1 ? QStringLiteral(" could not be read and was left out:")
                                : QStringLiteral(" could not be read and were left out:"));
        const qsizetype shown = listed < 0 ? leftOut : std::min<qsizetype>(listed, leftOut);
        for (qsizetype i = 0; i < shown; ++i) {
            const IcsLeftOut& event = result.LeftOut[static_cast<std::size_t>(i)];
            report += QStringLiteral("\n\rline ") + QString::number(event.Line) +
                      QStringLiteral(", \"") + event.Summary.left(100) + QStringLiteral("\": ") +
                      event.Reason;
        }
        if (shown < leftOut)
            report += QStringLiteral("\n\r...and ") +
                      CountOf(leftOut - shown, QStringLiteral("more"), QStringLiteral("more")) +
                      QLatin1Char('.');
    }
    if (!result.UtcZone.isEmpty())
        report += result.UtcZoneIsComputers
                      ? QStringLiteral("\n\rTimes in UTC were read in this computer's zone, ") +
                            result.UtcZone + QLatin1Char('.')
                      : QStringLiteral("\n\rTimes in UTC were read in ") + result.UtcZone +
                            QLatin1Char('.');
    return report;
}

} // namespace custodex
