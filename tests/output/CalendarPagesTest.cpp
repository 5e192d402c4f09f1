#include "output/CalendarPages.h"

#include "calendar/CalendarFile.h"
#include "output/CalendarLists.h"
#include "output/CalendarPrintout.h"
#include "output/DrawingSurface.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <map>
#include <thread>

using namespace custodex;

namespace {

using Op = RecordingSurface::Operation;

const QString Generated = QStringLiteral("Generated 1/1/04  10:00:00 AM");
const QSize Portrait(1200, 1575);
const QSize Landscape(1575, 1200);

// January 2004 to December 2005; January 1, 2004 is a Thursday.
CalendarDocument January2004(const QString& client = QStringLiteral("Smith"))
{
    CalendarDocument doc;
    doc.ClientName = client;
    BuildSpan(doc, 0, 2004);
    RecountCounters(doc);
    return doc;
}

CalendarDay& Day(CalendarDocument& doc, int month, int dayOfMonth)
{
    const int first = doc.MonthTable[static_cast<std::size_t>(month - 1)].FirstDay;
    return doc.Days[static_cast<std::size_t>(first + dayOfMonth - 1)];
}

void Overnight(CalendarDocument& doc, int month, int dayOfMonth, const QString& reason,
               const QString& pickup = NoTimeText, const QString& dropoff = NoTimeText)
{
    CalendarDay& day = Day(doc, month, dayOfMonth);
    day.HasOvernight = true;
    day.OvernightReason = reason;
    day.OvernightPickup = pickup;
    day.OvernightDropoff = dropoff;
}

void DayVisit(CalendarDocument& doc, int month, int dayOfMonth, const QString& reason)
{
    CalendarDay& day = Day(doc, month, dayOfMonth);
    day.HasDayVisit = true;
    day.DayVisitReason = reason;
}

CalendarPageInput Input(const CalendarDocument& doc)
{
    return {doc, MarkColoursOf(doc), Generated, {}};
}

std::vector<const Op*> Texts(const RecordingSurface& surface, const QString& prefix)
{
    std::vector<const Op*> found;
    for (const Op& op : surface.Operations)
        if (op.What == Op::Text && op.Words.startsWith(prefix))
            found.push_back(&op);
    return found;
}

const Op* ExactText(const RecordingSurface& surface, const QString& words)
{
    for (const Op& op : surface.Operations)
        if (op.What == Op::Text && op.Words == words)
            return &op;
    return nullptr;
}

bool HasFill(const RecordingSurface& surface, const QRect& rect, std::int32_t colour)
{
    for (const Op& op : surface.Operations)
        if (op.What == Op::Fill && op.Area == rect && op.Colour == colour)
            return true;
    return false;
}

TEST(CalendarPageGeometry, YearPageBlocksForBothOrientations)
{
    struct Case {
        QSize Page;
        YearPageGeometry Expected;
    };
    // s, T, gx (with the cut of g), gy (with the cut of h), g, h, C, R, Wc.
    const Case cases[] = {
        {Portrait, {70, 143, 19, 43, 357, 288, 51, 32, 1109}},
        {Landscape, {71, 141, 18, 40, 483, 198, 69, 22, 1485}},
    };
    for (const Case& c : cases) {
        const YearPageGeometry g = ComputeYearPageGeometry(c.Page);
        const YearPageGeometry& e = c.Expected;
        SCOPED_TRACE(c.Page.width());
        EXPECT_EQ(g.Left, e.Left);
        EXPECT_EQ(g.Top, e.Top);
        EXPECT_EQ(g.GapX, e.GapX);
        EXPECT_EQ(g.GapY, e.GapY);
        EXPECT_EQ(g.BlockWidth, e.BlockWidth);
        EXPECT_EQ(g.BlockHeight, e.BlockHeight);
        EXPECT_EQ(g.C, e.C);
        EXPECT_EQ(g.R, e.R);
        EXPECT_EQ(g.ContentWidth, e.ContentWidth);
    }
}

TEST(CalendarPageGeometry, MonthPageGridAndTextListForBothOrientations)
{
    const MonthPageGeometry portrait = ComputeMonthPageGeometry(Portrait);
    EXPECT_EQ(portrait.Left, 35 + 3); // 1130 wide cut to 7 x 161, the rest to the left
    EXPECT_EQ(portrait.Top, 107);
    EXPECT_EQ(portrait.Bottom, 143 + 2); // 1325 high cut to 9 x 147
    EXPECT_EQ(portrait.C, 161);
    EXPECT_EQ(portrait.R, 147);
    const MonthPageGeometry landscape = ComputeMonthPageGeometry(Landscape);
    EXPECT_EQ(landscape.Left, 71 + 5);
    EXPECT_EQ(landscape.Top, 105);
    EXPECT_EQ(landscape.Bottom, 141);
    EXPECT_EQ(landscape.C, 204);
    EXPECT_EQ(landscape.R, 106);

    struct Case {
        QSize Page;
        int Line, Left, Header, LastLine, Font, Width;
    };
    const Case cases[] = {{Portrait, 23, 70, 71, 1483, 20, 1060},
                          {Landscape, 26, 71, 70, 1096, 23, 1433}};
    for (const Case& c : cases) {
        const TextListGeometry g = ComputeTextListGeometry(c.Page);
        EXPECT_EQ(g.Line, c.Line);
        EXPECT_EQ(g.Left, c.Left);
        EXPECT_EQ(g.Header, c.Header);
        EXPECT_EQ(g.LastLine, c.LastLine);
        EXPECT_EQ(g.FontHeight, c.Font);
        EXPECT_EQ(g.ContentWidth, c.Width);
    }
}

TEST(CalendarPageTexts, PaddedNamesShownReasonsAndPictureNames)
{
    EXPECT_EQ(PaddedClientName(QStringLiteral("Bob")), QStringLiteral("    Bob    "));
    EXPECT_EQ(PaddedClientName(QStringLiteral("Jo")), QStringLiteral("    Jo    "));
    EXPECT_EQ(PaddedClientName(QStringLiteral("Richardson")), QStringLiteral("Richardson"));
    EXPECT_EQ(PaddedClientName(QString()), QStringLiteral("          "));

    const struct {
        const char* Reason;
        const char* Cell;
        const char* List;
    } reasons[] = {
        {"Even Week Visit", "Week Visit", "Week Visit"},
        {"Odd Weekend", "Weekend", "Weekend"},
        {"All Summer", "Summer", "Summer"},
        {"*Grandma", "Grandma", "*Grandma"},
        {"NN-Lunch", "NN-Lunch", "NN-Lunch"},
        {"Evening", "Evening", "Evening"},
    };
    for (const auto& r : reasons) {
        EXPECT_EQ(CellReasonText(QString::fromUtf8(r.Reason)), QString::fromUtf8(r.Cell));
        EXPECT_EQ(ListReasonText(QString::fromUtf8(r.Reason)), QString::fromUtf8(r.List));
    }

    const CalendarDocument doc = January2004();
    const struct {
        PrintLayout Layout;
        int Page;
        const char* Name;
    } names[] = {
        {PrintLayout::YearPages, 1, "Smith_1st OnePageCal"},
        {PrintLayout::YearPages, 2, "Smith_2nd OnePageCal"},
        {PrintLayout::MonthPages, 3, "Smith_03_March"},
        {PrintLayout::MonthPages, 15, "Smith_15_March"},
        {PrintLayout::MonthPages, 24, "Smith_24_December"},
        {PrintLayout::OvernightList, 1, "Smith_01_ONText_0"},
        {PrintLayout::DayVisitList, 2, "Smith_02_DVText_0"},
    };
    for (const auto& n : names)
        EXPECT_EQ(CalendarPageBaseName(doc, n.Layout, n.Page), QString::fromUtf8(n.Name));
    // A typed name never leads the pictures into another folder.
    CalendarDocument slashed = January2004(QStringLiteral("../Smith/Jones\\x"));
    EXPECT_EQ(CalendarPageBaseName(slashed, PrintLayout::MonthPages, 3),
              QStringLiteral(".._Smith_Jones_x_03_March"));
    EXPECT_EQ(CalendarPictureSize(false), QSize(1200, 1575));
    EXPECT_EQ(CalendarPictureSize(true), QSize(1575, 1200));
}

TEST(CalendarPageTexts, GeneratedStampLeavesOutTheTimeZone)
{
    // A zone name ("Coordinated Universal Time" in some locales) pushed the one-year page's
    // header past the page's right edge.
    const QDateTime when(QDate(2026, 12, 10), QTime(14, 52, 53), QTimeZone::utc());
    for (const char* name : {"en_US", "en_GB", "de_DE", "fr_CA", "C"}) {
        const QLocale locale{QLatin1String(name)};
        const QString stamp = GeneratedAt(when, locale);
        EXPECT_TRUE(stamp.startsWith(QStringLiteral("Generated ") +
                                     locale.toString(when.date(), QLocale::ShortFormat) +
                                     QStringLiteral("  ")))
            << name;
        EXPECT_TRUE(stamp.contains(QStringLiteral("52")) && stamp.contains(QStringLiteral("53")))
            << stamp.toStdString();
        for (const char* zone : {"UTC", "GMT", "Coordinated", "Universal"})
            EXPECT_FALSE(stamp.contains(QLatin1String(zone))) << stamp.toStdString();
    }
}

TEST(CalendarPageTexts, TimesTextSpreadsAcrossTheCell)
{
    // Recording metrics: 8 pixels a character at height 16; a cell of 161 fits 98% = 157.78.
    RecordingSurface surface(Portrait);
    surface.SetFont(16, true);
    const struct {
        const char* Pickup;
        const char* Dropoff;
        int Width;
        const char* Expected;
    } cases[] = {
        // 20 characters (160) reach 98%, but exceed 97% (156.17): one blank each side less.
        {"06:00PM", "07:30AM", 161, " 06:00PM - 07:30AM"},
        {"06:00PM", "<None>", 161, " 06:00PM"},
        {"06:00PM", "", 161, " 06:00PM"},
        // 19 characters (152) below 97% of 161, 20 above: the filler goes back to 12 blanks.
        {"<None>", "07:30AM", 161, "            07:30AM"},
        {"<None>", "<None>", 161, ""},
        {"06:00PM", "07:30AM", 0, " 06:00PM-07:30AM"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            TimesText(surface, QString::fromUtf8(c.Pickup), QString::fromUtf8(c.Dropoff), c.Width),
            QString::fromUtf8(c.Expected))
            << c.Pickup << " " << c.Dropoff;
}

TEST(CalendarPageTexts, PreparedByLinesLineTheTitleUpUnderTheName)
{
    RecordingSurface surface(Portrait);
    surface.SetFont(10, true);
    CalendarDocument doc;
    const struct {
        const char* Author;
        const char* Title;
        QStringList Expected;
    } cases[] = {
        {" Ann Lee ",
         " Counsel ",
         {QStringLiteral("Prepared By:  Ann Lee"), QStringLiteral("              Counsel")}},
        {"Al",
         "Family Counsel",
         {QStringLiteral("Prepared By:  Al            "),
          QStringLiteral("              Family Counsel")}},
        {"", "Counsel", {QStringLiteral("Prepared By:  Counsel")}},
        {"Ann", "  ", {QStringLiteral("Prepared By:  Ann")}},
        {" ", "", {}},
    };
    for (const auto& c : cases) {
        doc.Author = QString::fromUtf8(c.Author);
        doc.Title = QString::fromUtf8(c.Title);
        EXPECT_EQ(PreparedByLines(surface, doc), c.Expected) << c.Author << "|" << c.Title;
    }
}

TEST(YearPage, PortraitTitleHeaderBlocksTrailerAndPageNumber)
{
    CalendarDocument doc = January2004(QStringLiteral("Bob"));
    doc.Author = QStringLiteral("Ann Lee");
    Overnight(doc, 1, 7, QStringLiteral("Weekend"));
    DayVisit(doc, 1, 8, QStringLiteral("Lunch"));
    RecountCounters(doc);
    RecordingSurface surface(Portrait);
    std::vector<int> progress;
    CalendarPageInput input = Input(doc);
    input.Progress = [&](int done) { progress.push_back(done); };
    DrawYearPage(surface, input, 1, {});

    // The three-letter client is padded to eleven characters; 35 characters reach half of
    // Wc (554) at height 32, one less is kept.
    const Op* title = ExactText(surface, QStringLiteral("Custodex Calendar For:      Bob    "));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Number, 31);
    EXPECT_EQ(title->Area.topLeft(), QPoint(70 + (1109 - 542) / 2, (143 - 62) / 3));
    const Op* header = surface.FindText(QStringLiteral("Total Overnights=1   Day Visits=1    "));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Words, QStringLiteral("Total Overnights=1   Day Visits=1    ") + Generated);
    EXPECT_EQ(header->Area.y(), 31 + 2 * (143 - 62) / 3);

