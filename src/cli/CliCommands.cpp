#include "cli/CliCommands.h"

#include "cli/CalendarFileCommands.h"
#include "cli/CliCommand.h"
#include "cli/CompareCommand.h"
#include "cli/CustomPatternCommands.h"
#include "cli/DayCountsCommand.h"
#include "cli/DistributionCommand.h"
#include "cli/GuidelineCommands.h"
#include "cli/HolidayCommands.h"
#include "cli/IcsCommand.h"
#include "cli/InfoCommand.h"
#include "cli/ListBuilderCommand.h"
#include "cli/OutputCommands.h"
#include "cli/PatternCommands.h"
#include "cli/PrintCommand.h"
#include "cli/RecoveriesCommand.h"
#include "cli/ScheduleCommands.h"
#include "cli/TimeReportCommands.h"

#include <QCommandLineParser>

#include <algorithm>
#include <memory>
#include <vector>

namespace custodex {

namespace {

using namespace cli;

// Every command, in the order --help lists them. A new command is one line here.
const std::vector<std::unique_ptr<const Command>>& Commands()
{
    static const auto commands = [] {
        std::vector<std::unique_ptr<const Command>> list;
        list.push_back(std::make_unique<InfoCommand>());
        list.push_back(std::make_unique<NewCommand>());
        list.push_back(std::make_unique<ResaveCommand>());
        list.push_back(std::make_unique<ExportCsvCommand>());
        list.push_back(std::make_unique<ExportIcsCommand>());
        list.push_back(std::make_unique<PreviewCommand>());
        list.push_back(std::make_unique<PrintCommand>());
        list.push_back(std::make_unique<HolidaysCommand>());
        list.push_back(std::make_unique<ApplyHolidaysCommand>());
        list.push_back(std::make_unique<ApplyPatternCommand>());
        list.push_back(std::make_unique<RemovePatternCommand>());
        AddCustomPatternCommands(list);
        AddScheduleCommands(list);
        list.push_back(std::make_unique<MakeListCommand>());
        list.push_back(std::make_unique<DistributionCommand>());
        list.push_back(std::make_unique<QualityCommand>());
        list.push_back(std::make_unique<CareCommand>());
        list.push_back(std::make_unique<CompareCommand>());
        list.push_back(std::make_unique<DayCountsCommand>());
        list.push_back(std::make_unique<SetGuidelineCommand>());
        list.push_back(std::make_unique<RemoveGuidelineCommand>());
        list.push_back(std::make_unique<GuidelinesCommand>());
        list.push_back(std::make_unique<RecoveriesCommand>());
        return list;
    }();
    return commands;
}

const Command* FindCommand(const QString& name)
{
    for (const auto& command : Commands())
        if (command->Name() == name)
            return command.get();
    return nullptr;
}

QString ToolUsage()
{
    return QStringLiteral("Usage: ") + ProgramName +
           QStringLiteral(" COMMAND [options] ARGUMENTS\n       ") + ProgramName +
           QStringLiteral(" COMMAND --help\n");
}

QString ToolHelp()
{
    QString text = ToolUsage() +
                   QStringLiteral("Reads, creates and rewrites Custodex Calendar files (.cdb) and "
                                  "writes their outputs.\n\nCommands:\n");
    qsizetype column = 0;
    for (const auto& command : Commands())
        column = std::max(column, command->Name().size() + 2);
    for (const auto& command : Commands())
        text += QStringLiteral("  ") + command->Name().leftJustified(column, QLatin1Char(' ')) +
                command->Description() + QLatin1Char('\n');
    text += QStringLiteral("\nOptions:\n"
                           "  -h, --help     Shows this help.\n"
                           "  -v, --version  Shows the version.\n"
                           "\nExit status: 0 done; 1 refused or failed, with the program's message "
                           "on standard error\n(nothing is written); 2 a wrong command line.\n");
    return text;
}

int ToolUsageError(QTextStream& err, const QString& message)
{
    err << message << '\n'
        << ToolUsage() << QStringLiteral("Run '") << ProgramName
        << QStringLiteral(" --help' for the list of commands.") << '\n';
    err.flush();
    return ExitUsage;
}

int Print(QTextStream& out, const QString& text)
{
    out << text;
    out.flush();
    return ExitOk;
}

} // namespace

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version."));
    parser.addOption(help);
    parser.addOption(version);
    // Everything after the command name belongs to the command.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(QStringList{ProgramName} + arguments))
        return ToolUsageError(err, parser.errorText());
    if (parser.isSet(version))
        return Print(out, ProgramName + QLatin1Char(' ') + QStringLiteral(CUSTODEX_VERSION) +
                              QLatin1Char('\n'));
    if (parser.isSet(help))
        return Print(out, ToolHelp());
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return ToolUsageError(err, QStringLiteral("No command given."));

    const QString& name = words.first();
    if (name == QStringLiteral("help")) {
        if (words.size() == 1)
            return Print(out, ToolHelp());
        if (const Command* command = FindCommand(words[1]); command && words.size() == 2)
            return Print(out, command->HelpText());
        return ToolUsageError(err, QStringLiteral("help takes one command name."));
    }
    const Command* command = FindCommand(name);
    if (!command)
        return ToolUsageError(err,
                              QStringLiteral("Unknown command '") + name + QStringLiteral("'."));
    return command->Run(words.mid(1), out, err);
}

QString ArgumentText(const QByteArray& bytes)
{
    QString text;
    const auto byte = [&bytes](qsizetype at) { return static_cast<unsigned char>(bytes[at]); };
    for (qsizetype i = 0; i < bytes.size();) {
        const unsigned char lead = byte(i);
        const int length = lead < 0x80                    ? 1
                           : lead >= 0xC2 && lead <= 0xDF ? 2
                           : lead >= 0xE0 && lead <= 0xEF ? 3
                           : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                          : 0;
        bool whole = length > 0 && i + length <= bytes.size();
        for (int k = 1; whole && k < length; ++k)
            whole = (byte(i + k) & 0xC0) == 0x80;
        // No overlong forms, no surrogates, nothing past U+10FFFF.
        if (whole && length >= 3) {
            const unsigned char second = byte(i + 1);
            whole = !(lead == 0xE0 && second < 0xA0) && !(lead == 0xED && second >= 0xA0) &&
                    !(lead == 0xF0 && second < 0x90) && !(lead == 0xF4 && second >= 0x90);
        }
        if (whole) {
            text += QString::fromUtf8(bytes.constData() + i, length);
            i += length;
        }
        else {
            text += QChar(static_cast<char16_t>(0xDC00 + lead));
            ++i;
        }
    }
    return text;
}

bool CliNeedsGuiApplication(const QStringList& arguments)
{
    const Command* command = arguments.isEmpty() ? nullptr : FindCommand(arguments.first());
    return command && command->PaintsPictures();
}

} // namespace custodex
