#include "reports/HourlyDistribution.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

using namespace custodex;

namespace custodex {
void PrintTo(const QuarterSpan& span, std::ostream* os)
{
    *os << "{" << span.FirstQuarter << ", " << span.Length << (span.FromTop ? ", top}" : "}");
}
} // namespace custodex

namespace {

namespace Wd {
enum : int { Sun, Mon, Tue, Wed, Thu, Fri, Sat };
}

const QString None = QStringLiteral("<None>");

// One mark of a case; dates are ISO texts within the 2024-2025 calendar used below.
struct Mark {
    QString Date;
    bool Overnight = true;
    QString Pickup = QStringLiteral("<None>");
    QString Dropoff = QStringLiteral("<None>");
    QString Reason = QStringLiteral("Weekend");
};

// A non-zero entry of a weekday table; every other entry must be zero.
struct Figure {
    int Year; // 0 or 1
    int Weekday;
    int Count;
    int Minutes;
};

struct ShownDay {
    QString Date;
    std::vector<QuarterSpan> Overnight;
    std::vector<QuarterSpan> DayVisit;
    bool Problem = false;
};

struct DistributionCase {
    const char* Name;
    std::vector<Mark> Marks;
    std::vector<Figure> Overnights;
    std::vector<Figure> DayVisits;
    QStringList Messages;        // after the legend
    std::vector<ShownDay> Shown; // every day with a span or a problem
    QString OvernightHours = QStringLiteral("24:00");
    QString NapTime = QStringLiteral("00:00");
};

// January 2024 to December 2025: March 1, 2024 is a Friday, December 31, 2024 ends year one.
CalendarDocument Calendar()
{
    CalendarDocument doc;
    BuildSpan(doc, 0, 2024);
    return doc;
}

int IndexOf(const CalendarDocument& doc, const QString& isoDate)
{
    const QStringList parts = isoDate.split(QLatin1Char('-'));
    for (int i = 0; i < static_cast<int>(doc.Days.size()); ++i) {
        const CalendarDay& day = doc.Days[static_cast<std::size_t>(i)];
        if (YearOfDay(doc, i) == parts[0].toInt() &&
            MonthIndexOf(day.MonthName) + 1 == parts[1].toInt() &&
            day.DayOfMonth == parts[2].toInt())
            return i;
    }
    ADD_FAILURE() << "no day " << isoDate.toStdString();
    return 0;
}

void Apply(CalendarDocument& doc, const std::vector<Mark>& marks)
{
    for (const Mark& mark : marks) {
        CalendarDay& day = doc.Days[static_cast<std::size_t>(IndexOf(doc, mark.Date))];
        DayMarkFields fields = MarkFieldsOf(day, mark.Overnight);
        fields.Has = true;
        fields.Reason = mark.Reason;
        fields.Pickup = mark.Pickup;
        fields.Dropoff = mark.Dropoff;
    }
}

void ExpectTables(const DistributionResult& result, const std::vector<Figure>& figures,
                  bool overnights)
{
    for (int year = 0; year < 2; ++year) {
        const DistributionYear& got = result.Years[static_cast<std::size_t>(year)];
        const WeekdayTable& table = overnights ? got.OvernightWeekdays : got.DayVisitWeekdays;
        for (int w = 0; w < DaysPerWeek; ++w) {
            WeekdayFigures want;
            for (const Figure& figure : figures)
                if (figure.Year == year && figure.Weekday == w)
                    want = {figure.Count, figure.Minutes};
            EXPECT_EQ(table[static_cast<std::size_t>(w)].Count, want.Count)
                << (overnights ? "overnights" : "day visits") << " year " << year << " weekday "
                << w;
            EXPECT_EQ(table[static_cast<std::size_t>(w)].Minutes, want.Minutes)
                << (overnights ? "overnights" : "day visits") << " year " << year << " weekday "
                << w;
        }
    }
}

void ExpectShown(const CalendarDocument& doc, const DistributionResult& result,
                 const std::vector<ShownDay>& shown)
{
    ASSERT_EQ(result.Days.size(), doc.Days.size());
    std::vector<bool> listed(doc.Days.size(), false);
    for (const ShownDay& want : shown) {
        SCOPED_TRACE(want.Date.toStdString());
        const auto i = static_cast<std::size_t>(IndexOf(doc, want.Date));
        listed[i] = true;
        const DaySpans& got = result.Days[i];
        EXPECT_EQ(std::vector<QuarterSpan>(got.Overnight().begin(), got.Overnight().end()),
                  want.Overnight);
        EXPECT_EQ(std::vector<QuarterSpan>(got.DayVisit().begin(), got.DayVisit().end()),
                  want.DayVisit);
        EXPECT_EQ(got.Problem(), want.Problem);
    }
    for (std::size_t i = 0; i < listed.size(); ++i)
        EXPECT_TRUE(listed[i] || result.Days[i].IsEmpty())
            << "unexpected spans on day " << i << " (" << doc.Days[i].MonthName.toStdString() << " "
            << doc.Days[i].DayOfMonth << ")";
}

void RunCases(const std::vector<DistributionCase>& cases)
{
    for (const DistributionCase& c : cases) {
        SCOPED_TRACE(c.Name);
        CalendarDocument doc = Calendar();
        doc.OvernightHours = c.OvernightHours;
        doc.NapTime = c.NapTime;
        RecomputeDurationMinutes(doc);
        Apply(doc, c.Marks);
        const DistributionResult result = ComputeDistribution(doc);
        ExpectTables(result, c.Overnights, true);
        ExpectTables(result, c.DayVisits, false);
        EXPECT_EQ(result.DistributionMessages, DistributionLegend() + c.Messages)
            << result.DistributionMessages.join(QLatin1Char('\n')).toStdString();
        ExpectShown(doc, result, c.Shown);
    }
}

const QString Fri = QStringLiteral("2024-03-01");
const QString Sat = QStringLiteral("2024-03-02");
const QString Sun = QStringLiteral("2024-03-03");
const QString Mon = QStringLiteral("2024-03-04");

QString T(const char* text)
{
    return QString::fromLatin1(text);
}

TEST(HourlyDistribution, OvernightStays)
{
    RunCases({
        {"Friday overnight: evening on Friday, morning on Saturday",
         {{Fri, true, T("06:00PM"), T("09:00AM")}},
         {{0, Wd::Fri, 1, 360}, {0, Wd::Sat, 0, 540}},
         {},
         {},
         {{Fri, {{72, 24, true}}, {}}, {Sat, {{0, 36, false}}, {}}}},
        {"Saturday overnight: the morning goes to Sunday",
         {{Sat, true, T("06:00PM"), T("09:00AM")}},
         {{0, Wd::Sat, 1, 360}, {0, Wd::Sun, 0, 540}},
         {},
         {},
         {{Sat, {{72, 24, true}}, {}}, {Sun, {{0, 36, false}}, {}}}},
        {"no times: 24:00 assumed, half before and half after midnight",
         {{Fri}},
         {{0, Wd::Fri, 1, 720}, {0, Wd::Sat, 0, 720}},
         {},
         {T("ON Error - FRIDAY March 1 2024, no pickup and dropoff times.  Using assumed time "
            "of  24 Hrs. 00 Mins. ")},
         {{Fri, {{48, 48, true}}, {}, true}, {Sat, {{0, 48, false}}, {}}}},
        {"one time missing, 13:15 assumed: 398 and 397 minutes, 27 and 26 quarters",
         {{Fri, true, T("06:00PM"), None}},
         {{0, Wd::Fri, 1, 398}, {0, Wd::Sat, 0, 397}},
         {},
         {T("ON Error - FRIDAY March 1 2024, no pickup or dropoff time.  Using assumed time of "
            "13 Hrs. 15 Mins. ")},
         {{Fri, {{69, 27, true}}, {}, true}, {Sat, {{0, 26, false}}, {}}},
         T("13:15")},
        {"Friday to Sunday with times on the ends only",
         {{Fri, true, T("05:00PM"), None}, {Sat}, {Sun, true, None, T("08:00AM")}},
         {{0, Wd::Fri, 1, 420}, {0, Wd::Sat, 1, 1440}, {0, Wd::Sun, 1, 1440}, {0, Wd::Mon, 0, 480}},
         {},
         {},
         {{Fri, {{68, 28, true}}, {}},
          {Sat, {{0, 96, true}}, {}},
          {Sun, {{0, 96, true}}, {}},
          {Mon, {{0, 32, false}}, {}}}},
        {"Friday to Sunday without the last dropoff: half the assumed stay on Monday",
         {{Fri, true, T("05:00PM"), None}, {Sat}, {Sun}},
         {{0, Wd::Fri, 1, 420}, {0, Wd::Sat, 1, 1440}, {0, Wd::Sun, 1, 1440}, {0, Wd::Mon, 0, 720}},
         {},
         {T("ONE_Last Warning - SUNDAY, March 3 2024, should have a dropoff time.")},
         {{Fri, {{68, 28, true}}, {}},
          {Sat, {{0, 96, true}}, {}},
          {Sun, {{0, 96, true}}, {}, true},
          {Mon, {{0, 48, false}}, {}}}},
        {"a stay without times at its start: the first evening assumed",
         {{Fri}, {Sat, true, None, T("10:00AM")}},
         {{0, Wd::Fri, 1, 720}, {0, Wd::Sat, 1, 1440}, {0, Wd::Sun, 0, 600}},
         {},
         {T("ONE_First Warning - FRIDAY March 1 2024, has no pickup or dropoff time.  Using 24 "
            "Hrs. 0 Mins. (Assumed Over Nite Stay Time)")},
         {{Fri, {{48, 48, true}}, {}, true},
          {Sat, {{0, 48, false}, {0, 96, true}}, {}},
          {Sun, {{0, 40, false}}, {}}}},
        {"a pickup on the last day of a stay",
         {{Fri, true, T("05:00PM"), None}, {Sat, true, T("06:00PM"), T("09:00AM")}},
         {{0, Wd::Fri, 1, 420}, {0, Wd::Sat, 1, 1440}, {0, Wd::Sun, 0, 540}},
         {},
         {T("ON_Warning  Possible overlapping times found for March 1, 2024 and March 2, 2024."),
          T(" "), T("ONE_Last Error - SATURDAY, March 2 2024, should NOT have a pickup time.")},
         {{Fri, {{68, 28, true}}, {}},
          {Sat, {{0, 96, true}}, {}, true},
          {Sun, {{0, 36, false}}, {}}}},
        {"overlapping stays: the second pickup before the first dropoff",
         {{Fri, true, T("06:00PM"), T("10:00AM")}, {Sat, true, T("09:00AM"), T("11:00AM")}},
         {{0, Wd::Fri, 1, 360}, {0, Wd::Sat, 1, 600 + 900}, {0, Wd::Sun, 0, 660}},
         {},
         {T("ON_Error Overlapping times found for March 1, 2024 and March 2, 2024."), T(" ")},
         {{Fri, {{72, 24, true}}, {}},
          {Sat, {{0, 40, false}, {36, 60, true}}, {}},
          {Sun, {{0, 44, false}}, {}}}},
        {"an evening of 187 minutes draws 12 quarters",
         {{Fri, true, T("08:53PM"), T("12:00AM")}},
         {{0, Wd::Fri, 1, 187}},
         {},
         {},
         {{Fri, {{84, 12, true}}, {}}}},
        {"a stay across the end of year one; the dates of the check carry the new year",
         {{QStringLiteral("2024-12-31"), true, T("06:00PM"), T("09:00AM")},
          {QStringLiteral("2025-01-01"), true, None, T("09:00AM")}},
         {{0, Wd::Tue, 1, 360}, {0, Wd::Wed, 0, 540}, {1, Wd::Wed, 1, 720}, {1, Wd::Thu, 0, 720}},
         {},
         {T("ON_Warning  Possible overlapping times found for December 31, 2024 and January 1, "
            "2025."),
          T(" "),
          T("ON Error - WEDNESDAY January 1 2025, no pickup or dropoff time.  Using assumed time "
            "of 24 Hrs. 00 Mins. ")},
         {{QStringLiteral("2024-12-31"), {{72, 24, true}}, {}},
          {QStringLiteral("2025-01-01"), {{0, 36, false}, {48, 48, true}}, {}, true},
          {QStringLiteral("2025-01-02"), {{0, 48, false}}, {}}}},
        {"an open stay carries from year one into year two",
         {{QStringLiteral("2024-12-31"), true, T("06:00PM"), None},
          {QStringLiteral("2025-01-01"), true, None, T("09:00AM")}},
         {{0, Wd::Tue, 1, 360}, {1, Wd::Wed, 1, 1440}, {1, Wd::Thu, 0, 540}},
         {},
         {},
         {{QStringLiteral("2024-12-31"), {{72, 24, true}}, {}},
          {QStringLiteral("2025-01-01"), {{0, 96, true}}, {}},
          {QStringLiteral("2025-01-02"), {{0, 36, false}}, {}}}},
        {"an annotation is not counted and ends a stay",
         {{Fri, true, T("05:00PM"), None},
          {Sat, true, None, None, T("*Grandma's birthday")},
          {Sun, true, None, T("08:00AM")}},
         {{0, Wd::Fri, 1, 720}, {0, Wd::Sat, 0, 720}, {0, Wd::Sun, 1, 720}, {0, Wd::Mon, 0, 720}},
         {},
         {T("ON Error - FRIDAY March 1 2024, no pickup or dropoff time.  Using assumed time of "
            "24 Hrs. 00 Mins. "),
          T("ON Error - SUNDAY March 3 2024, no pickup or dropoff time.  Using assumed time of "
            "24 Hrs. 00 Mins. ")},
         {{Fri, {{48, 48, true}}, {}, true},
          {Sat, {{0, 48, false}}, {}},
          {Sun, {{48, 48, true}}, {}, true},
          {Mon, {{0, 48, false}}, {}}}},
    });
}

// The two inconsistent inputs the passes would otherwise take without minutes or a message.
TEST(HourlyDistribution, InconsistentStaysAreCountedAndNamed)
{
    RunCases({
        {"only a dropoff while the next night is marked: assumed evening, the morning to the "
         "dropoff, and the next night starts a new stay",
         {{Fri, true, None, T("09:00AM")}, {Sat, true, T("06:00PM"), T("08:00AM")}},
         {{0, Wd::Fri, 1, 720}, {0, Wd::Sat, 1, 540 + 360}, {0, Wd::Sun, 0, 480}},
         {},
         {T("ON Error - FRIDAY March 1 2024, no pickup time.  Using half of assumed time of 24 "
            "Hrs. 00 Mins. before midnight.")},
         {{Fri, {{48, 48, true}}, {}, true},
          {Sat, {{0, 36, false}, {72, 24, true}}, {}},
          {Sun, {{0, 32, false}}, {}}}},
        {"only a pickup in the middle of a stay: the whole day counts",
         {{Fri, true, T("05:00PM"), None},
          {Sat, true, T("07:00PM"), None},
          {Sun, true, None, T("08:00AM")}},
         {{0, Wd::Fri, 1, 420}, {0, Wd::Sat, 1, 1440}, {0, Wd::Sun, 1, 1440}, {0, Wd::Mon, 0, 480}},
         {},
         {T("ON_Warning  Possible overlapping times found for March 1, 2024 and March 2, 2024."),
          T(" "),
          T("ONE Error - SATURDAY, March 2 2024, should NOT have a pickup time.  Counted as a "
            "whole day of the stay.")},
         {{Fri, {{68, 28, true}}, {}},
          {Sat, {{0, 96, true}}, {}, true},
          {Sun, {{0, 96, true}}, {}},
          {Mon, {{0, 32, false}}, {}}}},
    });
}

TEST(HourlyDistribution, DayVisits)
{
    RunCases({
        {"09:00AM to 05:00PM: 480 minutes from quarter 36, 32 quarters",
         {{Fri, false, T("09:00AM"), T("05:00PM"), T("Dinner")}},
         {},
         {{0, Wd::Fri, 1, 480}},
         {},
         {{Fri, {}, {{36, 32, false}}}}},
        {"3 hours 7 minutes draw 13 quarters",
         {{Fri, false, T("09:00AM"), T("12:07PM"), T("Dinner")}},
         {},
         {{0, Wd::Fri, 1, 187}},
         {},
         {{Fri, {}, {{36, 13, false}}}}},
        {"pickup after dropoff: reported, and the negative time is added",
         {{Fri, false, T("12:00PM"), T("12:00AM"), T("Dinner")}},
         {},
         {{0, Wd::Fri, 1, -720}},
         {T("DV Error March 1, 2024 Pickup time comes after Dropoff time."), T(" ")},
         {}},
        {"missing dropoff: reported by the check and the assumed visit used",
         {{Fri, false, T("09:00AM"), None, T("Dinner")}},
         {},
         {{0, Wd::Fri, 1, 720}},
         {T("DV Error March 1, 2024 Pickup (Dropoff) Time has no corresponding Dropoff (Pickup) "
            "Time."),
          T(" "),
          T("DV Error - FRIDAY March 1 2024, missing the pickup or dropoff time.  Using assumed "
            "time of  12 Hrs. 00 Mins. ")},
         {{Fri, {}, {{0, 48, false}}, true}}},
        {"no times at all: only the pass reports it",
         {{Fri, false, None, None, T("Dinner")}},
         {},
         {{0, Wd::Fri, 1, 720}},
         {T("DV Error - FRIDAY March 1 2024, missing the pickup or dropoff time.  Using assumed "
            "time of  12 Hrs. 00 Mins. ")},
         {{Fri, {}, {{0, 48, false}}, true}}},
        {"empty times, as a visit read without times has: no times, not pickup after dropoff",
         {{Fri, false, QString(), QString(), T("Dinner")}},
         {},
         {{0, Wd::Fri, 1, 720}},
         {T("DV Error - FRIDAY March 1 2024, missing the pickup or dropoff time.  Using assumed "
            "time of  12 Hrs. 00 Mins. ")},
         {{Fri, {}, {{0, 48, false}}, true}}},
        {"a visit no longer than the nap",
         {{Fri, false, T("09:00AM"), T("10:00AM"), T("Dinner")}},
         {},
         {{0, Wd::Fri, 1, 60}},
         {T("DV Error March 1, 2024 Total Day visit time is less that day visit nap time (see "
            "\"Settings\" form)."),
          T(" ")},
         {{Fri, {}, {{36, 4, false}}}},
         T("24:00"),
         T("01:00")},
        {"the same visit without a nap is fine",
         {{Fri, false, T("09:00AM"), T("10:00AM"), T("NN-Dinner")}},
         {},
         {{0, Wd::Fri, 1, 60}},
         {},
         {{Fri, {}, {{36, 4, false}}}},
         T("24:00"),
         T("01:00")},
        {"an annotation is neither checked nor counted",
         {{Fri, false, T("09:00AM"), None, T("*Dentist")}},
         {},
         {},
         {},
         {}},
    });
}

// A day visit within the hours of an overnight stay is counted twice; it is named, and the
// time reports refuse such a run, as they do a visit picked up after its dropoff.
TEST(HourlyDistribution, DayVisitsWithinAStayAreNamed)
{
    const QString overlap = QStringLiteral(
        "DV Error - FRIDAY March 1 2024, the day visit's hours fall within the overnight "
        "stay's hours.  Both are counted.");
    const struct {
        const char* Name;
        std::vector<Mark> Marks;
        bool Uncountable;
    } cases[] = {
        {"from the pickup to midnight",
         {{T("2024-03-01"), true, T("06:00PM"), T("08:00AM")},
          {T("2024-03-01"), false, T("05:00PM"), T("07:00PM"), T("Dinner")}},
         true},
        {"from midnight to the dropoff",
         {{T("2024-02-29"), true, T("06:00PM"), T("08:00AM")},
          {T("2024-03-01"), false, T("07:00AM"), T("09:00AM"), T("Breakfast")}},
         true},
        {"the whole day inside a stay",
         {{T("2024-02-29"), true, T("06:00PM"), None},
          {T("2024-03-01"), true, None, None},
          {T("2024-03-02"), true, None, T("08:00AM")},
          {T("2024-03-01"), false, T("10:00AM"), T("02:00PM"), T("Zoo")}},
         true},
        {"between the dropoff and the next pickup",
         {{T("2024-02-29"), true, T("06:00PM"), T("08:00AM")},
          {T("2024-03-01"), true, T("06:00PM"), T("08:00AM")},
          {T("2024-03-01"), false, T("08:00AM"), T("06:00PM"), T("Zoo")}},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        CalendarDocument doc = Calendar();
        Apply(doc, c.Marks);
        const DistributionResult result = RunDistribution(doc);
        EXPECT_EQ(result.DistributionMessages.contains(overlap), c.Uncountable);
        EXPECT_EQ(HasUncountableDayVisits(result), c.Uncountable);
    }
    CalendarDocument backwards = Calendar();
    Apply(backwards, {{T("2024-03-01"), false, T("12:00PM"), T("12:00AM"), T("Dinner")}});
    EXPECT_TRUE(HasUncountableDayVisits(RunDistribution(backwards)));
}

// Each day's minutes as the tables count them and with each minute once; a day whose known hours
// are counted twice, that would hold more than 24 hours, or has a visit backwards, cannot be
// counted.
TEST(HourlyDistribution, DayMinutesAndWhetherTheyCount)
{
    const struct {
        const char* Name;
        std::vector<Mark> Marks;
        const char* Day;
        int Counted;
        int Covered;
        bool Countable;
    } cases[] = {
        {"the evening and the next morning",
         {{T("2024-03-01"), true, T("06:00PM"), T("09:00AM")}},
         "2024-03-02",
         540,
         540,
         true},
        {"stays whose times overlap (picked up before the last dropoff)",
         {{T("2024-02-29"), true, T("06:00PM"), T("10:00AM")},
          {T("2024-03-01"), true, T("09:00AM"), T("08:00AM")}},
         "2024-03-01",
         600 + 900,
         1440,
         false},
        {"a known visit within an assumed evening is counted once",
         {{T("2024-03-01"), true, None, None},
          {T("2024-03-01"), false, T("02:00PM"), T("04:00PM"), T("Zoo")}},
         "2024-03-01",
         720 + 120,
         720,
         true},
        {"assumed hours that fill the day exactly",
         {{T("2024-03-01"), true, None, None}, {T("2024-03-01"), false, None, None, T("Zoo")}},
         "2024-03-01",
         720 + 720,
         1440,
         true},
        {"the previous morning and assumed hours of more than the rest of the day",
         {{T("2024-02-28"), true, T("06:00PM"), T("10:00AM")},
          {T("2024-02-29"), true, None, None},
          {T("2024-02-29"), false, None, None, T("Zoo")}},
         "2024-02-29",
         600 + 720 + 720,
         1440,
         false},
        {"a visit backwards",
         {{T("2024-03-01"), false, T("12:00PM"), T("12:00AM"), T("Dinner")}},
         "2024-03-01",
         0,
         0,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        CalendarDocument doc = Calendar();
        Apply(doc, c.Marks);
        const DistributionResult result = ComputeDistribution(doc);
        const DayMinutes& day = result.Minutes.at(static_cast<std::size_t>(IndexOf(doc, T(c.Day))));
        EXPECT_EQ(day.Counted(), c.Counted);
        EXPECT_EQ(day.Covered(), c.Covered);
        EXPECT_EQ(day.Countable(), c.Countable);
        EXPECT_EQ(HasUncountableDayVisits(result), !c.Countable);
        EXPECT_EQ(NotCountableReason(doc, result).isEmpty(), c.Countable);
    }
}

TEST(HourlyDistribution, MessagesComeInTheirOrder)
{
    // Checks first, then year one's overnights and day visits, then year two's.
    CalendarDocument doc = Calendar();
    Apply(doc, {{QStringLiteral("2025-06-06"), true},
                {QStringLiteral("2024-06-07"), false, None, None, T("Lunch")},
                {QStringLiteral("2024-06-14"), true},
                {QStringLiteral("2025-06-13"), false, T("10:00AM"), None, T("Lunch")}});
    const DistributionResult result = ComputeDistribution(doc);
    EXPECT_EQ(result.DistributionMessages,
              (DistributionLegend() +
               QStringList{
                   T("DV Error June 13, 2025 Pickup (Dropoff) Time has no corresponding "
                     "Dropoff (Pickup) Time."),
                   T(" "),
                   T("ON Error - FRIDAY June 14 2024, no pickup and dropoff times.  Using "
                     "assumed time of  24 Hrs. 00 Mins. "),
                   T("DV Error - FRIDAY June 7 2024, missing the pickup or dropoff time.  "
                     "Using assumed time of  12 Hrs. 00 Mins. "),
                   T("ON Error - FRIDAY June 6 2025, no pickup and dropoff times.  Using "
                     "assumed time of  24 Hrs. 00 Mins. "),
                   T("DV Error - FRIDAY June 13 2025, missing the pickup or dropoff time.  "
                     "Using assumed time of  12 Hrs. 00 Mins. "),
               }));
    EXPECT_TRUE(result.Years[0].OvernightProblems);
    EXPECT_TRUE(result.Years[0].DayVisitProblems);
    EXPECT_TRUE(result.Years[1].OvernightProblems);
}

TEST(HourlyDistribution, EmptyCalendarGivesZerosAndTheLegend)
{
    CalendarDocument doc = Calendar();
    doc.QTotOvernights = 12;
    doc.QTotOvernightMinutes = 345;
    doc.QTotDayVisits = 6;
    doc.QTotDayVisitMinutes = 78;
    const DistributionResult result = RunDistribution(doc);
    EXPECT_EQ(result.DistributionMessages, DistributionLegend());
    EXPECT_EQ(
        DistributionLegend(),
        (QStringList{T("Legend"), T("ON = Overnight Stay"), T("ONE = Extended Overnight Stay"),
                     T("ONE_First = The first day of an extended Overnight Stay"),
                     T("ONE_Last = The last day of an extended Overnight Stay"),
                     T("DV = Day Visit"), T("  ")}));
    EXPECT_FALSE(result.HasProblems());
    for (const DistributionYear& year : result.Years) {
        EXPECT_EQ(year.OvernightWeekdays, WeekdayTable{});
        EXPECT_EQ(year.DayVisitWeekdays, WeekdayTable{});
    }
    EXPECT_EQ(result.Years[0].DayCount(), 366);
    EXPECT_EQ(result.Years[1].DayCount(), 365);
    for (const DaySpans& day : result.Days)
        EXPECT_TRUE(day.IsEmpty());
    EXPECT_EQ(doc.QTotOvernights, 0);
    EXPECT_EQ(doc.QTotOvernightMinutes, 0);
    EXPECT_EQ(doc.QTotDayVisits, 0);
    EXPECT_EQ(doc.QTotDayVisitMinutes, 0);
    EXPECT_EQ(result.OvernightSleepNapMinutes, 0);
    EXPECT_EQ(result.DayVisitNapMinutes, 0);

    // Without a calendar there is nothing to count and nothing breaks.
    const DistributionResult none = ComputeDistribution(CalendarDocument{});
    EXPECT_EQ(none.DistributionMessages, DistributionLegend());
    EXPECT_TRUE(none.Days.empty());
}

TEST(HourlyDistribution, TotalsOfBothYearsAreStoredAndEveryRunStartsFromZero)
{
    CalendarDocument doc = Calendar();
    doc.SleepTime = T("09:00");
    doc.NapTime = T("01:30");
    RecomputeDurationMinutes(doc);
    Apply(doc, {{Fri, true, T("06:00PM"), T("09:00AM")},
                {QStringLiteral("2025-03-07"), true, T("07:00PM"), T("08:00AM")},
                {QStringLiteral("2025-03-14"), true, T("07:00PM"), T("08:00AM")},
                {Sat, false, T("10:00AM"), T("04:00PM"), T("Zoo")},
                {QStringLiteral("2025-03-08"), false, T("10:00AM"), T("04:00PM"), T("Zoo")}});

    const DistributionResult first = RunDistribution(doc);
    EXPECT_EQ(TableCount(first.Years[0].OvernightWeekdays), 1);
    EXPECT_EQ(TableCount(first.Years[1].OvernightWeekdays), 2);
    EXPECT_EQ(first.QTotOvernights, 3);
    EXPECT_EQ(first.QTotOvernightMinutes, 900 + 2 * 780);
    EXPECT_EQ(first.QTotDayVisits, 2);
    EXPECT_EQ(first.QTotDayVisitMinutes, 2 * 360);
    EXPECT_EQ(first.OvernightSleepNapMinutes, (540 + 90) * 3);
    EXPECT_EQ(first.DayVisitNapMinutes, 90 * 2);
    EXPECT_EQ(doc.QTotOvernights, 3);
    EXPECT_EQ(doc.QTotOvernightMinutes, 900 + 2 * 780);
    EXPECT_EQ(doc.QTotDayVisits, 2);
    EXPECT_EQ(doc.QTotDayVisitMinutes, 720);

    const DistributionResult again = RunDistribution(doc);
    EXPECT_EQ(again.DistributionMessages, first.DistributionMessages);
    EXPECT_EQ(again.Years[0].OvernightWeekdays, first.Years[0].OvernightWeekdays);
    EXPECT_EQ(again.Years[1].DayVisitWeekdays, first.Years[1].DayVisitWeekdays);
    EXPECT_EQ(again.QTotOvernightMinutes, first.QTotOvernightMinutes);
    EXPECT_EQ(again.OvernightSleepNapMinutes, first.OvernightSleepNapMinutes);
    EXPECT_EQ(doc.QTotOvernights, 3);
}

TEST(HourlyDistribution, CompletionSetsTheFlags)
{
    const struct {
        bool Stale;
        bool Problems;
        bool HadErrorsBefore;
        bool ChangesPendingBefore;
        bool HadErrors;
        bool ChangesPending;
    } cases[] = {
        {true, false, true, false, false, true}, // a stale run marks the calendar changed
        {true, true, false, false, true, true},
        {false, true, false, false, true, false}, // nothing new to save
        {false, false, true, true, false, true},  // pending changes stay pending
    };
    for (const auto& c : cases) {
        CalendarDocument doc = Calendar();
        if (c.Problems)
            Apply(doc, {{Fri}});
        doc.DistributionStale = c.Stale;
        doc.DistributionHadErrors = c.HadErrorsBefore;
        doc.ChangesPending = c.ChangesPendingBefore;
        const DistributionResult result = RunDistribution(doc);
        CompleteDistribution(doc, result);
        EXPECT_EQ(doc.DistributionHadErrors, c.HadErrors) << c.Stale << c.Problems;
        EXPECT_EQ(doc.ChangesPending, c.ChangesPending) << c.Stale << c.Problems;
        EXPECT_FALSE(doc.DistributionStale);
    }
}

TEST(HourlyDistribution, QuarterHoursAndTexts)
{
    EXPECT_EQ(QuartersOfMinutes(187), 12);
    EXPECT_EQ(DayVisitQuartersOfMinutes(187), 13);
    EXPECT_EQ(QuartersOfMinutes(7), 0);
    EXPECT_EQ(QuartersOfMinutes(8), 1);
    EXPECT_EQ(DayVisitQuartersOfMinutes(7), 1);
    EXPECT_EQ(DayVisitQuartersOfMinutes(6), 0);
    EXPECT_EQ(QuartersOfMinutes(1440), 96);
    EXPECT_EQ(QuartersOfDuration(T("13:15")), 53);
    EXPECT_EQ(QuartersOfDuration(T("12:08")), 49);
    EXPECT_EQ(QuartersOfDuration(T("12:07")), 48);
    EXPECT_EQ(QuartersOfDuration(T("24:00")), 96);
    EXPECT_EQ(AssumedDurationText(T("24:00")), T(" 24 Hrs. 00 Mins. "));
    EXPECT_EQ(AssumedDurationText(T("08:05")), T(" 08 Hrs. 05 Mins. "));
    EXPECT_EQ(WeekdayCountText(7), T("007"));
    EXPECT_EQ(WeekdayCountText(1234), T("1234"));
    EXPECT_EQ(WeekdayTimeText(123 * 60 + 5), T("0123 Hrs. 05 Mins."));
    EXPECT_EQ(WeekdayTimeText(-720), T("-0012 Hrs. 00 Mins."));
}

TEST(HourlyDistribution, LogHasOneCrLfLinePerMessage)
{
    EXPECT_EQ(DistributionLogBytes({T("Legend"), QStringLiteral("ON Error - caf\u00e9"), T("  ")}),
              QByteArray("Legend\r\nON Error - caf\xe9\r\n  \r\n"));
    EXPECT_EQ(DistributionLogBytes({}), QByteArray());
}

} // namespace