    // Block (row 1, column 2) holds May; January 7 is a Wednesday of the second week.
    const Op* may = ExactText(surface, QStringLiteral("May 2004"));
    ASSERT_NE(may, nullptr);
    EXPECT_EQ(may->Area.x(), 70 + 376 * 1 + (357 - may->Area.width()) / 2);
    const int x = 70 + 3 * 51;
    const int y = 143 + 3 * 32 + 32;
    EXPECT_TRUE(HasFill(surface, QRect(x + 2, y + 2, 47, 28), doc.OvernightColour));
    EXPECT_TRUE(HasFill(surface, QRect(x + 51 + 2, y + 2, 7 * 51 / 24 - 2, 5 * 32 / 12 - 2),
                        doc.DayVisitColour));

    // Trailer 3 pixels below the blocks in the height at which the credit width reaches g + gx.
    const int trailerY = 143 + 4 * 288 + 3 * 43 + 3;
    const Op* legend = surface.FindText(QStringLiteral("= Overnight    "));
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->Number, 14);
    EXPECT_EQ(legend->Area.topLeft(), QPoint(70 + 17 + 2, trailerY));
    EXPECT_TRUE(HasFill(surface, QRect(70, trailerY, 17, 14), doc.OvernightColour));
    const Op* dayVisit = ExactText(surface, QStringLiteral("= Day Visit"));
    ASSERT_NE(dayVisit, nullptr);
    EXPECT_EQ(dayVisit->Area.x(), 70 + 17 + 16 * 7 + 17 + 2);
    const Op* author = ExactText(surface, QStringLiteral("Prepared By:  Ann Lee"));
    ASSERT_NE(author, nullptr);
    EXPECT_EQ(author->Area.right() + 1, 70 + 1109);

    // Counter columns: after "Non-Custodial:  " (16 × 7), the label (18 × 7), "1      " (7 × 7).
    const std::vector<const Op*> labels = Texts(surface, QStringLiteral("No. of "));
    ASSERT_EQ(labels.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(labels[std::size_t(i)]->Area.topLeft(), QPoint(182, trailerY + 14 * (i + 1)));
    EXPECT_EQ(ExactText(surface, QStringLiteral("1      "))->Area.x(), 182 + 126);
    const std::vector<const Op*> percents = Texts(surface, QStringLiteral("% of Year's Total="));
    ASSERT_EQ(percents.size(), 4u);
    EXPECT_EQ(percents[0]->Area.x(), 182 + 126 + 49);
    EXPECT_NE(ExactText(surface, QStringLiteral("Non-Custodial:  ")), nullptr);
    EXPECT_NE(ExactText(surface, QStringLiteral("Custodial:")), nullptr);

    const Op* number = ExactText(surface, QStringLiteral("- 1 -"));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->Number, 31);
    EXPECT_EQ(number->Area.topLeft(), QPoint(70 + 1109 / 2 - 77 / 2, trailerY + 4 * 14));

    // Twelve frames, then twelve months of days.
    // Twelve frames, then back to 0 for the twelve months' days.
    ASSERT_EQ(progress.size(), 25u);
    EXPECT_EQ(progress[11], 12);
    EXPECT_EQ(progress[12], 0);
    EXPECT_EQ(progress[13], 1);
    EXPECT_EQ(progress[24], 12);
}

