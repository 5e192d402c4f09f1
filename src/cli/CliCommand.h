#pragma once

#include "calendar/CalendarModel.h"
#include "platform/FileAccess.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>

class QCommandLineParser;
class QIODevice;

// The base of every custodex-cli command and the helpers they share: reading the input
// calendar with the program's messages and writing every output through the program's writer.

namespace custodex::cli {

constexpr int ExitOk = 0;
constexpr int ExitFailure = 1; // the program refused or failed; its message is on standard error
constexpr int ExitUsage = 2;   // the command line itself is wrong

inline const QString ProgramName = QStringLiteral("custodex-cli");

struct PositionalArgument {
    QString Name; // as shown in the usage line, e.g. "IN.cdb"
    QString Description;
};

class Command {
public:
    Command(QString name, QString description);
    virtual ~Command() = default;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    const QString& Name() const { return m_name; }
    const QString& Description() const { return m_description; }
    // Commands that paint pictures need a GUI application for fonts (never a window).
    virtual bool PaintsPictures() const { return false; }

    // `arguments` are the words after the command name. Answers --help, refuses unknown
    // options and a wrong number of positional arguments, then runs Execute.
    int Run(const QStringList& arguments, QTextStream& out, QTextStream& err) const;

    QString HelpText() const;
    QString UsageLine() const;

protected:
    // How many positional arguments the command takes with these options; all it declares
    // unless it says otherwise.
    virtual qsizetype ArgumentsTaken(const QCommandLineParser&) const { return m_arguments.size(); }

    // Called with exactly as many positional arguments as ArgumentsTaken says.
    virtual int Execute(const QCommandLineParser& parser, const QStringList& arguments,
                        QTextStream& out, QTextStream& err) const = 0;

    // A usage error found by the command itself (a malformed option value).
    int UsageError(QTextStream& err, const QString& message) const;

    QList<QCommandLineOption> m_options;
    QList<PositionalArgument> m_arguments;

private:
    QString m_name;
    QString m_description;
};

// Prints the program's message (its "\n\r" as a plain line break) and returns ExitFailure.
int Fail(QTextStream& err, const QString& message);

// The value option among `options` that would take the next option of `arguments` as its
// value ("--write --overwrite" would write a calendar named "--overwrite"); empty when none
// would. A value that starts with "-" can still be given as "--write=-name".
QString OptionTakenAsValue(const QList<QCommandLineOption>& options, const QStringList& arguments);

// The month a command-line value names, in full and in any case ("march", "MARCH"); nothing
// for anything else, such as "Maybe" or "Mar".
std::optional<int> WholeMonthName(const QString& text);

// Reads the calendar at `path` with the program's reader: a missing, unreadable, non-regular
// (a FIFO is never opened, so nothing waits) or malformed file prints "Error reading " + path.
bool ReadCalendarArgument(const QString& path, CalendarDocument& doc, QTextStream& err);

// Where a command writes: IN.cdb is the calendar it read (empty for none), `overwrite` says
// whether --overwrite was given.
struct OutputTarget {
    QString Path;
    QString InputPath;
    bool Overwrite = false;
    bool HasOverwriteOption = true; // false where --overwrite means something else
};

// The --overwrite option of every writing command; `what` names its output ("OUT.csv").
QCommandLineOption OverwriteOption(const QString& what);

// Writes an output (CSV, pictures) with the program's writer: a locked file, a FIFO or a device
// is refused; an existing file is replaced only with --overwrite, and never when it is the
// calendar being read, so no command turns a calendar into its own export.
int WriteOutputFile(const OutputTarget& target, const QByteArray& bytes, QTextStream& err);
int WriteOutputFileWith(const OutputTarget& target, const std::function<bool(QIODevice&)>& write,
                        QTextStream& err);

// The message of an output of several files that was refused or failed (nothing of it was
// written); ExitFailure.
int FailFileSet(const FileSetWriter& files, QTextStream& err);

// What a writing command tells on standard output while it works ("Added 104 days..."), held
// until its output is written: a command that then fails has told nothing it did not do.
class HeldOutput {
public:
    QTextStream& Stream() { return m_stream; }
    // Passes what was held on to `out` when `status` is ExitOk; returns `status`.
    int Release(int status, QTextStream& out);

private:
    QString m_text;
    QTextStream m_stream{&m_text};
};

// The checks SaveCalendarFile makes before writing, for a command that must refuse before it
// does its work: the exit status after the message, or nothing when the target is fine.
std::optional<int> RefuseCalendarTarget(const OutputTarget& target, QTextStream& err);
// The checks WriteOutputFile makes before it writes, alone: an output of several files makes
// them for every file before it writes the first.
std::optional<int> RefuseOutputTarget(const OutputTarget& target, QTextStream& err);

// Saves a calendar with the program's writer under the same rules, except that resaving the
// calendar that was read onto itself needs no --overwrite.
int SaveCalendarFile(CalendarDocument& doc, const OutputTarget& target, QTextStream& err);

} // namespace custodex::cli
