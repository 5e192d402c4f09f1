#include "cli/CustomPatternCommands.h"

#include "calendar/MenuChecks.h"
#include "calendar/TimeText.h"
#include "patterns/CustomLists.h"
#include "patterns/RepeatPatternApply.h"
#include "platform/FileAccess.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <optional>

namespace custodex::cli {

namespace {

// A pattern file as the commands take it: readable, and every line a pattern, or a message
// naming what is wrong and nothing.
std::optional<QStringList> ReadPatternFile(const QString& file, QTextStream& err)
{
    const std::optional<QStringList> items = ReadRepeatPatterns(file);
    if (!items) {
        Fail(err, ReadErrorMessage(file));
        return std::nullopt;
    }
    if (const int bad = FirstMalformedRepeatPattern(*items); bad >= 0) {
        Fail(err, QStringLiteral("Error reading ") + file + QStringLiteral("\n\rLine ") +
                      QString::number(bad + 1) +
                      QStringLiteral(" is no pattern (a name, \" | \" and the letters O, D "
                                     "and N):\n\r") +
                      items->at(bad));
        return std::nullopt;
    }
    return items;
}

struct TimePair {
    QString Pickup;
    QString Dropoff;
};

// "PICKUP,DROPOFF" of two time texts; nothing when malformed.
std::optional<TimePair> TimesWritten(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    for (const QString& part : parts)
        if (!IsNoTime(part) && !IsValidTimeText(part))
            return std::nullopt;
    return TimePair{parts[0], parts[1]};
}

// Reads the two time options over the calendar's defaults; false after a usage error.
bool ChooseTimes(const QCommandLineParser& parser, const TimesOptions& options, ListTimes& times,
                 QString& error)
{
    const struct {
        const QCommandLineOption& Option;
        QString& Pickup;
        QString& Dropoff;
    } pairs[] = {{options.Overnight, times.OverNiteStrtTime, times.OverNiteEndTime},
                 {options.DayVisit, times.DayVisitStrtTime, times.DayVisitEndTime}};
    for (const auto& pair : pairs) {
        if (!parser.isSet(pair.Option))
            continue;
        const std::optional<TimePair> written = TimesWritten(parser.value(pair.Option));
        if (!written) {
            error = QStringLiteral("--") + pair.Option.names().first() +
                    QStringLiteral(" needs two times such as 06:00PM,08:00AM or <None>,<None>.");
            return false;
        }
        pair.Pickup = written->Pickup;
        pair.Dropoff = written->Dropoff;
    }
    return true;
}

ListTimes DefaultTimes(const CalendarDocument& doc)
{
    return {doc.OverNiteStrtTime, doc.OverNiteEndTime, doc.DayVisitStrtTime, doc.DayVisitEndTime};
}

// "all" or numbers and ranges from 1; indices from 0, or nothing when malformed.
std::optional<std::vector<int>> EntriesWritten(const QString& text, int count)
{
    std::vector<int> indices;
    if (text == QStringLiteral("all")) {
        for (int i = 0; i < count; ++i)
            indices.push_back(i);
        return indices;
    }
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QStringList ends = part.split(QLatin1Char('-'));
        bool firstOk = false;
        bool lastOk = ends.size() == 1;
        const int first = ends.first().trimmed().toInt(&firstOk);
        const int last = ends.size() == 2 ? ends.last().trimmed().toInt(&lastOk) : first;
        if (!firstOk || !lastOk || ends.size() > 2 || first < 1 || last < first || last > count)
            return std::nullopt;
        for (int n = first; n <= last; ++n)
            indices.push_back(n - 1);
    }
    return indices;
}

} // namespace

void AddCustomPatternCommands(std::vector<std::unique_ptr<const Command>>& list)
{
    list.push_back(std::make_unique<ApplyRepeatCommand>());
    list.push_back(std::make_unique<RemoveRepeatCommand>());
    list.push_back(std::make_unique<ApplyListCommand>());
    list.push_back(std::make_unique<RepeatPatternsCommand>());
}

QCommandLineOption OverwriteAnswerOption()
{
    return OverwritePolicyOption(
        QStringLiteral("The answer to every \"... is already marked ... Overwrite it with "
                       "...?\" question: none answers No (the default), all answers Yes to "
                       "All at the first. It says nothing about OUT.cdb, which must be "
                       "IN.cdb itself or a new file."));
}