TEST(YearPage, LandscapeSecondYearUsesItsOwnCountersAndMonths)
{
    CalendarDocument doc = January2004();
    Overnight(doc, 14, 2, QStringLiteral("Weekend"));
    Overnight(doc, 14, 3, QStringLiteral("Weekend"));
    Overnight(doc, 2, 3, QStringLiteral("Weekend"));
    RecountCounters(doc);

    for (const int page : {1, 2}) {
        RecordingSurface surface(Landscape);
        DrawYearPage(surface, Input(doc), page, {});
        const QString overnights = page == 1 ? QStringLiteral("1") : QStringLiteral("2");
        EXPECT_NE(surface.FindText(QStringLiteral("Total Overnights=") + overnights +
                                   QStringLiteral("   ")),
                  nullptr);
        EXPECT_NE(ExactText(surface, overnights + QStringLiteral("      ")), nullptr);
        EXPECT_NE(ExactText(surface, page == 1 ? QStringLiteral("January 2004")
                                               : QStringLiteral("January 2005")),
                  nullptr);
        EXPECT_EQ(ExactText(surface, page == 1 ? QStringLiteral("January 2005")
                                               : QStringLiteral("January 2004")),
                  nullptr);
        const Op* legend = surface.FindText(QStringLiteral("= Overnight"));
        ASSERT_NE(legend, nullptr);
        EXPECT_EQ(legend->Area.y(), 141 + 4 * 198 + 3 * 40 + 3);
        const Op* number =
            ExactText(surface, QStringLiteral("- ") + QString::number(page) + QStringLiteral(" -"));
        ASSERT_NE(number, nullptr);
    }
}

