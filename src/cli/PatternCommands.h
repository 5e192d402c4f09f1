#pragma once

#include "cli/CliCommand.h"
#include "patterns/WeekdayPatterns.h"

#include <functional>
#include <optional>

// Commands on the weekday and monthly patterns: apply-pattern (one Apply List of a pattern
// dialog, then Save/Close) and remove-pattern (one Remove List).

namespace custodex::cli {

// Shared by the commands of the bulk dialogs.

// A program message with its "\n\r" as a plain line break.
QString PlainText(const QString& message);
// IN.cdb and OUT.cdb with their descriptions.
QList<PositionalArgument> CalendarArguments();
// --from and --to of a command on a date range.
struct RangeOptions {
    QCommandLineOption From{
        QStringLiteral("from"),
        QStringLiteral("The first day of the range (default: the calendar's first day)."),
        QStringLiteral("YYYY-MM-DD")};
    QCommandLineOption To{
        QStringLiteral("to"),
        QStringLiteral("The last day of the range (default: the calendar's last day)."),
        QStringLiteral("YYYY-MM-DD")};
};

// Reads IN.cdb and refuses an OUT.cdb the save would refuse, before a run asks or tells
// anything: the exit status after the message, or nothing when both are fine.
std::optional<int> OpenCalendarFor(const QString& in, const QString& out, CalendarDocument& doc,
                                   QTextStream& err);
// OUT.cdb of a command that read IN.cdb.
OutputTarget CalendarTarget(const QString& in, const QString& out);

// One Apply or Remove of a dialog, then Save/Close: applied changes mark the calendar changed
// and stale, and OUT.cdb is written. `run` returns false when the dialog refused: then nothing
// is written and the status is ExitFailure.
int RunThenSave(CalendarDocument& doc, const OutputTarget& target, const std::function<bool()>& run,
                QTextStream& out, QTextStream& err);

// Puts --from and --to (YYYY-MM-DD) into the range block as a user picks them; false after a
// usage error, described in `error`.
bool ChooseRange(const QCommandLineParser& parser, const QCommandLineOption& from,
                 const QCommandLineOption& to, DateRangeBlock& range, QString& error);

// Answers every overwrite question the same way (Yes to All or No) and prints what a run
// shows: errors and warnings on standard error, the rest on standard output.
class PrintedQuestions : public PatternQuestions {
public:
    PrintedQuestions(QTextStream& out, QTextStream& err, bool yesToAll)
        : m_out(out), m_err(err), m_yesToAll(yesToAll)
    {
    }
    OverwriteAnswer AskOverwrite(const QString& question) override;
    void Tell(PromptKind kind, const QString& text) override;

private:
    QTextStream& m_out;
    QTextStream& m_err;
    bool m_yesToAll;
};

// apply-pattern IN.cdb OUT.cdb (--overnights|--day-visits) --kind KIND --days fri,sat,sun [...]
class ApplyPatternCommand : public Command {
public:
    ApplyPatternCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_overnights{
        QStringLiteral("overnights"),
        QStringLiteral("Marks overnight stays (give this or --day-visits).")};
    const QCommandLineOption m_dayVisits{
        QStringLiteral("day-visits"),
        QStringLiteral("Marks day visits (give this or --overnights).")};
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
    const QCommandLineOption m_overwrite{
        QStringLiteral("overwrite"),
        QStringLiteral("The answer to every \"... is already marked ... Overwrite it?\" question: "
                       "none answers No (the default), all answers Yes to All at the first. It "
                       "says nothing about OUT.cdb, which must be IN.cdb itself or a new file."),
        QStringLiteral("none|all"), QStringLiteral("none")};
};

// remove-pattern IN.cdb OUT.cdb (--overnights|--day-visits) --reason TEXT [--from] [--to]
class RemovePatternCommand : public Command {
public:
    RemovePatternCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_overnights{
        QStringLiteral("overnights"),
        QStringLiteral("Removes overnight stays (give this or --day-visits).")};
    const QCommandLineOption m_dayVisits{
        QStringLiteral("day-visits"),
        QStringLiteral("Removes day visits (give this or --overnights).")};
    const QCommandLineOption m_reason{
        QStringLiteral("reason"),
        QStringLiteral("Removes the marks with this reason, or with \"NN-\" and it, in any case "
                       "(required)."),
        QStringLiteral("TEXT")};
    const RangeOptions m_range;
};

} // namespace custodex::cli
