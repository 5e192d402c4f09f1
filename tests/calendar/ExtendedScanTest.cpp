#include "calendar/ExtendedScan.h"

#include "support/ScriptedServices.h"

using namespace custodex;
using namespace custodex::testing;

namespace {

class ScriptedScan : public ExtendedScanHost {
public:
    void ShowMonth(int monthNumber) override { Months.push_back(monthNumber); }
    ExtendedAnswer AskToConvert(const QString& m1, const QString& m2, const QString& m3) override
    {
        Asked.push_back({m1, m2, m3});
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected question";
            return ExtendedAnswer::Cancel;
        }
        const ExtendedAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    std::vector<int> Months;
    std::vector<QStringList> Asked;
    std::deque<ExtendedAnswer> Answers;
};

QString Done(int count)
{
    return QString::number(count) +
           QStringLiteral(
               " Possible Extended Overnights were\n\rConverted to Definite Extended Overnights.");
}

CalendarDocument Calendar()
{
    CalendarDocument doc;
    BuildSpan(doc, 2, 2024); // March 2024 .. February 2026
    return doc;
}

void Overnight(CalendarDocument& doc, int index, const char* reason, const char* pickup,
               const char* dropoff)
{
    CalendarDay& day = doc.Days[static_cast<std::size_t>(index)];
    day.HasOvernight = true;
    day.OvernightReason = QString::fromLatin1(reason);
    day.OvernightPickup = QString::fromLatin1(pickup);
    day.OvernightDropoff = QString::fromLatin1(dropoff);
}

TEST(ExtendedScan, AsksForEachPairAndConvertsOnYes)
{
    CalendarDocument doc = Calendar();
    Overnight(doc, 29, "Camp", "07:00PM", "<None>");   // 30 March
    Overnight(doc, 30, "Camp", "07:00PM", "09:00AM");  // 31 March: its pickup has a time
    Overnight(doc, 31, "*Note", "07:00PM", "09:00AM"); // 1 April: annotation, never paired
    ScriptedScan host;
    host.Answers = {ExtendedAnswer::Yes};
    ScriptedPrompter prompts;
    prompts.Expect(Done(1));
    EXPECT_EQ(ScanExtendedOvernights(doc, host, prompts), 1);
    ASSERT_EQ(host.Asked.size(), 1u);
    EXPECT_EQ(host.Asked[0], (QStringList{QStringLiteral("Possible Extended Overnight found at:"),
                                          QStringLiteral("March 30, Reason:  Camp"),
                                          QStringLiteral("March 31, Reason:  Camp")}));
    EXPECT_EQ(doc.Days[29].OvernightDropoff, QStringLiteral("<None>"));
    EXPECT_EQ(doc.Days[30].OvernightPickup, QStringLiteral("<None>"));
    EXPECT_EQ(host.Months.front(), 1);
    EXPECT_TRUE(doc.DistributionStale);
    EXPECT_TRUE(doc.ChangesPending);
}

TEST(ExtendedScan, YesToAllNoAndCancel)
{
    auto build = [] {
        CalendarDocument doc = Calendar();
        // 31 December 2024 (month 10) and 1 January 2025 (month 11), then two more pairs.
        const int december31 = FindDay(doc, 11, true, 31);
        Overnight(doc, december31, "New Year", "07:00PM", "09:00AM");
        Overnight(doc, december31 + 1, "New Year", "07:00PM", "09:00AM");
        Overnight(doc, december31 + 2, "New Year", "07:00PM", "09:00AM");
        return doc;
    };
    {
        CalendarDocument doc = build();
        ScriptedScan host;
        host.Answers = {ExtendedAnswer::All};
        ScriptedPrompter prompts;
        prompts.Expect(Done(2));
        EXPECT_EQ(ScanExtendedOvernights(doc, host, prompts), 2);
        EXPECT_EQ(host.Asked.size(), 1u);
        EXPECT_EQ(host.Months.front(), 10);
    }
    {
        CalendarDocument doc = build();
        ScriptedScan host;
        host.Answers = {ExtendedAnswer::No, ExtendedAnswer::Yes};
        ScriptedPrompter prompts;
        prompts.Expect(Done(1));
        EXPECT_EQ(ScanExtendedOvernights(doc, host, prompts), 1);
        EXPECT_EQ(host.Asked.size(), 2u);
    }
    {
        CalendarDocument doc = build();
        doc.DistributionStale = false;
        ScriptedScan host;
        host.Answers = {ExtendedAnswer::Cancel};
        ScriptedPrompter prompts;
        prompts.Expect(Done(0));
        EXPECT_EQ(ScanExtendedOvernights(doc, host, prompts), 0);
        EXPECT_FALSE(doc.DistributionStale);
        EXPECT_FALSE(doc.ChangesPending);
    }
}

TEST(ExtendedScan, NoOvernightsAndNoCalendar)
{
    CalendarDocument doc = Calendar();
    ScriptedScan host;
    ScriptedPrompter prompts;
    prompts.Expect(Done(0));
    EXPECT_EQ(ScanExtendedOvernights(doc, host, prompts), 0);
    ClearCalendar(doc);
    prompts.Expect(QStringLiteral("Error.  You must create a calendar beforeyou can scan it for "
                                  "possible extended overnights."));
    EXPECT_EQ(ScanExtendedOvernights(doc, host, prompts), -1);
}

} // namespace