TEST(YearPage, WithoutHeaderAndTrailerThePageNumberStaysFourLinesDown)
{
    const CalendarDocument doc = January2004();
    RecordingSurface surface(Portrait);
    DrawYearPage(surface, Input(doc), 1, {false, false});
    EXPECT_EQ(surface.FindText(QStringLiteral("Total Overnights=")), nullptr);
    EXPECT_EQ(surface.FindText(QStringLiteral("No. of")), nullptr);
    EXPECT_EQ(surface.FindText(QStringLiteral("= Overnight")), nullptr);
    const Op* number = ExactText(surface, QStringLiteral("- 1 -"));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->Area.y(), 143 + 4 * 288 + 3 * 43 + 3 + 4 * 14);
}

TEST(MonthPage, PortraitCellsTextsTrailerAndPageNumber)
{
    CalendarDocument doc = January2004();
    Overnight(doc, 1, 7, QStringLiteral("*Grandma"), QStringLiteral("06:00PM"));
    DayVisit(doc, 1, 8, QStringLiteral("Even Week Visit"));
    Overnight(doc, 1, 9, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));
    DayVisit(doc, 1, 9, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));
    RecountCounters(doc);
    RecordingSurface surface(Portrait);
    DrawMonthPage(surface, Input(doc), 1, {});

    const int s = 38, t = 107, c = 161, r = 147, fs = 16;
    const Op* title = surface.FindText(QStringLiteral("Custodex Calendar For:  "));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Number, 25); // 35 characters reach 4/10 of 1127 at 26
    EXPECT_EQ(title->Area.topLeft(), QPoint((1200 - 437) / 2, (t - 25) / 3));
    const Op* header = surface.FindText(QStringLiteral("Total Overnights=1   Day Visits=2"));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Area.y(), (t - 25) / 3 + 25);

    // January 7 (Wednesday, second week): an annotation leaves the cell white, its text at the
    // bottom with the times line above.
    const int x7 = s + 3 * c, y7 = t + 3 * r + r;
    EXPECT_TRUE(HasFill(surface, QRect(x7 + 2, y7 + 2, c - 4, r - 4), doc.BackgroundColour));
    const Op* grandma = ExactText(surface, QStringLiteral("Grandma"));
    ASSERT_NE(grandma, nullptr);
    EXPECT_EQ(grandma->Number, fs);
    EXPECT_EQ(grandma->Area.topLeft(), QPoint(x7 + 2, y7 + r - fs - 2));
    const Op* times = ExactText(surface, QStringLiteral(" 06:00PM"));
    ASSERT_NE(times, nullptr);
    EXPECT_EQ(times->Area.topLeft(), QPoint(x7 + 2, y7 + r - 2 * fs - 2));

    // January 8: the day visit's bar and its shown reason at the top.
    const int x8 = x7 + c;
    EXPECT_TRUE(HasFill(surface, QRect(x8 + 2, y7 + r / 2 - r / 8, 7 * c / 24 - 2, r / 4),
                        doc.DayVisitColour));
    const Op* week = ExactText(surface, QStringLiteral("Week Visit"));
    ASSERT_NE(week, nullptr);
    EXPECT_EQ(week->Area.topLeft(), QPoint(x8 + 2, y7 + 1));

    // Long reasons: the overnight loses characters, the day visit two for a blank, until they
    // fit 98% of the cell (19 characters of 8 pixels).
    EXPECT_NE(ExactText(surface, QStringLiteral("ABCDEFGHIJKLMNOPQRS")), nullptr);
    EXPECT_NE(ExactText(surface, QStringLiteral("ABCDEFGHIJKLMNOPQR ")), nullptr);

    const int trailerY = t + 9 * r + 2;
    const Op* legend = ExactText(surface, QStringLiteral("=Overnight"));
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->Area.topLeft(), QPoint(s + c / 3 + 2, trailerY));
    const Op* dayVisitLegend = ExactText(surface, QStringLiteral("=Day Visit"));
    ASSERT_NE(dayVisitLegend, nullptr);
    EXPECT_EQ(dayVisitLegend->Area.x(), s + c / 3 + 2 + 13 * 8 + c / 3 + 2);
    const std::vector<const Op*> labels = Texts(surface, QStringLiteral("No. of "));
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(labels[0]->Area.topLeft(), QPoint(s + 17 * 8, trailerY + fs));
    const Op* number = ExactText(surface, QStringLiteral("-1-"));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->Number, 25);
    EXPECT_EQ(number->Area.topLeft(), QPoint(s + (7 * c - 37) / 2, trailerY + 4 * fs));
}

