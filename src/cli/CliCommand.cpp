#include "cli/CliCommand.h"

#include "calendar/CalendarFile.h"
#include "platform/FileAccess.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <algorithm>
#include <utility>

#include <optional>

namespace custodex::cli {

namespace {

constexpr qsizetype HelpWidth = 79;

const QCommandLineOption& HelpOption()
{
    static const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                         QStringLiteral("Shows this help."));
    return help;
}

QString OptionNames(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString shown = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        shown += QStringLiteral(" <") + option.valueName() + QLatin1Char('>');
    return shown;
}

// "  name   description", the description wrapped under itself.
void AppendEntry(QString& text, const QString& name, const QString& description, qsizetype column)
{
    QString line = QStringLiteral("  ") + name;
    if (line.size() + 2 > column) {
        text += line + QLatin1Char('\n');
        line.clear();
    }
    line = line.leftJustified(column, QLatin1Char(' '));
    bool lineHasWord = false;
    for (const QString& word : description.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!lineHasWord) {
            line += word;
        }
        else if (line.size() + 1 + word.size() > HelpWidth) {
            text += line + QLatin1Char('\n');
            line = QString(column, QLatin1Char(' ')) + word;
        }
        else {
            line += QLatin1Char(' ') + word;
        }
        lineHasWord = true;
    }
    text += line + QLatin1Char('\n');
}

// Set apart by ArgumentText: a low surrogate without the high one before it.
bool HoldsBytesNotUtf8(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i].isLowSurrogate() && (i == 0 || !text[i - 1].isHighSurrogate()))
            return true;
    return false;
}

bool SameFile(const QString& path, const QString& other)
{
    if (other.isEmpty())
        return false;
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(other).canonicalFilePath();
}

} // namespace

Command::Command(QString name, QString description)
    : m_name(std::move(name)), m_description(std::move(description))
{
}

QString Command::UsageLine() const
{
    QString line = QStringLiteral("Usage: ") + ProgramName + QLatin1Char(' ') + m_name +
                   QStringLiteral(" [options]");
    for (const PositionalArgument& argument : m_arguments)
        line += QLatin1Char(' ') + argument.Name;
    return line;
}

QString Command::HelpText() const
{
    QList<QCommandLineOption> options = m_options;
    options << HelpOption();
    qsizetype column = 0;
    for (const PositionalArgument& argument : m_arguments)
        column = std::max(column, argument.Name.size());
    for (const QCommandLineOption& option : options)
        column = std::max(column, OptionNames(option).size());
    column = std::min<qsizetype>(column + 4, 32);

    QString text = UsageLine() + QLatin1Char('\n') + m_description + QLatin1Char('\n');
    if (!m_arguments.isEmpty()) {
        text += QStringLiteral("\nArguments:\n");
        for (const PositionalArgument& argument : m_arguments)
            AppendEntry(text, argument.Name, argument.Description, column);
    }
    text += QStringLiteral("\nOptions:\n");
    for (const QCommandLineOption& option : options)
        AppendEntry(text, OptionNames(option), option.description(), column);
    return text;
}

QString OptionTakenAsValue(const QList<QCommandLineOption>& options, const QStringList& arguments)
{
    for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
        const QString& next = arguments[i + 1];
        if (!next.startsWith(QLatin1Char('-')) || next.size() < 2)
            continue;
        for (const QCommandLineOption& option : options) {
            if (option.valueName().isEmpty())
                continue;
            for (const QString& name : option.names()) {
                const QString spelled =
                    (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
                if (arguments[i] == spelled)
                    return spelled;
            }
        }
    }
    return QString();
}