ApplyRepeatCommand::ApplyRepeatCommand()
    : Command(QStringLiteral("apply-repeat"),
              QStringLiteral("Lays a repeat pattern over a date range: one Apply of the "
                             "repeat-pattern dialog, then Save/Close."))
{
    m_options << m_letters << m_pattern << m_patterns << m_reason << m_range.From << m_range.To
              << m_times.Overnight << m_times.DayVisit << m_overwrite;
    m_arguments = CalendarArguments();
}

int ApplyRepeatCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                                QTextStream& out, QTextStream& err) const
{
    if (parser.isSet(m_letters) == parser.isSet(m_pattern))
        return UsageError(err, QStringLiteral("Give exactly one of --letters and --pattern."));
    if (parser.isSet(m_letters) && !parser.isSet(m_reason))
        return UsageError(err, QStringLiteral("--letters needs --reason."));
    if (parser.isSet(m_patterns) && !parser.isSet(m_pattern))
        return UsageError(err, QStringLiteral("--patterns goes with --pattern."));
    const std::optional<bool> yesToAll = YesToAllPolicy(parser, m_overwrite);
    if (!yesToAll)
        return UsageError(err, OverwritePolicyMessage);

    CalendarDocument doc;
    if (const std::optional<int> refused = OpenCalendarFor(arguments[0], arguments[1], doc, err))
        return *refused;
    const OutputTarget target = CalendarTarget(arguments[0], arguments[1]);

    RepeatDialogState state;
    FillDateRange(doc, state.Range);
    ListTimes times = DefaultTimes(doc);
    QString error;
    if (!ChooseRange(parser, m_range.From, m_range.To, state.Range, error) ||
        !ChooseTimes(parser, m_times, times, error))
        return UsageError(err, error);
    state.ONStrtTime = times.OverNiteStrtTime;
    state.ONEndTime = times.OverNiteEndTime;
    state.DVStrtTime = times.DayVisitStrtTime;
    state.DVEndTime = times.DayVisitEndTime;

    if (parser.isSet(m_pattern)) {
        const QString file = parser.isSet(m_patterns) ? parser.value(m_patterns)
                                                      : RepeatPatternPath(doc.ClientFolder);
        // The client folder may simply have no patterns yet; a file named, or one that is
        // there and cannot be read, is an error of its own.
        if (!parser.isSet(m_patterns) && !QFileInfo::exists(file))
            return Fail(err, NoRepeatPatternsMessage);
        const std::optional<QStringList> items = ReadPatternFile(file, err);
        if (!items)
            return ExitFailure;
        if (items->isEmpty())
            return Fail(err, NoRepeatPatternsMessage);
        state.Items = *items;
        for (int i = 0; i < state.Items.size() && !state.Chosen; ++i)
            if (SplitRepeatPatternItem(state.Items.at(i)).Name == parser.value(m_pattern))
                ChooseRepeatPattern(state, i);
        if (!state.Chosen)
            return Fail(err, QStringLiteral("No pattern named ") + parser.value(m_pattern) +
                                 QStringLiteral(" in ") + file + QStringLiteral("."));
    }
    else {
        const RepeatLettersCheck letters = CheckRepeatLetters(parser.value(m_letters));
        if (!letters.Legal)
            return Fail(err, IllegalLettersMessage + QStringLiteral("\n\r") + letters.Letters +
                                 QStringLiteral("\n\r") + letters.Carets);
        state.Chosen = RepeatPattern{QString(), letters.Letters};
    }
    if (parser.isSet(m_reason)) {
        QString reason = parser.value(m_reason);
        // The reason field's rules: what it would mend is refused here, with its message.
        const QStringList messages = TypedNameRules(reason);
        if (reason != parser.value(m_reason))
            return Fail(err, messages.first());
        state.Reason = CutText(reason, RepeatPatternNameCapacity);
    }

    return RunPrintedThenSave(
        doc, target, *yesToAll,
        [&](OverwriteQuestions& questions, QTextStream&) {
            return ApplyRepeatClick(doc, state, questions).Ran;
        },
        out, err);
}

RemoveRepeatCommand::RemoveRepeatCommand()
    : Command(QStringLiteral("remove-repeat"),
              QStringLiteral("Removes the marks of one reason, in its exact case: one Remove of "
                             "the repeat-pattern dialog, then Save/Close."))
{
    m_options << m_reason << m_range.From << m_range.To;
    m_arguments = CalendarArguments();
}

int RemoveRepeatCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                                 QTextStream& out, QTextStream& err) const
{
    if (!parser.isSet(m_reason))
        return UsageError(err, QStringLiteral("--reason is required."));
    CalendarDocument doc;
    if (const std::optional<int> refused = OpenCalendarFor(arguments[0], arguments[1], doc, err))
        return *refused;
    const OutputTarget target = CalendarTarget(arguments[0], arguments[1]);
    DateRangeBlock range;
    FillDateRange(doc, range);
    QString error;
    if (!ChooseRange(parser, m_range.From, m_range.To, range, error))
        return UsageError(err, error);

    return RunPrintedThenSave(
        doc, target, false,
        [&](OverwriteQuestions& questions, QTextStream&) {
            return RemoveRepeatPattern(doc, range, parser.value(m_reason), true, questions).Ran;
        },
        out, err);
}

ApplyListCommand::ApplyListCommand()
    : Command(QStringLiteral("apply-list"),
              QStringLiteral("Marks (or with --remove unmarks) entries of a custom list "
                             "template: one Apply or Remove of the custom-list dialog, then "
                             "Save/Close."))
{
    m_options << m_entries << m_remove << m_acceptMismatch << m_times.Overnight << m_times.DayVisit
              << m_overwrite;
    m_arguments = {
        PositionalArgument{QStringLiteral("IN.cdb"), QStringLiteral("The calendar to read.")},
        PositionalArgument{QStringLiteral("LIST.tcl"), QStringLiteral("The template to use.")},
        PositionalArgument{QStringLiteral("OUT.cdb"),
                           QStringLiteral("The file to write: IN.cdb itself or a new file. An "
                                          "existing other file is refused.")}};
}

int ApplyListCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                              QTextStream& out, QTextStream& err) const
{
    const std::optional<bool> yesToAll = YesToAllPolicy(parser, m_overwrite);
    if (!yesToAll)
        return UsageError(err, OverwritePolicyMessage);
    if (parser.isSet(m_remove) && (parser.isSet(m_overwrite) || parser.isSet(m_times.Overnight) ||
                                   parser.isSet(m_times.DayVisit)))
        return UsageError(err, QStringLiteral("--remove takes no times and no --overwrite."));

    CalendarDocument doc;
    if (const std::optional<int> refused = OpenCalendarFor(arguments[0], arguments[2], doc, err))
        return *refused;
    const OutputTarget target = CalendarTarget(arguments[0], arguments[2]);
    const std::optional<CustomListTemplate> list = ReadCustomListTemplate(arguments[1]);
    if (!list)
        return Fail(err, ReadErrorMessage(arguments[1]));
    const std::optional<std::vector<int>> entries =
        EntriesWritten(parser.value(m_entries), static_cast<int>(list->Entries.size()));
    if (!entries)
        return UsageError(err, QStringLiteral("--entries needs all, or numbers and ranges from "
                                              "1 to %1 such as 1,3-5.")
                                   .arg(list->Entries.size()));
    // Nothing to apply is a refusal, as in the dialog, and leaves OUT unwritten.
    if (entries->empty())
        return Fail(err, parser.isSet(m_remove) ? SelectToRemoveMessage : SelectToApplyMessage);
    ListTimes times = DefaultTimes(doc);
    QString error;
    if (!ChooseTimes(parser, m_times, times, error))
        return UsageError(err, error);
    for (const TemplateWarning& warning : TemplateDateWarnings(doc, arguments[1], list->Header)) {
        if (!parser.isSet(m_acceptMismatch))
            return Fail(err, warning.Text);
        err << PlainText(warning.Text) << '\n' << QStringLiteral("Yes") << '\n';
    }

    return RunPrintedThenSave(
        doc, target, *yesToAll,
        [&](OverwriteQuestions& questions, QTextStream&) {
            if (parser.isSet(m_remove))
                RemoveCustomList(doc, list->Entries, *entries, questions);
            else
                ApplyCustomList(doc, list->Entries, *entries, times, questions);
            return true;
        },
        out, err);
}

RepeatPatternsCommand::RepeatPatternsCommand()
    : Command(QStringLiteral("repeat-patterns"),
              QStringLiteral("Lists the repeat patterns of a pattern file: name | letters, one a "
                             "line."))
{
    m_arguments = {PositionalArgument{QStringLiteral("FILE"),
                                      QStringLiteral("The pattern file, such as the client "
                                                     "folder's \"CustomPats.txt\".")}};
}

int RepeatPatternsCommand::Execute(const QCommandLineParser&, const QStringList& arguments,
                                   QTextStream& out, QTextStream& err) const
{
    const std::optional<QStringList> items = ReadPatternFile(arguments[0], err);
    if (!items)
        return ExitFailure;
    for (const QString& item : *items)
        out << RepeatPatternItem(SplitRepeatPatternItem(item)) << '\n';
    out.flush();
    return ExitOk;
}

} // namespace custodex::cli
