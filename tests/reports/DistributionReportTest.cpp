#include "reports/DistributionReport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace custodex;
using Op = RecordingSurface::Operation;

namespace {

QString T(const char* text)
{
    return QString::fromLatin1(text);
}

// A calendar from March 2024 (year one 365 days, year two 365 days) with a Friday overnight
// of 06:00PM to 09:00AM on March 1, 2024 and a day visit without its dropoff on March 2.
class DistributionReportTest : public ::testing::Test {
protected:
    DistributionReportTest()
    {
        Doc.ClientName = T("Smith");
        BuildSpan(Doc, 2, 2024);
        CalendarDay& friday = Day(1, 1);
        friday.HasOvernight = true;
        friday.OvernightReason = T("Weekend");
        friday.OvernightPickup = T("06:00PM");
        friday.OvernightDropoff = T("09:00AM");
        CalendarDay& saturday = Day(1, 2);
        saturday.HasDayVisit = true;
        saturday.DayVisitReason = T("Dinner");
        saturday.DayVisitStart = T("05:00PM");
    }

    CalendarDay& Day(int monthNumber, int dayOfMonth)
    {
        const MonthTableEntry& month = Doc.MonthTable.at(static_cast<std::size_t>(monthNumber - 1));
        return Doc.Days.at(static_cast<std::size_t>(month.FirstDay + dayOfMonth - 1));
    }

    RecordingSurface DrawScreen(int width)
    {
        RecountCounters(Doc);
        Result = ComputeDistribution(Doc);
        // Recording text is half its height wide per character, so H is the largest height
        // with 6 × H within width × 10 / 85.
        RecordingSurface surface(QSize(width, 200 * 40));
        DrawDistributionScreen(surface, {Doc, Result, T("Generated 12/10/26  3:00:00 AM")});
        return surface;
    }

    static std::vector<const Op*> Texts(const RecordingSurface& surface, const QString& prefix)
    {
        std::vector<const Op*> found;
        for (const Op& op : surface.Operations)
            if (op.What == Op::Text && op.Words.startsWith(prefix))
                found.push_back(&op);
        return found;
    }

    static std::vector<const Op*> Fills(const RecordingSurface& surface)
    {
        std::vector<const Op*> found;
        for (const Op& op : surface.Operations)
            if (op.What == Op::Fill)
                found.push_back(&op);
        return found;
    }

