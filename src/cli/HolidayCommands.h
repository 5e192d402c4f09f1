#pragma once

#include "cli/BulkCommandParts.h"
#include "cli/CliCommand.h"

// Commands on the national holiday lists: holidays (the dates of a selected year, no calendar
// needed) and apply-holidays (one Apply of a holiday dialog on a calendar file).

namespace custodex::cli {

// holidays --country us|ca|uk --start-year YYYY --start-month MONTH [--second-year] [--json]
class HolidaysCommand : public Command {
public:
    HolidaysCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_country = CountryOption();
    const QCommandLineOption m_startYear{
        QStringLiteral("start-year"),
        QStringLiteral("The calendar's start year, 1000 to 2999 (required)."),
        QStringLiteral("YYYY")};
    const QCommandLineOption m_startMonth{
        QStringLiteral("start-month"),
        QStringLiteral("The calendar's start month, its English name in any case (required)."),
        QStringLiteral("month")};
    const QCommandLineOption m_secondYear;
    const QCommandLineOption m_json{
        QStringLiteral("json"),
        QStringLiteral("Prints one JSON object (country, selectedYear, holidays with row, caption, "
                       "hint, shown, dates and messages) instead of one line per holiday.")};
};

// apply-holidays IN.cdb OUT.cdb --country us|ca|uk (--overnights|--day-visits) [...]
class ApplyHolidaysCommand : public Command {
public:
    ApplyHolidaysCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_country = CountryOption();
    const ListKindOptions m_lists{QStringLiteral("Marks")};
    const QCommandLineOption m_secondYear;
    const QCommandLineOption m_tick{
        QStringLiteral("tick"),
        QStringLiteral("Ticks the row with exactly this caption; with =PICKUP,DROPOFF (for "
                       "example =09:00AM,05:00PM or <None>) its times too, else the times it "
                       "shows (the calendar's, or the default times). Repeatable."),
        QStringLiteral("CAPTION[=PICKUP,DROPOFF]")};
    const QCommandLineOption m_untick{
        QStringLiteral("untick"),
        QStringLiteral("Unticks the row with exactly this caption, so the Apply removes the "
                       "holiday. Repeatable."),
        QStringLiteral("CAPTION")};
    const QCommandLineOption m_noNap{
        QStringLiteral("no-nap"),
        QStringLiteral("Ticks the no-nap box of the row with exactly this caption. Repeatable."),
        QStringLiteral("CAPTION")};
    const QCommandLineOption m_overwrite = OverwritePolicyOption(
        QStringLiteral("The answer to every \"... is set to ... Overwrite with ...?\" question "
                       "of the Apply: none answers No (the default), all answers Yes. It says "
                       "nothing about OUT.cdb, which must be IN.cdb itself or a new file."));
};

} // namespace custodex::cli
