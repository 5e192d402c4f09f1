#pragma once

#include "patterns/ListTemplate.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <vector>

// Entries of a custom list template from an iCalendar (.ics) file, such as a school's holiday
// calendar. libical reads each event and expands recurrences; this finds the events, zones and
// lines, and turns each event into one entry per night it covers (overnights) or per day it
// touches (day visits), within the template's 24 months. An event that cannot be read is left
// out and reported; the others are taken.

namespace custodex {

struct IcsImportRequest {
    ListEntryKind Kind = ListEntryKind::Overnight;
    QString Reason; // for every entry; empty: each event's SUMMARY, cleaned
};

// An event that was left out: the line concerned, its SUMMARY and why.
struct IcsLeftOut {
    int Line = 0;
    QString Summary;
    QString Reason;
    bool operator==(const IcsLeftOut&) const = default;
};

struct IcsImportResult {
    bool Ok = false;
    bool Cancelled = false;
    QString Error;                   // when not Ok: why nothing was taken
    std::vector<ListLine> Entries;   // in date order, each once
    int Events = 0;                  // events read (a recurring event counts once)
    int EventsOutside = 0;           // events with no night or day inside the span
    int EventsCancelled = 0;         // STATUS:CANCELLED, left out
    std::vector<IcsLeftOut> LeftOut; // events that could not be read or followed, in file order
    // The zone UTC start and end times were read in, when the file had such times: the
    // calendar's own, or this computer's (then `UtcZoneIsComputers`).
    QString UtcZone;
    bool UtcZoneIsComputers = false;
};

// Progress for a caller that shows it: `Report(done, total)` now and then from the thread
// running the import; the import ends as cancelled soon after `*Cancel` becomes true.
struct IcsImportProgress {
    std::function<void(int done, int total)> Report;
    const std::atomic<bool>* Cancel = nullptr;
};

// `span` gives the 24 months; its lines are not looked at. Only a file that is no text, holds
// no VCALENDAR or exceeds the limits is refused whole (then nothing but the error).
IcsImportResult ImportIcsEntries(const QByteArray& bytes, const ListTemplate& span,
                                 const IcsImportRequest& request,
                                 const IcsImportProgress& progress = {});

// What the builder and make-list report after an import: "90 entries added from 4 events of
// SchoolHolidays.ics." and a line for each kind of event left out, then the events that could
// not be read, at most `listed` of them (all when negative). Lines are separated by "\n\r".
QString IcsImportReport(const IcsImportResult& result, int added, const QString& fileName,
                        int listed = -1);

// "1 event", "2 events".
QString CountOf(qsizetype count, const QString& one, const QString& many);

} // namespace custodex
