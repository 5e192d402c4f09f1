#include "patterns/IcsImport.h"

#include <QDateTime>
#include <QHash>
#include <QList>

#include <libical/ical.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace custodex {

namespace {

// Far more than any holiday calendar needs; a rule that would take longer to reach the end of
// the span is refused rather than cut short, so no occurrence is lost without a word.
constexpr int MaxOccurrenceSteps = 200000;
// A template of 24 months never needs more; a file that would give more is refused.
constexpr std::size_t MaxEntries = 100000;
constexpr qint64 SecondsPerDay = 24 * 60 * 60;
// Durations beyond a century say nothing more about a 24-month span.
constexpr qint64 MaxDurationSeconds = 100 * 366 * SecondsPerDay;

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using ComponentPointer = std::unique_ptr<icalcomponent, ComponentFree>;

struct IteratorFree {
    void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};
using IteratorPointer = std::unique_ptr<icalrecur_iterator, IteratorFree>;

// A line of the file after unfolding, with the number of its first physical line.
struct LogicalLine {
    int Number = 0;
    QByteArray Text;
};

// Splits on LF (dropping one CR before it) and joins continuation lines, which begin with a
// blank or a tab, to the line they continue. Only so that an error can name its line; libical
// reads every line.
std::vector<LogicalLine> LogicalLines(const QByteArray& bytes)
{
    std::vector<LogicalLine> lines;
    int number = 0;
    // Files saved by some calendar programs begin with a UTF-8 byte-order mark.
    const QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    for (QByteArray line : text.split('\n')) {
        ++number;
        if (line.endsWith('\r'))
            line.chop(1);
        if (!lines.empty() && !line.isEmpty() && (line.at(0) == ' ' || line.at(0) == '\t'))
            lines.back().Text += line.mid(1);
        else
            lines.push_back({number, line});
    }
    std::erase_if(lines, [](const LogicalLine& line) { return line.Text.trimmed().isEmpty(); });
    return lines;
}

QString Shown(const QByteArray& line)
{
    return QString::fromUtf8(line.left(200)).left(80);
}

QString LineError(const LogicalLine& line, const QString& what)
{
    return QStringLiteral("Line ") + QString::number(line.Number) +
           QStringLiteral(" of the iCalendar file cannot be read: ") + what +
           QStringLiteral("\n\r") + Shown(line.Text);
}

void CollectErrors(icalcomponent* component, QStringList& errors)
{
    for (icalproperty* property =
             icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY);
         property; property = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY)) {
        const char* text = icalproperty_get_xlicerror(property);
        QString error = QString::fromUtf8(text ? text : "");
        // libical mends what it reports; nothing here is mended, so that part is left out.
        if (const qsizetype at = error.indexOf(QStringLiteral(". Removing entire property"));
            at >= 0)
            error = error.left(at) + error.mid(error.lastIndexOf(QStringLiteral(": ")));
        errors << error;
    }
    for (icalcomponent* child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT);
         child; child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
        CollectErrors(child, errors);
}

// The line an error of libical is about: its messages end with the text they could not read.
const LogicalLine* LineOfError(const std::vector<LogicalLine>& lines, const QString& error)
{
    const qsizetype at = error.lastIndexOf(QStringLiteral(": "));
    const QByteArray fragment = error.mid(at >= 0 ? at + 2 : 0).trimmed().toUtf8();
    if (fragment.isEmpty())
        return nullptr;
    for (const LogicalLine& line : lines)
        if (line.Text.contains(fragment))
            return &line;
    return nullptr;
}

// The file read by libical, line by line so that a line it cannot read is known by number.
struct ParsedFile {
    std::vector<ComponentPointer> Roots;
    QString Error;
};

ParsedFile ParseFile(const QByteArray& bytes)
{
    ParsedFile parsed;
    const std::vector<LogicalLine> lines = LogicalLines(bytes);
    if (lines.empty()) {
        parsed.Error = QStringLiteral("The iCalendar file is empty.");
        return parsed;
    }
    std::unique_ptr<icalparser, decltype(&icalparser_free)> parser(icalparser_new(),
                                                                   &icalparser_free);
    const LogicalLine* failed = nullptr;
    icalparser_state state = ICALPARSER_SUCCESS;
    for (const LogicalLine& line : lines) {
        QByteArray text = line.Text; // libical wants a writable, terminated line
        if (icalcomponent* root = icalparser_add_line(parser.get(), text.data()))
            parsed.Roots.emplace_back(root);
        state = icalparser_get_state(parser.get());
        if (state == ICALPARSER_ERROR && !failed)
            failed = &line;
    }
    QStringList errors;
    for (const ComponentPointer& root : parsed.Roots)
        CollectErrors(root.get(), errors);

    if (failed) {
        QString what = QStringLiteral("it is no property and no BEGIN or END line.");
        for (const QString& error : errors)
            if (LineOfError(lines, error) == failed)
                what = error;
        parsed.Error = LineError(*failed, what);
    }
    else if (!errors.isEmpty()) {
        const LogicalLine* line = LineOfError(lines, errors.first());
        parsed.Error = line
                           ? LineError(*line, errors.first())
                           : QStringLiteral("The iCalendar file cannot be read: ") + errors.first();
    }
    else if (state != ICALPARSER_SUCCESS || parsed.Roots.empty()) {
        parsed.Error = QStringLiteral("The iCalendar file ends at line ") +
                       QString::number(lines.back().Number) +
                       QStringLiteral(" before every BEGIN line has its END line.");
    }
    if (!parsed.Error.isEmpty())
        parsed.Roots.clear();
    return parsed;
}

