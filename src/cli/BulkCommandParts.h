#pragma once

#include "calendar/MenuChecks.h"
#include "calendar/OverwriteQuestions.h"
#include "cli/CliCommand.h"
#include "patterns/DateRange.h"

#include <functional>
#include <optional>

// What the commands of the bulk dialogs (patterns, repeat patterns, custom lists, holidays,
// schedules) share: the calendar arguments, the range, list kind and --overwrite options, the
// printed overwrite questions, and one run of a dialog then Save/Close.

namespace custodex {
struct HolidayCountry;
}

namespace custodex::cli {

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

// --overnights and --day-visits; `verb` starts their descriptions ("Marks", "Removes").
struct ListKindOptions {
    explicit ListKindOptions(const QString& verb);
    QCommandLineOption Overnights;
    QCommandLineOption DayVisits;
};
inline const QString OneListKindMessage =
    QStringLiteral("Give exactly one of --overnights and --day-visits.");
// The list the options choose; nothing unless exactly one of them is given.
std::optional<ListKind> ChosenListKind(const QCommandLineParser& parser,
                                       const ListKindOptions& options);

// --overwrite none|all: the answer to every overwrite question of a run; `description` says
// which questions and what the answers are.
QCommandLineOption OverwritePolicyOption(const QString& description);
inline const QString OverwritePolicyMessage = QStringLiteral("--overwrite needs none or all.");
// True for all, false for none; nothing for any other value.
std::optional<bool> YesToAllPolicy(const QCommandLineParser& parser,
                                   const QCommandLineOption& option);

// --country us|ca|uk.
QCommandLineOption CountryOption();
// The holiday list a --country value names; nothing for any other text.
const HolidayCountry* CountryNamed(const QString& name);
// A weekday written in full or as its first three letters, in any case; 0 = Monday.
std::optional<int> WeekdayNamed(const QString& name);

// Reads IN.cdb and refuses an OUT.cdb the save would refuse, before a run asks or tells
// anything: the exit status after the message, or nothing when both are fine.
std::optional<int> OpenCalendarFor(const QString& in, const QString& out, CalendarDocument& doc,
                                   QTextStream& err);
// OUT.cdb of a command that read IN.cdb.
OutputTarget CalendarTarget(const QString& in, const QString& out);

// Puts --from and --to (YYYY-MM-DD) into the range block as a user picks them; false after a
// usage error, described in `error`.
bool ChooseRange(const QCommandLineParser& parser, const QCommandLineOption& from,
                 const QCommandLineOption& to, DateRangeBlock& range, QString& error);

// Answers every overwrite question by the --overwrite policy and prints it with its answer:
// all answers Yes to All where the question offers it, else Yes; none answers No to All where
// the question offers it, else No. Errors go to standard error, where every refusal goes, and
// so do warnings unless they are told on standard output with the rest.
class PrintedQuestions : public OverwriteQuestions {
public:
    enum class Warnings { ToErrors, ToOutput };
    PrintedQuestions(QTextStream& out, QTextStream& err, bool yesToAll,
                     Warnings warnings = Warnings::ToErrors)
        : m_out(out), m_err(err), m_yesToAll(yesToAll), m_warnings(warnings)
    {
    }
    OverwriteAnswer AskOverwrite(const QString& question, OverwriteChoices choices) override;
    void Tell(PromptKind kind, const QString& text) override;

private:
    QTextStream& m_out;
    QTextStream& m_err;
    bool m_yesToAll;
    Warnings m_warnings;
};

// One Apply or Remove of a dialog, then Save/Close: applied changes mark the calendar changed
// and stale, and OUT.cdb is written. `run` returns false when the dialog refused: then nothing
// is written and the status is ExitFailure.
int RunThenSave(CalendarDocument& doc, const OutputTarget& target, const std::function<bool()>& run,
                QTextStream& out, QTextStream& err);

// RunThenSave with printed questions; what the run tells (on the stream it is given) reaches
// standard output only once OUT.cdb is written, so a failed save has told nothing it did not do.
int RunPrintedThenSave(CalendarDocument& doc, const OutputTarget& target, bool yesToAll,
                       const std::function<bool(OverwriteQuestions&, QTextStream&)>& run,
                       QTextStream& out, QTextStream& err);

} // namespace custodex::cli