    CalendarDocument Doc;
    DistributionResult Result;
};

TEST(DistributionReportMetrics, FontHeightRowHeightAndDayWidth)
{
    struct Case {
        int Width;
        int FontHeight; // 6 × H <= width × 10 / 85
        int DayWidth;   // for 365 days; "24hrs." (3 × H wide) must fit right of the graph
    };
    for (const Case& c : {Case{1200, 23, 2}, Case{2400, 47, 5}, Case{600, 11, 1}}) {
        RecordingSurface surface(QSize(c.Width, 1000));
        const int H = DistributionFontHeight(surface, c.Width);
        EXPECT_EQ(H, c.FontHeight) << c.Width;
        const DistributionGraphGeometry graph = ComputeGraphGeometry(surface, c.Width, 365, H);
        EXPECT_EQ(graph.DayWidth, c.DayWidth) << c.Width;
        EXPECT_EQ(graph.Width, 365 * c.DayWidth + 24) << c.Width;
        EXPECT_EQ(graph.Left, (c.Width - graph.Width) / 2) << c.Width;
    }
    // 8 × H split in 96 rows, one more pixel when something is left over.
    for (const auto& [height, row] :
         std::vector<std::pair<int, int>>{{12, 1}, {13, 2}, {23, 2}, {24, 2}, {25, 3}, {100, 9}})
        EXPECT_EQ(DistributionRowHeight(height), row) << height;
    // The largest height is 100, even on a very wide surface.
    RecordingSurface wide(QSize(20000, 100));
    EXPECT_EQ(DistributionFontHeight(wide, 20000), 100);
}

TEST_F(DistributionReportTest, ScreenPagesStandAtTheirLines)
{
    const RecordingSurface surface = DrawScreen(1200);
    const int H = 23;
    struct Place {
        const char* Prefix;
        int Line;
    };
    const Place page1[] = {{"Custodex Calendar Hourly Distribution Report For:  Smith", 2},
                           {"Generated 12/10/26", 3},
                           {"For Calendar Year March 2024 thru February 2025", 6},
                           {"Marked Overnight Stays for Non-Custodial = 1 (00.3%)", 9},
                           {"Prepared By", -1}};
    for (const Place& place : page1) {
        const auto found = Texts(surface, T(place.Prefix));
        if (place.Line < 0) {
            EXPECT_TRUE(found.empty()) << "no author and no title: no credits";
            continue;
        }
        ASSERT_FALSE(found.empty()) << place.Prefix;
        EXPECT_EQ(found.front()->Area.top(), place.Line * H) << place.Prefix;
        // Centred on the surface.
        EXPECT_NEAR(found.front()->Area.center().x(), 600, 1) << place.Prefix;
    }
    const auto secondYear = Texts(surface, T("For Calendar Year March 2025 thru February 2026"));
    ASSERT_EQ(secondYear.size(), 2u); // above the graphs and above the table
    EXPECT_EQ(secondYear.front()->Area.top(), 94 * H);
    EXPECT_EQ(Texts(surface, T("Custodex Calendar Hourly"))[1]->Area.top(), 90 * H);

    // The page numbers, centred over the graph (223 .. 977).
    const auto one = std::find_if(surface.Operations.begin(), surface.Operations.end(),
                                  [](const Op& op) { return op.Words == T("1"); });
    ASSERT_NE(one, surface.Operations.end());
    EXPECT_EQ(one->Area.top(), 85 * H);
    EXPECT_EQ(one->Area.left(), 223 + (754 - one->Area.width()) / 2);
    const auto two = std::find_if(surface.Operations.begin(), surface.Operations.end(),
                                  [](const Op& op) { return op.Words == T("2"); });
    ASSERT_NE(two, surface.Operations.end());
    EXPECT_EQ(two->Area.top(), 173 * H);

    // The dashed separator at line 88, across the whole width.
    int dashes = 0;
    int left = 1200;
    int right = 0;
    for (const Op& op : surface.Operations)
        if (op.What == Op::Line && op.Area.top() == 88 * H && op.Area.bottom() == 88 * H) {
            ++dashes;
            left = std::min(left, op.Area.left());
            right = std::max(right, op.Area.right());
        }
    EXPECT_GT(dashes, 50);
    EXPECT_EQ(left, 0);
    EXPECT_GE(right, 1190);
}

TEST_F(DistributionReportTest, GraphsCaptionsTotalsAndRedDays)
{
    Doc.OvernightColour = 0x00FF00;
    const RecordingSurface surface = DrawScreen(1200);
    const int H = 23;
    const int row = 2;
    const int top = 10 * H; // one line under the overnight caption at line 9
    const int bottom = top + 96 * row;
    const int left = 223;
    const int dayWidth = 2;

    // March 1 is the first column after March's separator; its evening (quarters 72 to 96)
    // hangs from the top edge; March 2 gets the 09:00AM morning from the bottom edge.
    const auto fills = Fills(surface);
    ASSERT_GE(fills.size(), 3u);
    EXPECT_EQ(fills[0]->Area, QRect(left + 2, top, dayWidth, 24 * row));
    EXPECT_EQ(fills[0]->Colour, 0x00FF00);
    EXPECT_EQ(fills[1]->Area, QRect(left + 2 + dayWidth, bottom - 36 * row, dayWidth, 36 * row));
    EXPECT_EQ(fills[1]->Colour, 0x00FF00);

    // The Saturday visit has no dropoff: the assumed 12 hours from midnight, in red.
    const auto dayVisitCaption = Texts(surface, T("Marked Day Visits  for Non-Custodial = 1 ("));
    ASSERT_EQ(dayVisitCaption.size(), 1u);
    const int visitBottom = dayVisitCaption[0]->Area.top() + H + 96 * row;
    EXPECT_EQ(fills[2]->Area,
              QRect(left + 2 + dayWidth, visitBottom - 48 * row, dayWidth, 48 * row));
    EXPECT_EQ(fills[2]->Colour, 0x0000FF);

    // Totals one line and 4 pixels under the graph; the day-visit caption three lines below.
    const auto overnightTotals =
        Texts(surface, T("Total OverNights = 1, Total OverNight Stay Time = 15 Hrs 0 Mins"));
    ASSERT_EQ(overnightTotals.size(), 1u);
    EXPECT_EQ(overnightTotals[0]->Area.top(), bottom + H + 4);
    EXPECT_EQ(dayVisitCaption[0]->Area.top(), bottom + H + 4 + 3 * H);
    EXPECT_EQ(
        Texts(surface, T("Total Day Visits = 1, Total Day Visit Time = 12 Hrs 0 Mins")).size(), 1u);

    // Month labels 3 pixels under the graph, "24hrs" and "12hrs" 4 pixels right of it.
    const auto march = std::find_if(surface.Operations.begin(), surface.Operations.end(),
                                    [](const Op& op) { return op.Words == T("Mar"); });
    ASSERT_NE(march, surface.Operations.end());
    EXPECT_EQ(march->Area.top(), bottom + 3);
    const auto hours24 = Texts(surface, T("24hrs"));
    ASSERT_FALSE(hours24.empty());
    EXPECT_EQ(hours24[0]->Area.left(), left + 754 + 1 + 4);
    EXPECT_EQ(hours24[0]->Area.top(), top - H / 2);
    EXPECT_EQ(Texts(surface, T("12hrs"))[0]->Area.top(), top + 48 * row - H / 2);
    // Every month's three letters, year one then year two, four graphs in all.
    EXPECT_EQ(Texts(surface, T("Feb")).size(), 4u);
}

TEST_F(DistributionReportTest, WeekdayTableCreditsAndNotes)
{
    Doc.Author = T("");
    Doc.Title = T("   Mediator");
    const RecordingSurface surface = DrawScreen(1200);
    const int H = 23;

    // Width: "Days of Week" + 2 × "# Visits" + 2 × "1000 Hrs. 60 Mins." + 62, centred over the
    // graph; nine rows of H + 4; the frame 2 pixels wide.
    const int tableWidth = (12 + 2 * 8 + 2 * 18) * H / 2 + 62;
    const auto title = Texts(surface, T("Distribution by Day of Week"));
    ASSERT_EQ(title.size(), 2u);
    const auto frame = std::find_if(surface.Operations.begin(), surface.Operations.end(),
                                    [](const Op& op) { return op.What == Op::Rectangle; });
    ASSERT_NE(frame, surface.Operations.end());
    EXPECT_EQ(frame->Area, QRect(223 + (754 - tableWidth) / 2, title[0]->Area.top() + H, tableWidth,
                                 9 * (H + 4)));
    const auto pen = std::prev(frame);
    EXPECT_EQ(pen->What, Op::Pen);
    EXPECT_EQ(pen->Number, 2);

    // Friday's row: one overnight of 6 hours, and Saturday's 9 morning hours.
    const auto fridayRow = Texts(surface, T("Friday"));
    ASSERT_FALSE(fridayRow.empty());
    const auto friday = std::find_if(surface.Operations.begin(), surface.Operations.end(),
                                     [&](const Op& op) { return &op == fridayRow[0]; });
    EXPECT_EQ(std::next(friday)->Words, T("001"));
    EXPECT_EQ(std::next(friday, 2)->Words, T("0006 Hrs. 00 Mins."));
    EXPECT_EQ(std::next(friday, 3)->Words, T("000"));
    EXPECT_EQ(Texts(surface, T("0009 Hrs. 00 Mins.")).size(), 1u);
    EXPECT_EQ(Texts(surface, T("0012 Hrs. 00 Mins.")).size(), 1u); // the Saturday visit

    // The title stands in for the missing author, on one line ending at W - W/17.
    const auto credits = Texts(surface, T("Prepared By:  "));
    ASSERT_EQ(credits.size(), 2u);
    EXPECT_EQ(credits[0]->Words, T("Prepared By:  Mediator"));
    EXPECT_EQ(credits[0]->Area.top(), 80 * H);
    EXPECT_EQ(credits[0]->Area.left() + credits[0]->Area.width(), 1200 - 1200 / 17);
    EXPECT_EQ(credits[1]->Area.top(), 168 * H);
    EXPECT_TRUE(Texts(surface, T("Mediator")).empty());

    // Only the day visits had problems: their note stands where the overnight note would.
    EXPECT_TRUE(Texts(surface, T("Assumed Overnight Stay Time")).empty());
    const auto notes = Texts(surface, T("Assumed Day Visit Time =  12 Hrs. 00 Mins. "));
    ASSERT_EQ(notes.size(), 2u); // year one's page, and page 2 that speaks of both years
    EXPECT_EQ(notes[0]->Area.topLeft(), QPoint(1200 / 17, 80 * H));
    EXPECT_EQ(notes[1]->Area.topLeft(), QPoint(1200 / 17, 168 * H));
    const auto applied = Texts(surface, T("     has been applied to 1 or more day visits."));
    ASSERT_EQ(applied.size(), 2u);
    EXPECT_EQ(applied[0]->Area.top(), 81 * H);
}

TEST_F(DistributionReportTest, NotesOfPageTwoSpeakOfBothYearsAndStackUnderEachOther)
{
    Doc.Author = T(" Pat Lee");
    Doc.Title = T("Mediator");
    // Year two: an overnight without times (a message, the assumed stay noted).
    CalendarDay& later = Day(14, 10);
    later.HasOvernight = true;
    later.OvernightReason = T("Visit");
    const RecordingSurface surface = DrawScreen(1200);
    const int H = 23;
    const auto overnight = Texts(surface, T("Assumed Overnight Stay Time =  24 Hrs. 00 Mins. "));
    ASSERT_EQ(overnight.size(), 1u); // page 2 only
    EXPECT_EQ(overnight[0]->Area.top(), 168 * H);
    const auto dayVisit = Texts(surface, T("Assumed Day Visit Time"));
    ASSERT_EQ(dayVisit.size(), 2u);
    EXPECT_EQ(dayVisit[0]->Area.top(), 80 * H);
    EXPECT_EQ(dayVisit[1]->Area.top(), 170 * H); // two lines under the overnight note

    const auto author = Texts(surface, T("Prepared By:  Pat Lee"));
    const auto title = Texts(surface, T("Mediator"));
    ASSERT_EQ(author.size(), 2u);
    ASSERT_EQ(title.size(), 2u);
    EXPECT_EQ(title[0]->Area.top(), 81 * H);
    EXPECT_EQ(title[0]->Area.right(), author[0]->Area.right());
}

TEST_F(DistributionReportTest, PaperPagesStartAtTheirOwnLines)
{
    RecountCounters(Doc);
    Result = ComputeDistribution(Doc);
    RecordingSurface surface(QSize(DistributionPictureWidth, DistributionPictureHeight));
    DrawDistributionPaper(surface, {Doc, Result, T("Generated")});
    const int H = 23;
    const int credits = 1575 - 1575 / 11 - 2 * H;
    EXPECT_EQ(std::count_if(surface.Operations.begin(), surface.Operations.end(),
                            [](const Op& op) { return op.What == Op::Page; }),
              1);
    const auto headers = Texts(surface, T("Custodex Calendar Hourly"));
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_EQ(headers[0]->Area.top(), 3 * H);
    EXPECT_EQ(headers[1]->Area.top(), 3 * H);
    const auto headings = Texts(surface, T("For Calendar Year"));
    ASSERT_EQ(headings.size(), 4u);
    EXPECT_EQ(headings[0]->Area.top(), 8 * H);
    EXPECT_EQ(headings[2]->Area.top(), 8 * H);
    EXPECT_TRUE(headings[2]->Words.startsWith(T("For Calendar Year March 2025")));
    const auto notes = Texts(surface, T("Assumed Day Visit Time"));
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0]->Area.top(), credits);
    const auto pageTwo = std::find_if(surface.Operations.begin(), surface.Operations.end(),
                                      [](const Op& op) { return op.Words == T("2"); });
    ASSERT_NE(pageTwo, surface.Operations.end());
    EXPECT_EQ(pageTwo->Area.top(), credits + 5 * H);
    // Everything stays on the page.
    for (const Op& op : surface.Operations) {
        if (op.What == Op::Text) {
            EXPECT_LE(op.Area.bottom(), 1575) << op.Words.toStdString();
        }
    }
}

