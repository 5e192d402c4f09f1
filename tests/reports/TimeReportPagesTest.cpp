#include "reports/TimeReportPages.h"

#include "calendar/Colour.h"
#include "output/DrawingSurface.h"

#include <QImage>
#include <QtMath>
#include <gtest/gtest.h>

using namespace custodex;
using Op = RecordingSurface::Operation;

namespace {

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

const QString Generated = T("Generated 3/1/24  10:00:00 AM");

// Smith's calendar from March 2024 with two overnights, so the counters read 2 and 0.
CalendarDocument Smith()
{
    CalendarDocument doc;
    doc.ClientName = T("Smith");
    doc.CustodialName = T("Mother");
    doc.NonCustodialName = T("Father");
    BuildSpan(doc, 2, 2024);
    for (int i : {4, 400}) {
        doc.Days.at(static_cast<std::size_t>(i)).HasOvernight = true;
        doc.Days.at(static_cast<std::size_t>(i)).OvernightReason = T("Weekend");
    }
    RecountCounters(doc);
    doc.SleepTime = T("08:30");
    doc.NapTime = T("01:00");
    return doc;
}

// Results whose shares read 52.3% (custodial) and 10.4% (non-custodial) over 730 days.
QualityReport Shares52And10(const CalendarDocument& doc, int activities)
{
    QualityReport report;
    report.Results.Days = 730;
    report.Results.CusttotQual = 549800;    // 5230 hundredths
    report.Results.NonCustTotQual = 109400; // 1040 hundredths
    report.Period = QualityPeriod(doc);
    report.NoNapOvernights = 3;
    report.NoNapDayVisits = 1;
    for (int i = 0; i < activities; ++i)
        report.Activities.push_back({T("School") + QString::number(i + 1), T("06:30"), T("100"),
                                     T("80"), T("20"), T("No")});
    return report;
}

std::vector<Op> OfKind(const RecordingSurface& surface, Op::Kind kind)
{
    std::vector<Op> found;
    for (const Op& op : surface.Operations)
        if (op.What == kind)
            found.push_back(op);
    return found;
}

int CentredX(int left, int right, const QString& text, int font)
{
    return left + (right - left - static_cast<int>(text.size()) * font / 2) / 2;
}

TEST(ReportPageMetrics, PictureAndOddSizes)
{
    const ReportPageMetrics picture = ComputeReportPageMetrics(ReportPictureSize);
    EXPECT_EQ(picture.M, 70);
    EXPECT_EQ(picture.R, 200);
    EXPECT_EQ(picture.L, 17);
    EXPECT_EQ(picture.L2, 24); // 1575 mod 66 = 57 rounds up
    const ReportPageMetrics odd = ComputeReportPageMetrics(QSize(1004, 1320));
    EXPECT_EQ(odd.R, 167); // 1004 mod 6 = 2 does not round up
    EXPECT_EQ(odd.L2, 20); // 1320 mod 66 = 0
    EXPECT_EQ(ComputeReportPageMetrics(QSize(1010, 1353)).R, 168); // 1010 mod 6 = 2
    EXPECT_EQ(ComputeReportPageMetrics(QSize(1009, 1353)).R, 168); // 1009 mod 6 = 1
    EXPECT_EQ(ComputeReportPageMetrics(QSize(1013, 1353)).R, 169); // 1013 mod 6 = 5
    EXPECT_EQ(ComputeReportPageMetrics(QSize(1013, 1353)).L2, 20); // 1353 mod 66 = 33
}

TEST(QualitySummaryPage, HeadingTitlesBoxRowsAndNotes)
{
    const CalendarDocument doc = Smith();
    RecordingSurface surface(ReportPictureSize);
    EXPECT_EQ(DrawQualitySummaryPage(surface, doc, Shares52And10(doc, 2), Generated), 0);
    const int L = 17;

    struct Expected {
        const char* Text;
        int X, Y; // X < 0: centred across the page
    };
    const std::vector<Expected> expected{
        {"Quality Time Summary For:  Smith", -1, 70},
        {"For Calendar Year Beginning on March 2024 through February 2026", -1, 70 + L},
        {"Total Overnights=2   Day Visits=0    Generated 3/1/24  10:00:00 AM", -1, 70 + 2 * L},
        {"  Total Custody Time:  0 Hrs 0 Mins", 70, 138 + 3 * L},
        {"  Total Custody Time:  0 Hrs  0 Mins", 600, 138 + 3 * L},
        {"       Total Sleep Time (minus):  ", 70, 138 + 5 * L},
        {"       Total Day Visit Nap Time (minus):  ", 600, 138 + 6 * L},
        {"       Total Away Time (minus):  ", 70, 138 + 7 * L},
        {"       Total Away Time (Minus):  ", 600, 138 + 7 * L},
        {"  Total Quality hours:  9163 Hrs 20 Mins", 70, 138 + 9 * L},
        {"  Quality Time (percent of year):  52.3%", 70, 138 + 11 * L},
        {"  Quality Time (percent of year):  10.4%", 600, 138 + 11 * L},
        // The box ends 8 lines and one line per activity above the foot.
        {"Assumed Overnight sleep time = 08 Hrs 30 Mins ", 70, 1405 + L},
        {"Assumed Daytime nap time = 01 Hrs 00 Mins ", 70, 1405 + 2 * L},
        {"There are 3 Overnight Stays without nap time.", 70, 1405 + 3 * L},
        {"There are 1 Day Visits without nap time.", 70, 1405 + 4 * L},
        {"Away -School1 - 06:30Hrs. - Applied 80 days to Mother, 20 days to Father.", 70,
         1405 + 5 * L},
        {"Away -School2 - 06:30Hrs. - Applied 80 days to Mother, 20 days to Father.", 70,
         1405 + 6 * L},
    };
    for (const Expected& e : expected) {
        const Op* op = surface.FindText(T(e.Text));
        ASSERT_NE(op, nullptr) << e.Text;
        EXPECT_EQ(op->Area.x(), e.X < 0 ? CentredX(0, 1200, op->Words, L) : e.X) << e.Text;
        EXPECT_EQ(op->Area.y(), e.Y) << e.Text;
        EXPECT_EQ(op->Number, L);
        EXPECT_TRUE(op->Bold);
    }
    // The parents' titles centred in their halves, two lines above the box.
    const Op* mother = surface.FindText(T("Mother"));
    ASSERT_NE(mother, nullptr);
    EXPECT_EQ(mother->Area.topLeft(), QPoint(CentredX(70, 600, T("Mother"), L), 138));
    const Op* father = surface.FindText(T("Father"));
    ASSERT_NE(father, nullptr);
    EXPECT_EQ(father->Area.topLeft(), QPoint(CentredX(600, 1130, T("Father"), L), 138));

    const std::vector<Op> boxes = OfKind(surface, Op::Rectangle);
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].Area, QRect(QPoint(70, 138 + 2 * L), QPoint(1130, 1405)));
    const std::vector<Op> lines = OfKind(surface, Op::Line);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].Area, QRect(QPoint(600, 172), QPoint(600, 1405)));
    // The page starts white.
    EXPECT_EQ(surface.Operations.front().What, Op::Fill);
    EXPECT_EQ(surface.Operations.front().Colour, 0xFFFFFF);
}

