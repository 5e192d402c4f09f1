#include "entry/DayEditorLogic.h"

#include "support/ScriptedServices.h"

using namespace custodex;
using namespace custodex::testing;

namespace {

const QString BeforeOverlap = QStringLiteral(
    "Yesterdays end time overlaps todays start time.\n\rThis error must be corrected.");
const QString AfterOverlap = QStringLiteral(
    "Todays end time overlaps tomorrows start time.\n\rThis error must be corrected.");
const QString BeforeQuestion =
    QStringLiteral("Todays start time might overlap yesterdays\n\rend time.  Continue anyway?");
const QString AfterQuestion =
    QStringLiteral("Todays end time might overlap tomorrows\n\rstart time.  Continue anyway?");

CalendarDocument Span()
{
    CalendarDocument doc;
    BuildSpan(doc, 0, 2023);
    return doc;
}

void MarkOvernight(CalendarDocument& doc, int index, const char* reason, const char* pickup,
                   const char* dropoff)
{
    CalendarDay& day = doc.Days[static_cast<std::size_t>(index)];
    day.HasOvernight = true;
    day.OvernightReason = QString::fromLatin1(reason);
    day.OvernightPickup = QString::fromLatin1(pickup);
    day.OvernightDropoff = QString::fromLatin1(dropoff);
}

struct NeighbourCase {
    const char* What;
    const char* BeforeReason;
    const char* BeforeDropoff;
    const char* AfterReason;
    const char* AfterPickup;
    const char* Pickup;
    const char* Dropoff;
    bool Accepted;
    std::vector<ScriptedPrompter::Expected> Prompts; // in order, with the answer given
};

TEST(DayEditorAccept, OvernightNeighbourChecks)
{
    const NeighbourCase cases[] = {
        {"day before ends after pickup",
         "Weekend",
         "07:00PM",
         nullptr,
         nullptr,
         "06:00PM",
         "09:00AM",
         false,
         {{BeforeOverlap, PromptAnswer::Ok}}},
        {"day before ends at pickup",
         "Weekend",
         "06:00PM",
         nullptr,
         nullptr,
         "06:00PM",
         "09:00AM",
         true,
         {}},
        {"day after starts before dropoff",
         nullptr,
         nullptr,
         "Weekend",
         "09:00AM",
         "06:00PM",
         "10:00AM",
         false,
         {{AfterOverlap, PromptAnswer::Ok}}},
        {"day after starts at dropoff",
         nullptr,
         nullptr,
         "Weekend",
         "10:00AM",
         "06:00PM",
         "10:00AM",
         true,
         {}},
        {"day before without dropoff, Yes",
         "Weekend",
         "<None>",
         nullptr,
         nullptr,
         "06:00PM",
         "09:00AM",
         true,
         {{BeforeQuestion, PromptAnswer::Yes}}},
        {"day before without dropoff, No",
         "Weekend",
         "<None>",
         nullptr,
         nullptr,
         "06:00PM",
         "09:00AM",
         false,
         {{BeforeQuestion, PromptAnswer::No}}},
        {"both checks run",
         "Weekend",
         "07:00PM",
         "Weekend",
         "<None>",
         "06:00PM",
         "09:00AM",
         false,
         {{BeforeOverlap, PromptAnswer::Ok}, {AfterQuestion, PromptAnswer::Yes}}},
        {"annotation neighbours ignored",
         "*Note",
         "11:00PM",
         "*Note",
         "01:00AM",
         "06:00PM",
         "09:00AM",
         true,
         {}},
        {"reasonless neighbours ignored",
         "",
         "11:00PM",
         "",
         "01:00AM",
         "06:00PM",
         "09:00AM",
         true,
         {}},
        {"both without times",
         "Weekend",
         "<None>",
         "Weekend",
         "<None>",
         "<None>",
         "<None>",
         true,
         {}},
    };
    for (const auto& c : cases) {
        CalendarDocument doc = Span();
        if (c.BeforeReason)
            MarkOvernight(doc, 9, c.BeforeReason, "06:00PM", c.BeforeDropoff);
        if (c.AfterReason)
            MarkOvernight(doc, 11, c.AfterReason, c.AfterPickup, "09:00AM");
        SCOPED_TRACE(c.What);
        ScriptedPrompter prompter;
        prompter.Script.assign(c.Prompts.begin(), c.Prompts.end());
        DayEditorEntry entry{QStringLiteral("Weekend"), QString::fromLatin1(c.Pickup),
                             QString::fromLatin1(c.Dropoff), false};
        const bool accepted =
            DayEditorAccept(doc, {10, true, QStringLiteral("Weekend"), false}, entry, prompter);
        EXPECT_EQ(accepted, c.Accepted);
    }
}

TEST(DayEditorAccept, EndsOfTheCalendarHaveOneNeighbour)
{
    CalendarDocument doc = Span();
    const int last = static_cast<int>(doc.Days.size()) - 1;
    MarkOvernight(doc, 1, "Weekend", "09:00AM", "09:00AM");
    MarkOvernight(doc, last - 1, "Weekend", "06:00PM", "11:00PM");
    ScriptedPrompter prompter;
    prompter.Expect(AfterOverlap);  // the first day has no day before
    prompter.Expect(BeforeOverlap); // the last day has no day after
    DayEditorEntry first{QStringLiteral("X"), QStringLiteral("06:00PM"), QStringLiteral("10:00AM"),
                         false};
    EXPECT_FALSE(DayEditorAccept(doc, {0, true, QStringLiteral(" "), false}, first, prompter));
    DayEditorEntry lastEntry{QStringLiteral("X"), QStringLiteral("06:00PM"),
                             QStringLiteral("10:00AM"), false};
    EXPECT_FALSE(
        DayEditorAccept(doc, {last, true, QStringLiteral(" "), false}, lastEntry, prompter));
}

TEST(DayEditorAccept, DayVisitOutcomesAndAnnotations)
{
    const struct {
        const char* Pickup;
        const char* Dropoff;
        bool NoNap;
        const char* Reason;
        int Message; // 0 = accepted
    } cases[] = {
        {"09:00AM", "09:00AM", false, "Zoo", 1},  {"01:00PM", "02:00PM", false, "Zoo", 2},
        {"01:00PM", "02:00PM", true, "Zoo", 0},   {"<None>", "02:00PM", false, "Zoo", 3},
        {"09:00AM", "<None>", false, "*Note", 0}, {"<None>", "<None>", false, "", 0},
    };
    for (const auto& c : cases) {
        CalendarDocument doc = Span();
        doc.NapTime = QStringLiteral("01:00");
        ScriptedPrompter prompter;
        if (c.Message != 0)
            prompter.Expect(DayVisitTimesMessage(c.Message));
        DayEditorEntry entry{QString::fromLatin1(c.Reason), QString::fromLatin1(c.Pickup),
                             QString::fromLatin1(c.Dropoff), c.NoNap};
        const bool accepted =
            DayEditorAccept(doc, {10, false, QStringLiteral(" "), false}, entry, prompter);
        EXPECT_EQ(accepted, c.Message == 0) << c.Pickup << c.Dropoff;
        if (c.Message != 0) {
            ASSERT_EQ(prompter.Seen.size(), 1u);
            EXPECT_EQ(prompter.Seen[0].Kind, PromptKind::Error);
        }
        if (QString::fromLatin1(c.Reason).isEmpty()) {
            EXPECT_EQ(entry.Reason, QStringLiteral(" "));
        }
    }
    EXPECT_EQ(
        DayVisitTimesMessage(1),
        QStringLiteral("Error!  When entering day visit times, the \n\rPickup time must be earlier "
                       "than the Dropoff Time.\n\rPlease try again."));
    EXPECT_EQ(DayVisitTimesMessage(2),
              QStringLiteral(
                  "Error!  The total day visit time must be greater\n\rthan the day visit nap "
                  "time.  You can either make\n\rthe pickup time earlier, the dropoff time "
                  "later,\n\rdecrease the day visit nap time found on the \n\rsettings form, or "
                  "check the no nap check box if\n\rthe child will not be napping during this day "
                  "visit."));
    EXPECT_EQ(
        DayVisitTimesMessage(3),
        QStringLiteral("Error!  If you enter a Pickup (Dropoff) time for a \n\rday visit, you must "
                       "also enter a Dropoff (Pickup) time.\n\rPlease try again."));
}

TEST(DayEditorAccept, StalenessFollowsAnnotationSwitchesAndChanges)
{
    CalendarDocument doc = Span();
    ScriptedPrompter prompter;
    doc.DistributionStale = false;
    DayEditorEntry same{QStringLiteral("Zoo"), QStringLiteral("<None>"), QStringLiteral("<None>"),
                        false};
    EXPECT_TRUE(DayEditorAccept(doc, {10, true, QStringLiteral("Zoo"), false}, same, prompter));
    EXPECT_FALSE(doc.DistributionStale);
    DayEditorEntry toNote{QStringLiteral("*Zoo"), QStringLiteral("<None>"),
                          QStringLiteral("<None>"), false};
    EXPECT_TRUE(DayEditorAccept(doc, {10, true, QStringLiteral("Zoo"), false}, toNote, prompter));
    EXPECT_TRUE(doc.DistributionStale);
    doc.DistributionStale = false;
    EXPECT_TRUE(DayEditorAccept(doc, {10, true, QStringLiteral("Zoo"), true}, same, prompter));
    EXPECT_TRUE(doc.DistributionStale);
}

TEST(CheckTypedReason, ExclamationMarksAndTheEightiethCharacter)
{
    const ReasonTextCheck bang = CheckTypedReason(QStringLiteral("Trip!"));
    EXPECT_EQ(bang.Text, QStringLiteral("Trip"));
    EXPECT_TRUE(bang.IsError);
    EXPECT_EQ(bang.Message, QStringLiteral("Explanation marks are not allowed in a reason."));
    const ReasonTextCheck full = CheckTypedReason(QString(80, QLatin1Char('x')));
    EXPECT_EQ(full.Message, QStringLiteral("Stop!  The maximum reason length is 80 characters,"));
    EXPECT_FALSE(full.IsError);
    EXPECT_EQ(CheckTypedReason(QString(81, QLatin1Char('x'))).Text, QString(80, QLatin1Char('x')));
    EXPECT_TRUE(CheckTypedReason(QString(79, QLatin1Char('x'))).Message.isEmpty());
}

} // namespace
