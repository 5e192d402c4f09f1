#pragma once

#include "cli/CliCommand.h"

// make-list OUT.tcl: writes a custom list template, the list builder's work without its window.
// Entries come from an iCalendar file and from --entry; the file is named and headed so that
// "Apply/Remove a Custom List" takes it without a date warning.

namespace custodex::cli {

class MakeListCommand : public Command {
public:
    MakeListCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_client{
        QStringLiteral("client"),
        QStringLiteral("The client's name, as the calendar has it (required)."),
        QStringLiteral("NAME")};
    const QCommandLineOption m_startYear{
        QStringLiteral("start-year"),
        QStringLiteral("The calendar's start year, 1000 to 2999 (required)."),
        QStringLiteral("YYYY")};
    const QCommandLineOption m_startMonth{
        QStringLiteral("start-month"),
        QStringLiteral("The calendar's start month, its English name in full in any case, such "
                       "as March (required). The list covers the 24 months from it."),
        QStringLiteral("MONTH")};
    const QCommandLineOption m_fromIcs{
        QStringLiteral("from-ics"),
        QStringLiteral("Takes the events of this iCalendar file (with --as), repeating events "
                       "included; events outside the 24 months are counted and left out. An "
                       "event that cannot be read (a broken date, an empty RRULE, a rule that "
                       "gives no end within 100000 steps) is left out and named with its line, "
                       "summary and reason; the others are taken. Times in UTC become dates in "
                       "the zone the file names in X-WR-TIMEZONE (or its only VTIMEZONE), else "
                       "in this computer's zone; the output says which. Only a file that is no "
                       "text, holds no VCALENDAR, is over 16 MB or gives more than 100000 "
                       "events or entries is refused."),
        QStringLiteral("FILE.ics")};
    const QCommandLineOption m_as{
        QStringLiteral("as"),
        QStringLiteral("How the events of --from-ics become entries: overnights (an entry for "
                       "each night an event covers, from its first day to the day before it "
                       "ends) or day-visits (an entry for each day it touches)."),
        QStringLiteral("overnights|day-visits")};
    const QCommandLineOption m_reason{
        QStringLiteral("reason"),
        QStringLiteral("The reason of every entry from --from-ics, at most 100 characters, "
                       "without \"!\" and \";\" (default: each event's summary, without \"!\" "
                       "and \";\", cut to 100 characters)."),
        QStringLiteral("TEXT")};
    const QCommandLineOption m_entry{
        QStringLiteral("entry"),
        QStringLiteral("An entry of its own, such as \"ON 2025-12-24 Winter break\" or \"DV "
                       "2026-04-06..2026-04-10 Spring camp\" (ON an overnight stay, DV a day "
                       "visit; a range gives every date from the first to the last). May be "
                       "given more than once; each date must lie in the 24 months."),
        QStringLiteral("ON|DV DATE[..DATE] REASON")};
    const QCommandLineOption m_replaceExisting{
        QStringLiteral("replace-existing"),
        QStringLiteral("Replaces an existing OUT.tcl. Without it an existing file is left "
                       "alone; a locked file is never replaced.")};
};

} // namespace custodex::cli
