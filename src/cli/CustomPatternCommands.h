#pragma once

#include "cli/BulkCommandParts.h"
#include "cli/CliCommand.h"

#include <memory>
#include <vector>

// Commands on repeat patterns and custom list templates: apply-repeat and remove-repeat (one
// Apply or Remove of the repeat-pattern dialog, then Save/Close), apply-list (one Apply or
// Remove of the custom-list dialog) and repeat-patterns (the patterns of a "CustomPats.txt").

namespace custodex::cli {

// Adds apply-repeat, remove-repeat, apply-list and repeat-patterns to the command list.
void AddCustomPatternCommands(std::vector<std::unique_ptr<const Command>>& list);

// The --overnight-times and --day-visit-times options: "PICKUP,DROPOFF".
struct TimesOptions {
    QCommandLineOption Overnight{
        QStringLiteral("overnight-times"),
        QStringLiteral("The overnight pickup and dropoff, such as 06:00PM,08:00AM or "
                       "<None>,<None> (default: the calendar's default overnight times)."),
        QStringLiteral("PICKUP,DROPOFF")};
    QCommandLineOption DayVisit{
        QStringLiteral("day-visit-times"),
        QStringLiteral("The day-visit start and end, such as 10:00AM,04:00PM (default: the "
                       "calendar's default day-visit times)."),
        QStringLiteral("PICKUP,DROPOFF")};
};

// The --overwrite option of a marking command.
QCommandLineOption OverwriteAnswerOption();

// apply-repeat IN.cdb OUT.cdb (--letters LETTERS --reason TEXT | --pattern NAME [--patterns])
class ApplyRepeatCommand : public Command {
public:
    ApplyRepeatCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_letters{
        QStringLiteral("letters"),
        QStringLiteral("The pattern's letters: O an overnight stay, D a day visit, N neither, "
                       "repeated day after day from --from (give this with --reason, or "
                       "--pattern)."),
        QStringLiteral("LETTERS")};
    const QCommandLineOption m_pattern{
        QStringLiteral("pattern"),
        QStringLiteral("The name of a pattern of the pattern file, exactly as written there."),
        QStringLiteral("NAME")};
    const QCommandLineOption m_patterns{
        QStringLiteral("patterns"),
        QStringLiteral("The pattern file (default: \"CustomPats.txt\" in the calendar's "
                       "folder)."),
        QStringLiteral("FILE")};
    const QCommandLineOption m_reason{
        QStringLiteral("reason"),
        QStringLiteral("The reason stored on the days, at most 80 characters, not starting "
                       "with \"*\" and without \"!\" (default: the pattern's name)."),
        QStringLiteral("TEXT")};
    const RangeOptions m_range; // --from takes the first letter
    const TimesOptions m_times;
    const QCommandLineOption m_overwrite = OverwriteAnswerOption();
};

// remove-repeat IN.cdb OUT.cdb --reason TEXT [--from DATE] [--to DATE]
class RemoveRepeatCommand : public Command {
public:
    RemoveRepeatCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_reason{
        QStringLiteral("reason"),
        QStringLiteral("Removes the overnight stays and day visits whose reason is exactly "
                       "this, in the same case (required)."),
        QStringLiteral("TEXT")};
    const RangeOptions m_range;
};

// apply-list IN.cdb LIST.tcl OUT.cdb [--entries all|N,N-M] [--remove] [...]
class ApplyListCommand : public Command {
public:
    ApplyListCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_entries{
        QStringLiteral("entries"),
        QStringLiteral("The entries to apply or remove, numbered from 1 in file order after "
                       "the header, such as 1,3-5, or all (the default)."),
        QStringLiteral("all|N,N-M"), QStringLiteral("all")};
    const QCommandLineOption m_remove{
        QStringLiteral("remove"),
        QStringLiteral("Removes the entries' marks (those with the entry's reason, in any case) "
                       "instead of applying them.")};
    const QCommandLineOption m_acceptMismatch{
        QStringLiteral("accept-date-mismatch"),
        QStringLiteral("Uses a template whose file name does not match its header or the "
                       "calendar's start month and year (else it is refused with the warning).")};
    const TimesOptions m_times;
    const QCommandLineOption m_overwrite = OverwriteAnswerOption();
};

// repeat-patterns FILE
class RepeatPatternsCommand : public Command {
public:
    RepeatPatternsCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;
};

} // namespace custodex::cli
