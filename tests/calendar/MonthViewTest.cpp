#include "calendar/MonthView.h"

#include "platform/Prompter.h"

#include <gtest/gtest.h>

#include <deque>

using namespace custodex;

namespace {

CalendarDocument Span(int startMonthIndex, int startYear)
{
    CalendarDocument doc;
    doc.ClientName = QStringLiteral("Smith");
    BuildSpan(doc, startMonthIndex, startYear);
    RecountCounters(doc);
    return doc;
}

TEST(RangeText, BlanksArrowsAndCut)
{
    const struct {
        const char* First;
        const char* Second;
        QString Text;
    } cases[] = {
        {"07:30PM", "09:00AM >", QStringLiteral("07:30PM - 09:00AM >")},
        {"10:00AM", "04:00PM", QStringLiteral("10:00AM  -  04:00PM")},
        {"<None>", "09:00AM >", QString(15, QLatin1Char(' ')) + QStringLiteral("09:00AM >")},
        {"<None>", "04:00PM", QString(17, QLatin1Char(' ')) + QStringLiteral("04:00PM")},
        {"07:30PM", "<None>", QStringLiteral("07:30PM")},
        {"<None>", "<None>", QString()},
        {"<None>", "<None> >", QString()},
        {"", "", QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RangeText(QString::fromLatin1(c.First), QString::fromLatin1(c.Second)), c.Text)
            << c.First << "|" << c.Second;
}

TEST(ParentTitleText, CutsLongTitles)
{
    EXPECT_EQ(ParentTitleText(QStringLiteral("Non-Custodial")), QStringLiteral("Non-Custodia..."));
    EXPECT_EQ(ParentTitleText(QStringLiteral("Custodial")), QStringLiteral("Custodial"));
    EXPECT_EQ(ParentTitleText(QStringLiteral("Mother1234")), QStringLiteral("Mother1234"));
    EXPECT_EQ(ParentTitleText(QStringLiteral("Grandmother")), QStringLiteral("Grandmother..."));
}

TEST(DrawMonth, PlacesTheFirstDayUnderItsWeekday)
{
    // January 2023 starts on a Sunday: cells 1..31, 32..42 hidden.
    CalendarDocument doc = Span(0, 2023);
    MonthView view;
    DrawMonth(doc, view);
    EXPECT_EQ(view.MonthLabel, QStringLiteral("January    2023"));
    EXPECT_EQ(view.Cells[0].Caption, QStringLiteral("1"));
    EXPECT_EQ(view.Cells[30].Day, 31);
    EXPECT_FALSE(view.Cells[31].Visible);

    // July 2023 is a 31-day month starting on a Saturday: cells 7..37, 38..42 hidden.
    GoToMonth(doc, 7);
    DrawMonth(doc, view);
    EXPECT_EQ(view.MonthLabel, QStringLiteral("July    2023"));
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(view.Cells[static_cast<std::size_t>(i)].Caption.isEmpty());
        EXPECT_TRUE(view.Cells[static_cast<std::size_t>(i)].Visible);
    }
    EXPECT_EQ(view.Cells[6].Day, 1);
    EXPECT_EQ(view.Cells[36].Day, 31);
    EXPECT_EQ(view.Cells[36].MonthName, QStringLiteral("JULY"));
    for (int i = 37; i < CellCount; ++i)
        EXPECT_FALSE(view.Cells[static_cast<std::size_t>(i)].Visible);
}

TEST(DrawMonth, ShowsMarksAnnotationsAndTimes)
{
    CalendarDocument doc = Span(0, 2023);
    CalendarDay& first = doc.Days[0];
    first.HasOvernight = true;
    first.OvernightReason = QStringLiteral("NN-Even Weekend");
    first.OvernightPickup = QStringLiteral("<None>");
    first.OvernightDropoff = QStringLiteral("09:00AM");
    first.HasDayVisit = true;
    first.DayVisitReason = QStringLiteral("*Note");
    first.DayVisitStart = QStringLiteral("10:00AM");
    first.DayVisitEnd = QStringLiteral("04:00PM");
    doc.Days[1].HasOvernight = true;
    doc.Days[1].OvernightReason = QStringLiteral("*Annotation");
    MonthView view;
    DrawMonth(doc, view);
    const DayCell& cell = view.Cells[0];
    EXPECT_EQ(cell.Colour, doc.OvernightColour);
    EXPECT_EQ(cell.OvernightReasonLabel, QStringLiteral("NN-Weekend"));
    EXPECT_EQ(cell.OvernightTimesLabel,
              QString(15, QLatin1Char(' ')) + QStringLiteral("09:00AM >"));
    EXPECT_FALSE(cell.BarVisible); // annotation day visit: no bar
    EXPECT_EQ(cell.DayVisitTimesLabel, QStringLiteral("10:00AM  -  04:00PM"));
    EXPECT_EQ(view.Cells[1].Colour, doc.BackgroundColour);
    EXPECT_TRUE(view.Cells[1].ShowsOvernight);
}

TEST(Navigation, StopsAtBothEndsAndCrossesTheYears)
{
    CalendarDocument doc = Span(2, 2024); // March 2024 .. February 2026
    EXPECT_FALSE(PrevMonth(doc));
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(NextMonth(doc));
    EXPECT_EQ(doc.ShownMonthNumber, 13);
    EXPECT_EQ(doc.ShownMonthIndex, 2);
    EXPECT_FALSE(doc.ShowingFirstYear);
    for (int i = 0; i < 11; ++i)
        ASSERT_TRUE(NextMonth(doc));
    EXPECT_EQ(doc.ShownMonthIndex, 1); // February 2026
    EXPECT_FALSE(NextMonth(doc));
    ASSERT_TRUE(PrevMonth(doc));
    GoToMonth(doc, 12);
    EXPECT_TRUE(doc.ShowingFirstYear);
    EXPECT_EQ(doc.ShownMonthIndex, 1); // February 2025
    ASSERT_TRUE(NextMonth(doc));
    EXPECT_FALSE(doc.ShowingFirstYear);
}

// A host whose editor answers from a script.
class ScriptedHost : public CellClickHost {
public:
    QString Client = QStringLiteral("Smith");
    std::deque<std::function<bool(DayEditRequest&)>> Editors;
    std::vector<DayEditRequest> Seen;
    int ClientFocus = 0;
    int StartFocus = 0;

