#include "cli/TimeReportCommands.h"

#include "calendar/MenuChecks.h"
#include "platform/Prompter.h"
#include "reports/CareTime.h"
#include "reports/QualityTime.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace custodex::cli {

namespace {

// The menu command's questions answered as a batch run wants them: a refusal is printed,
// running a stale distribution and going on with approximate results are agreed to.
class BatchAnswers : public Prompter {
public:
    explicit BatchAnswers(QTextStream& err) : Err(err) {}
    PromptAnswer Ask(PromptKind kind, const QString& text, PromptButtons) override
    {
        if (kind != PromptKind::Confirmation) {
            Fail(Err, text);
            return PromptAnswer::Ok;
        }
        return PromptAnswer::Yes;
    }

private:
    QTextStream& Err;
};

// The menu command's checks; the distribution run if one was needed. False after a refusal.
bool PrepareTimeReport(CalendarDocument& doc, TimeReport report, QTextStream& err,
                       std::optional<DistributionResult>& run)
{
    BatchAnswers answers(err);
    const bool go = CheckTimeReport(doc, report, answers, [&doc, &run, &err] {
        run = RefreshStaleDistribution(doc);
        err << "The hourly distribution was not current; it has been run first.\n";
    });
    if (go && doc.DistributionHadErrors)
        err << "The hourly distribution found warnings or errors; the results are only "
               "approximate.\n";
    err.flush();
    return go;
}

QString JsonKey(const QString& fieldName)
{
    return fieldName.left(1).toLower() + fieldName.mid(1);
}

QJsonObject PeriodJson(const CalendarDocument& doc, const ReportPeriod& period)
{
    return {{QStringLiteral("from"), IsoDateOfDay(doc, period.FirstDay)},
            {QStringLiteral("to"), IsoDateOfDay(doc, period.EndDay - 1)}};
}

template <std::size_t N>
void InsertTexts(QJsonObject& object, const std::array<QString, N>& names,
                 const std::array<QString, N>& texts)
{
    for (std::size_t i = 0; i < N; ++i)
        object.insert(JsonKey(names[i]), texts[i]);
}

// A panel of the summary window as lines of text.
template <std::size_t N>
QString PanelText(const QString& heading, const std::vector<SummaryRow>& rows,
                  const std::array<QString, N>& names, const std::array<QString, N>& texts)
{
    int width = 0;
    for (const SummaryRow& row : rows)
        width = std::max(width, static_cast<int>(row.Caption.size()));
    QString text = heading + QLatin1Char('\n');
    for (const SummaryRow& row : rows) {
        const auto at = std::find(names.begin(), names.end(), row.Field) - names.begin();
        text += QStringLiteral("  ") + row.Caption.leftJustified(width + 2) +
                texts[static_cast<std::size_t>(at)];
        if (!row.Note.isEmpty())
            text += QStringLiteral("  ") + row.Note;
        text += QLatin1Char('\n');
    }
    return text;
}

int PrintJson(QTextStream& out, const QJsonObject& object)
{
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    out.flush();
    return ExitOk;
}

} // namespace

QualityCommand::QualityCommand()
    : Command(QStringLiteral("quality"),
              QStringLiteral("Computes quality time with the calendar's away activities: each "
                             "parent's custody time less sleep, naps and time away."))
{
    m_options << m_json;
    m_arguments << PositionalArgument{QStringLiteral("IN.cdb"),
                                      QStringLiteral("The calendar to read.")};
}

int QualityCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                            QTextStream& out, QTextStream& err) const
{
    CalendarDocument doc;
    if (!ReadCalendarArgument(arguments[0], doc, err))
        return ExitFailure;
    std::optional<DistributionResult> run;
    if (!PrepareTimeReport(doc, TimeReport::Quality, err, run))
        return ExitFailure;

    const QualityCheck check =
        CheckAwayTimes(QualityInputsOf(doc), ReadAwayActivities(doc.Exclusions));
    if (!check.Errors.isEmpty()) {
        for (const QString& error : check.Errors)
            Fail(err, error);
        return ExitFailure;
    }
    const ReportPeriod period = QualityPeriod(doc);
    const QString note = QualityPeriodNote(QualityPeriodKindOf(doc));
    const auto texts = QualityTexts(check.Results);

    if (parser.isSet(m_json)) {
        QJsonObject object;
        InsertTexts(object, QualityFieldNames(), texts);
        object.insert(QStringLiteral("days"), check.Results.Days);
        object.insert(QStringLiteral("period"), PeriodJson(doc, period));
        object.insert(QStringLiteral("notes"), note.isEmpty() ? QJsonArray() : QJsonArray{note});
        return PrintJson(out, object);
    }
    if (!note.isEmpty())
        out << QString(note).replace(QStringLiteral("\n\r"), QStringLiteral("\n")) << "\n\n";
    out << QualitySummaryTitle << '\n' << PeriodLabel(doc, period) << "\n\n";
    out << PanelText(QStringLiteral("Custodial Parent:  ") + doc.CustodialName,
                     QualityCustodialRows(), QualityFieldNames(), texts)
        << '\n';
    out << PanelText(QStringLiteral("Non-Custodial Parent:  ") + doc.NonCustodialName,
                     QualityNonCustodialRows(), QualityFieldNames(), texts);
    out.flush();
    return ExitOk;
}

CareCommand::CareCommand()
    : Command(QStringLiteral("care"),
              QStringLiteral("Computes care time: each parent's share of all the hours of the "
                             "first year, the second year or both."))
{
    m_options << m_period << m_json;
    m_arguments << PositionalArgument{QStringLiteral("IN.cdb"),
                                      QStringLiteral("The calendar to read.")};
}

int CareCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                         QTextStream& out, QTextStream& err) const
{
    const QString periodName = parser.value(m_period).toLower();
    CarePeriod period = CarePeriod::BothYears;
    if (periodName == QStringLiteral("first"))
        period = CarePeriod::FirstYear;
    else if (periodName == QStringLiteral("second"))
        period = CarePeriod::SecondYear;
    else if (periodName != QStringLiteral("both"))
        return UsageError(err, QStringLiteral("--period takes first, second or both."));

    CalendarDocument doc;
    if (!ReadCalendarArgument(arguments[0], doc, err))
        return ExitFailure;
    std::optional<DistributionResult> run;
    if (!PrepareTimeReport(doc, TimeReport::Care, err, run))
        return ExitFailure;
    // The weekday tables of the last run; an unchanged calendar gives the same ones again.
    const DistributionResult distribution = run ? *run : ComputeDistribution(doc);
    const CareResults results = ComputeCare(doc, distribution.Years, period);
    const auto texts = CareTexts(results);

    if (parser.isSet(m_json)) {
        QJsonObject object;
        InsertTexts(object, CareFieldNames(), texts);
        object.insert(QStringLiteral("days"), results.Days);
        object.insert(QStringLiteral("totalCareHours"),
                      static_cast<qint64>(results.TotalCareHours()));
        object.insert(QStringLiteral("period"), PeriodJson(doc, results.Period));
        return PrintJson(out, object);
    }
    out << CareSummaryTitle << '\n' << PeriodLabel(doc, results.Period) << '\n';
    out << "(Total Care Hours = " << results.TotalCareHours() << ")\n\n";
    out << PanelText(QStringLiteral("Custodial Parent:  ") + doc.CustodialName, CareCustodialRows(),
                     CareFieldNames(), texts)
        << '\n';
    out << PanelText(QStringLiteral("Non-Custodial Parent:  ") + doc.NonCustodialName,
                     CareNonCustodialRows(), CareFieldNames(), texts);
    out.flush();
    return ExitOk;
}

} // namespace custodex::cli
