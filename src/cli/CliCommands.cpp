#include "cli/CliCommands.h"

#include "calendar/CalendarFile.h"
#include "calendar/CalendarJson.h"
#include "calendar/StartChecks.h"
#include "calendar/TextCodec.h"
#include "output/CsvExport.h"
#include "output/DrawingSurface.h"
#include "output/PreviewDrawing.h"
#include "platform/FileLock.h"

#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>

namespace custodex {

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

const char* const Usage = "usage:\n"
                          "  custodex-cli info FILE.cdb [--json]\n"
                          "  custodex-cli new --client NAME --year YYYY --month MONTH OUT.cdb\n"
                          "  custodex-cli resave IN.cdb OUT.cdb\n"
    "  custodex-cli export-csv FILE.cdb OUT.csv [--weekday] [--overnights] [--overnight-reason]\n"
    "      [--overnight-start] [--overnight-end] [--day-visits] [--day-visit-reason]\n"
    "      [--day-visit-start] [--day-visit-end] [--all-days] [--all-columns] [--separator C]\n"
    "  custodex-cli preview FILE.cdb OUT.png [--size WxH]\n";

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

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

int ExportCsv(const QStringList& args, QTextStream& err)
{
    CsvOptions options;
    const struct {
        const char* Flag;
        bool CsvOptions::*Field;
    } flags[] = {{"--weekday", &CsvOptions::WeekDay},
                 {"--overnights", &CsvOptions::Overnights},
                 {"--overnight-reason", &CsvOptions::OvernightReason},
                 {"--overnight-start", &CsvOptions::OvernightStart},
                 {"--overnight-end", &CsvOptions::OvernightEnd},
                 {"--day-visits", &CsvOptions::DayVisits},
                 {"--day-visit-reason", &CsvOptions::DayVisitReason},
                 {"--day-visit-start", &CsvOptions::DayVisitStart},
                 {"--day-visit-end", &CsvOptions::DayVisitEnd},
                 {"--all-days", &CsvOptions::AllDays}};
    QStringList files;
    QString separator = QStringLiteral(",");
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        bool known = false;
        for (const auto& flag : flags)
            if (arg == QLatin1String(flag.Flag)) {
                options.*(flag.Field) = true;
                known = true;
            }
        if (known)
            continue;
        if (arg == QStringLiteral("--all-columns")) {
            for (const auto& flag : flags)
                if (flag.Field != &CsvOptions::AllDays)
                    options.*(flag.Field) = true;
        } else if (arg == QStringLiteral("--separator")) {
            if (i + 1 >= args.size())
                return UsageError(err, QStringLiteral("--separator needs a value"));
            separator = args[++i];
        } else if (arg.startsWith(QStringLiteral("--"))) {
            return UsageError(err, QStringLiteral("unknown option ") + arg);
        } else {
            files << arg;
        }
    }
    if (files.size() != 2)
        return UsageError(err, QStringLiteral("export-csv needs a calendar file and an output file"));
    const std::optional<QChar> chosen = CsvSeparator(CsvSeparatorChoice::Custom, separator);
    if (!chosen)
        return Fail(err, CsvSeparatorMessage);
    options.Separator = *chosen;
    CalendarDocument doc;
    const FileResult read = ReadCalendarFile(doc, files[0]);
    if (!read.Ok)
        return Fail(err, read.Message);
    if (!WriteBytes(files[1], EncodeText(CsvText(doc, options))))
        return Fail(err, WriteErrorMessage(files[1]));
    return ExitOk;
}

int Preview(const QStringList& args, QTextStream& err)
{
    QStringList files;
    QSize size(1280, 2048);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--size")) {
            if (i + 1 >= args.size())
                return UsageError(err, QStringLiteral("--size needs WxH"));
            const QRegularExpressionMatch match =
                QRegularExpression(QStringLiteral("^(\\d{2,5})x(\\d{2,5})$")).match(args[++i]);
            if (!match.hasMatch())
                return UsageError(err, QStringLiteral("--size needs WxH, for example 1280x2048"));
            size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
            if (size.width() < 200 || size.height() < 200 || size.width() > 20000 || size.height() > 20000)
                return UsageError(err, QStringLiteral("--size must be between 200x200 and 20000x20000"));
        } else if (args[i].startsWith(QStringLiteral("--"))) {
            return UsageError(err, QStringLiteral("unknown option ") + args[i]);
        } else {
            files << args[i];
        }
    }
    if (files.size() != 2)
        return UsageError(err, QStringLiteral("preview needs a calendar file and an output picture"));
    CalendarDocument doc;
    const FileResult read = ReadCalendarFile(doc, files[0]);
    if (!read.Ok)
        return Fail(err, read.Message);
    QImage picture(size, QImage::Format_RGB32);
    {
        PainterSurface surface(picture);
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale;
        DrawPreview(doc, surface,
                    QStringLiteral("Generated ") + locale.toString(now.date(), QLocale::ShortFormat) +
                        QStringLiteral("  ") + locale.toString(now.time(), QLocale::LongFormat));
    }
    QSaveFile file(files[1]);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit())
        return Fail(err, WriteErrorMessage(files[1]));
    return ExitOk;
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
    if (command == QStringLiteral("export-csv"))
        return ExportCsv(rest, err);
    if (command == QStringLiteral("preview"))
        return Preview(rest, err);
    if (command == QStringLiteral("--help") || command == QStringLiteral("help")) {
        out << Usage;
        out.flush();
        return ExitOk;
    }
    return UsageError(err, QStringLiteral("unknown command ") + command);
}

} // namespace custodex