TEST(MonthPage, OnlyTheFirstMonthOfAYearCarriesHeaderAndTrailer)
{
    CalendarDocument doc = January2004();
    Overnight(doc, 13, 5, QStringLiteral("Weekend"));
    RecountCounters(doc);
    const struct {
        int Month;
        bool Header;
        const char* Counter; // the overnight count of the page's year, or nothing
    } cases[] = {{1, true, "0"},      {5, false, nullptr}, {6, false, nullptr},
                 {7, false, nullptr}, {8, false, nullptr}, {13, true, "1"}};
    for (const QSize page : {Portrait, Landscape})
        for (const auto& c : cases) {
            RecordingSurface surface(page);
            DrawMonthPage(surface, Input(doc), c.Month, {});
            SCOPED_TRACE(c.Month);
            const Op* header = surface.FindText(QStringLiteral("Total Overnights="));
            EXPECT_EQ(header != nullptr, c.Header);
            EXPECT_EQ(surface.FindText(QStringLiteral("No. of")) != nullptr, c.Header);
            if (c.Counter) {
                EXPECT_TRUE(header->Words.startsWith(QStringLiteral("Total Overnights=") +
                                                     QLatin1String(c.Counter) + QLatin1Char(' ')));
            }
            EXPECT_NE(ExactText(surface, QStringLiteral("-%1-").arg(c.Month)), nullptr);
        }

    RecordingSurface landscape(Landscape);
    DrawMonthPage(landscape, Input(doc), 13, {});
    const Op* legend = ExactText(landscape, QStringLiteral("=Overnight"));
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->Area.topLeft(), QPoint(76 + 204 / 3 + 2, 105 + 9 * 106 + 2));
}