TEST(DistributionErrorList, FontFitsSixtyDigitsInHalfThePageAndPagesBreakAtTheBottom)
{
    QStringList lines;
    for (int i = 0; i < 20; ++i)
        lines << QStringLiteral("line %1").arg(i);
    // 60 digits at h / 2 each within 600 pixels: h = 20; the page holds lines until one ends
    // within 3 lines (60 pixels) of the bottom.
    RecordingSurface surface(QSize(1200, 400));
    DrawDistributionErrorList(surface, lines);
    std::vector<int> tops;
    int pages = 1;
    std::vector<int> perPage{0};
    for (const Op& op : surface.Operations) {
        if (op.What == Op::Font) {
            EXPECT_GE(op.Number, 20);
        }
        if (op.What == Op::Page) {
            ++pages;
            perPage.push_back(0);
        }
        if (op.What == Op::Text) {
            EXPECT_EQ(op.Number, 20);
            EXPECT_EQ(op.Area.left(), 0);
            tops.push_back(op.Area.top());
            ++perPage.back();
        }
    }
    ASSERT_EQ(tops.size(), 20u);
    EXPECT_EQ(tops[0], 80);   // 4 lines
    EXPECT_EQ(tops[12], 320); // the last line ending at 340, 3 lines above the bottom
    EXPECT_EQ(tops[13], 100); // 5 lines on the next page
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(perPage, (std::vector<int>{13, 7}));

    // The last line never starts an empty page.
    RecordingSurface exact(QSize(1200, 400));
    DrawDistributionErrorList(exact, lines.mid(0, 13));
    EXPECT_TRUE(std::none_of(exact.Operations.begin(), exact.Operations.end(),
                             [](const Op& op) { return op.What == Op::Page; }));
}

} // namespace
