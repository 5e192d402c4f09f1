#pragma once

#include "cli/CliCommand.h"

// print IN.cdb OUTDIR --layout year|month|overnights|day-visits: the printed calendar as
// pictures (one file a page, named as the printing dialog names them) or as one PDF file.
// print IN.cdb --printer NAME --layout ...: the same pages sent as one job to a print queue.

namespace custodex::cli {

class PrintCommand : public Command {
public:
    PrintCommand();
    bool PaintsPictures() const override { return true; }

protected:
    qsizetype ArgumentsTaken(const QCommandLineParser& parser) const override;
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_layout{
        QStringLiteral("layout"),
        QStringLiteral("year (one year a page, 2 pages), month (one month a page, 24 pages), "
                       "overnights or day-visits (the textual lists)."),
        QStringLiteral("LAYOUT")};
    const QCommandLineOption m_pages{
        QStringLiteral("pages"),
        QStringLiteral("With year or month: the pages to print, for example 3-7 (default all)."),
        QStringLiteral("FIRST-LAST")};
    const QCommandLineOption m_landscape{QStringLiteral("landscape"),
                                         QStringLiteral("Landscape pages (1575 x 1200 pictures; "
                                                        "default portrait, 1200 x 1575).")};
    const QCommandLineOption m_noHeader{QStringLiteral("no-header"),
                                        QStringLiteral("Leaves out the header information.")};
    const QCommandLineOption m_noTrailer{QStringLiteral("no-trailer"),
                                         QStringLiteral("Leaves out the trailer information.")};
    const QCommandLineOption m_format{
        QStringLiteral("format"),
        QStringLiteral("bmp (24-bit), jpg (quality 95), png, or pdf (one file of vector pages, "
                       "named client_layout.pdf); default bmp."),
        QStringLiteral("FORMAT"), QStringLiteral("bmp")};
    const QCommandLineOption m_defaultColours{
        QStringLiteral("default-colours"),
        QStringLiteral("Prints the marks in white, silver and black instead of the calendar's "
                       "colours.")};
    const QCommandLineOption m_printer{
        QStringLiteral("printer"),
        QStringLiteral("Sends the pages as one job to this print queue (as lpstat -p lists "
                       "them) instead of writing files; then no OUTDIR is given."),
        QStringLiteral("NAME")};
    const QCommandLineOption m_copies{
        QStringLiteral("copies"),
        QStringLiteral("With --printer: how many copies the queue prints (1-99, default 1)."),
        QStringLiteral("N"), QStringLiteral("1")};
    const QCommandLineOption m_replace{
        QStringLiteral("replace-existing"),
        QStringLiteral("Replaces existing files. Without it nothing is written when any of the "
                       "files exists; a locked file is never replaced.")};
};

} // namespace custodex::cli