TEST(QualitySummaryPage, ActivitiesPushTheBoxUpUntilTheyNoLongerFit)
{
    const CalendarDocument doc = Smith();
    struct Case {
        int Activities;
        int BoxBottom;
        int NotDrawn;
    };
    const int L = 17;
    const std::vector<Case> cases{
        {0, 1575 - 8 * L, 0},
        {30, 1575 - 8 * L - 30 * L, 0},
        // The box keeps its rows: it ends two lines below the last one; 64 lines still fit.
        {70, 138 + 13 * L, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Activities);
        RecordingSurface surface(ReportPictureSize);
        EXPECT_EQ(DrawQualitySummaryPage(surface, doc, Shares52And10(doc, c.Activities), Generated),
                  c.NotDrawn);
        EXPECT_EQ(OfKind(surface, Op::Rectangle).at(0).Area.bottom(), c.BoxBottom);
        int lowest = 0;
        for (const Op& op : OfKind(surface, Op::Text))
            lowest = std::max(lowest, op.Area.y());
        EXPECT_LE(lowest, 1575 - 3 * L);
        EXPECT_EQ(surface.FindText(T("There were no away time activities applied.")) != nullptr,
                  c.Activities == 0);
    }
    RecordingSurface preview(ReportPictureSize);
    DrawQualitySummaryPage(preview, doc, Shares52And10(doc, 0), Generated, true);
    EXPECT_EQ(preview.FindText(T("Quality Time Summary For:"))->Number, L + 2);
}

TEST(QualitySummaryPage, RowsShrinkToFitTheirHalfOnANarrowPage)
{
    const CalendarDocument doc = Smith();
    RecordingSurface surface(QSize(600, 1575)); // M = 35, the right half from 300 to 565
    DrawQualitySummaryPage(surface, doc, Shares52And10(doc, 0), Generated, true);
    const Op* longest = surface.FindText(T("       Total Overnight Sleep Time (minus):  "));
    ASSERT_NE(longest, nullptr);
    EXPECT_LE(longest->Area.right(), 600 - 35);
    EXPECT_LT(longest->Number, 17 + 2);
    // The heading and the notes below the box keep the page's font.
    EXPECT_EQ(surface.FindText(T("Quality Time Summary For:"))->Number, 17 + 2);
    EXPECT_EQ(surface.FindText(T("Assumed Overnight sleep time"))->Number, 17 + 2);
}