TEST(CalendarPages, TinyAndEmptyPagesEndWithTheSmallestFonts)
{
    CalendarDocument doc = January2004();
    for (int day = 1; day <= 20; ++day)
        Overnight(doc, 1, day, day % 2 ? QStringLiteral("A") : QStringLiteral("B"),
                  QStringLiteral("06:00PM"), QStringLiteral("07:00AM"));
    RecountCounters(doc);
    // A page 40 high but 3 wide still has lines for all twenty runs.
    const struct {
        QSize Page;
        int Pages;
    } cases[] = {{QSize(0, 0), 20}, {QSize(1, 1), 20}, {QSize(3, 40), 1}, {QSize(40, 3), 20}};
    for (const auto& [page, expected] : cases) {
        RecordingSurface year(page);
        DrawYearPage(year, Input(doc), 2, {});
        RecordingSurface month(page);
        DrawMonthPage(month, Input(doc), 1, {});
        RecordingSurface list(page);
        int starts = 0;
        const int pages =
            DrawTextList(list, Input(doc), TextListKind::Overnights, true, [&] { ++starts; });
        EXPECT_EQ(pages, expected); // one entry a page when not even one line fits
        EXPECT_EQ(starts, expected - 1);
    }
}

TEST(TextList, RunsByReasonWithinAMonth)
{
    CalendarDocument doc = January2004();
    for (int day = 25; day <= 31; ++day)
        Overnight(doc, 12, day, QStringLiteral("Christmas"),
                  day == 25 ? QStringLiteral("07:30PM") : NoTimeText,
                  day == 31 ? QStringLiteral("09:00AM") : NoTimeText);
    for (int day = 30; day <= 31; ++day)
        Overnight(doc, 1, day, QStringLiteral("Even Visit"));
    for (int day = 1; day <= 2; ++day)
        Overnight(doc, 2, day, QStringLiteral("Even Visit"));
    Overnight(doc, 3, 5, QStringLiteral("Weekend"), QStringLiteral("06:00PM"));
    Overnight(doc, 3, 6, QStringLiteral("weekend"), NoTimeText, QStringLiteral("08:00AM"));
    Overnight(doc, 3, 7, QStringLiteral("*Grandma"));
    DayVisit(doc, 3, 7, QStringLiteral("Lunch"));
    RecountCounters(doc);

    RecordingSurface surface(Portrait);
    int starts = 0;
    EXPECT_EQ(DrawTextList(surface, Input(doc), TextListKind::Overnights, true, [&] { ++starts; }),
              1);
    EXPECT_EQ(starts, 0);

    const int s = 70;
    const Op* title = ExactText(surface, QStringLiteral("Custodex Calendar For:  Smith       "));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Number, 29); // 36 characters reach 530 at height 30
    EXPECT_EQ(title->Area.topLeft(), QPoint(s + (1060 - 522) / 2, (71 - 58) / 3));
    const Op* second = ExactText(surface, QStringLiteral("Total Overnights=13    ") + Generated);
    ASSERT_NE(second, nullptr);
    const int secondY = 29 + 2 * (71 - 58) / 3;
    EXPECT_EQ(second->Area.y(), secondY);

    // Columns in the list font (20): "4444 " and "December 25 thru 31    " (28 × 10), then
    // "99:99AM  " (9 × 10) and "99:99AM    " (11 × 10).
    const int x2 = s + 280, x3 = x2 + 90, x4 = x3 + 110;
    const int first = secondY + 2 * 29;
    const struct {
        const char* Date;
        const char* Pickup;
        const char* Dropoff;
        const char* Reason;
    } lines[] = {
        {"2004, January 30 thru 31", nullptr, nullptr, "Visit"},
        {"2004, February 1 thru 2", nullptr, nullptr, "Visit"},
        {"2004, March 5 thru 6", "06:00PM", "08:00AM", "Weekend"},
        {"2004, March 7", nullptr, nullptr, "*Grandma"},
        {"2004, December 25 thru 31", "07:30PM", "09:00AM", "Christmas"},
    };
    for (int i = 0; i < 5; ++i) {
        const auto& line = lines[i];
        const int y = first + 23 * i;
        const Op* date = ExactText(surface, QString::fromUtf8(line.Date));
        ASSERT_NE(date, nullptr) << line.Date;
        EXPECT_EQ(date->Area.topLeft(), QPoint(s, y));
        EXPECT_EQ(date->Number, 20);
        const Op* reason = nullptr;
        for (const Op& op : surface.Operations)
            if (op.What == Op::Text && op.Area.topLeft() == QPoint(x4, y))
                reason = &op;
        ASSERT_NE(reason, nullptr) << line.Date;
        EXPECT_EQ(reason->Words, QString::fromUtf8(line.Reason));
        int timesOnLine = 0;
        for (const Op& op : surface.Operations)
            if (op.What == Op::Text && op.Area.y() == y && (op.Area.x() == x2 || op.Area.x() == x3))
                ++timesOnLine;
        EXPECT_EQ(timesOnLine, line.Pickup ? 2 : 0) << line.Date;
        if (line.Pickup) {
            EXPECT_EQ(ExactText(surface, QString::fromUtf8(line.Pickup))->Area.topLeft(),
                      QPoint(x2, y));
            EXPECT_EQ(ExactText(surface, QString::fromUtf8(line.Dropoff))->Area.topLeft(),
                      QPoint(x3, y));
        }
    }
    const Op* number = ExactText(surface, QStringLiteral("- 1 -"));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->Area.topLeft(), QPoint(s + 530 - 50, 1483 + 46));

    RecordingSurface visits(Portrait);
    DrawTextList(visits, Input(doc), TextListKind::DayVisits, false, {});
    EXPECT_NE(ExactText(visits, QStringLiteral("Day Visits    ") + Generated), nullptr);
    EXPECT_NE(ExactText(visits, QStringLiteral("2004, March 7")), nullptr);
    EXPECT_EQ(ExactText(visits, QStringLiteral("2004, March 5 thru 6")), nullptr);
}

