#pragma once

#include "cli/CliCommand.h"

namespace custodex::cli {

// compare A.cdb B.cdb [--json] [--pdf OUT.pdf [--replace-existing]]: two calendars side by
// side, per year and for both years, and month by month.
class CompareCommand : public Command {
public:
    CompareCommand();
    bool PaintsPictures() const override { return true; }

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_json{
        QStringLiteral("json"),
        QStringLiteral("Prints one JSON object (a, b, sameSpan, measures, months) instead of the "
                       "table as text.")};
    const QCommandLineOption m_pdf{
        QStringLiteral("pdf"),
        QStringLiteral("Also writes the comparison's printout, one Letter page, to OUT.pdf."),
        QStringLiteral("OUT.pdf")};
    const QCommandLineOption m_replace{
        QStringLiteral("replace-existing"),
        QStringLiteral("Replaces an existing OUT.pdf; a locked file is never replaced.")};
};

} // namespace custodex::cli