std::optional<int> WholeMonthName(const QString& text)
{
    for (int i = 0; i < 12; ++i)
        if (DisplayMonthNames().at(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return std::nullopt;
}

int Command::UsageError(QTextStream& err, const QString& message) const
{
    // The program's own messages break their lines with "\n\r"; a terminal shows "\n".
    err << QString(message).replace(QStringLiteral("\n\r"), QStringLiteral("\n")) << '\n'
        << UsageLine() << '\n'
        << QStringLiteral("Run '") << ProgramName << ' ' << m_name
        << QStringLiteral(" --help' for its options.") << '\n';
    err.flush();
    return ExitUsage;
}

int Command::Run(const QStringList& arguments, QTextStream& out, QTextStream& err) const
{
    QCommandLineParser parser;
    parser.addOptions(m_options);
    parser.addOption(HelpOption());
    // The parser takes the first word as the program's name.
    if (!parser.parse(QStringList{ProgramName} + arguments))
        return UsageError(err, parser.errorText());
    if (const QString taken = OptionTakenAsValue(m_options, arguments); !taken.isEmpty())
        return UsageError(err, taken + QStringLiteral(" needs a value."));
    if (parser.isSet(HelpOption())) {
        out << HelpText();
        out.flush();
        return ExitOk;
    }
    const QStringList positional = parser.positionalArguments();
    // A text that is not UTF-8 would be stored or used as U+FFFD without a word.
    for (const QCommandLineOption& option : m_options)
        if (!option.valueName().isEmpty())
            for (const QString& value : parser.values(option))
                if (HoldsBytesNotUtf8(value))
                    return UsageError(err, QStringLiteral("--") + option.names().constLast() +
                                               QStringLiteral(" holds bytes that are not UTF-8 "
                                                              "text."));
    for (qsizetype i = 0; i < positional.size(); ++i)
        if (HoldsBytesNotUtf8(positional[i]))
            return UsageError(err, (i < m_arguments.size() ? m_arguments[i].Name
                                                           : QStringLiteral("An argument")) +
                                       QStringLiteral(" holds bytes that are not UTF-8 text."));
    const qsizetype taken = ArgumentsTaken(parser);
    if (positional.size() != taken) {
        QStringList names;
        for (const PositionalArgument& argument : m_arguments.mid(0, taken))
            names << argument.Name;
        return UsageError(
            err, QStringLiteral("%1 needs %2 %3: %4 (%5 given).")
                     .arg(m_name)
                     .arg(taken)
                     .arg(taken == 1 ? QStringLiteral("argument") : QStringLiteral("arguments"))
                     .arg(names.join(QLatin1Char(' ')))
                     .arg(positional.size()));
    }
    return Execute(parser, positional, out, err);
}

int Fail(QTextStream& err, const QString& message)
{
    err << QString(message).replace(QStringLiteral("\n\r"), QStringLiteral("\n")) << '\n';
    err.flush();
    return ExitFailure;
}

bool ReadCalendarArgument(const QString& path, CalendarDocument& doc, QTextStream& err)
{
    const FileResult read = ReadCalendarFile(doc, path);
    if (!read.Ok)
        Fail(err, read.Message);
    return read.Ok;
}

QCommandLineOption OverwriteOption(const QString& what)
{
    return QCommandLineOption(
        QStringLiteral("overwrite"),
        QStringLiteral("Replaces an existing ") + what +
            QStringLiteral(". Without it an existing file is left alone; a locked file is never "
                           "replaced."));
}

namespace {

// Checks made before anything is written; nothing when the target may be written.
std::optional<int> RefuseTarget(const OutputTarget& target, bool inputMayBeReplaced,
                                QTextStream& err)
{
    // A target that can never be written is reported as such before it is called existing.
    const FileWriteError check = CheckWriteTarget(target.Path);
    if (check != FileWriteError::None)
        return Fail(err, WriteRefusalMessage(check, target.Path));
    if (!QFileInfo::exists(target.Path))
        return std::nullopt;
    const bool isInput = SameFile(target.Path, target.InputPath);
    if (isInput && !inputMayBeReplaced)
        return Fail(err, QStringLiteral("File ") + target.Path +
                             QStringLiteral(" is the calendar being read!\n\rChoose another "
                                            "file to write."));
    if (!isInput && !target.Overwrite)
        return Fail(err, QStringLiteral("File ") + target.Path +
                             (target.HasOverwriteOption
                                  ? QStringLiteral(" already exists!\n\rGive --overwrite to write "
                                                   "over it.")
                                  : QStringLiteral(" already exists!\n\rWrite to a new file or "
                                                   "to the calendar read.")));
    return std::nullopt;
}

} // namespace

int WriteOutputFile(const OutputTarget& target, const QByteArray& bytes, QTextStream& err)
{
    return WriteOutputFileWith(
        target, [&bytes](QIODevice& device) { return device.write(bytes) == bytes.size(); }, err);
}

int WriteOutputFileWith(const OutputTarget& target, const std::function<bool(QIODevice&)>& write,
                        QTextStream& err)
{
    if (const std::optional<int> refused = RefuseTarget(target, false, err))
        return *refused;
    const FileWriteError written = WriteFileWith(target.Path, write);
    return written == FileWriteError::None ? ExitOk
                                           : Fail(err, WriteRefusalMessage(written, target.Path));
}

int HeldOutput::Release(int status, QTextStream& out)
{
    m_stream.flush();
    if (status == ExitOk) {
        out << m_text;
        out.flush();
    }
    m_text.clear();
    return status;
}

int FailFileSet(const FileSetWriter& files, QTextStream& err)
{
    return Fail(err, WriteRefusalMessage(files.Error(), files.FailedPath()));
}

std::optional<int> RefuseCalendarTarget(const OutputTarget& target, QTextStream& err)
{
    return RefuseTarget(target, true, err);
}

std::optional<int> RefuseOutputTarget(const OutputTarget& target, QTextStream& err)
{
    return RefuseTarget(target, false, err);
}

int SaveCalendarFile(CalendarDocument& doc, const OutputTarget& target, QTextStream& err)
{
    if (const std::optional<int> refused = RefuseTarget(target, true, err))
        return *refused;
    const FileResult written = WriteCalendarFile(doc, target.Path, false);
    return written.Ok ? ExitOk : Fail(err, written.Message);
}

} // namespace custodex::cli
