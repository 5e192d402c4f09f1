#pragma once

#include "cli/CliCommand.h"
#include "output/CsvExport.h"

#include <vector>

// Commands that turn a calendar into files for other programs: export-csv and preview. An
// existing output is replaced only with --overwrite, and never when it is the calendar read.

namespace custodex::cli {

// export-csv IN.cdb OUT.csv [column and row flags] [--separator C]
class ExportCsvCommand : public Command {
public:
    ExportCsvCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    struct Flag {
        QCommandLineOption Option;
        bool CsvOptions::*Field;
    };
    std::vector<Flag> m_flags;
    const QCommandLineOption m_allColumns{
        QStringLiteral("all-columns"),
        QStringLiteral("Every flag above except --all-days: weekday, both kinds of visit and all "
                       "their columns.")};
    const QCommandLineOption m_separator{
        QStringLiteral("separator"),
        QStringLiteral("The field separator: its first character, which must not be a blank "
                       "(default \",\")."),
        QStringLiteral("C"), QStringLiteral(",")};
    const QCommandLineOption m_overwrite = OverwriteOption(QStringLiteral("OUT.csv"));
};

// preview IN.cdb OUT.png [--size WxH]: the 24-month picture of the preview window.
class PreviewCommand : public Command {
public:
    PreviewCommand();
    bool PaintsPictures() const override { return true; }

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_size{
        QStringLiteral("size"),
        QStringLiteral("The picture's width and height in pixels, each 200 to 20000 (default "
                       "1280x2048)."),
        QStringLiteral("WxH"), QStringLiteral("1280x2048")};
    const QCommandLineOption m_overwrite = OverwriteOption(QStringLiteral("OUT.png"));
};

} // namespace custodex::cli
