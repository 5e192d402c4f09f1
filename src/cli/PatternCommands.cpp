#include "cli/PatternCommands.h"

#include "calendar/MenuChecks.h"
#include "calendar/TimeText.h"
#include "patterns/WeekdayPatterns.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <optional>

namespace custodex::cli {

QString PlainText(const QString& message)
{
    return QString(message).replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
}

QList<PositionalArgument> CalendarArguments()
{
    return {PositionalArgument{QStringLiteral("IN.cdb"), QStringLiteral("The calendar to read.")},
            PositionalArgument{
                QStringLiteral("OUT.cdb"),
                QStringLiteral("The file to write: IN.cdb itself or a new file. An existing "
                               "other file is refused.")}};
}

OutputTarget CalendarTarget(const QString& in, const QString& out)
{
    return {out, in, false, false};
}

std::optional<int> OpenCalendarFor(const QString& in, const QString& out, CalendarDocument& doc,
                                   QTextStream& err)
{
    if (!ReadCalendarArgument(in, doc, err))
        return ExitFailure;
    return RefuseCalendarTarget(CalendarTarget(in, out), err);
}

int RunThenSave(CalendarDocument& doc, const OutputTarget& target, const std::function<bool()>& run,
                QTextStream& out, QTextStream& err)
{
    bool ran = false;
    RunDayChangingDialog(doc, [&] {
        ran = run();
        return true;
    });
    out.flush();
    err.flush();
    if (!ran)
        return ExitFailure;
    return SaveCalendarFile(doc, target, err);
}

namespace {

// A weekday written in full or as its first three letters, in any case; 0 = Monday.
std::optional<int> WeekdayNamed(const QString& name)
{
    const QString trimmed = name.trimmed();
    for (int w = 0; w < WeekdayCount; ++w) {
        const QString& full = PatternWeekdayNames().at(w);
        if (trimmed.compare(full, Qt::CaseInsensitive) == 0 ||
            trimmed.compare(full.left(3), Qt::CaseInsensitive) == 0)
            return w;
    }
    return std::nullopt;
}

std::optional<PatternKind> KindNamed(const QString& name)
{
    for (int k = 0; k <= static_cast<int>(PatternKind::Last); ++k) {
        const auto kind = static_cast<PatternKind>(k);
        if (name.compare(PatternKindWord(kind), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return std::nullopt;
}

struct IsoDate {
    int Year = 0;
    int MonthIndex = 0;
    int Day = 0;
};

// YYYY-MM-DD with a month 01 to 12 and a day 01 to 31; whether that day exists in that month
// is the range check's business, as in the dialog.
std::optional<IsoDate> DateWritten(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const IsoDate date{match.captured(1).toInt(), match.captured(2).toInt() - 1,
                       match.captured(3).toInt()};
    if (date.MonthIndex < 0 || date.MonthIndex > 11 || date.Day < 1 || date.Day > 31)
        return std::nullopt;
    return date;
}

} // namespace

bool ChooseRange(const QCommandLineParser& parser, const QCommandLineOption& from,
                 const QCommandLineOption& to, DateRangeBlock& range, QString& error)
{
    const struct {
        const QCommandLineOption& Option;
        DateRangeSide& Side;
    } sides[] = {{from, range.Start}, {to, range.End}};
    for (const auto& side : sides) {
        if (!parser.isSet(side.Option))
            continue;
        const std::optional<IsoDate> date = DateWritten(parser.value(side.Option));
        if (!date) {
            error = QStringLiteral("--") + side.Option.names().first() +
                    QStringLiteral(" needs a date written YYYY-MM-DD.");
            return false;
        }
        ChooseRangeDate(side.Side, date->Year, date->MonthIndex, date->Day);
    }
    return true;
}

OverwriteAnswer PrintedQuestions::AskOverwrite(const QString& question)
{
    m_out << PlainText(question) << '\n'
          << (m_yesToAll ? QStringLiteral("Yes to All") : QStringLiteral("No")) << '\n';
    return m_yesToAll ? OverwriteAnswer::YesToAll : OverwriteAnswer::No;
}

void PrintedQuestions::Tell(PromptKind kind, const QString& text)
{
    // Errors and warnings go where every refusal goes.
    (kind == PromptKind::Error || kind == PromptKind::Warning ? m_err : m_out)
        << PlainText(text) << '\n';
}

ApplyPatternCommand::ApplyPatternCommand()
    : Command(QStringLiteral("apply-pattern"),
              QStringLiteral("Marks days by a weekday pattern: one Apply List, then Save/Close."))
{
    m_options << m_overnights << m_dayVisits << m_kind << m_days << m_weekBegins << m_range.From
              << m_range.To << m_pickup << m_dropoff << m_reason << m_noNap << m_overwrite;
    m_arguments = CalendarArguments();
}

int ApplyPatternCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                                 QTextStream& out, QTextStream& err) const
{
    if (parser.isSet(m_overnights) == parser.isSet(m_dayVisits))
        return UsageError(err,
                          QStringLiteral("Give exactly one of --overnights and --day-visits."));
    const std::optional<PatternKind> kind = KindNamed(parser.value(m_kind));
    if (!kind)
        return UsageError(err, QStringLiteral("--kind needs odd, even, all, first, second, "
                                              "third, fourth, fifth or last."));
    WeekdaySet weekdays{};
    for (const QString& name : parser.value(m_days).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const std::optional<int> weekday = WeekdayNamed(name);
        if (!weekday)
            return UsageError(err, QStringLiteral("--days needs weekday names such as "
                                                  "fri,sat,sun; '") +
                                       name + QStringLiteral("' is none."));
        weekdays[static_cast<std::size_t>(*weekday)] = true;
    }
    const std::optional<int> weekBegin = WeekdayNamed(parser.value(m_weekBegins));
    if (!weekBegin)
        return UsageError(err, QStringLiteral("--week-begins needs a weekday name such as mon."));
    for (const QCommandLineOption* time : {&m_pickup, &m_dropoff}) {
        const QString text = parser.value(*time);
        if (parser.isSet(*time) && !IsNoTime(text) && !IsValidTimeText(text))
            return UsageError(err, QStringLiteral("--") + time->names().first() +
                                       QStringLiteral(" needs a time such as 06:00PM or <None>."));
    }
    const QString policy = parser.value(m_overwrite);
    if (policy != QStringLiteral("none") && policy != QStringLiteral("all"))
        return UsageError(err, QStringLiteral("--overwrite needs none or all."));

    CalendarDocument doc;
    if (const std::optional<int> refused = OpenCalendarFor(arguments[0], arguments[1], doc, err))
        return *refused;
    const OutputTarget target = CalendarTarget(arguments[0], arguments[1]);

    const ListKind list = parser.isSet(m_overnights) ? ListKind::Overnights : ListKind::DayVisits;
    const PatternDialog dialog =
        IsMonthlyKind(*kind) ? PatternDialog::Monthly : PatternDialog::OddEvenAll;
    // The dialog as it opens, then the choices the options make in it.
    PatternDialogState state;
    ResetPatternDialog(state, dialog);
    OpenPatternDialog(doc, state, dialog, list);
    state.Pattern = *kind;
    state.Weekdays = weekdays;
    state.WeekBegin = *weekBegin;
    state.NoNap = parser.isSet(m_noNap);
    if (parser.isSet(m_pickup))
        state.Pickup = parser.value(m_pickup);
    if (parser.isSet(m_dropoff))
        state.Dropoff = parser.value(m_dropoff);
    QString error;
    if (!ChooseRange(parser, m_range.From, m_range.To, state.Range, error))
        return UsageError(err, error);
    state.Reason = parser.isSet(m_reason)
                       ? CutText(parser.value(m_reason), PatternReasonCapacity)
                       : DefaultPatternReason(dialog, list, *kind, weekdays, *weekBegin, QString());

    HeldOutput told;
    PrintedQuestions questions(told.Stream(), err, policy == QStringLiteral("all"));
    return told.Release(RunThenSave(
                            doc, target,
                            [&] { return ApplyListClick(doc, state, dialog, list, questions).Ran; },
                            told.Stream(), err),
                        out);
}

RemovePatternCommand::RemovePatternCommand()
    : Command(QStringLiteral("remove-pattern"),
              QStringLiteral("Removes the marks of one reason: one Remove List, then Save/Close."))
{
    m_options << m_overnights << m_dayVisits << m_reason << m_range.From << m_range.To;
    m_arguments = CalendarArguments();
}

int RemovePatternCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                                  QTextStream& out, QTextStream& err) const
{
    if (parser.isSet(m_overnights) == parser.isSet(m_dayVisits))
        return UsageError(err,
                          QStringLiteral("Give exactly one of --overnights and --day-visits."));
    if (!parser.isSet(m_reason))
        return UsageError(err, QStringLiteral("--reason is required."));

    CalendarDocument doc;
    if (const std::optional<int> refused = OpenCalendarFor(arguments[0], arguments[1], doc, err))
        return *refused;
    const OutputTarget target = CalendarTarget(arguments[0], arguments[1]);

    const ListKind list = parser.isSet(m_overnights) ? ListKind::Overnights : ListKind::DayVisits;
    PatternDialogState state;
    ResetPatternDialog(state, PatternDialog::OddEvenAll);
    OpenPatternDialog(doc, state, PatternDialog::OddEvenAll, list);
    QString error;
    if (!ChooseRange(parser, m_range.From, m_range.To, state.Range, error))
        return UsageError(err, error);
    state.Reason = CutText(parser.value(m_reason), PatternReasonCapacity);

    HeldOutput told;
    PrintedQuestions questions(told.Stream(), err, false);
    return told.Release(RunThenSave(
                            doc, target,
                            [&] { return RemoveListClick(doc, state, list, questions).Ran; },
                            told.Stream(), err),
                        out);
}

} // namespace custodex::cli