    QString ClientNameText() const override { return Client; }
    void FocusClientName() override { ++ClientFocus; }
    void FocusStartButton() override { ++StartFocus; }
    bool EditDay(DayEditRequest& request, int) override
    {
        Seen.push_back(request);
        if (Editors.empty()) {
            ADD_FAILURE() << "unexpected day editor";
            return false;
        }
        auto editor = Editors.front();
        Editors.pop_front();
        return editor(request);
    }
};

class RecordingPrompter : public Prompter {
public:
    std::vector<QString> Texts;
    PromptAnswer Ask(PromptKind, const QString& text, PromptButtons) override
    {
        Texts.push_back(text);
        return PromptAnswer::Ok;
    }
};

TEST(CellClicked, EnterModifyRemoveAndRestore)
{
    CalendarDocument doc = Span(0, 2023);
    doc.OverniteReasons.Text = QStringLiteral("NN-Weekend");
    doc.OverNiteStrtTime = QStringLiteral("07:30PM");
    doc.OverNiteEndTime = QStringLiteral("09:00AM");
    doc.DistributionStale = false;
    MonthView view;
    DrawMonth(doc, view);
    ScriptedHost host;
    RecordingPrompter prompter;

    host.Editors.push_back([](DayEditRequest& r) {
        EXPECT_EQ(r.Caption, QStringLiteral("Entering an Overnight."));
        EXPECT_EQ(r.Heading, QStringLiteral("Setting Overnight for Friday, JANUARY 6"));
        EXPECT_EQ(r.Entry.Reason, QStringLiteral("Weekend"));
        EXPECT_TRUE(r.Entry.NoNap);
        EXPECT_EQ(r.Entry.Start, QStringLiteral("07:30PM"));
        return true;
    });
    CellClicked(doc, view, 6, CellButton::Left, false, host, prompter);
    const CalendarDay& day = doc.Days[5];
    EXPECT_TRUE(day.HasOvernight);
    EXPECT_EQ(day.OvernightReason, QStringLiteral("NN-Weekend"));
    EXPECT_EQ(day.OvernightDropoff, QStringLiteral("09:00AM"));
    EXPECT_EQ(view.Cells[5].OvernightTimesLabel, QStringLiteral("07:30PM - 09:00AM >"));
    EXPECT_EQ(doc.FirstYearCounters.Overnights, 1);
    EXPECT_TRUE(doc.DistributionStale);
    EXPECT_TRUE(doc.ChangesPending);
    EXPECT_EQ(doc.OverniteReasons.Items, QStringList{QStringLiteral("NN-Weekend")});

    // Modifying shows the reason without NN-; Cancel changes nothing of the day.
    host.Editors.push_back([](DayEditRequest& r) {
        EXPECT_EQ(r.Caption, QStringLiteral("Modifying an Overnight."));
        EXPECT_EQ(r.Entry.Reason, QStringLiteral("Weekend"));
        EXPECT_TRUE(r.Entry.NoNap);
        return false;
    });
    CellClicked(doc, view, 6, CellButton::Left, false, host, prompter);
    EXPECT_EQ(doc.Days[5].OvernightReason, QStringLiteral("NN-Weekend"));

    // Right click removes, a second one restores.
    doc.DistributionStale = false;
    CellClicked(doc, view, 6, CellButton::Right, false, host, prompter);
    EXPECT_FALSE(doc.Days[5].HasOvernight);
    EXPECT_EQ(doc.Days[5].OvernightPickup, QStringLiteral("<None>"));
    EXPECT_EQ(view.Cells[5].Colour, doc.BackgroundColour);
    EXPECT_EQ(doc.FirstYearCounters.Overnights, 0);
    EXPECT_TRUE(doc.DistributionStale);
    CellClicked(doc, view, 6, CellButton::Right, false, host, prompter);
    EXPECT_TRUE(doc.Days[5].HasOvernight);
    EXPECT_EQ(doc.Days[5].OvernightReason, QStringLiteral("NN-Weekend"));
    EXPECT_EQ(doc.Days[5].OvernightPickup, QStringLiteral("07:30PM"));
    EXPECT_EQ(doc.FirstYearCounters.Overnights, 1);

    // Removing another day (Ctrl + left) forgets the first.
    doc.Days[6].HasOvernight = true;
    doc.Days[6].OvernightReason = QStringLiteral("Other");
    DrawMonth(doc, view);
    CellClicked(doc, view, 6, CellButton::Right, false, host, prompter);
    CellClicked(doc, view, 7, CellButton::Left, true, host, prompter);
    EXPECT_FALSE(doc.Days[6].HasOvernight);
    CellClicked(doc, view, 6, CellButton::Right, false, host, prompter);
    EXPECT_FALSE(doc.Days[5].HasOvernight);
    EXPECT_TRUE(host.Editors.empty());
    EXPECT_TRUE(prompter.Texts.empty());
}

TEST(CellClicked, DayVisitsAnnotationsAndBlankNoNapReasons)
{
    CalendarDocument doc = Span(0, 2023);
    MonthView view;
    view.Mode = MarkMode::DayVisits;
    DrawMonth(doc, view);
    ScriptedHost host;
    RecordingPrompter prompter;

    host.Editors.push_back([](DayEditRequest& r) {
        EXPECT_EQ(r.Caption, QStringLiteral("Entering a Day Visit."));
        EXPECT_EQ(r.Heading, QStringLiteral("Setting Day Visit for Sunday, JANUARY 1"));
        r.Entry.Reason = QStringLiteral(" ");
        r.Entry.NoNap = true;
        r.Entry.Start = QStringLiteral("10:00AM");
        r.Entry.End = QStringLiteral("04:00PM");
        return true;
    });
    CellClicked(doc, view, 1, CellButton::Left, false, host, prompter);
    EXPECT_EQ(doc.Days[0].DayVisitReason, QStringLiteral("NN- "));
    EXPECT_EQ(doc.DayVisitReasons.Text, QStringLiteral("NN- "));
    EXPECT_TRUE(view.Cells[0].BarVisible);
    EXPECT_EQ(doc.FirstYearCounters.DayVisits, 1);

    // An annotation: kept but not counted, no bar, and removing it leaves the figures current.
    host.Editors.push_back([](DayEditRequest& r) {
        r.Entry.Reason = QStringLiteral("*Called");
        r.Entry.NoNap = true;
        return true;
    });
    CellClicked(doc, view, 2, CellButton::Left, false, host, prompter);
    EXPECT_EQ(doc.Days[1].DayVisitReason, QStringLiteral("*Called")); // no NN- before a "*"
    EXPECT_FALSE(view.Cells[1].BarVisible);
    EXPECT_EQ(doc.FirstYearCounters.DayVisits, 1);
    doc.DistributionStale = false;
    CellClicked(doc, view, 2, CellButton::Right, false, host, prompter);
    EXPECT_FALSE(doc.Days[1].HasDayVisit);
    EXPECT_FALSE(doc.DistributionStale);
}

TEST(CellClicked, RefusesWithoutClientOrCalendar)
{
    CalendarDocument doc = Span(0, 2023);
    MonthView view;
    DrawMonth(doc, view);
    ScriptedHost host;
    RecordingPrompter prompter;
    host.Client.clear();
    CellClicked(doc, view, 1, CellButton::Left, false, host, prompter);
    ASSERT_EQ(prompter.Texts.size(), 1u);
    EXPECT_EQ(prompter.Texts[0], QStringLiteral("A Client Name is a required entry."));
    EXPECT_EQ(host.ClientFocus, 1);

    host.Client = QStringLiteral("Smith");
    ClearCalendar(doc);
    CellClicked(doc, view, 1, CellButton::Left, false, host, prompter);
    ASSERT_EQ(prompter.Texts.size(), 2u);
    EXPECT_EQ(prompter.Texts[1],
              QStringLiteral(
                  "A calendar must be created.  Please click\n\rthe Start button to continue."));
    EXPECT_EQ(host.StartFocus, 1);
    EXPECT_FALSE(doc.ChangesPending);
}

// The hourly figures go stale exactly when a change can alter counted hours: annotations
// ("*...") are never counted, so only marks that are or were counted matter.
TEST(CellClicked, StalenessFollowsCountedMarksOnly)
{
    const QString normal = QStringLiteral("Weekend");
    const QString note = QStringLiteral("*Called");
    enum class Step { Enter, Modify, Remove, Restore };
    const struct {
        const char* What;
        MarkMode Mode;
        Step Action;
        QString Before; // the day's reason before (empty: unmarked)
        QString After;  // the editor's reason
        bool Stale;
    } cases[] = {
        {"enter counted", MarkMode::Overnights, Step::Enter, {}, normal, true},
        {"enter annotation", MarkMode::Overnights, Step::Enter, {}, note, false},
        {"counted to annotation", MarkMode::Overnights, Step::Modify, normal, note, true},
        {"annotation to counted", MarkMode::Overnights, Step::Modify, note, normal, true},
        {"counted to counted", MarkMode::Overnights, Step::Modify, normal, QStringLiteral("Camp"),
         false},
        {"annotation to annotation", MarkMode::Overnights, Step::Modify, note,
         QStringLiteral("*Other"), false},
        {"remove counted", MarkMode::Overnights, Step::Remove, normal, {}, true},
        {"remove annotation", MarkMode::Overnights, Step::Remove, note, {}, false},
        {"restore counted", MarkMode::Overnights, Step::Restore, normal, {}, true},
        {"restore annotation", MarkMode::Overnights, Step::Restore, note, {}, false},
        {"day visit: enter annotation", MarkMode::DayVisits, Step::Enter, {}, note, false},
        {"day visit: annotation to counted", MarkMode::DayVisits, Step::Modify, note, normal, true},
        {"day visit: counted to annotation", MarkMode::DayVisits, Step::Modify, normal, note, true},
        {"day visit: restore annotation", MarkMode::DayVisits, Step::Restore, note, {}, false},
        {"day visit: restore counted", MarkMode::DayVisits, Step::Restore, normal, {}, true},
    };
    for (const auto& c : cases) {
        CalendarDocument doc = Span(0, 2023);
        const bool overnight = c.Mode == MarkMode::Overnights;
        CalendarDay& day = doc.Days[5];
        if (!c.Before.isEmpty()) {
            (overnight ? day.HasOvernight : day.HasDayVisit) = true;
            (overnight ? day.OvernightReason : day.DayVisitReason) = c.Before;
        }
        MonthView view;
        view.Mode = c.Mode;
        DrawMonth(doc, view);
        ScriptedHost host;
        RecordingPrompter prompter;
        const QString after = c.After;
        host.Editors.push_back([after](DayEditRequest& r) {
            r.Entry.Reason = after;
            return true;
        });
        const CellButton button = c.Action == Step::Enter || c.Action == Step::Modify
                                      ? CellButton::Left
                                      : CellButton::Right;
        if (c.Action == Step::Restore)
            CellClicked(doc, view, 6, CellButton::Right, false, host, prompter); // remove first
        doc.DistributionStale = false;
        CellClicked(doc, view, 6, button, false, host, prompter);
        EXPECT_EQ(doc.DistributionStale, c.Stale) << c.What;
        const bool marked = overnight ? doc.Days[5].HasOvernight : doc.Days[5].HasDayVisit;
        EXPECT_EQ(marked, c.Action != Step::Remove) << c.What;
    }
}

// Month 13 has the name of month 1: a click there is about the second year's day.
TEST(CellClicked, SecondYearMonthsMarkTheirOwnDays)
{
    CalendarDocument doc = Span(2, 2024); // March 2024 .. February 2026
    GoToMonth(doc, 13);
    MonthView view;
    DrawMonth(doc, view);
    ASSERT_EQ(view.MonthLabel, QStringLiteral("March    2025"));
    ScriptedHost host;
    RecordingPrompter prompter;
    CellClicked(doc, view, 7, CellButton::Left, true, host, prompter); // nothing to remove
    host.Editors.push_back([](DayEditRequest& r) {
        EXPECT_EQ(r.Heading, QStringLiteral("Setting Overnight for Saturday, MARCH 1"));
        EXPECT_EQ(r.DayIndex, 365);
        return true;
    });
    CellClicked(doc, view, 7, CellButton::Left, false, host, prompter); // Saturday 1 March 2025
    EXPECT_TRUE(doc.Days[static_cast<std::size_t>(doc.SecondYearFirstDay)].HasOvernight);
    EXPECT_FALSE(doc.Days[0].HasOvernight);
    EXPECT_EQ(doc.SecondYearCounters.Overnights, 1);
    EXPECT_EQ(doc.FirstYearCounters.Overnights, 0);
}

TEST(ChooseCounters, RefusedWithoutACalendarKeepsTheChoice)
{
    CalendarDocument doc;
    MonthView view;
    RecordingPrompter prompter;
    EXPECT_FALSE(ChooseCounters(doc, view, CounterChoice::FirstYear, prompter));
    EXPECT_EQ(view.Counters, CounterChoice::BothYears);
    ASSERT_EQ(prompter.Texts.size(), 1u);
    EXPECT_EQ(prompter.Texts[0],
              QStringLiteral("You must create a calendar before showing it's counters.\n\r(Enter "
                             "a Client Name, Beginning Year and Month and click Start)"));
    EXPECT_EQ(ShownCounterTexts(doc, view.Counters), ZeroCounterTexts());

    doc = Span(0, 2023); // 2023 and the leap year 2024
    doc.Days[400].HasOvernight = true;
    doc.Days[400].OvernightReason = QStringLiteral("Weekend");
    const struct {
        CounterChoice Choice;
        const char* Custodial;
    } choices[] = {{CounterChoice::FirstYear, "365"},
                   {CounterChoice::SecondYear, "365"},
                   {CounterChoice::BothYears, "730"}};
    for (const auto& c : choices) {
        EXPECT_TRUE(ChooseCounters(doc, view, c.Choice, prompter)); // recounts
        EXPECT_EQ(view.Counters, c.Choice);
        EXPECT_EQ(ShownCounterTexts(doc, view.Counters)[1], QLatin1String(c.Custodial));
    }
    EXPECT_EQ(prompter.Texts.size(), 1u);
}

} // namespace

