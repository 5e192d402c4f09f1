#include "entry/DayEditorLogic.h"

#include "platform/Prompter.h"

#include <gtest/gtest.h>

#include <deque>

using namespace custodex;

namespace {

struct Prompt {
    PromptKind Kind;
    QString Text;
};

class ScriptedPrompter : public Prompter {
public:
    std::vector<Prompt> Seen;
    std::deque<PromptAnswer> Answers;
    PromptAnswer Ask(PromptKind kind, const QString& text, PromptButtons) override
    {
        Seen.push_back({kind, text});
        if (Answers.empty())
            return PromptAnswer::Ok;
        const PromptAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

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
    std::vector<PromptAnswer> Answers;
    bool Accepted;
    std::vector<QString> Prompts;
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
         {},
         false,
         {BeforeOverlap}},
        {"day before ends at pickup",
         "Weekend",
         "06:00PM",
         nullptr,
         nullptr,
         "06:00PM",
         "09:00AM",
         {},
         true,
         {}},
        {"day after starts before dropoff",
         nullptr,
         nullptr,
         "Weekend",
         "09:00AM",
         "06:00PM",
         "10:00AM",
         {},
         false,
         {AfterOverlap}},
        {"day after starts at dropoff",
         nullptr,
         nullptr,
         "Weekend",
         "10:00AM",
         "06:00PM",
         "10:00AM",
         {},
         true,
         {}},
        {"day before without dropoff, Yes",
         "Weekend",
         "<None>",
         nullptr,
         nullptr,
         "06:00PM",
         "09:00AM",
         {PromptAnswer::Yes},
         true,
         {BeforeQuestion}},
        {"day before without dropoff, No",
         "Weekend",
         "<None>",
         nullptr,
         nullptr,
         "06:00PM",
         "09:00AM",
         {PromptAnswer::No},
         false,
         {BeforeQuestion}},
        {"both checks run",
         "Weekend",
         "07:00PM",
         "Weekend",
         "<None>",
         "06:00PM",
         "09:00AM",
         {PromptAnswer::Yes},
         false,
         {BeforeOverlap, AfterQuestion}},
        {"annotation neighbours ignored",
         "*Note",
         "11:00PM",
         "*Note",
         "01:00AM",
         "06:00PM",
         "09:00AM",
         {},
         true,
         {}},
        {"reasonless neighbours ignored",
         "",
         "11:00PM",
         "",
         "01:00AM",
         "06:00PM",
         "09:00AM",
         {},
         true,
         {}},
        {"both without times",
         "Weekend",
         "<None>",
         "Weekend",
         "<None>",
         "<None>",
         "<None>",
         {},
         true,
         {}},
    };
    for (const auto& c : cases) {
        CalendarDocument doc = Span();
        if (c.BeforeReason)
            MarkOvernight(doc, 9, c.BeforeReason, "06:00PM", c.BeforeDropoff);
        if (c.AfterReason)
            MarkOvernight(doc, 11, c.AfterReason, c.AfterPickup, "09:00AM");
        ScriptedPrompter prompter;
        prompter.Answers.assign(c.Answers.begin(), c.Answers.end());
        DayEditorEntry entry{QStringLiteral("Weekend"), QString::fromLatin1(c.Pickup),
                             QString::fromLatin1(c.Dropoff), false};
        const bool accepted =
            DayEditorAccept(doc, {10, true, QStringLiteral("Weekend"), false}, entry, prompter);
        EXPECT_EQ(accepted, c.Accepted) << c.What;
        std::vector<QString> texts;
        for (const Prompt& p : prompter.Seen)
            texts.push_back(p.Text);
        EXPECT_EQ(texts, c.Prompts) << c.What;
    }
}

TEST(DayEditorAccept, EndsOfTheCalendarHaveOneNeighbour)
{
    CalendarDocument doc = Span();
    const int last = static_cast<int>(doc.Days.size()) - 1;
    MarkOvernight(doc, 1, "Weekend", "09:00AM", "09:00AM");
    MarkOvernight(doc, last - 1, "Weekend", "06:00PM", "11:00PM");
    ScriptedPrompter prompter;
    DayEditorEntry first{QStringLiteral("X"), QStringLiteral("06:00PM"), QStringLiteral("10:00AM"),
                         false};
    EXPECT_FALSE(DayEditorAccept(doc, {0, true, QStringLiteral(" "), false}, first, prompter));
    DayEditorEntry lastEntry{QStringLiteral("X"), QStringLiteral("06:00PM"),
                             QStringLiteral("10:00AM"), false};
    EXPECT_FALSE(
        DayEditorAccept(doc, {last, true, QStringLiteral(" "), false}, lastEntry, prompter));
    ASSERT_EQ(prompter.Seen.size(), 2u);
    EXPECT_EQ(prompter.Seen[0].Text, AfterOverlap);
    EXPECT_EQ(prompter.Seen[1].Text, BeforeOverlap);
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
        DayEditorEntry entry{QString::fromLatin1(c.Reason), QString::fromLatin1(c.Pickup),
                             QString::fromLatin1(c.Dropoff), c.NoNap};
        const bool accepted =
            DayEditorAccept(doc, {10, false, QStringLiteral(" "), false}, entry, prompter);
        EXPECT_EQ(accepted, c.Message == 0) << c.Pickup << c.Dropoff;
        if (c.Message == 0) {
            EXPECT_TRUE(prompter.Seen.empty());
        }
        else {
            ASSERT_EQ(prompter.Seen.size(), 1u);
            EXPECT_EQ(prompter.Seen[0].Kind, PromptKind::Error);
            EXPECT_EQ(prompter.Seen[0].Text, DayVisitTimesMessage(c.Message));
        }
        if (QString::fromLatin1(c.Reason).isEmpty()) {
            EXPECT_EQ(entry.Reason, QStringLiteral(" "));
        }
    }
    EXPECT_TRUE(DayVisitTimesMessage(1).startsWith(
        QStringLiteral("Error!  When entering day visit times, the \n\rPickup")));
    EXPECT_TRUE(DayVisitTimesMessage(3).endsWith(
        QStringLiteral("Dropoff (Pickup) time.\n\rPlease try again.")));
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
