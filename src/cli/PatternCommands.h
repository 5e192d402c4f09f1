#pragma once

#include "cli/BulkCommandParts.h"
#include "cli/CliCommand.h"

// Commands on the weekday and monthly patterns: apply-pattern (one Apply List of a pattern
// dialog, then Save/Close) and remove-pattern (one Remove List).

namespace custodex::cli {

// apply-pattern IN.cdb OUT.cdb (--overnights|--day-visits) --kind KIND --days fri,sat,sun [...]
class ApplyPatternCommand : public Command {
public:
    ApplyPatternCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const ListKindOptions m_lists{QStringLiteral("Marks")};
    const QCommandLineOption m_kind{
        QStringLiteral("kind"),
        QStringLiteral("Which occurrences of the chosen weekdays start a run: odd, even or all "
                       "of them counted on across months, or the first to fifth or last of "
                       "them in each month (required)."),
        QStringLiteral("odd|even|all|first|second|third|fourth|fifth|last")};
    const QCommandLineOption m_days{
        QStringLiteral("days"),
        QStringLiteral("The chosen weekdays, names in full or three letters in any case, "
                       "separated by commas. Days that follow each other form one run; all "
                       "seven mean whole weeks from --week-begins."),
        QStringLiteral("fri,sat,sun")};
    const QCommandLineOption m_weekBegins{
        QStringLiteral("week-begins"),
        QStringLiteral("The day whole weeks begin on when all seven days are chosen."),
        QStringLiteral("mon"), QStringLiteral("mon")};
    const RangeOptions m_range;
    const QCommandLineOption m_pickup{
        QStringLiteral("pickup"),
        QStringLiteral("The pickup time, such as 06:00PM or <None> (default: the calendar's "
                       "default start time of the kind)."),
        QStringLiteral("TIME")};
    const QCommandLineOption m_dropoff{
        QStringLiteral("dropoff"),
        QStringLiteral("The dropoff time (default: the calendar's default end time of the "
                       "kind)."),
        QStringLiteral("TIME")};
    const QCommandLineOption m_reason{
        QStringLiteral("reason"),
        QStringLiteral("The reason stored on the days, at most 80 characters (default: the "
                       "reason the dialog proposes, such as \"Even Friday, Saturday, Sunday\")."),
        QStringLiteral("TEXT")};
    const QCommandLineOption m_noNap{
        QStringLiteral("no-nap"),
        QStringLiteral("The child takes no nap: the reason is stored with \"NN-\" in front.")};
    const QCommandLineOption m_overwrite = OverwritePolicyOption(
        QStringLiteral("The answer to every \"... is already marked ... Overwrite it?\" question: "
                       "none answers No (the default), all answers Yes to All at the first. It "
                       "says nothing about OUT.cdb, which must be IN.cdb itself or a new file."));
};

// remove-pattern IN.cdb OUT.cdb (--overnights|--day-visits) --reason TEXT [--from] [--to]
class RemovePatternCommand : public Command {
public:
    RemovePatternCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const ListKindOptions m_lists{QStringLiteral("Removes")};
    const QCommandLineOption m_reason{
        QStringLiteral("reason"),
        QStringLiteral("Removes the marks with this reason, or with \"NN-\" and it, in any case "
                       "(required)."),
        QStringLiteral("TEXT")};
    const RangeOptions m_range;
};

} // namespace custodex::cli
