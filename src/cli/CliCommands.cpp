#include "cli/CliCommands.h"

#include "calendar/CalendarFile.h"
#include "calendar/CalendarJson.h"
#include "calendar/StartChecks.h"
#include "platform/FileLock.h"

#include <QFile>
#include <QJsonDocument>

namespace custodex {

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

const char* const Usage = "usage:\n"
                          "  custodex-cli info FILE.cdb [--json]\n"
                          "  custodex-cli new --client NAME --year YYYY --month MONTH OUT.cdb\n"
                          "  custodex-cli resave IN.cdb OUT.cdb\n";

// Messages show "\n\r" line breaks as plain line breaks on a terminal.
QString ForTerminal(QString message)
{
    return message.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
}

int Fail(QTextStream& err, const QString& message)
{
    err << ForTerminal(message) << '\n';
    err.flush();
    return ExitFailure;
}

int UsageError(QTextStream& err, const QString& message)
{
    err << message << '\n' << Usage;
    err.flush();
    return ExitUsage;
}

// Refuses a locked target before anything is written.
int WriteTo(CalendarDocument& doc, const QString& path, QTextStream& err)
{
    if (IsFileLocked(path))
        return Fail(err, QStringLiteral("Error!  Can't write to ") + path +
                             QStringLiteral("\n\rbecause the file is locked!"));
    const FileResult written = WriteCalendarFile(doc, path, true);
    return written.Ok ? ExitOk : Fail(err, written.Message);
}

int Info(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList files;
    bool json = false;
    for (const QString& arg : args) {
        if (arg == QStringLiteral("--json"))
            json = true;
        else if (arg.startsWith(QStringLiteral("--")))
            return UsageError(err, QStringLiteral("unknown option ") + arg);
        else
            files << arg;
    }
    if (files.size() != 1)
        return UsageError(err, QStringLiteral("info needs one calendar file"));
    CalendarDocument doc;
    const FileResult read = ReadCalendarFile(doc, files.first());
    if (!read.Ok)
        return Fail(err, read.Message);
    if (json)
        out << QString::fromUtf8(
            QJsonDocument(CalendarInfoJson(doc)).toJson(QJsonDocument::Indented));
    else
        out << CalendarInfoText(doc);
    out.flush();
    return ExitOk;
}

int New(const QStringList& args, QTextStream& err)
{
    QString client;
    QString year;
    QString month;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        QString* target = arg == QStringLiteral("--client")  ? &client
                          : arg == QStringLiteral("--year")  ? &year
                          : arg == QStringLiteral("--month") ? &month
                                                             : nullptr;
        if (target) {
            if (i + 1 >= args.size())
                return UsageError(err, arg + QStringLiteral(" needs a value"));
            *target = args[++i];
        }
        else if (arg.startsWith(QStringLiteral("--"))) {
            return UsageError(err, QStringLiteral("unknown option ") + arg);
        }
        else {
            files << arg;
        }
    }
    if (files.size() != 1)
        return UsageError(err, QStringLiteral("new needs one output file"));
    client = client.trimmed();
    if (client.isEmpty())
        return Fail(err, QStringLiteral("A Client Name is a required entry."));
    const StartCheck startYear = CheckStartYear(year);
    if (!startYear.Ok)
        return Fail(err, startYear.Message);
    const StartCheck startMonth = CheckStartMonth(month);
    if (!startMonth.Ok)
        return Fail(err, startMonth.Message);
    const QString& path = files.first();
    if (QFile::exists(path))
        return Fail(err, QStringLiteral("File ") + path + QStringLiteral(" already exists!"));

    CalendarDocument doc;
    doc.ClientName = client;
    doc.UserYear = year;
    doc.SelUserMonth = DisplayMonthNames().at(startMonth.Value);
    BuildSpan(doc, startMonth.Value, startYear.Value);
    RecountCounters(doc);
    return WriteTo(doc, path, err);
}

int Resave(const QStringList& args, QTextStream& err)
{
    if (args.size() != 2)
        return UsageError(err, QStringLiteral("resave needs an input and an output file"));
    CalendarDocument doc;
    const FileResult read = ReadCalendarFile(doc, args[0]);
    if (!read.Ok)
        return Fail(err, read.Message);
    return WriteTo(doc, args[1], err);
}

} // namespace

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.isEmpty())
        return UsageError(err, QStringLiteral("no command given"));
    const QString command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (command == QStringLiteral("info"))
        return Info(rest, out, err);
    if (command == QStringLiteral("new"))
        return New(rest, err);
    if (command == QStringLiteral("resave"))
        return Resave(rest, err);
    if (command == QStringLiteral("--help") || command == QStringLiteral("help")) {
        out << Usage;
        out.flush();
        return ExitOk;
    }
    return UsageError(err, QStringLiteral("unknown command ") + command);
}

} // namespace custodex
