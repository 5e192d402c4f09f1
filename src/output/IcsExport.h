#pragma once

#include "calendar/CalendarModel.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

// The calendar as an iCalendar file (RFC 5545) for the parents' own calendar programs: one
// event per stay (consecutive overnights, whatever their reasons, from the pickup on its first
// day to the first dropoff, on the morning after its last night) and one per day visit.

namespace custodex {

class Prompter;

// What becomes of days whose reason is an annotation ("*..."): shown like any other event,
// shown as free time, or left out.
enum class IcsAnnotations { Include, Transparent, Omit };

struct IcsOptions {
    bool Overnights = true;
    bool DayVisits = true;
    IcsAnnotations Annotations = IcsAnnotations::Transparent;
    // An IANA zone id ("Europe/Berlin"); empty writes floating local times.
    QString TimeZone;
    // The DTSTAMP of every event; the current time when not valid.
    QDateTime Stamp;
};

enum class IcsEventKind { Stay, DayVisit };

struct IcsEvent {
    IcsEventKind Kind = IcsEventKind::Stay;
    QString Uid;
    QString Summary;
    bool AllDay = true;
    // All-day events: Start and End dates (End exclusive). Timed events: local date and time.
    QDateTime Start;
    QDateTime End;
    bool Transparent = false;
};

// True for a zone id the system's zone database knows.
bool IsKnownTimeZone(const QString& zoneId);

// The events in date order (stays before day visits starting the same day).
std::vector<IcsEvent> IcsEvents(const CalendarDocument& doc, const IcsOptions& options);

// The reasons as the user typed them (without the no-nap prefix "NN-" or a note's "*"), each
// once ignoring case in order of first appearance, joined by " / ", with the non-custodial
// parent's title: "Alt weekend / Dad's birthday (Dad)", or only the title for blank reasons.
QString IcsSummary(const CalendarDocument& doc, const QStringList& reasons);

// TEXT value escaping: backslash, semicolon, comma and line breaks; other control characters
// are dropped.
QString EscapeIcsText(const QString& text);
// One content line as UTF-8, folded so no line exceeds 75 octets (never inside a character),
// ended by CR LF.
QByteArray FoldIcsLine(const QByteArray& line);

// The whole file.
QByteArray IcsFileBytes(const CalendarDocument& doc, const IcsOptions& options);

// The file an export to the chosen name writes: ".ics" is added unless the name ends with it.
QString IcsFilePath(const QString& chosen);

// Writes the export under the file rules; asks before replacing an existing file, refuses
// locked files and anything but a regular file. ClientFolder follows the folder written to.
bool SaveIcsFile(CalendarDocument& doc, const QString& chosen, const IcsOptions& options,
                 Prompter& messages);

} // namespace custodex
