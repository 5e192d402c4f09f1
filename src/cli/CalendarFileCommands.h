#pragma once

#include "cli/CliCommand.h"

// Commands that write a calendar file: new and resave.

namespace custodex::cli {

// new --client NAME --year YYYY --month MONTH OUT.cdb: an empty 24-month calendar.
class NewCommand : public Command {
public:
    NewCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_client{QStringLiteral("client"),
                                      QStringLiteral("The client's name (required)."),
                                      QStringLiteral("name")};
    const QCommandLineOption m_year{QStringLiteral("year"),
                                    QStringLiteral("The start year, 1000 to 2999 (required)."),
                                    QStringLiteral("YYYY")};
    const QCommandLineOption m_month{
        QStringLiteral("month"),
        QStringLiteral("The start month, its English name in any case (required)."),
        QStringLiteral("month")};
    const QCommandLineOption m_overwrite;
};

// resave IN.cdb OUT.cdb: reads a calendar and writes it again in the current format.
class ResaveCommand : public Command {
public:
    ResaveCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_overwrite;
};

} // namespace custodex::cli
