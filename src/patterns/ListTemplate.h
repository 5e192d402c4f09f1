#pragma once

#include "patterns/CustomLists.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// The list builder's side of custom list templates: a template being made or changed, its file
// name and its bytes. What it writes is what "Apply/Remove a Custom List" reads without a date
// warning when the calendar starts in the template's month and year.

namespace custodex {

enum class ListEntryKind { Overnight, DayVisit };

// One line after the header: an entry, or a line that is no entry, kept as it was read.
struct ListLine {
    bool IsEntry = true;
    ListEntryKind Kind = ListEntryKind::Overnight;
    QDate Date;
    QString Reason;
    QString Text; // the line itself when it is no entry

    friend bool operator==(const ListLine&, const ListLine&) = default;
};

struct ListTemplate {
    QString ClientName;
    int StartYear = 0;
    int StartMonthIndex = 0; // 0 = January
    // Entries in date order; lines that are no entries keep their places among them.
    std::vector<ListLine> Lines;
};

// The 24 months from the start month, as the calendar of that start spans them.
QDate SpanFirstDay(const ListTemplate& list);
QDate SpanLastDay(const ListTemplate& list);
bool IsInSpan(const ListTemplate& list, const QDate& date);

// Adds an entry after the entries of the same date or earlier; an entry that is already there
// (same kind, date and reason) is not added twice, since applying it twice would split a stay.
// False when it was there already.
bool InsertEntry(ListTemplate& list, const ListLine& entry);
// The same as InsertEntry for each of `entries` (entry lines only) in turn, in one pass: an
// import of tens of thousands of entries takes a moment rather than minutes. Returns how many
// were added.
int InsertEntries(ListTemplate& list, const std::vector<ListLine>& entries);
// Puts the entries in date order (stable); lines that are no entries stay where they are.
void SortEntries(ListTemplate& list);
int EntryCount(const ListTemplate& list);
// Entries dated outside the span, as after a change of its start: the list is not saved so.
int EntriesOutsideSpan(const ListTemplate& list);

// "2025 March Garcia Custom List.tcl": the leading year and the start month are what the reader
// checks against the calendar. A month name in the client's name that comes later in the year
// than the start month would win that check, so it is broken with "_" ("Augus_t").
QString ProposedTemplateFileName(const ListTemplate& list);
// "March 2025 Custom List for Garcia".
QString TemplateHeaderLine(const ListTemplate& list);
// "ON December 24, 2025 Winter break".
QString TemplateEntryLine(const ListLine& line);
// The whole file: header, one line per entry, CR LF, in the program's text encoding.
QByteArray TemplateFileBytes(const ListTemplate& list);

// The builder's reason rule (a typed reason): the message when it breaks it, else nothing.
// No "!" (the calendar's field separator) and no ";" (its record end), at most 100 characters,
// not empty.
std::optional<QString> ListReasonProblem(const QString& reason);
// A reason from imported text: "!", ";" and line breaks taken out, blanks trimmed, cut to 100
// characters; `fallback` when nothing is left.
QString CleanImportedReason(const QString& text, const QString& fallback);

// A template the reader read, as the builder keeps it: entries with dates, every other line as
// it was (an entry line naming a date no calendar has, such as February 30, among them). The
// start month and year come from the file name, the client from the header's "for ..." part;
// when either is missing, the given ones are used.
ListTemplate ListTemplateFromRead(const CustomListTemplate& read, const QString& path,
                                  const ListTemplate& defaults);

} // namespace custodex
