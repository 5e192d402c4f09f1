#include "cli/DayCountsCommand.h"

#include "reports/DayCounts.h"

#include <QCommandLineParser>
#include <QJsonDocument>

namespace custodex::cli {

DayCountsCommand::DayCountsCommand()
    : Command(QStringLiteral("day-counts"),
              QStringLiteral("Counts the non-custodial and custodial time of each period the "
                             "ways support rules count it: overnights, 24-hour periods (hours / "
                             "24), days over 12 hours and weighted days (a day of 12 hours or "
                             "more counts 1, of 6 hours 1/2, of 3 hours 1/4), each also as a "
                             "share of the period's days. The hours are the hourly "
                             "distribution's, each counted once. The program does not say which "
                             "count a rule applies. The calendar is not changed."))
{
    m_options << m_period << m_json;
    m_arguments << PositionalArgument{QStringLiteral("IN.cdb"),
                                      QStringLiteral("The calendar to count.")};
}

int DayCountsCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                              QTextStream& out, QTextStream& err) const
{
    std::vector<CarePeriod> periods{AllPeriods.begin(), AllPeriods.end()};
    if (parser.isSet(m_period)) {
        const QString period = parser.value(m_period);
        if (period == QStringLiteral("first"))
            periods = {CarePeriod::FirstYear};
        else if (period == QStringLiteral("second"))
            periods = {CarePeriod::SecondYear};
        else if (period == QStringLiteral("both"))
            periods = {CarePeriod::BothYears};
        else
            return UsageError(err, QStringLiteral("--period is first, second or both, not \"") +
                                       period + QStringLiteral("\"."));
    }
    CalendarDocument doc;
    if (!ReadCalendarArgument(arguments[0], doc, err))
        return ExitFailure;
    if (!doc.HasCalendar())
        return Fail(err, QStringLiteral("The calendar has no days to count."));
    const DayCounts counts = CountDays(doc);
    // The JSON says why with null counts, as the comparison's does; the table cannot.
    if (!counts.Countable() && !parser.isSet(m_json))
        return Fail(err,
                    QStringLiteral("No day counts: ") + counts.NotCountable + QLatin1Char('.'));
    if (parser.isSet(m_json))
        out << QString::fromUtf8(
            QJsonDocument(DayCountsJson(doc, counts, periods)).toJson(QJsonDocument::Indented));
    else
        out << DayCountTextLines(doc, counts, periods).join(QLatin1Char('\n')) << '\n';
    out.flush();
    return ExitOk;
}

} // namespace custodex::cli
