#pragma once

#include "patterns/ListTemplate.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Entries of a custom list template from an iCalendar (.ics) file, such as a school's holiday
// calendar. libical reads the file and expands recurrences; this turns each event into one
// entry per night it covers (overnights) or per day it touches (day visits), within the
// template's 24 months.

namespace custodex {

struct IcsImportRequest {
    ListEntryKind Kind = ListEntryKind::Overnight;
    QString Reason; // for every entry; empty: each event's SUMMARY, cleaned
};

struct IcsImportResult {
    bool Ok = false;
    QString Error;                 // when not Ok: what is wrong, naming the line
    std::vector<ListLine> Entries; // in date order, each once
    int Events = 0;                // events read (a recurring event counts once)
    int EventsOutside = 0;         // events with no night or day inside the span
    int EventsUndated = 0;         // events without a usable DTSTART, left out
    int EventsCancelled = 0;       // STATUS:CANCELLED, left out
};

// `span` gives the 24 months; its lines are not looked at. Nothing is returned but the error
// when the file is broken.
IcsImportResult ImportIcsEntries(const QByteArray& bytes, const ListTemplate& span,
                                 const IcsImportRequest& request);

// What the builder reports after an import: "90 entries added from 4 events of
// SchoolHolidays.ics." and a line for each kind of event left out.
QString IcsImportReport(const IcsImportResult& result, int added, const QString& fileName);

} // namespace custodex
