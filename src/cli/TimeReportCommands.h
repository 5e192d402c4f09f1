#pragma once

#include "cli/CliCommand.h"

// quality and care: the quality time and care time reports' figures on a calendar file, after
// the checks the menu commands make (running a stale hourly distribution first), as text or
// JSON.

namespace custodex::cli {

// quality IN.cdb [--json]
class QualityCommand : public Command {
public:
    QualityCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_json{
        QStringLiteral("json"),
        QStringLiteral("Prints one JSON object (the seventeen result texts, days, period with "
                       "from and to, notes) instead of the summary as text.")};
};

// care IN.cdb [--period first|second|both] [--json]
class CareCommand : public Command {
public:
    CareCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_period{
        QStringLiteral("period"),
        QStringLiteral("The years the report covers: first, second or both (default both)."),
        QStringLiteral("first|second|both"), QStringLiteral("both")};
    const QCommandLineOption m_json{
        QStringLiteral("json"),
        QStringLiteral("Prints one JSON object (the ten result texts, days, totalCareHours, "
                       "period with from and to) instead of the summary as text.")};
};

} // namespace custodex::cli