TEST(QualityPiePage, SlicesLegendAndFrame)
{
    const CalendarDocument doc = Smith();
    RecordingSurface surface(ReportPictureSize);
    DrawQualityPiePage(surface, doc, Shares52And10(doc, 0), Generated);
    const int L2 = 24;

    const Op* title = surface.FindText(T("Quality Time Pie Chart For:  Smith"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Area.topLeft(), QPoint(CentredX(0, 1200, title->Words, L2), 70));
    const Op* heading = surface.FindText(T("Quality Time (Percent)"));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->Area.y(), 787 - 200 - 3 * L2);

    const std::vector<Op> frames = OfKind(surface, Op::Rectangle);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames[0].Area, QRect(QPoint(70, 70 + 4 * L2), QPoint(1130, 1575 - 8 * 17)));

    // A white disc, then 188.28 degrees clockwise and 37.44 counter-clockwise from 3 o'clock.
    const std::vector<Op> pies = OfKind(surface, Op::Pie);
    ASSERT_EQ(pies.size(), 3U);
    const QRect disc(400, 587, 400, 400);
    struct Slice {
        int Start, Span;
        std::int32_t Colour;
    };
    const std::vector<Slice> slices{
        {0, 36000, 0xFFFFFF}, {0, -18828, 0xE8E8E8}, {0, 3744, 0xC0C0C0}};
    for (std::size_t i = 0; i < slices.size(); ++i) {
        EXPECT_EQ(pies[i].Area, disc);
        EXPECT_EQ(pies[i].Number, slices[i].Start);
        EXPECT_EQ(pies[i].Span, slices[i].Span);
        EXPECT_EQ(pies[i].Colour, slices[i].Colour);
    }

    const QString widest = T("   Total Sleep Times and Away Times = 66.6%");
    const int x = (1200 - static_cast<int>(widest.size()) * L2 / 2) / 2;
    const std::vector<std::pair<const char*, std::int32_t>> legend{
        {"Quality Time for Mother = 52.3%", 0xE8E8E8},
        {"Quality Time for Father = 10.4%", 0xC0C0C0},
        {"Total Sleep Times and Away Times = 37.3%", 0xFFFFFF}};
    const std::vector<Op> fills = OfKind(surface, Op::Fill);
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const Op* row = surface.FindText(T(legend[i].first));
        ASSERT_NE(row, nullptr) << legend[i].first;
        const int y = 787 + 200 + L2 + static_cast<int>(i) * (L2 + L2 / 2);
        EXPECT_EQ(row->Area.topLeft(), QPoint(x + 2 * L2, y));
        const Op& square = fills.at(i + 1); // after the white page
        EXPECT_EQ(square.Area, QRect(x, y, L2, L2));
        EXPECT_EQ(square.Colour, legend[i].second);
    }
}

TEST(CarePage, HeadingPieAndLegend)
{
    CalendarDocument doc = Smith();
    doc.BackgroundColour = 0x00FF00;
    std::array<DistributionYear, 2> years{};
    years[0].FirstDay = 0;
    years[0].EndDay = 365;
    years[0].OvernightWeekdays[5] = {104, 93600};
    const CareResults results = ComputeCare(doc, years, CarePeriod::FirstYear);
    RecordingSurface surface(ReportPictureSize);
    DrawCarePage(surface, doc, results, Generated);
    const int L2 = 24;
    const int legendLine = 19;

    struct Expected {
        const char* Text;
        int Y;
    };
    const std::vector<Expected> centred{
        {"Parental Care Time Pie Chart For:  Smith", 70},
        {"For Calendar Year Beginning March 2024 through February 2025", 70 + L2},
        {"Total Overnights=104   Day Visits=0    Generated 3/1/24  10:00:00 AM", 70 + 2 * L2},
        {"Parental Care Time (Percent)", 787 - 200 - 4 * L2},
        {"(Total Care Hours = 8760)", 787 - 200 - 3 * L2},
    };
    for (const Expected& e : centred) {
        const Op* op = surface.FindText(T(e.Text));
        ASSERT_NE(op, nullptr) << e.Text;
        EXPECT_EQ(op->Area.topLeft(), QPoint(CentredX(0, 1200, op->Words, L2), e.Y)) << e.Text;
    }
    const std::vector<Op> pies = OfKind(surface, Op::Pie);
    ASSERT_EQ(pies.size(), 3U);
    EXPECT_EQ(pies[1].Span, -822 * 36);
    EXPECT_EQ(pies[1].Colour, 0x00FF00);
    EXPECT_EQ(pies[2].Span, 178 * 36);
    EXPECT_EQ(pies[2].Colour, 0xC0C0C0);

    const QString custodial = T("  Care Time for Mother is 7200 Hrs 0 Mins = 82.2%");
    const QString other = T("  Care Time for Father is 1560 Hrs  0 Mins = 17.8%");
    const int x = (1200 - static_cast<int>(other.size() + 1) * legendLine / 2) / 2;
    const Op* first = surface.FindText(custodial);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Number, legendLine);
    EXPECT_EQ(first->Area.topLeft(), QPoint(x + 2 * legendLine, 787 + 200 + legendLine));
    const Op* second = surface.FindText(other);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Area.y(), first->Area.y() + legendLine + legendLine / 2);
}

