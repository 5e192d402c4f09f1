#pragma once

#include "calendar/Guidelines.h"
#include "calendar/MonthView.h"
#include "reports/ProposalComparison.h"

#include <QJsonArray>
#include <QString>

#include <array>
#include <vector>

// How a calendar stands against its guidelines in each period: the figure the program already
// shows for the period, the target, whether it is reached and by how much it falls short.

namespace custodex {

struct GuidelineResult {
    // Counts: the count in its unit (24-hour periods in tenths, weighted days in quarters), the
    // value (twice it for both years) and the shortfall in the same unit.
    // Percentages: tenths of the percent text shown, of the target and of the shortfall.
    int Actual = 0;
    int Target = 0;
    int ShortBy = 0;
    QString ActualText; // "157" or "21.6%", as the counters or the care report show it
    // Why a measure of hours has no figure (the care report's rule); empty when it has one.
    QString NotCountable;
    bool Countable() const { return NotCountable.isEmpty(); }
    bool Met() const { return Countable() && ShortBy == 0; }
};

struct GuidelineStanding {
    Guideline Rule;
    std::array<GuidelineResult, 3> Periods{}; // first year, second year, both years
};

// From figures worked out with the distribution (a care guideline needs it).
std::vector<GuidelineStanding> StandingsOf(const std::vector<Guideline>& guidelines,
                                           const CalendarFigures& figures);
// The calendar's own guidelines; the distribution runs in memory only when a care guideline
// needs it.
std::vector<GuidelineStanding> EvaluateGuidelines(const CalendarDocument& doc);

QString TargetText(const Guideline& rule, const GuidelineResult& result);  // "146", "40.0%"
QString ShortByText(const Guideline& rule, const GuidelineResult& result); // "46", "18.4"
// "Shared care 40%: 21.6% of 40.0%, short by 18.4" or "Overnight minimum: 157 of 146, met".
QString GuidelineStatusLine(const Guideline& rule, const GuidelineResult& result);
// The same after a mark that does not rely on colour: a tick when met, a cross when short.
QString MarkedGuidelineLine(const Guideline& rule, const GuidelineResult& result);

// What the main window shows beside the counters chosen: the period ("1st year", "2nd year",
// "both years") and, per guideline, its marked line for it and whether it is met.
struct GuidelinePanelLine {
    QString Text;
    bool Met = false;
};
struct GuidelinePanel {
    QString PeriodName;
    // One line per guideline; then, when a guideline's hours cannot be counted, one line that
    // says why and names the first days concerned.
    std::vector<GuidelinePanelLine> Lines;
};
GuidelinePanel GuidelinePanelFor(const std::vector<GuidelineStanding>& standings,
                                 CounterChoice choice);

// The "guidelines" array of the command line's JSON: name, measure, atLeast and the three
// periods with actual, target, met and shortBy (actual and shortBy null, with `notCountable`
// beside them, when the hours cannot be counted).
QJsonArray GuidelineStandingsJson(const std::vector<GuidelineStanding>& standings);
// One line per guideline and period.
QString GuidelineStandingsText(const std::vector<GuidelineStanding>& standings);

} // namespace custodex
