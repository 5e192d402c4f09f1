#include "cli/ScheduleCommands.h"

#include "calendar/TimeText.h"
#include "holidays/HolidaysByYear.h"
#include "patterns/StandardSchedules.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace custodex::cli {

namespace {

// One Apply of the schedule window, then Save/Close; the summary line is told only once the
// calendar is written.
int ApplyThenSave(CalendarDocument& doc, const OutputTarget& target, const ScheduleRequest& request,
                  bool yesToAll, QTextStream& out, QTextStream& err)
{
    return RunPrintedThenSave(
        doc, target, yesToAll,
        [&](OverwriteQuestions& questions, QTextStream& told) {
            const ScheduleResult result = ApplySchedule(doc, request, questions);
            if (result.Ran)
                told << ScheduleSummary(request, result) << '\n';
            return result.Ran;
        },
        out, err);
}

QString RuleName(ScheduleRule rule)
{
    switch (rule) {
    case ScheduleRule::Cycle:
        return QStringLiteral("cycle");
    case ScheduleRule::AlternateWeekends:
        return QStringLiteral("alternate-weekends");
    case ScheduleRule::MonthlyWeekends:
        return QStringLiteral("monthly-weekends");
    case ScheduleRule::None:
        break;
    }
    return QString();
}

} // namespace

void AddScheduleCommands(std::vector<std::unique_ptr<const Command>>& list)
{
    list.push_back(std::make_unique<SchedulesCommand>());
    list.push_back(std::make_unique<ApplyScheduleCommand>());
    list.push_back(std::make_unique<ApplyHolidaysByYearCommand>());
}

QCommandLineOption ScheduleOverwriteOption()
{
    return OverwritePolicyOption(
        QStringLiteral("The answer to every question before a marked day is overwritten "
                       "(\"... is already marked ... Overwrite it with ...?\", \"... is set "
                       "to ... Overwrite with ...?\"): none answers No to All (the "
                       "default), all answers Yes to All at the first. It says nothing "
                       "about OUT.cdb, which must be IN.cdb itself or a new file."));
}

SchedulesCommand::SchedulesCommand()
    : Command(QStringLiteral("schedules"),
              QStringLiteral("Lists the standard schedules apply-schedule lays over a calendar, "
                             "with their cycles."))
{
    m_options << m_json;
}

int SchedulesCommand::Execute(const QCommandLineParser& parser, const QStringList& /*arguments*/,
                              QTextStream& out, QTextStream& /*err*/) const
{
    QJsonArray schedules;
    QString text;
    for (const StandardSchedule& schedule : StandardSchedules()) {
        if (schedule.Rule == ScheduleRule::None)
            continue;
        QJsonObject object{{QStringLiteral("name"), schedule.Name},
                           {QStringLiteral("title"), schedule.Title},
                           {QStringLiteral("description"), schedule.Description},
                           {QStringLiteral("rule"), RuleName(schedule.Rule)},
                           {QStringLiteral("cycleText"), CycleText(schedule)}};
        if (schedule.Rule == ScheduleRule::Cycle) {
            QJsonArray blocks;
            for (const ScheduleBlock& block : schedule.Blocks)
                blocks.append(QJsonObject{
                    {QStringLiteral("days"), block.Days},
                    {QStringLiteral("parent"),
                     block.FirstParent ? QStringLiteral("first") : QStringLiteral("other")}});
            object.insert(QStringLiteral("cycle"), blocks);
        }
        schedules.append(object);
        text += schedule.Name + QStringLiteral("  ") + schedule.Title + QStringLiteral(": ") +
                schedule.Description + QStringLiteral("\n    ") + CycleText(schedule) +
                QLatin1Char('\n');
    }
    if (parser.isSet(m_json))
        out << QString::fromUtf8(
            QJsonDocument(QJsonObject{{QStringLiteral("schedules"), schedules}})
                .toJson(QJsonDocument::Indented));
    else
        out << text;
    out.flush();
    return ExitOk;
}