// A time as the calendar's owner reads it: a date, or a date and a wall-clock time held as
// UTC so that adding hours never meets a change of summer time. A UTC time becomes the
// local time of this computer; a time with a zone or without one keeps its wall clock.
struct WallTime {
    QDateTime At;
    bool IsDate = false;
};

std::optional<WallTime> WallTimeOf(const icaltimetype& time)
{
    if (icaltime_is_null_time(time))
        return std::nullopt;
    const QDate date(time.year, time.month, time.day);
    if (!date.isValid())
        return std::nullopt;
    if (time.is_date)
        return WallTime{QDateTime(date, QTime(0, 0), Qt::UTC), true};
    const QTime clock(time.hour, time.minute, std::min(time.second, 59));
    if (!clock.isValid())
        return std::nullopt;
    QDateTime at(date, clock, Qt::UTC);
    if (icaltime_is_utc(time)) {
        const QDateTime local = at.toLocalTime();
        at = QDateTime(local.date(), local.time(), Qt::UTC);
    }
    if (!at.isValid())
        return std::nullopt;
    return WallTime{at, false};
}

// What identifies an occurrence for EXDATE and RECURRENCE-ID: its date, and its time when both
// sides have one.
bool SameOccurrence(const WallTime& a, const WallTime& b)
{
    return a.IsDate || b.IsDate ? a.At.date() == b.At.date() : a.At == b.At;
}

qint64 DurationSeconds(const icaldurationtype& duration)
{
    if (duration.is_neg)
        return 0;
    const qint64 seconds = qint64(duration.weeks) * 7 * SecondsPerDay +
                           qint64(duration.days) * SecondsPerDay + qint64(duration.hours) * 3600 +
                           qint64(duration.minutes) * 60 + qint64(duration.seconds);
    return std::min(seconds, MaxDurationSeconds);
}

icalproperty* FirstProperty(icalcomponent* event, icalproperty_kind kind)
{
    return icalcomponent_get_first_property(event, kind);
}

std::vector<WallTime> TimesOf(icalcomponent* event, icalproperty_kind kind)
{
    std::vector<WallTime> times;
    for (icalproperty* property = icalcomponent_get_first_property(event, kind); property;
         property = icalcomponent_get_next_property(event, kind)) {
        const icaltimetype time = kind == ICAL_EXDATE_PROPERTY
                                      ? icalproperty_get_exdate(property)
                                      : icalproperty_get_recurrenceid(property);
        if (const std::optional<WallTime> wall = WallTimeOf(time))
            times.push_back(*wall);
    }
    return times;
}

// An RDATE gives a date, a date and time, or a period from a start.
icaltimetype RdateStart(icalproperty* rdate)
{
    const icaldatetimeperiodtype value = icalproperty_get_rdate(rdate);
    return icaltime_is_null_time(value.time) ? value.period.start : value.time;
}

QString EventName(icalcomponent* event)
{
    icalproperty* summary = FirstProperty(event, ICAL_SUMMARY_PROPERTY);
    const char* text = summary ? icalproperty_get_summary(summary) : nullptr;
    return QString::fromUtf8(text ? text : "");
}

bool IsCancelled(icalcomponent* event)
{
    icalproperty* status = FirstProperty(event, ICAL_STATUS_PROPERTY);
    return status && icalproperty_get_status(status) == ICAL_STATUS_CANCELLED;
}

void CollectEvents(icalcomponent* component, std::vector<icalcomponent*>& events)
{
    if (icalcomponent_isa(component) == ICAL_VEVENT_COMPONENT) {
        events.push_back(component);
        return;
    }
    for (icalcomponent* child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT);
         child; child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
        CollectEvents(child, events);
}

