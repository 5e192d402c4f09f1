#pragma once

#include "cli/CliCommand.h"

// export-ics IN.cdb OUT.ics: the stays and day visits as an iCalendar file for calendar
// programs. An existing output is replaced only with --overwrite, and never when it is IN.cdb.

namespace custodex::cli {

class ExportIcsCommand : public Command {
public:
    ExportIcsCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_overnights{
        QStringLiteral("overnights"),
        QStringLiteral("Writes the overnight stays (without --day-visits: only them).")};
    const QCommandLineOption m_dayVisits{
        QStringLiteral("day-visits"),
        QStringLiteral("Writes the day visits (without --overnights: only them).")};
    const QCommandLineOption m_annotations{
        QStringLiteral("annotations"),
        QStringLiteral("Days whose reason starts with \"*\": include (like any other event), "
                       "transparent (shown as free time) or omit (default transparent)."),
        QStringLiteral("MODE"), QStringLiteral("transparent")};
    const QCommandLineOption m_timeZone{
        QStringLiteral("time-zone"),
        QStringLiteral("Writes the times in this zone of the system's zone database (for "
                       "example Europe/London), with its rules; without it, times are floating "
                       "local times."),
        QStringLiteral("Area/City")};
    const QCommandLineOption m_overwrite = OverwriteOption(QStringLiteral("OUT.ics"));
};

} // namespace custodex::cli
