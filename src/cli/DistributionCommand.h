#pragma once

#include "cli/CliCommand.h"

// distribution IN.cdb [--json] [--log OUT.log] [--write OUT.cdb] [--pictures DIR [--format
// bmp|jpg]] [--overwrite]: the hourly distribution report's computation, its message list as
// the ".log" file, the calendar as the program keeps it once the report closes (totals
// stored, flags updated), and the report's two pages as the pictures its print-to-file saves.

namespace custodex::cli {

class DistributionCommand : public Command {
public:
    DistributionCommand();
    bool PaintsPictures() const override { return true; }

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
    const QCommandLineOption m_pictures{
        QStringLiteral("pictures"),
        QStringLiteral("Saves the report's two pages in the folder DIR as the report's print to "
                       "file does: 1200 x 1575 pictures named client + \"_01_DistRpt\" and "
                       "client + \"_02_DistRpt\", as 8-bit bitmaps or JPEG."),
        QStringLiteral("DIR")};
    const QCommandLineOption m_format{
        QStringLiteral("format"),
        QStringLiteral("The pictures' format with --pictures: bmp (the default) or jpg."),
        QStringLiteral("bmp|jpg")};
    const QCommandLineOption m_overwrite{
        QStringLiteral("overwrite"),
        QStringLiteral("Replaces an existing OUT.log, OUT.cdb (other than IN.cdb) or picture. "
                       "Without it an existing file is left alone; a locked file is never "
                       "replaced.")};
};

} // namespace custodex::cli
