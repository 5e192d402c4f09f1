#pragma once

#include "cli/CliCommand.h"

// distribution IN.cdb [--json] [--log OUT.log] [--write OUT.cdb] [--overwrite]: the hourly
// distribution report's computation, its message list as the ".log" file, and the calendar as
// the program keeps it once the report closes (totals stored, flags updated).

namespace custodex::cli {

class DistributionCommand : public Command {
public:
    DistributionCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_json{
        QStringLiteral("json"),
        QStringLiteral("Prints one JSON object (years with their weekday tables, totals, "
                       "messages, hadErrors and the quarter-hour spans of every day that has "
                       "any) instead of the tables and messages as text.")};
    const QCommandLineOption m_log{
        QStringLiteral("log"),
        QStringLiteral("Writes the list of warnings and errors (legend included) as the "
                       "errors window saves it: one line each, ended by CR LF."),
        QStringLiteral("OUT.log")};
    const QCommandLineOption m_write{
        QStringLiteral("write"),
        QStringLiteral("Saves the calendar as the program has it after the report closes, "
                       "with the four totals stored. OUT.cdb may be IN.cdb itself or a new "
                       "file."),
        QStringLiteral("OUT.cdb")};
    const QCommandLineOption m_overwrite{
        QStringLiteral("overwrite"),
        QStringLiteral("Replaces an existing OUT.log or OUT.cdb (other than IN.cdb). Without it "
                       "an existing file is left alone; a locked file is never replaced.")};
};

} // namespace custodex::cli