TEST(TextList, PagesRepeatTheTitleAndNumberOn)
{
    CalendarDocument doc = January2004();
    for (std::size_t i = 0; i < doc.Days.size(); ++i) {
        doc.Days[i].HasOvernight = true;
        doc.Days[i].OvernightReason = i % 2 ? QStringLiteral("A") : QStringLiteral("B");
    }
    RecountCounters(doc);
    RecordingSurface surface(Portrait);
    int pageOps = 0;
    // 731 runs at 61 lines a page (from y 95 while above 1483, 23 apart).
    const int pages = DrawTextList(surface, Input(doc), TextListKind::Overnights, false, [&] {
        ++pageOps;
        surface.NewPage();
    });
    EXPECT_EQ(pages, 12);
    EXPECT_EQ(pageOps, 11);
    EXPECT_EQ(Texts(surface, QStringLiteral("Custodex Calendar For:  Smith")).size(), 12u);
    EXPECT_EQ(Texts(surface, QStringLiteral("Overnight Stays    Generated")).size(), 12u);

    // Page 2 starts with the 62nd day, March 2, at the first list line.
    std::size_t pageTwo = 0;
    while (surface.Operations[pageTwo].What != Op::Page)
        ++pageTwo;
    const Op* lastOfOne = nullptr;
    const Op* firstOfTwo = nullptr;
    for (std::size_t i = 0; i < surface.Operations.size(); ++i) {
        const Op& op = surface.Operations[i];
        if (op.What != Op::Text || op.Area.x() != 70 ||
            !op.Words.startsWith(QStringLiteral("2004")))
            continue;
        if (i < pageTwo)
            lastOfOne = &op;
        else if (!firstOfTwo)
            firstOfTwo = &op;
    }
    ASSERT_NE(lastOfOne, nullptr);
    ASSERT_NE(firstOfTwo, nullptr);
    EXPECT_EQ(lastOfOne->Words, QStringLiteral("2004, March 1"));
    EXPECT_EQ(lastOfOne->Area.y(), 95 + 60 * 23);
    EXPECT_EQ(firstOfTwo->Words, QStringLiteral("2004, March 2"));
    EXPECT_EQ(firstOfTwo->Area.y(), 95);
    EXPECT_NE(ExactText(surface, QStringLiteral("- 2 -")), nullptr);
    EXPECT_NE(ExactText(surface, QStringLiteral("- 12 -")), nullptr);
}

TEST(TextList, UnmarkedDaysAfterAFullPageMakeNoEmptyPage)
{
    CalendarDocument doc = January2004();
    // Exactly one page of runs (61), the rest of the span unmarked.
    for (int i = 0; i < 61; ++i) {
        doc.Days[std::size_t(i)].HasOvernight = true;
        doc.Days[std::size_t(i)].OvernightReason =
            i % 2 ? QStringLiteral("A") : QStringLiteral("B");
    }
    RecountCounters(doc);
    RecordingSurface surface(Portrait);
    int starts = 0;
    EXPECT_EQ(DrawTextList(surface, Input(doc), TextListKind::Overnights, true, [&] { ++starts; }),
              1);
    EXPECT_EQ(starts, 0);
}

} // namespace

namespace {

// The calendar of the page tests with marks and times, so that every page has texts to fit.
CalendarDocument MarkedCalendar()
{
    CalendarDocument doc = January2004();
    for (int month = 1; month <= 24; ++month) {
        Overnight(doc, month, 2, QStringLiteral("Weekend"), QStringLiteral("07:30PM"),
                  QStringLiteral("09:00AM"));
        DayVisit(doc, month, 9, QStringLiteral("Lunch"));
    }
    RecountCounters(doc);
    return doc;
}

// Pictures of pages draw text: the fonts need a GUI application (offscreen under the tests).
void NeedGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "calendar_pages_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

PrintoutRequest Request(const CalendarDocument& doc, PrintLayout layout, int first, int last,
                        PageOptions options = {}, bool landscape = false)
{
    NeedGuiApplication();
    return {doc, MarkColoursOf(doc), Generated, layout, first, last, options, landscape};
}

// The files of a folder by name, with their bytes.
std::map<QString, QByteArray> FilesIn(const QString& folder)
{
    std::map<QString, QByteArray> files;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
        QFile file(info.filePath());
        file.open(QIODevice::ReadOnly);
        files[info.fileName()] = file.readAll();
    }
    return files;
}

} // namespace