namespace {

QString DateOfIndex(const CalendarDocument& doc, int i)
{
    const CalendarDay& day = doc.Days[static_cast<std::size_t>(i)];
    return QStringLiteral("%1-%2-%3")
        .arg(YearOfDay(doc, i))
        .arg(MonthIndexOf(day.MonthName) + 1, 2, 10, QLatin1Char('0'))
        .arg(day.DayOfMonth, 2, 10, QLatin1Char('0'));
}

int IndexOfDate(const CalendarDocument& doc, const QString& date)
{
    for (int i = 0; i < static_cast<int>(doc.Days.size()); ++i)
        if (DateOfIndex(doc, i) == date)
            return i;
    return -1;
}

} // namespace

// The keyboard cursor of the grid crosses month edges and stays within the span.
TEST(GridCursor, KeysMoveTheDayWithinTheSpan)
{
    CalendarDocument doc;
    BuildSpan(doc, 0, 2024); // January 2024 to December 2025
    const struct {
        const char* From;
        GridKey Key;
        const char* To;
    } cases[] = {
        {"2024-01-31", GridKey::Right, "2024-02-01"},
        {"2024-02-01", GridKey::Left, "2024-01-31"},
        {"2024-01-29", GridKey::Down, "2024-02-05"},
        {"2024-02-03", GridKey::Up, "2024-01-27"},
        {"2024-01-31", GridKey::PageDown, "2024-02-29"},
        {"2024-03-15", GridKey::PageUp, "2024-02-15"},
        {"2024-03-15", GridKey::Home, "2024-03-01"},
        {"2024-03-15", GridKey::End, "2024-03-31"},
        {"2024-01-01", GridKey::Left, "2024-01-01"},
        {"2024-01-03", GridKey::Up, "2024-01-01"},
        {"2025-12-30", GridKey::Down, "2025-12-31"},
        {"2025-12-10", GridKey::PageDown, "2025-12-10"},
        {"2024-12-31", GridKey::Right, "2025-01-01"}, // into the second year
    };
    for (const auto& c : cases) {
        const int from = IndexOfDate(doc, QLatin1String(c.From));
        ASSERT_GE(from, 0) << c.From;
        EXPECT_EQ(DateOfIndex(doc, MoveGridCursor(doc, from, c.Key)), QLatin1String(c.To))
            << c.From << " key " << static_cast<int>(c.Key);
    }
    EXPECT_EQ(MonthNumberOfDay(doc, IndexOfDate(doc, QStringLiteral("2025-01-01"))), 13);

    doc.ShownMonthNumber = 2;
    GoToMonth(doc, 2);
    MonthView view;
    DrawMonth(doc, view);
    const int cell = CellOfDay(doc, view, IndexOfDate(doc, QStringLiteral("2024-02-01")));
    ASSERT_GT(cell, 0);
    EXPECT_EQ(view.Cells[static_cast<std::size_t>(cell - 1)].Day, 1);
    EXPECT_EQ(CellOfDay(doc, view, IndexOfDate(doc, QStringLiteral("2024-03-01"))), 0);
}

TEST(GridCursor, EachDaySaysWhatItHolds)
{
    CalendarDocument doc;
    BuildSpan(doc, 2, 2025);           // March 2025
    CalendarDay& friday = doc.Days[6]; // March 7, 2025
    friday.HasOvernight = true;
    friday.OvernightReason = QStringLiteral("Alt weekend");
    friday.OvernightPickup = QStringLiteral("06:00PM");
    CalendarDay& saturday = doc.Days[7];
    saturday.HasDayVisit = true;
    saturday.DayVisitReason = QStringLiteral("Zoo");
    saturday.DayVisitStart = QStringLiteral("09:00AM");
    saturday.DayVisitEnd = QStringLiteral("05:00PM");
    EXPECT_EQ(DayAccessibleName(doc, 6),
              QStringLiteral("Friday, March 7, 2025: overnight, Alt weekend, 06:00PM"));
    EXPECT_EQ(DayAccessibleName(doc, 7),
              QStringLiteral("Saturday, March 8, 2025: day visit, Zoo, 09:00AM to 05:00PM"));
    EXPECT_EQ(DayAccessibleName(doc, 11), QStringLiteral("Wednesday, March 12, 2025: not marked"));
}