QString UidOf(icalcomponent* event)
{
    icalproperty* uid = FirstProperty(event, ICAL_UID_PROPERTY);
    const char* text = uid ? icalproperty_get_uid(uid) : nullptr;
    return QString::fromUtf8(text ? text : "");
}

// One event: its occurrences laid on the span as entries.
class EventExpansion {
public:
    EventExpansion(const ListTemplate& span, const IcsImportRequest& request,
                   IcsImportResult& result)
        : m_first(SpanFirstDay(span)), m_last(SpanLastDay(span)), m_request(request),
          m_result(result)
    {
    }

    // False after an error, which is then in the result.
    bool Expand(icalcomponent* event, const std::vector<WallTime>& replaced)
    {
        icalproperty* startProperty = FirstProperty(event, ICAL_DTSTART_PROPERTY);
        const std::optional<WallTime> start =
            startProperty ? WallTimeOf(icalproperty_get_dtstart(startProperty)) : std::nullopt;
        if (!start) {
            ++m_result.EventsUndated;
            return true;
        }
        m_start = *start;
        m_durationSeconds = DurationOf(event);
        m_reason = CleanImportedReason(
            m_request.Reason.isEmpty() ? EventName(event) : m_request.Reason,
            m_request.Kind == ListEntryKind::Overnight ? QStringLiteral("Overnight")
                                                       : QStringLiteral("Day Visit"));
        m_inside = false;
        m_excluded = TimesOf(event, ICAL_EXDATE_PROPERTY);
        m_excluded.insert(m_excluded.end(), replaced.begin(), replaced.end());

        // A changed occurrence of a series stands for itself; its own rule would repeat it.
        const bool single = FirstProperty(event, ICAL_RECURRENCEID_PROPERTY) != nullptr;
        icalproperty* rule = single ? nullptr : FirstProperty(event, ICAL_RRULE_PROPERTY);
        if (!rule) {
            Occurrence(m_start);
        }
        else {
            for (; rule; rule = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY))
                if (!Repeat(icalproperty_get_rrule(rule), icalproperty_get_dtstart(startProperty)))
                    return false;
        }
        if (!single)
            for (icalproperty* rdate = FirstProperty(event, ICAL_RDATE_PROPERTY); rdate;
                 rdate = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY))
                if (const std::optional<WallTime> at = WallTimeOf(RdateStart(rdate)))
                    Occurrence(*at);
        if (!m_inside)
            ++m_result.EventsOutside;
        if (m_result.Entries.size() > MaxEntries) {
            m_result.Error = QStringLiteral("The iCalendar file gives more than ") +
                             QString::number(MaxEntries) +
                             QStringLiteral(" entries for the 24 months of the list.");
            return false;
        }
        return true;
    }

private:
    qint64 DurationOf(icalcomponent* event) const
    {
        if (icalproperty* end = FirstProperty(event, ICAL_DTEND_PROPERTY)) {
            if (const std::optional<WallTime> wall = WallTimeOf(icalproperty_get_dtend(end)))
                return std::clamp(m_start.At.secsTo(wall->At), qint64(0), MaxDurationSeconds);
            return 0;
        }
        if (icalproperty* duration = FirstProperty(event, ICAL_DURATION_PROPERTY))
            return DurationSeconds(icalproperty_get_duration(duration));
        return m_start.IsDate ? SecondsPerDay : 0;
    }

    bool Repeat(const icalrecurrencetype& rule, const icaltimetype& dtstart)
    {
        if (rule.freq == ICAL_NO_RECURRENCE) {
            Occurrence(m_start);
            return true;
        }
        IteratorPointer iterator(icalrecur_iterator_new(rule, dtstart));
        if (!iterator)
            return Refuse(QStringLiteral(" repeats by a rule that cannot be followed."));
        // An open-ended rule may start long before the span: begin near it. (A rule with a
        // COUNT must be counted from its start.)
        const QDate from = m_first.addDays(-(m_durationSeconds / SecondsPerDay) - 2);
        if (rule.count == 0 && m_start.At.date() < from) {
            icaltimetype near = dtstart;
            near.year = from.year();
            near.month = from.month();
            near.day = from.day();
            icalrecur_iterator_set_start(iterator.get(), near);
        }
        for (int step = 0;; ++step) {
            if (step == MaxOccurrenceSteps)
                return Refuse(QStringLiteral(" repeats too often to be read (more than ") +
                              QString::number(MaxOccurrenceSteps) +
                              QStringLiteral(" times before the end of the list's 24 months)."));
            const std::optional<WallTime> at = WallTimeOf(icalrecur_iterator_next(iterator.get()));
            if (!at || at->At.date() > m_last)
                return true;
            Occurrence(*at);
        }
    }

    bool Refuse(const QString& what)
    {
        m_result.Error = QStringLiteral("The event \"") + m_reason + QStringLiteral("\" from ") +
                         m_start.At.date().toString(Qt::ISODate) + what;
        return false;
    }

    void Occurrence(const WallTime& start)
    {
        for (const WallTime& excluded : m_excluded)
            if (SameOccurrence(excluded, start))
                return;
        const QDate first = start.At.date();
        const QDateTime endAt = start.At.addSecs(m_durationSeconds);
        const QDate end = endAt.isValid() ? endAt.date() : first;
        // The nights end before the day it ends; a day visit also has the day it ends on,
        // unless it ends at midnight.
        QDate last = end.addDays(-1);
        if (m_request.Kind == ListEntryKind::DayVisit && !start.IsDate && endAt.isValid() &&
            endAt.time() != QTime(0, 0))
            last = end;
        last = std::max(first, last);
        for (QDate day = std::max(first, m_first); day <= std::min(last, m_last);
             day = day.addDays(1)) {
            // Past the cap nothing more is kept; the event's end refuses the file, so a long
            // event repeated hourly cannot fill the memory first.
            if (m_result.Entries.size() > MaxEntries)
                return;
            m_result.Entries.push_back({true, m_request.Kind, day, m_reason, QString()});
            m_inside = true;
        }
    }

    const QDate m_first;
    const QDate m_last;
    const IcsImportRequest& m_request;
    IcsImportResult& m_result;
    WallTime m_start;
    qint64 m_durationSeconds = 0;
    QString m_reason;
    bool m_inside = false;
    std::vector<WallTime> m_excluded;
};

