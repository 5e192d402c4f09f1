#include "reports/GuidelineStanding.h"

#include <gtest/gtest.h>

using namespace custodex;

namespace {

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

// Figures of one period, the same in all three periods but for the both-years counts.
CalendarFigures Figures(int overnights, int dayVisits, const char* overnightPercent,
                        const char* carePercent)
{
    CalendarFigures figures;
    for (std::size_t p = 0; p < 3; ++p) {
        const int factor = p == 2 ? 2 : 1;
        figures.Periods[p] = {overnights * factor,
                              dayVisits * factor,
                              T(overnightPercent),
                              T("00.0%"),
                              0,
                              T(carePercent),
                              {}};
    }
    return figures;
}

TEST(GuidelineStanding, AtJustBelowAndAboveEachTarget)
{
    const Guideline nights{T("Overnight minimum"), GuidelineMeasure::Overnights, 146};
    const Guideline visits{T("Visits"), GuidelineMeasure::DayVisits, 0};
    const Guideline share{T("Shared care 40%"), GuidelineMeasure::OvernightPercent, 400};
    const Guideline care{T("Care"), GuidelineMeasure::NonCustodialCarePercent, 355};
    struct Case {
        CalendarFigures Figures;
        Guideline Rule;
        std::size_t Period;
        const char* Line;
    };
    const std::vector<Case> cases{
        {Figures(146, 0, "", ""), nights, 0, "Overnight minimum: 146 of 146, met"},
        {Figures(145, 0, "", ""), nights, 0, "Overnight minimum: 145 of 146, short by 1"},
        {Figures(147, 0, "", ""), nights, 1, "Overnight minimum: 147 of 146, met"},
        // Both years: twice the count a year.
        {Figures(146, 0, "", ""), nights, 2, "Overnight minimum: 292 of 292, met"},
        {Figures(145, 0, "", ""), nights, 2, "Overnight minimum: 290 of 292, short by 2"},
        {Figures(0, 0, "", ""), visits, 2, "Visits: 0 of 0, met"},
        // Percentages: the tenths of the text shown, the same target for both years.
        {Figures(0, 0, "40.0%", ""), share, 2, "Shared care 40%: 40.0% of 40.0%, met"},
        {Figures(0, 0, "39.9%", ""), share, 0, "Shared care 40%: 39.9% of 40.0%, short by 0.1"},
        {Figures(0, 0, "40.1%", ""), share, 1, "Shared care 40%: 40.1% of 40.0%, met"},
        {Figures(0, 0, "21.6%", ""), share, 0, "Shared care 40%: 21.6% of 40.0%, short by 18.4"},
        {Figures(0, 0, "", "05.3%"), care, 2, "Care: 05.3% of 35.5%, short by 30.2"},
        {Figures(0, 0, "", "100.0%"), care, 0, "Care: 100.0% of 35.5%, met"}};
    for (const Case& c : cases) {
        const auto standings = StandingsOf({c.Rule}, c.Figures);
        ASSERT_EQ(standings.size(), 1u);
        EXPECT_EQ(GuidelineStatusLine(c.Rule, standings[0].Periods[c.Period]), T(c.Line));
    }
    const GuidelineResult shortOne = StandingsOf({nights}, Figures(145, 0, "", ""))[0].Periods[0];
    EXPECT_FALSE(shortOne.Met());
    EXPECT_TRUE(MarkedGuidelineLine(nights, shortOne).startsWith(QChar(0x2717)));
}

// The main window's panel takes the period of the counters chosen (whose enumeration does not
// follow the periods' order), keeps the guidelines' order and says once why hours cannot be
// counted.
TEST(GuidelineStanding, PanelForEachCounterChoice)
{
    const Guideline nights{T("Nights"), GuidelineMeasure::Overnights, 100};
    const Guideline care{T("Care"), GuidelineMeasure::NonCustodialCarePercent, 300};
    // 100 nights in the first year (met), 99 in the second (short), 199 in both (short by 1).
    CalendarFigures figures;
    figures.Periods[0].Overnights = 100;
    figures.Periods[1].Overnights = 99;
    figures.Periods[2].Overnights = 199;
    figures.Periods[0].NonCustodialCarePercent = T("29.9%");
    figures.Periods[1].NonCustodialCarePercent = T("30.0%");
    figures.Periods[2].NonCustodialCarePercent = T("30.1%");
    CalendarFigures uncountable = figures;
    uncountable.NotCountable = T("Day visits or overnight stays cannot be counted as they stand");
    struct Line {
        const char* Text;
        bool Met;
    };
    const struct {
        const char* Name;
        const CalendarFigures& Figures;
        CounterChoice Choice;
        const char* Period;
        std::vector<Line> Lines;
    } cases[] = {
        {"first year",
         figures,
         CounterChoice::FirstYear,
         "1st year",
         {{"\u2713 Nights: 100 of 100, met", true},
          {"\u2717 Care: 29.9% of 30.0%, short by 0.1", false}}},
        {"second year",
         figures,
         CounterChoice::SecondYear,
         "2nd year",
         {{"\u2717 Nights: 99 of 100, short by 1", false},
          {"\u2713 Care: 30.0% of 30.0%, met", true}}},
        {"both years",
         figures,
         CounterChoice::BothYears,
         "both years",
         {{"\u2717 Nights: 199 of 200, short by 1", false},
          {"\u2713 Care: 30.1% of 30.0%, met", true}}},
        {"hours that cannot be counted",
         uncountable,
         CounterChoice::BothYears,
         "both years",
         {{"\u2717 Nights: 199 of 200, short by 1", false},
          {"\u2717 Care: \u2014 of 30.0%, not countable", false},
          {"Not countable: Day visits or overnight stays cannot be counted as they stand", false}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const GuidelinePanel panel =
            GuidelinePanelFor(StandingsOf({nights, care}, c.Figures), c.Choice);
        EXPECT_EQ(panel.PeriodName, T(c.Period));
        ASSERT_EQ(panel.Lines.size(), c.Lines.size());
        for (std::size_t i = 0; i < c.Lines.size(); ++i) {
            EXPECT_EQ(panel.Lines[i].Text, T(c.Lines[i].Text));
            EXPECT_EQ(panel.Lines[i].Met, c.Lines[i].Met);
        }
    }
    for (const CounterChoice choice :
         {CounterChoice::FirstYear, CounterChoice::SecondYear, CounterChoice::BothYears})
        EXPECT_TRUE(GuidelinePanelFor({}, choice).Lines.empty());
}

} // namespace
