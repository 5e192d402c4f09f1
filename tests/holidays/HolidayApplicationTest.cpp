#include "holidays/HolidayApplication.h"

#include "holidays/HolidayTestSupport.h"
#include "support/ScriptedServices.h"

#include <gtest/gtest.h>

#include <set>

using namespace custodex;
using namespace custodex::testing;

namespace {

constexpr int January = 0, April = 3, June = 5, July = 6;

struct Expected {
    const char* Text;
    PromptAnswer Answer = PromptAnswer::Ok;
};

void Script(ScriptedPrompter& prompts, std::initializer_list<Expected> expected)
{
    for (const Expected& e : expected)
        prompts.Expect(QString::fromLatin1(e.Text), e.Answer);
}

CalendarDay& Day(CalendarDocument& doc, const char* date)
{
    const int index = IndexOf(doc, QString::fromLatin1(date));
    EXPECT_GE(index, 0) << date;
    return doc.Days.at(static_cast<std::size_t>(index));
}

void MarkOvernight(CalendarDocument& doc, const char* date, const char* reason)
{
    CalendarDay& day = Day(doc, date);
    day.HasOvernight = true;
    day.OvernightReason = QString::fromLatin1(reason);
    day.OvernightPickup = QStringLiteral("06:00PM");
    day.OvernightDropoff = QStringLiteral("09:00AM");
}

std::vector<QString> OvernightDates(const CalendarDocument& doc, const QString& reason)
{
    std::vector<QString> dates;
    for (int i = 0; i < static_cast<int>(doc.Days.size()); ++i) {
        const CalendarDay& day = doc.Days.at(static_cast<std::size_t>(i));
        if (day.HasOvernight && day.OvernightReason == reason)
            dates.push_back(DateOf(doc, i));
    }
    return dates;
}

void Tick(HolidayDialogState& state, int rowNumber, const char* pickup = "<None>",
          const char* dropoff = "<None>", bool noNap = false)
{
    HolidayRowState& row = state.Rows.at(static_cast<std::size_t>(rowNumber - 1));
    row.Ticked = true;
    row.Pickup = QString::fromLatin1(pickup);
    row.Dropoff = QString::fromLatin1(dropoff);
    row.NoNap = noNap;
}

TEST(HolidayLists, RowsAndOrdersAreComplete)
{
    const struct {
        const HolidayCountry* Country;
        std::size_t Rows;
        std::size_t EasterRows;
    } countries[] = {{&UnitedStatesHolidays(), 24, 1},
                     {&CanadianHolidays(), 30, 2},
                     {&UnitedKingdomHolidays(), 26, 4}};
    for (const auto& c : countries) {
        const HolidayCountry& country = *c.Country;
        ASSERT_EQ(country.Rows.size(), c.Rows) << country.FormClass.toStdString();
        std::set<int> all;
        for (std::size_t n = 1; n <= c.Rows; ++n)
            all.insert(static_cast<int>(n));
        EXPECT_EQ(std::set<int>(country.TestOrder.begin(), country.TestOrder.end()), all);
        EXPECT_EQ(country.TestOrder.size(), c.Rows);
        EXPECT_EQ(std::set<int>(country.ApplyOrder.begin(), country.ApplyOrder.end()), all);
        EXPECT_EQ(country.ApplyOrder.size(), c.Rows);
        std::size_t easterRows = 0;
        for (const HolidayDefinition& row : country.Rows) {
            if (row.Rule.Kind == HolidayRuleKind::EasterBased) {
                ++easterRows;
                EXPECT_TRUE(EasterVariantOfCaption(row.Caption).has_value())
                    << row.Caption.toStdString();
            }
        }
        EXPECT_EQ(easterRows, c.EasterRows) << country.FormClass.toStdString();
    }
    EXPECT_EQ(UnitedKingdomHolidays().Rows.at(10).NoNapBoxName(), QStringLiteral("MayDay2NoNap"));
    EXPECT_EQ(UnitedKingdomHolidays().Rows.at(10).PickupFieldName(), QStringLiteral("Mayday2Strt"));
    EXPECT_EQ(CanadianHolidays().Rows.at(0).NoNapBoxName(), QStringLiteral("BoxingNoNap"));
}

TEST(HolidayLists, NineProvincialRowsShareTheFirstMondayOfAugust)
{
    const CalendarDocument doc = SpanFrom(January, 2009);
    const SelectedYear year = SelectYear(doc, false);
    for (int number : {14, 15, 16, 17, 19, 20, 21, 22, 24}) {
        const HolidayDefinition& row =
            CanadianHolidays().Rows.at(static_cast<std::size_t>(number - 1));
        EXPECT_EQ(DateOf(doc, FindRuleDay(doc, year, row.Rule)), QStringLiteral("2009-08-03"))
            << number;
    }
}

TEST(PlaceEasterHolidayTest, LookupsByStartOfTheSelectedYear)
{
    const struct {
        int StartMonth, StartYear;
        bool Second;
        std::vector<const char*> Marked;
        std::initializer_list<Expected> Prompts;
        bool CountsAsMarked;
    } cases[] = {
        {January, 2004, false, {"2004-04-11"}, {}, true},
        {April,
         2007,
         false,
         {"2007-04-08", "2008-03-23"},
         {{"Warning!  There were two \"Easter Sunday\" holidays\n\rwithin your yearly selected "
           "time period."}},
         true},
        {April,
         2008,
         false,
         {},
         {{"Warning!  There were no \"Easter Sunday\" holidays\n\rwithin your yearly selected "
           "time period."}},
         false},
        {June, 2005, true, {"2007-04-08"}, {}, true},
        {January,
         2051,
         true,
         {},
         {{"Easter Calculation not supported for\n\rthe year 2052"},
          {"Easter Calculation not supported for\n\rthe year 2052"},
          {"Warning!  There were no \"Easter Sunday\" holidays\n\rwithin your yearly selected "
           "time period."}},
         false},
        {April,
         2051,
         false,
         {"2051-04-02"},
         {{"Easter Calculation not supported for\n\rthe year 2052"}},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1/%2 second %3")
                         .arg(c.StartMonth + 1)
                         .arg(c.StartYear)
                         .arg(c.Second)
                         .toStdString());
        CalendarDocument doc = SpanFrom(c.StartMonth, c.StartYear);
        ScriptedPrompter prompts;
        Script(prompts, c.Prompts);
        PrompterOverwriteQuestions questions(prompts);
        const HolidayMark mark{QStringLiteral("Easter Sunday"), true, false,
                               QStringLiteral("09:00AM"), QStringLiteral("05:00PM")};
        EXPECT_EQ(PlaceEasterHoliday(doc, SelectYear(doc, c.Second), mark, ListKind::Overnights,
                                     questions),
                  c.CountsAsMarked);
        std::vector<QString> expected;
        for (const char* date : c.Marked)
            expected.push_back(QString::fromLatin1(date));
        EXPECT_EQ(OvernightDates(doc, mark.Caption), expected);
    }
}

TEST(ApplyHolidayTest, FiveCasesOnOneDay)
{
    const struct {
        const char* What;
        bool Has;
        const char* Reason;
        bool Ticked, NoNap;
        std::initializer_list<Expected> Prompts;
        bool Marked;
        bool HasAfter;
        const char* ReasonAfter;
    } cases[] = {
        {"ticked on a free day", false, " ", true, false, {}, true, true, "Christmas Day"},
        {"ticked, same holiday with no-nap, box cleared",
         true,
         "NN-Christmas Day",
         true,
         false,
         {},
         true,
         true,
         "Christmas Day"},
        {"ticked, same holiday in other case",
         true,
         "christmas day",
         true,
         true,
         {},
         true,
         true,
         "NN-Christmas Day"},
        {"ticked, another reason, Yes",
         true,
         "Weekend",
         true,
         false,
         {{"December 25 is set to Weekend.\n\rOverwrite with Christmas Day?", PromptAnswer::Yes}},
         true,
         true,
         "Christmas Day"},
        {"ticked, another reason, No",
         true,
         "Weekend",
         true,
         false,
         {{"December 25 is set to Weekend.\n\rOverwrite with Christmas Day?", PromptAnswer::No}},
         false,
         true,
         "Weekend"},
        {"unticked removes ignoring case",
         true,
         "christmas day",
         false,
         false,
         {},
         false,
         false,
         ""},
        {"unticked leaves another reason",
         true,
         "Weekend",
         false,
         false,
         {},
         false,
         true,
         "Weekend"},
        {"unticked on a free day", false, " ", false, false, {}, false, false, " "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        CalendarDocument doc = SpanFrom(January, 2009);
        CalendarDay& day = Day(doc, "2009-12-25");
        day.HasOvernight = c.Has;
        day.OvernightReason = QString::fromLatin1(c.Reason);
        day.HasDayVisit = true;
        day.DayVisitReason = QStringLiteral("Christmas Day");
        const CalendarDay visitBefore = day;
        ScriptedPrompter prompts;
        Script(prompts, c.Prompts);
        PrompterOverwriteQuestions questions(prompts);
        const HolidayMark mark{QStringLiteral("Christmas Day"), c.Ticked, c.NoNap,
                               QStringLiteral("06:00PM"), QStringLiteral("10:00AM")};
        const int index = IndexOf(doc, QStringLiteral("2009-12-25"));
        EXPECT_EQ(ApplyHoliday(doc, index, mark, ListKind::Overnights, QStringLiteral("December"),
                               HolidayApplicationKind::FixedDate, questions),
                  c.Marked);
        const CalendarDay& after = doc.Days.at(static_cast<std::size_t>(index));
        EXPECT_EQ(after.HasOvernight, c.HasAfter);
        EXPECT_EQ(after.OvernightReason, QString::fromLatin1(c.ReasonAfter));
        if (c.Marked) {
            EXPECT_EQ(after.OvernightPickup, QStringLiteral("06:00PM"));
        }
        if (!c.HasAfter && c.Has) {
            EXPECT_EQ(after.OvernightPickup, NoTimeText);
        }
        // The other kind of mark is never touched.
        EXPECT_EQ(after.DayVisitReason, visitBefore.DayVisitReason);
        EXPECT_TRUE(after.HasDayVisit);
        for (const RecordedPrompt& p : prompts.Seen) {
            EXPECT_EQ(p.Kind, PromptKind::Confirmation);
            EXPECT_EQ(p.Buttons, PromptButtons::YesNo);
        }
    }
}

TEST(ApplyHolidayTest, FlagsAndKnownReasons)
{
    CalendarDocument doc = SpanFrom(January, 2009);
    doc.OverniteReasons.Items = {QStringLiteral("christmas day")};
    doc.ChangesPending = false;
    doc.DistributionStale = false;
    ScriptedPrompter prompts;
    PrompterOverwriteQuestions questions(prompts);
    const HolidayMark christmas{QStringLiteral("Christmas Day"), true, true, NoTimeText,
                                NoTimeText};
    ApplyHoliday(doc, IndexOf(doc, QStringLiteral("2009-12-25")), christmas, ListKind::Overnights,
                 QStringLiteral("December"), HolidayApplicationKind::FixedDate, questions);
    EXPECT_TRUE(doc.ChangesPending);
    EXPECT_FALSE(doc.DistributionStale);
    // The known-reason list compares exactly: the lower-case entry does not count.
    EXPECT_EQ(doc.OverniteReasons.Items,
              QStringList({QStringLiteral("christmas day"), QStringLiteral("NN-Christmas Day")}));
    AddKnownReason(doc, QStringLiteral("NN-Christmas Day"), ListKind::Overnights);
    EXPECT_EQ(doc.OverniteReasons.Items.size(), 2);

    // Easter-based marks make the hourly figures stale at once, and leave the list alone.
    const HolidayMark easter{QStringLiteral("Easter Sunday"), true, false, NoTimeText, NoTimeText};
    PlaceEasterHoliday(doc, SelectYear(doc, false), easter, ListKind::Overnights, questions);
    EXPECT_TRUE(doc.DistributionStale);
    EXPECT_EQ(doc.OverniteReasons.Items.size(), 2);

    // A fixed-date day visit over an annotation does too.
    doc.DistributionStale = false;
    CalendarDay& flagDay = Day(doc, "2009-06-14");
    flagDay.HasDayVisit = true;
    flagDay.DayVisitReason = QStringLiteral("*dentist");
    prompts.Expect(QStringLiteral("June 14 is set to *dentist.\n\rOverwrite with Flag Day?"),
                   PromptAnswer::Yes);
    const HolidayMark flag{QStringLiteral("Flag Day"), true, true, QStringLiteral("09:00AM"),
                           QStringLiteral("05:00PM")};
    ApplyHoliday(doc, IndexOf(doc, QStringLiteral("2009-06-14")), flag, ListKind::DayVisits,
                 QStringLiteral("June"), HolidayApplicationKind::FixedDate, questions);
    EXPECT_TRUE(doc.DistributionStale);
    EXPECT_EQ(doc.DayVisitReasons.Items, QStringList({QStringLiteral("NN-Flag Day")}));
}

TEST(ScanHolidayRowTest, ExactCaptionOnlyAndLastDaySuppliesTimes)
{
    CalendarDocument doc = SpanFrom(January, 2009);
    const HolidayDefinition& christmas = UnitedStatesHolidays().Rows.at(2);
    const SelectedYear year = SelectYear(doc, false);
    const QString pickup = QStringLiteral("07:00PM"), dropoff = QStringLiteral("08:00AM");

    MarkOvernight(doc, "2009-12-25", "christmas day");
    HolidayRowState row =
        ScanHolidayRow(doc, christmas, year, ListKind::Overnights, pickup, dropoff);
    EXPECT_FALSE(row.Ticked);
    EXPECT_FALSE(row.FieldsWhite);
    EXPECT_EQ(row.Pickup, pickup);

    MarkOvernight(doc, "2009-03-01", "Christmas Day");
    MarkOvernight(doc, "2009-12-25", "NN-Christmas Day");
    Day(doc, "2009-12-25").OvernightPickup = QStringLiteral("05:00PM");
    row = ScanHolidayRow(doc, christmas, year, ListKind::Overnights, pickup, dropoff);
    EXPECT_TRUE(row.Ticked);
    EXPECT_TRUE(row.NoNap);
    EXPECT_TRUE(row.NoNapEnabled);
    EXPECT_EQ(row.Pickup, QStringLiteral("05:00PM"));
    EXPECT_FALSE(ScanHolidayRow(doc, christmas, year, ListKind::DayVisits, pickup, dropoff).Ticked);
    EXPECT_FALSE(
        ScanHolidayRow(doc, christmas, SelectYear(doc, true), ListKind::Overnights, pickup, dropoff)
            .Ticked);
}

TEST(ApplyHolidaysTest, DayVisitTimeErrorsInTestOrder)
{
    const struct {
        int Row;
        const char *Pickup, *Dropoff;
        const char* Message;
    } errors[] = {
        {23, "05:00PM", "09:00AM",
         "Error in times for holiday Valentine's Day!\n\rWhen entering day visit times, the "
         "pickup time\n\rmust be earlier than the dropoff Time.\n\rPlease try again."},
        {23, "09:00AM", "<None>",
         "Error in times for holiday Valentine's Day!\n\rIf you enter a Pickup (Dropoff) time "
         "for a day visit,\n\ryou must also enter a Dropoff (Pickup) time.\n\rPlease try again."},
        {23, "09:00AM", "10:00AM",
         "Error in times for holiday Valentine's Day!\n\rThe total day visit time must be greater "
         "than\n\rthe day visit nap time.  You can either make the\n\rpickup time earlier, the "
         "dropoff time later,\n\rdecrease the day visit nap time found on the \n\rsettings form, "
         "or check the no nap check box if\n\rthe child will not be napping during this day "
         "visit."},
    };
    for (const auto& e : errors) {
        CalendarDocument doc = SpanFrom(January, 2009);
        doc.NapMinutes = 120;
        const DayList before = doc.Days;
        HolidayDialogState state =
            OpenHolidayDialog(doc, UnitedStatesHolidays(), ListKind::DayVisits);
        Tick(state, 4, "05:00PM", "09:00AM"); // also wrong, but tested after row 23
        Tick(state, e.Row, e.Pickup, e.Dropoff);
        ScriptedPrompter prompts;
        prompts.Expect(QString::fromLatin1(e.Message));
        PrompterOverwriteQuestions questions(prompts);
        const HolidayApplyResult result = ApplyHolidays(doc, state, questions);
        EXPECT_FALSE(result.Applied);
        EXPECT_EQ(result.FocusRow, e.Row);
        EXPECT_NE(state.TimeCheckOutcome, 0);
        EXPECT_EQ(doc.Days, before);
        EXPECT_EQ(doc.AppliedChangeCount, 0);
        EXPECT_TRUE(state.NothingPending);
        ASSERT_EQ(prompts.Seen.size(), 1u);
        EXPECT_EQ(prompts.Seen[0].Kind, PromptKind::Error);
    }
}

TEST(ApplyHolidaysTest, SameDayHolidaysPromptInApplyOrder)
{
    const struct {
        const char* What;
        const HolidayCountry* Country;
        int StartYear;
        std::vector<int> Ticked;
        const char* Prompt;
        PromptAnswer Answer;
        const char* Date;
        const char* ReasonAfter;
    } cases[] = {
        {"Columbus 2009",
         &UnitedStatesHolidays(),
         2009,
         {4, 5},
         "October 12 is set to Columbus Day (Traditional).\n\rOverwrite with Columbus Day?",
         PromptAnswer::Yes,
         "2009-10-12",
         "Columbus Day"},
        {"Easter on April Fools' 2018",
         &UnitedStatesHolidays(),
         2018,
         {1, 6},
         "April 1 is set to April Fools's Day.\n\rOverwrite with Easter Sunday?",
         PromptAnswer::No,
         "2018-04-01",
         "April Fools's Day"},
        {"Easter on April Fool's 2018 (UK)",
         &UnitedKingdomHolidays(),
         2018,
         {1, 6},
         "April 1 is set to April Fool's Day (UK).\n\rOverwrite with Easter Sunday (UK)?",
         PromptAnswer::Yes,
         "2018-04-01",
         "Easter Sunday (UK)"},
        {"two provinces on August 3",
         &CanadianHolidays(),
         2009,
         {21, 14},
         "August 3 is set to Civic Holiday (Ca./Ontario).\n\rOverwrite with Heritage Day "
         "(Ca./Alberta)?",
         PromptAnswer::Yes,
         "2009-08-03",
         "Heritage Day (Ca./Alberta)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        CalendarDocument doc = SpanFrom(January, c.StartYear);
        HolidayDialogState state = OpenHolidayDialog(doc, *c.Country, ListKind::Overnights);
        for (int row : c.Ticked)
            Tick(state, row);
        ScriptedPrompter prompts;
        prompts.Expect(QString::fromLatin1(c.Prompt), c.Answer);
        PrompterOverwriteQuestions questions(prompts);
        EXPECT_TRUE(ApplyHolidays(doc, state, questions).Applied);
        EXPECT_EQ(Day(doc, c.Date).OvernightReason, QString::fromLatin1(c.ReasonAfter));
        // The rebuilt rows show what the calendar holds: the loser of the day is unticked.
        int tickedAfter = 0;
        for (int row : c.Ticked)
            tickedAfter += state.Rows.at(static_cast<std::size_t>(row - 1)).Ticked ? 1 : 0;
        EXPECT_EQ(tickedAfter, 1);
        EXPECT_EQ(doc.AppliedChangeCount, 1);
        EXPECT_FALSE(state.NothingPending);
    }
}

TEST(ApplyHolidaysTest, VictoriaDayPromptNamesTheDayFound)
{
    for (const auto& [year, date, prompt] :
         {std::tuple{2009, "2009-05-18",
                     "May 18 is set to Weekend.\n\rOverwrite with Victoria "
                     "Day (Ca.)?"},
          std::tuple{2010, "2010-05-24",
                     "May 24 is set to Weekend.\n\rOverwrite with Victoria "
                     "Day (Ca.)?"}}) {
        CalendarDocument doc = SpanFrom(January, year);
        MarkOvernight(doc, date, "Weekend");
        HolidayDialogState state = OpenHolidayDialog(doc, CanadianHolidays(), ListKind::Overnights);
        Tick(state, 12);
        ScriptedPrompter prompts;
        prompts.Expect(QString::fromLatin1(prompt), PromptAnswer::Yes);
        PrompterOverwriteQuestions questions(prompts);
        ApplyHolidays(doc, state, questions);
        EXPECT_EQ(Day(doc, date).OvernightReason, QStringLiteral("Victoria Day (Ca.)"));
    }
}

TEST(ApplyHolidaysTest, NeverShownRowsKeepWhatTheScanFound)
{
    CalendarDocument doc = SpanFrom(January, 2009);
    MarkOvernight(doc, "2009-07-12", "Orangemen's Day (Ca./New)");
    HolidayDialogState state = OpenHolidayDialog(doc, CanadianHolidays(), ListKind::Overnights);
    EXPECT_TRUE(state.Rows.at(28).Ticked);
    EXPECT_FALSE(state.Rows.at(28).Visible);
    ScriptedPrompter prompts;
    PrompterOverwriteQuestions questions(prompts);
    ApplyHolidays(doc, state, questions);
    EXPECT_EQ(Day(doc, "2009-07-12").OvernightReason, QStringLiteral("Orangemen's Day (Ca./New)"));
}

const char* const JuneStartNotice =
    "Notice... Because you have started the year in June, May falls\n\rin year 2003 and, if you "
    "wish to mark June 4th as a holiday, you\n\rwill need to do so manually.";
const char* const MovedNotice =
    "Notice... Due to Queen Elizabeth II's Golden Jubilee, holiday\n\r\"Last May Monday Bank "
    "Holiday (UK)\"  is being moved to June 4th (in year 2002 only).";

TEST(ApplyHolidaysTest, UnitedKingdom2002)
{
    const struct {
        const char* What;
        int StartMonth, StartYear;
        bool Second;
        std::vector<int> Ticked;
        bool JubileeVisible;
        std::initializer_list<Expected> Prompts;
        std::vector<std::pair<const char*, const char*>> Marks;
        const char* WeekendOn = nullptr; // a day already marked with another reason
    } cases[] = {
        {"January 2002, first page",
         January,
         2002,
         false,
         {11, 22},
         true,
         {{MovedNotice}},
         {{"2002-06-03", "Queen Elizabeth II's Golden Jubilee"},
          {"2002-06-04", "Last May Monday Bank Holiday (UK)"}}},
        {"January 2002, second page",
         January,
         2002,
         true,
         {11},
         false,
         {},
         {{"2003-05-26", "Last May Monday Bank Holiday (UK)"}}},
        {"June 2002, first page",
         June,
         2002,
         false,
         {11},
         true,
         {{JuneStartNotice}},
         {{"2003-05-26", "Last May Monday Bank Holiday (UK)"}}},
        {"June 2002, nothing ticked", June, 2002, false, {}, true, {{JuneStartNotice}}, {}},
        {"June 2001, second page",
         June,
         2001,
         true,
         {22},
         true,
         {{JuneStartNotice}},
         {{"2002-06-03", "Queen Elizabeth II's Golden Jubilee"}}},
        {"refused move: no notice",
         January,
         2002,
         false,
         {11},
         true,
         {{"June 4 is set to Weekend.\n\rOverwrite with Last May Monday Bank Holiday (UK)?",
           PromptAnswer::No}},
         {{"2002-06-04", "Weekend"}},
         "2002-06-04"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        CalendarDocument doc = SpanFrom(c.StartMonth, c.StartYear);
        if (c.WeekendOn)
            MarkOvernight(doc, c.WeekendOn, "Weekend");
        HolidayDialogState state =
            OpenHolidayDialog(doc, UnitedKingdomHolidays(), ListKind::Overnights);
        SwitchHolidayPage(doc, state, c.Second);
        EXPECT_EQ(state.Rows.at(21).Visible, c.JubileeVisible);
        for (int row : c.Ticked)
            Tick(state, row);
        ScriptedPrompter prompts;
        Script(prompts, c.Prompts);
        PrompterOverwriteQuestions questions(prompts);
        EXPECT_TRUE(ApplyHolidays(doc, state, questions).Applied);
        for (const auto& [date, reason] : c.Marks)
            EXPECT_EQ(Day(doc, date).OvernightReason, QString::fromLatin1(reason)) << date;
    }
}

TEST(ApplyHolidaysTest, PageSwitchDropsUnappliedTicks)
{
    CalendarDocument doc = SpanFrom(January, 2009);
    HolidayDialogState state = OpenHolidayDialog(doc, UnitedStatesHolidays(), ListKind::Overnights);
    Tick(state, 3);
    SwitchHolidayPage(doc, state, true);
    SwitchHolidayPage(doc, state, false);
    EXPECT_FALSE(state.Rows.at(2).Ticked);
}

} // namespace

namespace {

TEST(ApplyHolidaysTest, CanadianYearFromJuly)
{
    CalendarDocument doc = SpanFrom(July, 2009);
    HolidayDialogState state = OpenHolidayDialog(doc, CanadianHolidays(), ListKind::Overnights);
    for (int row : {2, 12, 6, 5})
        Tick(state, row);
    ScriptedPrompter prompts;
    PrompterOverwriteQuestions questions(prompts);
    EXPECT_TRUE(ApplyHolidays(doc, state, questions).Applied);
    const std::pair<const char*, const char*> marks[] = {{"2009-07-01", "Canada Day (Ca.)"},
                                                         {"2010-05-24", "Victoria Day (Ca.)"},
                                                         {"2010-04-02", "Good Friday (Ca.)"},
                                                         {"2010-04-05", "Easter Monday (Ca.)"}};
    for (const auto& [date, reason] : marks)
        EXPECT_EQ(Day(doc, date).OvernightReason, QString::fromLatin1(reason)) << date;
    for (int row : {2, 12, 6, 5})
        EXPECT_TRUE(state.Rows.at(static_cast<std::size_t>(row - 1)).Ticked) << row;
    // Easter-based rows join the known reasons by their caption once the holiday is marked.
    EXPECT_TRUE(doc.OverniteReasons.Items.contains(QStringLiteral("Good Friday (Ca.)")));
}

} // namespace
