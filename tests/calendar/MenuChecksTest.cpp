#include "calendar/MenuChecks.h"

#include "support/ScriptedServices.h"

#include <functional>

using namespace custodex;
using namespace custodex::testing;

namespace {

CalendarDocument Marked(bool anything)
{
    CalendarDocument doc;
    doc.ClientName = QStringLiteral("Jones");
    BuildSpan(doc, 0, 2024);
    if (anything) {
        doc.Days[3].HasOvernight = true;
        doc.Days[3].OvernightReason = QStringLiteral("Weekend");
    }
    RecountCounters(doc);
    return doc;
}

TEST(MenuChecks, RefusalsWithoutACalendar)
{
    CalendarDocument none;
    ScriptedPrompter prompts;
    const std::pair<DayChangingGroup, const char*> groups[] = {
        {DayChangingGroup::Holidays,
         "You must open or create a calendar\n\rbefore you can add or remove holidays."},
        {DayChangingGroup::Patterns,
         "You must open or create a calendar\n\rbefore you can apply/remove a list."},
        {DayChangingGroup::RepeatPatterns, "You must open or create a calendar before\n\ryou can "
                                           "apply/remove custom repeat patterns."},
        {DayChangingGroup::CustomLists,
         "You must open or create a calendar\n\rbefore you can apply/remove a custom list."}};
    for (const auto& [group, text] : groups) {
        prompts.Expect(QString::fromLatin1(text));
        EXPECT_FALSE(CheckDayChangingDialog(none, group, prompts));
    }
    const struct {
        std::function<bool()> Check;
        const char* Text;
    } commands[] = {
        {[&] { return CheckFind(none, prompts); },
         "You must open or create a calendar\n\rbefore you can find items in it."},
        {[&] { return CheckPrint(none, false, prompts); }, "Error!  There is nothing to print!"},
        {[&] { return CheckCsvExport(none, prompts); },
         "Error!  You must create a calendar to convert to .csv format!"},
        {[&] { return CheckDistributionReport(none, prompts); },
         "Please create a calendar before showing a distribution report."},
        {[&] { return CheckTimeReport(none, TimeReport::Quality, prompts, [] {}); },
         "Please create a calendar before computing quality time."},
        {[&] { return CheckTimeReport(none, TimeReport::Care, prompts, [] {}); },
         "Please create a calendar before computing Care Time."},
        {[&] { return CheckPreview(none, prompts); },
         "You must build a year before you can preview it."},
        {[&] { return CheckPreferences(none, prompts); },
         "You must create a Calendar before you can initialize\n\rit's settings."},
    };
    for (const auto& c : commands) {
        prompts.Expect(QString::fromLatin1(c.Text));
        EXPECT_FALSE(c.Check()) << c.Text;
    }
}

TEST(MenuChecks, NothingMarkedAndClientNameQuestions)
{
    ScriptedPrompter prompts;
    CalendarDocument empty = Marked(false);
    prompts.Expect(QStringLiteral(
        "There is nothing to find!  You must mark at least one\n\rovernight stay or day visit "
        "with a reason for there\n\rto be something to find."));
    EXPECT_FALSE(CheckFind(empty, prompts));

    prompts.Expect(
        QStringLiteral(
            "No Overnight Stays or Day Visits are marked on your calendar.\n\rDo you really want "
            "to print a blank calendar month?"),
        PromptAnswer::No);
    EXPECT_FALSE(CheckPrint(empty, true, prompts));

    CalendarDocument noName = Marked(true);
    noName.ClientName = QStringLiteral("No Name");
    prompts.Expect(QStringLiteral("Invalid Client name.  Print anyway?"), PromptAnswer::Cancel);
    EXPECT_FALSE(CheckPrint(noName, false, prompts));
    prompts.Expect(QStringLiteral("Invalid Client name.  Convert to .csv format anyway?"),
                   PromptAnswer::Yes);
    EXPECT_TRUE(CheckCsvExport(noName, prompts));

    // The order: the client name is asked about before the empty calendar.
    empty.ClientName.clear();
    prompts.Expect(QStringLiteral("Invalid Client name.  Convert to .csv format anyway?"),
                   PromptAnswer::Yes);
    prompts.Expect(
        QStringLiteral(
            "No Overnight Stays or Day Visits are marked on your calendar.\n\rDo you really want "
            "to create an empty calendar .csv file?"),
        PromptAnswer::Yes);
    EXPECT_TRUE(CheckCsvExport(empty, prompts));
    CalendarDocument fine = Marked(true);
    EXPECT_TRUE(CheckFind(fine, prompts));
    EXPECT_TRUE(CheckPrint(fine, false, prompts));
}

// Marks that cannot be counted are said once, after the distribution is current and before the
// question whether to go on with approximate results, whose Yes could not help.
TEST(MenuChecks, UncountableMarksAreSaidOnceBeforeAnyQuestion)
{
    for (const TimeReport report : {TimeReport::Care, TimeReport::Quality}) {
        ScriptedPrompter prompts;
        CalendarDocument doc = Marked(true);
        doc.DistributionStale = false;
        doc.DistributionHadErrors = true;
        const QString refusal = QStringLiteral("Cannot be counted.");
        int asked = 0;
        prompts.Expect(refusal);
        EXPECT_FALSE(CheckTimeReport(
            doc, report, prompts, [] { ADD_FAILURE(); },
            [&] {
                ++asked;
                return refusal;
            }));
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(prompts.Seen.size(), 1u);
    }
}

TEST(MenuChecks, TimeReportsRunTheDistributionFirst)
{
    ScriptedPrompter prompts;
    CalendarDocument empty = Marked(false);
    prompts.Expect(QStringLiteral(
        "You must mark at least one overnight stay or\n\rone day visit on your calendar "
        "before you can\n\rcreate a Care Time report."));
    EXPECT_FALSE(CheckTimeReport(empty, TimeReport::Care, prompts, [] {}));

    CalendarDocument doc = Marked(true);
    doc.DistributionStale = true;
    doc.DistributionHadErrors = true;
    const QString run =
        QStringLiteral("An Hourly Distribution Report must be ran before running\n\ra Quality Time "
                       "report.\n\r\n\rWould you like to run an Hourly Distribution Report now?");
    prompts.Expect(run, PromptAnswer::No);
    prompts.Expect(QStringLiteral(
        "Quality Time Report aborted.  Try again after\n\rrunning an Hourly Distribution Report."));
    EXPECT_FALSE(CheckTimeReport(doc, TimeReport::Quality, prompts, [] { ADD_FAILURE(); }));

    int runs = 0;
    prompts.Expect(run, PromptAnswer::Yes);
    prompts.Expect(
        QStringLiteral(
            "The Hourly Distribution Report reported problems with\n\rtimes entered on your "
            "calendar.  Quality Time results\n\rwill only be approximate.\n\r\n\rDo you want to "
            "proceed to run Quality Time anyhow?"),
        PromptAnswer::Yes);
    EXPECT_TRUE(CheckTimeReport(doc, TimeReport::Quality, prompts, [&] { ++runs; }));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(doc.QTotOvernights, 1);
    EXPECT_EQ(doc.QTotDayVisits, 0);

    doc.DistributionStale = false;
    doc.DistributionHadErrors = false;
    EXPECT_TRUE(CheckTimeReport(doc, TimeReport::Care, prompts, [] { ADD_FAILURE(); }));
}

TEST(DayChangingDialog, CancelRestoresAndAppliedChangesMarkTheCalendar)
{
    CalendarDocument doc = Marked(true);
    const DayList before = doc.Days;
    doc.ChangesPending = false;
    RunDayChangingDialog(doc, [&] {
        for (int i = 0; i < 3; ++i) {
            TakeSnapshot(doc, SnapshotKind::Undo);
            doc.Days[static_cast<std::size_t>(10 + i)].HasOvernight = true;
            doc.Days[3].OvernightReason = QStringLiteral("Changed");
            ++doc.AppliedChangeCount;
        }
        return false; // Cancel
    });
    EXPECT_EQ(doc.Days, before);
    EXPECT_EQ(doc.BothYearsCounters.Overnights, 1);
    EXPECT_FALSE(doc.ChangesPending);

    doc.DistributionStale = false;
    RunDayChangingDialog(doc, [&] {
        TakeSnapshot(doc, SnapshotKind::Undo);
        doc.Days[20].HasOvernight = true;
        ++doc.AppliedChangeCount;
        RestoreSnapshot(doc, SnapshotKind::Undo); // Undo
        --doc.AppliedChangeCount;
        return true; // Close
    });
    EXPECT_FALSE(doc.ChangesPending);
    EXPECT_FALSE(doc.DistributionStale);

    RunDayChangingDialog(doc, [&] {
        doc.Days[20].HasOvernight = true;
        ++doc.AppliedChangeCount;
        return true;
    });
    EXPECT_TRUE(doc.ChangesPending);
    EXPECT_TRUE(doc.DistributionStale);
    EXPECT_EQ(doc.BothYearsCounters.Overnights, 2);
}

TEST(DayChangingDialog, SaysWhatTheDialogDidToTheDays)
{
    CalendarDocument doc = Marked(true); // day 3: an overnight for "Weekend"
    const auto overnight = [&doc](std::size_t day, const char* reason) {
        doc.Days[day].HasOvernight = true;
        doc.Days[day].OvernightReason = QString::fromLatin1(reason);
    };
    const struct {
        const char* What;
        std::function<bool()> Run;
        const char* Said;
    } cases[] = {
        {"cancelled",
         [&] {
             overnight(40, "Alt weekend");
             return false;
         },
         ""},
        {"nothing", [] { return true; }, ""},
        {"one reason",
         [&] {
             overnight(40, "Alt weekend");
             overnight(41, "Alt weekend");
             return true;
         },
         "Applied: 2 days of Alt weekend"},
        {"a day visit and a reason changed",
         [&] {
             doc.Days[50].HasDayVisit = true;
             doc.Days[50].DayVisitReason = QStringLiteral("Lunch");
             doc.Days[3].OvernightReason = QStringLiteral("Holiday");
             return true;
         },
         "Applied: 2 days of Holiday / Lunch (1 replaced)"},
        {"a day visit's reason replaced",
         [&] {
             doc.Days[50].DayVisitReason = QStringLiteral("Brunch");
             return true;
         },
         "Applied: 1 day of Brunch (1 replaced)"},
        {"a day visit's times replaced",
         [&] {
             doc.Days[50].DayVisitStart = QStringLiteral("10:00AM");
             doc.Days[50].DayVisitEnd = QStringLiteral("02:00PM");
             return true;
         },
         "Applied: 1 day of Brunch (1 replaced)"},
        {"a day visit added beside an overnight replaces nothing",
         [&] {
             doc.Days[3].HasDayVisit = true;
             doc.Days[3].DayVisitReason = QStringLiteral("Dinner");
             return true;
         },
         "Applied: 1 day of Dinner"},
        {"day visits replaced and added",
         [&] {
             doc.Days[3].DayVisitReason = QStringLiteral("Lunch");
             doc.Days[50].DayVisitReason = QStringLiteral("Lunch");
             doc.Days[51].HasDayVisit = true;
             doc.Days[51].DayVisitReason = QStringLiteral("Lunch");
             return true;
         },
         "Applied: 3 days of Lunch (2 replaced)"},
        {"a day visit removed",
         [&] {
             doc.Days[51].HasDayVisit = false;
             return true;
         },
         "Removed: 1 day"},
        {"no reason, one removed",
         [&] {
             doc.Days[60].HasOvernight = true;
             doc.Days[40].HasOvernight = false;
             return true;
         },
         "Applied: 1 day; removed 1 day"},
        {"only removed",
         [&] {
             doc.Days[41].HasOvernight = false;
             doc.Days[60].HasOvernight = false;
             return true;
         },
         "Removed: 2 days"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunDayChangingDialog(doc, c.Run), QString::fromLatin1(c.Said)) << c.What;
}

TEST(MenuChecks, WizardToggleAndListBuilderArguments)
{
    ScriptedPrompter prompts;
    bool wizard = true;
    prompts.Expect(QStringLiteral("You have turned the Startup Wizard off.\n\rThe Startup Wizard "
                                  "will be off whenever\n\ryou start the Calendar program."));
    EXPECT_EQ(ToggleStartWizard(wizard, prompts), QStringLiteral("Startup Wizard Off (Toggles)"));
    EXPECT_FALSE(wizard);
    prompts.Expect(QStringLiteral("You have turned the Startup Wizard on.\n\rThe Startup Wizard "
                                  "will be on whenever\n\ryou start the Calendar program."));
    EXPECT_EQ(ToggleStartWizard(wizard, prompts), QStringLiteral("Startup Wizard ON (Toggles)"));

    CalendarDocument doc = Marked(false);
    doc.UserYear = QStringLiteral("2024");
    doc.SelUserMonth = QStringLiteral("January");
    doc.ClientFolder = QStringLiteral("/c/");
    EXPECT_EQ(CustomListArguments(doc),
              (QStringList{QStringLiteral("2024"), QStringLiteral("January"),
                           QStringLiteral("Jones"), QStringLiteral("/c/")}));
}

} // namespace
