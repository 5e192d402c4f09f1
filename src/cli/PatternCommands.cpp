#include "cli/PatternCommands.h"

#include "calendar/MenuChecks.h"
#include "calendar/TimeText.h"
#include "patterns/WeekdayPatterns.h"

#include <QCommandLineParser>

#include <optional>

namespace custodex::cli {

namespace {

std::optional<PatternKind> KindNamed(const QString& name)
{
    for (int k = 0; k <= static_cast<int>(PatternKind::Last); ++k) {
        const auto kind = static_cast<PatternKind>(k);
        if (name.compare(PatternKindWord(kind), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return std::nullopt;
}

} // namespace

ApplyPatternCommand::ApplyPatternCommand()
    : Command(QStringLiteral("apply-pattern"),
              QStringLiteral("Marks days by a weekday pattern: one Apply List, then Save/Close."))
{
    m_options << m_lists.Overnights << m_lists.DayVisits << m_kind << m_days << m_weekBegins
              << m_range.From << m_range.To << m_pickup << m_dropoff << m_reason << m_noNap
              << m_overwrite;
    m_arguments = CalendarArguments();
}

int ApplyPatternCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                                 QTextStream& out, QTextStream& err) const
{
    const std::optional<ListKind> list = ChosenListKind(parser, m_lists);
    if (!list)
        return UsageError(err, OneListKindMessage);
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
    const std::optional<bool> yesToAll = YesToAllPolicy(parser, m_overwrite);
    if (!yesToAll)
        return UsageError(err, OverwritePolicyMessage);

    CalendarDocument doc;
    if (const std::optional<int> refused = OpenCalendarFor(arguments[0], arguments[1], doc, err))
        return *refused;
    const OutputTarget target = CalendarTarget(arguments[0], arguments[1]);

    const PatternDialog dialog =
        IsMonthlyKind(*kind) ? PatternDialog::Monthly : PatternDialog::OddEvenAll;
    // The dialog as it opens, then the choices the options make in it.
    PatternDialogState state;
    ResetPatternDialog(state, dialog);
    OpenPatternDialog(doc, state, dialog, *list);
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
    state.Reason = parser.isSet(m_reason) ? CutText(parser.value(m_reason), PatternReasonCapacity)
                                          : DefaultPatternReason(dialog, *list, *kind, weekdays,
                                                                 *weekBegin, QString());

    return RunPrintedThenSave(
        doc, target, *yesToAll,
        [&](OverwriteQuestions& questions, QTextStream&) {
            return ApplyListClick(doc, state, dialog, *list, questions).Ran;
        },
        out, err);
}

RemovePatternCommand::RemovePatternCommand()
    : Command(QStringLiteral("remove-pattern"),
              QStringLiteral("Removes the marks of one reason: one Remove List, then Save/Close."))
{
    m_options << m_lists.Overnights << m_lists.DayVisits << m_reason << m_range.From << m_range.To;
    m_arguments = CalendarArguments();
}

int RemovePatternCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                                  QTextStream& out, QTextStream& err) const
{
    const std::optional<ListKind> list = ChosenListKind(parser, m_lists);
    if (!list)
        return UsageError(err, OneListKindMessage);
    if (!parser.isSet(m_reason))
        return UsageError(err, QStringLiteral("--reason is required."));

    CalendarDocument doc;
    if (const std::optional<int> refused = OpenCalendarFor(arguments[0], arguments[1], doc, err))
        return *refused;
    const OutputTarget target = CalendarTarget(arguments[0], arguments[1]);

    PatternDialogState state;
    ResetPatternDialog(state, PatternDialog::OddEvenAll);
    OpenPatternDialog(doc, state, PatternDialog::OddEvenAll, *list);
    QString error;
    if (!ChooseRange(parser, m_range.From, m_range.To, state.Range, error))
        return UsageError(err, error);
    state.Reason = CutText(parser.value(m_reason), PatternReasonCapacity);

    return RunPrintedThenSave(
        doc, target, false,
        [&](OverwriteQuestions& questions, QTextStream&) {
            return RemoveListClick(doc, state, *list, questions).Ran;
        },
        out, err);
}

} // namespace custodex::cli