TEST(ReportPictures, FileNamesAndMessages)
{
    EXPECT_EQ(QualityPictureName(T("/c/"), T("Smith"), 1, T(".bmp")), T("/c/Smith_QualTime_1.bmp"));
    EXPECT_EQ(QualityPictureName(T("/c/"), T("Smith"), 2, T(".jpg")), T("/c/Smith_QualTime_2.jpg"));
    EXPECT_EQ(CarePictureName(T("/c/"), T("Smith"), CarePeriod::BothYears, T(".jpg")),
              T("/c/Smith_CareTimeYrs1&2.jpg"));
    EXPECT_EQ(CarePictureName(T(""), T("Smith"), CarePeriod::FirstYear, T(".bmp")),
              T("Smith_CareTimeYr1.bmp"));
    EXPECT_EQ(CarePictureName(T(""), T("Smith"), CarePeriod::SecondYear, T(".bmp")),
              T("Smith_CareTimeYr2.bmp"));
    EXPECT_EQ(QualityPicturesSavedMessage(T("a_QualTime_1.bmp"), T("a_QualTime_2.bmp")),
              T("Quality Time Report has been saved to file\n\ra_QualTime_1.bmp\n\rAnd "
                "\n\ra_QualTime_2.bmp"));
    EXPECT_EQ(CarePictureSavedMessage(T("a.jpg")),
              T("Parental Care Time Report has been saved to file\n\ra.jpg"));
}

// The colour at `degrees` counter-clockwise from 3 o'clock, halfway out from the centre.
QColor PieColourAt(const QImage& image, double degrees)
{
    const double radians = qDegreesToRadians(degrees);
    const int x = 600 + qRound(100 * std::cos(radians));
    const int y = 787 - qRound(100 * std::sin(radians));
    return image.pixelColor(x, y);
}

TEST(QualityPiePage, PiePixelsOnAPicture)
{
    CalendarDocument doc = Smith();
    doc.OvernightColour = 0x0000FF; // red
    struct Case {
        const char* Label;
        std::int32_t Background;
        QColor Custodial;
    };
    const std::vector<Case> cases{
        {"white background: a slice derived from the overnight colour", 0xFFFFFF,
         QColor(0, 0, 255)},
        {"a coloured background is the slice", 0x00FF00, QColor(0, 255, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Label);
        doc.BackgroundColour = c.Background;
        QImage image(ReportPictureSize, QImage::Format_RGB32);
        {
            PainterSurface surface(image);
            DrawQualityPiePage(surface, doc, Shares52And10(doc, 0), Generated);
        }
        const QColor red(255, 0, 0);
        const QColor white(255, 255, 255);
        // Custodial: 0 to -188.28 degrees; non-custodial: 0 to 37.44; white elsewhere.
        EXPECT_EQ(PieColourAt(image, -10), c.Custodial);
        EXPECT_EQ(PieColourAt(image, -90), c.Custodial);
        EXPECT_EQ(PieColourAt(image, -185), c.Custodial);
        EXPECT_EQ(PieColourAt(image, -192), white);
        EXPECT_EQ(PieColourAt(image, 10), red);
        EXPECT_EQ(PieColourAt(image, 34), red);
        EXPECT_EQ(PieColourAt(image, 41), white);
        EXPECT_EQ(PieColourAt(image, 120), white);
        // The outline is black and the page outside the pie white.
        EXPECT_EQ(image.pixelColor(600, 787 - 200), QColor(0, 0, 0));
        EXPECT_EQ(image.pixelColor(600, 787 - 230), white);
    }
}

} // namespace