ApplyScheduleCommand::ApplyScheduleCommand()
    : Command(QStringLiteral("apply-schedule"),
              QStringLiteral("Lays a standard schedule over a date range: the non-custodial "
                             "parent's nights as stays with the exchange time at their ends, "
                             "and the weekly extras. Its own earlier marks in the range (the "
                             "same reason) are laid anew without a question.")),
      m_overwrite(ScheduleOverwriteOption())
{
    m_options << m_schedule << m_first << m_range.From << m_range.To << m_exchange << m_reason
              << m_longWeekend << m_midweekVisit << m_midweekOvernight << m_replaceRange
              << m_overwrite;
    m_arguments = CalendarArguments();
}

int ApplyScheduleCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                                  QTextStream& out, QTextStream& err) const
{
    ScheduleRequest request;
    ScheduleChoice& choice = request.Choice;
    choice.Schedule = ScheduleNamed(parser.value(m_schedule));
    if (!choice.Schedule)
        return UsageError(err, QStringLiteral("--schedule needs alternating-weeks, 2-2-3, "
                                              "2-2-5-5, 3-4-4-3, every-other-weekend or "
                                              "first-third-fifth-weekends."));
    const QString first = parser.value(m_first);
    if (first != QStringLiteral("non-custodial") && first != QStringLiteral("custodial"))
        return UsageError(err, QStringLiteral("--first needs non-custodial or custodial."));
    choice.NonCustodialFirst = first == QStringLiteral("non-custodial");
    choice.LongWeekend = parser.isSet(m_longWeekend);
    if (choice.LongWeekend && choice.Schedule->Rule == ScheduleRule::Cycle)
        return UsageError(err, QStringLiteral("--long-weekend goes with a weekend schedule."));
    if (parser.values(m_midweekVisit).size() > 1 || parser.values(m_midweekOvernight).size() > 1)
        return UsageError(err, QStringLiteral("Give --midweek-visit and --midweek-overnight "
                                              "once each at most."));
    std::optional<QString> exchange;
    if (parser.isSet(m_exchange)) {
        exchange = ReadExchangeTime(parser.value(m_exchange));
        if (!exchange)
            return UsageError(err, QStringLiteral("--exchange needs a time such as 06:00PM, "
                                                  "6pm, 18:00 or <None>."));
    }
    std::optional<QString> visitFrom;
    std::optional<QString> visitTo;
    if (parser.isSet(m_midweekVisit)) {
        const QString value = parser.value(m_midweekVisit);
        const qsizetype equals = value.indexOf(QLatin1Char('='));
        const std::optional<int> weekday = WeekdayNamed(value.left(equals));
        bool good = weekday.has_value();
        if (good && equals >= 0) {
            const QStringList times = value.mid(equals + 1).split(QLatin1Char(','));
            good = times.size() == 2;
            if (good) {
                visitFrom = ReadExchangeTime(times[0]);
                visitTo = ReadExchangeTime(times[1]);
                good = visitFrom && visitTo;
            }
        }
        if (!good)
            return UsageError(err, QStringLiteral("--midweek-visit needs a weekday such as wed, "
                                                  "or wed=04:00PM,07:00PM."));
        choice.Visit.Weekday = *weekday;
    }
    if (parser.isSet(m_midweekOvernight)) {
        const std::optional<int> weekday = WeekdayNamed(parser.value(m_midweekOvernight));
        if (!weekday)
            return UsageError(err,
                              QStringLiteral("--midweek-overnight needs a weekday such as wed."));
        if (*weekday == choice.Visit.Weekday)
            return UsageError(err, QStringLiteral("--midweek-visit and --midweek-overnight name "
                                                  "the same weekday."));
        choice.OvernightWeekday = *weekday;
    }
    const std::optional<bool> yesToAll = YesToAllPolicy(parser, m_overwrite);
    if (!yesToAll)
        return UsageError(err, OverwritePolicyMessage);

    CalendarDocument doc;
    if (const std::optional<int> refused = OpenCalendarFor(arguments[0], arguments[1], doc, err))
        return *refused;
    const OutputTarget target = CalendarTarget(arguments[0], arguments[1]);
    FillDateRange(doc, request.Range);
    QString error;
    if (!ChooseRange(parser, m_range.From, m_range.To, request.Range, error))
        return UsageError(err, error);
    request.Exchange = exchange.value_or(doc.OverNiteStrtTime);
    choice.Visit.Pickup = visitFrom.value_or(doc.DayVisitStrtTime);
    choice.Visit.Dropoff = visitTo.value_or(doc.DayVisitEndTime);
    const ScheduleReasonCheck reason =
        CheckScheduleReason(parser.value(m_reason), choice.Schedule, choice.NonCustodialFirst);
    if (!reason.Refusal.isEmpty())
        return Fail(err, reason.Refusal);
    request.Reason = reason.Reason;
    request.ReplaceRange = parser.isSet(m_replaceRange);
    return ApplyThenSave(doc, target, request, *yesToAll, out, err);
}