// Date order, keeping the order found within a date, each entry once.
void OrderEntries(std::vector<ListLine>& entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ListLine& a, const ListLine& b) { return a.Date < b.Date; });
    std::vector<ListLine> kept;
    kept.reserve(entries.size());
    auto dateStart = entries.begin();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->Date != dateStart->Date)
            dateStart = it;
        if (std::find(dateStart, it, *it) == it)
            kept.push_back(*it);
    }
    entries = std::move(kept);
}

} // namespace

IcsImportResult ImportIcsEntries(const QByteArray& bytes, const ListTemplate& span,
                                 const IcsImportRequest& request)
{
    IcsImportResult result;
    // libical reports what it cannot read inside the calendar it returns; it must never end
    // the program over a file.
    icalerror_set_errors_are_fatal(0);
    const ParsedFile parsed = ParseFile(bytes);
    if (!parsed.Error.isEmpty()) {
        result.Error = parsed.Error;
        return result;
    }
    std::vector<icalcomponent*> events;
    for (const ComponentPointer& root : parsed.Roots)
        CollectEvents(root.get(), events);

    // Occurrences of a series that are changed or cancelled by an event of their own.
    QHash<QString, std::vector<WallTime>> replaced;
    for (icalcomponent* event : events)
        if (FirstProperty(event, ICAL_RECURRENCEID_PROPERTY)) {
            const std::vector<WallTime> ids = TimesOf(event, ICAL_RECURRENCEID_PROPERTY);
            std::vector<WallTime>& list = replaced[UidOf(event)];
            list.insert(list.end(), ids.begin(), ids.end());
        }

    EventExpansion expansion(span, request, result);
    for (icalcomponent* event : events) {
        ++result.Events;
        if (IsCancelled(event)) {
            ++result.EventsCancelled;
            continue;
        }
        const bool isSeries = !FirstProperty(event, ICAL_RECURRENCEID_PROPERTY);
        const std::vector<WallTime> none;
        const auto found = replaced.constFind(UidOf(event));
        if (!expansion.Expand(event, isSeries && found != replaced.cend() ? *found : none)) {
            result.Entries.clear();
            return result;
        }
    }
    OrderEntries(result.Entries);
    result.Ok = true;
    return result;
}

QString IcsImportReport(const IcsImportResult& result, int added, const QString& fileName)
{
    QString report = QStringLiteral("%1 entries added from %2 events of %3.")
                         .arg(added)
                         .arg(result.Events)
                         .arg(fileName);
    if (result.EventsOutside > 0)
        report += QStringLiteral("\n\r%1 events fell outside the list's 24 months and were left "
                                 "out.")
                      .arg(result.EventsOutside);
    if (result.EventsUndated > 0)
        report += QStringLiteral("\n\r%1 events without a usable start date were left out.")
                      .arg(result.EventsUndated);
    if (result.EventsCancelled > 0)
        report +=
            QStringLiteral("\n\r%1 cancelled events were left out.").arg(result.EventsCancelled);
    return report;
}

} // namespace custodex