TEST(CalendarPrintout, PicturesEncodedOnEveryCoreEqualPagesDrawnAndEncodedInTurn)
{
    const CalendarDocument marked = MarkedCalendar();
    // A real calendar's month titles: their anti-aliasing follows the pages drawn before them
    // on the same thread, so pages drawn in another order come out different.
    CalendarDocument jones;
    ASSERT_TRUE(ReadCalendarFile(jones, QStringLiteral(CUSTODEX_TEST_DATA "/Jones.Smith.cdb")).Ok);
    RecountCounters(jones);
    struct Case {
        const CalendarDocument& Doc;
        PrintLayout Layout;
        int First, Last;
        PageOptions Options;
        bool Landscape;
        PrintoutPictures Format;
    };
    const Case cases[] = {
        {marked, PrintLayout::YearPages, 1, 2, {}, false, PrintoutPictures::Bitmap},
        {marked, PrintLayout::MonthPages, 12, 14, {false, false}, true, PrintoutPictures::Bitmap},
        {jones, PrintLayout::MonthPages, 1, 7, {}, false, PrintoutPictures::Jpeg},
        {jones, PrintLayout::OvernightList, 1, 0, {}, false, PrintoutPictures::Png},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE((PrintLayoutName(each.Layout) + QString::number(each.First)).toStdString());
        const PrintoutRequest request =
            Request(each.Doc, each.Layout, each.First, each.Last, each.Options, each.Landscape);
        // Each on a thread of its own, so that both start with empty font caches.
        QTemporaryDir together;
        std::vector<int> done;
        std::thread([&] {
            FileSetWriter files;
            CalendarPrintout printout(request);
            printout.PageDone = [&done](int page) { done.push_back(page); };
            EXPECT_TRUE(printout.WritePictures(files, together.path() + QLatin1Char('/'),
                                               each.Format, ExistingFiles::Replace));
        }).join();
        std::map<QString, QByteArray> inTurn;
        std::vector<int> drawn;
        std::thread([&] {
            QImage picture(CalendarPictureSize(each.Landscape), QImage::Format_RGB32);
            PainterSurface surface(picture);
            DrawPrintout(
                surface, {each.Doc, request.Colours, Generated, {}}, each.Layout, each.First,
                each.Last, each.Options,
                [&](int page) {
                    drawn.push_back(page);
                    QBuffer buffer(&inTurn[CalendarPageBaseName(each.Doc, each.Layout, page) +
                                           PrintoutPictureSuffix(each.Format)]);
                    buffer.open(QIODevice::WriteOnly);
                    EncodePrintoutPicture(buffer, picture, each.Format);
                },
                [] {});
        }).join();
        EXPECT_EQ(done, drawn);
        EXPECT_TRUE(FilesIn(together.path()) == inTurn);
    }
}

TEST(CalendarPrintout, AFailureOnALaterPageOrAStopWritesNothing)
{
    const CalendarDocument doc = MarkedCalendar();
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QString old = folder + CalendarPageBaseName(doc, PrintLayout::MonthPages, 1) +
                        PrintoutPictureSuffix(PrintoutPictures::Bitmap);
    ASSERT_EQ(WriteWholeFile(old, "old page"), FileWriteError::None);

    {
        // The disk fills up with the second page: the first page's old file stays.
        FileSetWriter files;
        CalendarPrintout printout(Request(doc, PrintLayout::MonthPages, 1, 4));
        LimitWriteRoomForTesting(7'000'000);
        EXPECT_FALSE(printout.WritePictures(files, folder, PrintoutPictures::Bitmap,
                                            ExistingFiles::Replace));
        LimitWriteRoomForTesting(-1);
        EXPECT_EQ(files.Error(), FileWriteError::Failed);
        EXPECT_EQ(files.FailedPath(), folder +
                                          CalendarPageBaseName(doc, PrintLayout::MonthPages, 2) +
                                          QStringLiteral(".bmp"));
    }
    {
        // Told to stop after the first page: no further page is handed on, none is written.
        FileSetWriter files;
        CalendarPrintout printout(Request(doc, PrintLayout::MonthPages, 1, 6));
        std::vector<int> done;
        printout.PageDone = [&](int page) {
            done.push_back(page);
            printout.Stop();
        };
        EXPECT_FALSE(printout.WritePictures(files, folder, PrintoutPictures::Bitmap,
                                            ExistingFiles::Replace));
        EXPECT_TRUE(printout.Stopped());
        EXPECT_EQ(done, std::vector<int>{1});
        EXPECT_EQ(files.Error(), FileWriteError::None);
    }
    const auto left = FilesIn(dir.path());
    ASSERT_EQ(left.size(), 1u); // no temporaries either
    EXPECT_EQ(left.begin()->second, QByteArray("old page"));
}