ApplyHolidaysByYearCommand::ApplyHolidaysByYearCommand()
    : Command(QStringLiteral("apply-holidays-by-year"),
              QStringLiteral("Gives holidays to the non-custodial parent in every year, in odd "
                             "or in even years, by the calendar year of each holiday's date, "
                             "with the marks and questions of the holiday dialogs.")),
      m_overwrite(ScheduleOverwriteOption())
{
    m_options << m_country << m_lists.Overnights << m_lists.DayVisits << m_everyYear << m_oddYears
              << m_evenYears << m_overwrite;
    m_arguments = CalendarArguments();
}

int ApplyHolidaysByYearCommand::Execute(const QCommandLineParser& parser,
                                        const QStringList& arguments, QTextStream& out,
                                        QTextStream& err) const
{
    ScheduleRequest request;
    HolidaysByYearRequest& holidays = request.Holidays;
    holidays.Country = CountryNamed(parser.value(m_country));
    if (!holidays.Country)
        return UsageError(err, QStringLiteral("--country needs us, ca or uk."));
    const std::optional<ListKind> list = ChosenListKind(parser, m_lists);
    if (!list)
        return UsageError(err, OneListKindMessage);
    holidays.Kind = *list;
    holidays.Rows.assign(holidays.Country->Rows.size(), HolidayYears::Never);
    const struct {
        const QCommandLineOption& Option;
        HolidayYears Years;
    } choices[] = {{m_everyYear, HolidayYears::EveryYear},
                   {m_oddYears, HolidayYears::OddYears},
                   {m_evenYears, HolidayYears::EvenYears}};
    for (const auto& chosen : choices) {
        for (const QString& caption : parser.values(chosen.Option)) {
            const std::optional<int> row = HolidayRowNamed(*holidays.Country, caption);
            if (!row) {
                QString known;
                for (const HolidayDefinition& holiday : holidays.Country->Rows)
                    if (!holiday.NeverShown)
                        known += QStringLiteral("\n  ") + holiday.Caption;
                return UsageError(err, QStringLiteral("Unknown holiday caption '") + caption +
                                           QStringLiteral("'. The captions of the list:") + known);
            }
            HolidayYears& years = holidays.Rows.at(static_cast<std::size_t>(*row - 1));
            if (years != HolidayYears::Never)
                return UsageError(err, QStringLiteral("'") + caption +
                                           QStringLiteral("' is given more than once."));
            years = chosen.Years;
        }
    }
    if (!AnyHolidayChosen(holidays))
        return UsageError(err, QStringLiteral("Give at least one of --every-year, --odd-years "
                                              "and --even-years."));
    const std::optional<bool> yesToAll = YesToAllPolicy(parser, m_overwrite);
    if (!yesToAll)
        return UsageError(err, OverwritePolicyMessage);

    CalendarDocument doc;
    if (const std::optional<int> refused = OpenCalendarFor(arguments[0], arguments[1], doc, err))
        return *refused;
    const OutputTarget target = CalendarTarget(arguments[0], arguments[1]);
    return ApplyThenSave(doc, target, request, *yesToAll, out, err);
}

} // namespace custodex::cli
