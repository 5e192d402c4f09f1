#include "cli/GuidelineCommands.h"

#include "reports/GuidelineStanding.h"

#include <algorithm>

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace custodex::cli {

namespace {

PositionalArgument InArgument()
{
    return {QStringLiteral("IN.cdb"), QStringLiteral("The calendar to read.")};
}

PositionalArgument OutArgument()
{
    return {QStringLiteral("OUT.cdb"),
            QStringLiteral("The file to write: IN.cdb itself, a new file, or with --overwrite an "
                           "existing one.")};
}

} // namespace

SetGuidelineCommand::SetGuidelineCommand()
    : Command(QStringLiteral("set-guideline"),
              QStringLiteral("Adds a guideline to a calendar, or replaces the one of the same "
                             "name where it stands in the list. Refused when several guidelines "
                             "share the name.")),
      m_overwrite(OverwriteOption(QStringLiteral("OUT.cdb")))
{
    m_options << m_measure << m_atLeast << m_name << m_overwrite;
    m_arguments << InArgument() << OutArgument();
}

int SetGuidelineCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                                 QTextStream& out, QTextStream& err) const
{
    for (const QCommandLineOption* option : {&m_measure, &m_atLeast, &m_name})
        if (!parser.isSet(*option))
            return UsageError(err, QStringLiteral("--") + option->names().first() +
                                       QStringLiteral(" is required."));
    const std::optional<GuidelineMeasure> measure =
        GuidelineMeasureFromKey(parser.value(m_measure));
    if (!measure) {
        QStringList keys;
        for (const GuidelineMeasure each : AllGuidelineMeasures)
            keys << GuidelineMeasureKey(each);
        return UsageError(err, QStringLiteral("--measure must be one of: ") +
                                   keys.join(QStringLiteral(", ")) + QLatin1Char('.'));
    }
    const QString name = parser.value(m_name);
    if (const QString problem = GuidelineNameProblem(name); !problem.isEmpty())
        return Fail(err, problem);
    const std::optional<int> atLeast = ReadGuidelineValue(*measure, parser.value(m_atLeast));
    if (!atLeast)
        return Fail(err, QStringLiteral("--at-least ") + parser.value(m_atLeast) +
                             QStringLiteral(" cannot be a guideline's figure.\n\r") +
                             GuidelineValueRule(*measure));
    CalendarDocument doc;
    if (!ReadCalendarArgument(arguments[0], doc, err))
        return ExitFailure;
    // Of several guidelines with one name, which to replace would be a guess.
    if (const QString problem = GuidelineSetProblem(doc.Guidelines, name); !problem.isEmpty())
        return Fail(err, problem + QStringLiteral("\n\rremove-guideline --name removes all of "
                                                  "them; then set the one wanted."));
    const Guideline guideline{name, *measure, *atLeast};
    const bool adds = std::none_of(doc.Guidelines.begin(), doc.Guidelines.end(),
                                   [&](const Guideline& kept) { return kept.Name == name; });
    if (adds && doc.Guidelines.size() + static_cast<std::size_t>(doc.UnreadGuidelineLines.size()) >=
                    GuidelineLimit)
        return Fail(err, GuidelineLimitMessage());
    SetGuideline(doc.Guidelines, guideline);
    const int status =
        SaveCalendarFile(doc, {arguments[1], arguments[0], parser.isSet(m_overwrite)}, err);
    if (status == ExitOk)
        out << "Guideline set: " << name << " (" << GuidelineMeasureKey(*measure) << ", at least "
            << GuidelineValueText(guideline) << ")\n";
    return status;
}

RemoveGuidelineCommand::RemoveGuidelineCommand()
    : Command(QStringLiteral("remove-guideline"),
              QStringLiteral("Removes the guideline of that name from a calendar; every one of "
                             "them when several share the name.")),
      m_overwrite(OverwriteOption(QStringLiteral("OUT.cdb")))
{
    m_options << m_name << m_overwrite;
    m_arguments << InArgument() << OutArgument();
}

int RemoveGuidelineCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                                    QTextStream& out, QTextStream& err) const
{
    if (!parser.isSet(m_name))
        return UsageError(err, QStringLiteral("--name is required."));
    CalendarDocument doc;
    if (!ReadCalendarArgument(arguments[0], doc, err))
        return ExitFailure;
    const QString name = parser.value(m_name);
    const std::size_t removed = RemoveGuideline(doc.Guidelines, name);
    if (removed == 0)
        return Fail(err, QStringLiteral("There is no guideline named \"") + name +
                             QStringLiteral("\" in ") + arguments[0] + QLatin1Char('.'));
    const int status =
        SaveCalendarFile(doc, {arguments[1], arguments[0], parser.isSet(m_overwrite)}, err);
    if (status == ExitOk && removed == 1)
        out << "Guideline removed: " << name << '\n';
    else if (status == ExitOk)
        out << removed << " guidelines removed: " << name << '\n';
    return status;
}

GuidelinesCommand::GuidelinesCommand()
    : Command(QStringLiteral("guidelines"),
              QStringLiteral("Tells for each guideline of a calendar and each period (first "
                             "year, second year, both years) the figure reached, the target, "
                             "and whether it is met or by how much it falls short."))
{
    m_options << m_json;
    m_arguments << InArgument();
}

int GuidelinesCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                               QTextStream& out, QTextStream& err) const
{
    CalendarDocument doc;
    if (!ReadCalendarArgument(arguments[0], doc, err))
        return ExitFailure;
    const std::vector<GuidelineStanding> standings = EvaluateGuidelines(doc);
    const QStringList notes = GuidelineNotes(doc.Guidelines, doc.UnreadGuidelineLines.size());
    if (parser.isSet(m_json)) {
        out << QString::fromUtf8(
            QJsonDocument(
                QJsonObject{{QStringLiteral("guidelines"), GuidelineStandingsJson(standings)},
                            {QStringLiteral("notes"), QJsonArray::fromStringList(notes)}})
                .toJson(QJsonDocument::Indented));
    }
    else {
        out << (standings.empty() ? QStringLiteral("No guidelines.\n")
                                  : GuidelineStandingsText(standings));
        for (const QString& note : notes)
            out << note << '\n';
    }
    out.flush();
    return ExitOk;
}

} // namespace custodex::cli
