#pragma once

#include "cli/CliCommand.h"

namespace custodex::cli {

// set-guideline IN OUT --measure M --at-least V --name NAME: adds a guideline, or replaces the
// one of that name in its place; refused when several share the name.
class SetGuidelineCommand : public Command {
public:
    SetGuidelineCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_measure{
        QStringLiteral("measure"),
        QStringLiteral("What the guideline measures: overnights or dayVisits (a number a year), "
                       "overnightPercent or nonCustodialCarePercent (a percentage); or a day "
                       "count of the hourly distribution's hours (see day-counts): hours24, "
                       "daysOver12Hours or weightedDays (a number a year) and hours24Percent, "
                       "daysOver12HoursPercent or weightedDaysPercent (a share of the days)."),
        QStringLiteral("overnights|dayVisits|overnightPercent|nonCustodialCarePercent|hours24|"
                       "daysOver12Hours|weightedDays|hours24Percent|daysOver12HoursPercent|"
                       "weightedDaysPercent")};
    const QCommandLineOption m_atLeast{
        QStringLiteral("at-least"),
        QStringLiteral("The figure to reach: 0 to 366 for a count a year; 0 to 100 with at most "
                       "one decimal for a percentage (40, 40.0 or 40.0%)."),
        QStringLiteral("V")};
    const QCommandLineOption m_name{
        QStringLiteral("name"),
        QStringLiteral("The guideline's name: 1 to 50 characters, no \"!\" or \";\"."),
        QStringLiteral("NAME")};
    const QCommandLineOption m_overwrite;
};

// remove-guideline IN OUT --name NAME: removes every guideline of that name.
class RemoveGuidelineCommand : public Command {
public:
    RemoveGuidelineCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_name{QStringLiteral("name"),
                                    QStringLiteral("The name of the guideline to remove."),
                                    QStringLiteral("NAME")};
    const QCommandLineOption m_overwrite;
};

// guidelines IN [--json]: how the calendar stands against each of its guidelines.
class GuidelinesCommand : public Command {
public:
    GuidelinesCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_json{
        QStringLiteral("json"),
        QStringLiteral("Prints {\"guidelines\": [...]} with each guideline's name, measure, "
                       "atLeast and, for firstYear, secondYear and bothYears, its actual, target, "
                       "met and shortBy.")};
};

} // namespace custodex::cli
