#pragma once

#include "cli/BulkCommandParts.h"
#include "cli/CliCommand.h"

#include <memory>
#include <vector>

// Commands on the standard schedules: schedules (the list), apply-schedule (one schedule laid
// over a date range) and apply-holidays-by-year (holidays given in every, odd or even years).

namespace custodex::cli {

void AddScheduleCommands(std::vector<std::unique_ptr<const Command>>& list);

// schedules [--json]
class SchedulesCommand : public Command {
public:
    SchedulesCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_json{
        QStringLiteral("json"),
        QStringLiteral("Prints one JSON object: schedules, each with name, title, description, "
                       "rule (cycle, alternate-weekends or monthly-weekends), cycleText and, for "
                       "a cycle, cycle (its blocks of days and parent, first or other).")};
};

QCommandLineOption ScheduleOverwriteOption();

// apply-schedule IN.cdb OUT.cdb --schedule NAME --first non-custodial|custodial [...]
class ApplyScheduleCommand : public Command {
public:
    ApplyScheduleCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_schedule{
        QStringLiteral("schedule"),
        QStringLiteral("The schedule, as the schedules command lists them: alternating-weeks, "
                       "2-2-3, 2-2-5-5, 3-4-4-3, every-other-weekend or "
                       "first-third-fifth-weekends (required)."),
        QStringLiteral("NAME")};
    const QCommandLineOption m_first{
        QStringLiteral("first"),
        QStringLiteral("Who has the first block of a cycle, or the first weekend of a weekend "
                       "schedule: non-custodial or custodial (required). Custodial first gives "
                       "the 1st, 3rd and 5th weekends to the custodial parent, the 2nd and 4th "
                       "to the non-custodial parent."),
        QStringLiteral("non-custodial|custodial")};
    const RangeOptions m_range;
    const QCommandLineOption m_exchange{
        QStringLiteral("exchange"),
        QStringLiteral("The exchange time: the pickup on a stay's first night and the dropoff "
                       "on its last, such as 06:00PM, 6pm, 18:00 or <None> (default: the "
                       "calendar's default overnight start time)."),
        QStringLiteral("TIME")};
    const QCommandLineOption m_reason{
        QStringLiteral("reason"),
        QStringLiteral("The reason stored on the days, at most 80 characters (default: the "
                       "schedule's title, such as \"2-2-5-5 rotation\")."),
        QStringLiteral("TEXT")};
    const QCommandLineOption m_longWeekend{
        QStringLiteral("long-weekend"),
        QStringLiteral("Weekend schedules: Friday, Saturday and Sunday nights.")};
    const QCommandLineOption m_midweekVisit{
        QStringLiteral("midweek-visit"),
        QStringLiteral("A day visit every week on this weekday (full name or three letters), "
                       "on days that are not already the non-custodial parent's; =FROM,TO "
                       "gives its times (default: the calendar's default day-visit times)."),
        QStringLiteral("DAY[=FROM,TO]")};
    const QCommandLineOption m_midweekOvernight{
        QStringLiteral("midweek-overnight"),
        QStringLiteral("An overnight every week on this weekday, on days that are not already "
                       "the non-custodial parent's, with the exchange time."),
        QStringLiteral("DAY")};
    const QCommandLineOption m_replaceRange{
        QStringLiteral("replace-range"),
        QStringLiteral("Removes the range's overnight stays (and day visits, with "
                       "--midweek-visit) before applying; notes (reasons beginning with \"*\") "
                       "stay.")};
    const QCommandLineOption m_overwrite;
};

// apply-holidays-by-year IN.cdb OUT.cdb --country us|ca|uk --overnights|--day-visits [...]
class ApplyHolidaysByYearCommand : public Command {
public:
    ApplyHolidaysByYearCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_country = CountryOption();
    const ListKindOptions m_lists{QStringLiteral("Marks")};
    const QCommandLineOption m_everyYear{
        QStringLiteral("every-year"),
        QStringLiteral("Gives the holiday with exactly this caption (as holidays --json gives "
                       "it) in every year. Repeatable."),
        QStringLiteral("CAPTION")};
    const QCommandLineOption m_oddYears{
        QStringLiteral("odd-years"),
        QStringLiteral("Gives the holiday in odd-numbered years: the calendar year of the "
                       "holiday's own date. Repeatable."),
        QStringLiteral("CAPTION")};
    const QCommandLineOption m_evenYears{
        QStringLiteral("even-years"),
        QStringLiteral("Gives the holiday in even-numbered years. Repeatable."),
        QStringLiteral("CAPTION")};
    const QCommandLineOption m_overwrite;
};

} // namespace custodex::cli
