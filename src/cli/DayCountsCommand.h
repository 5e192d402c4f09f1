#pragma once

#include "cli/CliCommand.h"

namespace custodex::cli {

// day-counts IN.cdb [--period first|second|both] [--json]: the non-custodial (and custodial)
// time counted as overnights, 24-hour periods, days over 12 hours and weighted days.
class DayCountsCommand : public Command {
public:
    DayCountsCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_period{
        QStringLiteral("period"),
        QStringLiteral("The period counted: first (the first year), second (the second year) or "
                       "both (the two years together). Without it, all three."),
        QStringLiteral("first|second|both")};
    const QCommandLineOption m_json{
        QStringLiteral("json"),
        QStringLiteral("Prints one JSON object (client, notCountable, periods) instead of the "
                       "table as text; each period has from, to, days and for nonCustodial and "
                       "custodial: overnights, hours24, daysOver12Hours, weightedDays and their "
                       "...Percent shares of the days. A calendar that cannot be counted gives "
                       "its reason in notCountable and null counts.")};
};

} // namespace custodex::cli
