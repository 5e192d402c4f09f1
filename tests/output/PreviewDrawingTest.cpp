#include "output/PreviewDrawing.h"

#include "output/CalendarPages.h"
#include "output/DrawingSurface.h"
#include "output/PrintColours.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace custodex;

namespace {

CalendarDocument September2004()
{
    CalendarDocument doc;
    doc.ClientName = QStringLiteral("Smith");
    BuildSpan(doc, 8, 2004);
    RecountCounters(doc);
    return doc;
}

TEST(PreviewLayout, ValuesAndBlockPlacement)
{
    const PreviewLayout l = ComputePreviewLayout(1280, 2048);
    EXPECT_EQ(l.s, 37);
    EXPECT_EQ(l.T, 93);
    EXPECT_EQ(l.u, 23);
    EXPECT_EQ(l.g, 392); // 396 made a multiple of 7 ...
    EXPECT_EQ(l.gx, 22); // ... and the 4 pixels given to the gap
    EXPECT_EQ(l.h, 198); // 203 made a multiple of 9 ...
    EXPECT_EQ(l.gy, 51); // ... and the 5 pixels given to the gap
    EXPECT_EQ(l.C, 56);
    EXPECT_EQ(l.R, 22);
    EXPECT_EQ(l.Block(1), QRect(37, 93, 392, 198));
    EXPECT_EQ(l.Block(5).topLeft(), QPoint(37 + 414, 93 + 249));
    EXPECT_EQ(l.Block(24).topLeft(), QPoint(37 + 2 * 414, 93 + 7 * 249));
}

TEST(PreviewDrawing, TitlesCountersAndMonthYears)
{
    CalendarDocument doc = September2004();
    doc.NonCustodialName.clear();
    RecordingSurface surface(QSize(1280, 2048));
    DrawPreview(doc, surface, QStringLiteral("Generated 9/1/04  10:00:00 AM"));
    const PreviewLayout l = ComputePreviewLayout(1280, 2048);

    const auto* title = surface.FindText(QStringLiteral("Custodex Calendar For:  Smith"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Number, (9 * l.u) / 10);
    EXPECT_EQ(title->Area.x(), l.s + (3 * l.g + 2 * l.gx - title->Area.width()) / 2);
    EXPECT_EQ(title->Area.y(), 2);
    const auto* line3 = surface.FindText(QStringLiteral(
        "Non-Custodial:  Total OverNights = 0  (00.0%)  Total Day Visits = 0  (00.0%)"));
    ASSERT_NE(line3, nullptr);
    EXPECT_EQ(line3->Area.y(), 2 + 2 * l.u);
    int secondYearLines = 0;
    for (const auto& op : surface.Operations)
        if (op.What == RecordingSurface::Operation::Text &&
            op.Area.y() == l.T + 4 * l.h + 3 * l.gy + 2) {
            EXPECT_EQ(op.Area.x(), line3->Area.x());
            ++secondYearLines;
        }
    EXPECT_EQ(secondYearLines, 1);

    const struct {
        const char* Title;
        int Month;
    } blocks[] = {
        {"September 2004", 1}, {"January 2005", 5}, {"September 2005", 13}, {"August 2006", 24}};
    for (const auto& b : blocks) {
        const auto* text = surface.FindText(QString::fromLatin1(b.Title));
        ASSERT_NE(text, nullptr) << b.Title;
        const QRect block = l.Block(b.Month);
        EXPECT_EQ(text->Area.x(), block.x() + (l.g - text->Area.width()) / 2) << b.Title;
        EXPECT_GE(text->Area.y(), block.y());
        EXPECT_LT(text->Area.bottom(), block.y() + 2 * l.R) << b.Title;
        EXPECT_LE(text->Area.width(), (9 * l.g) / 10);
    }
}

TEST(PreviewDrawing, LongClientNameShrinksTheTitle)
{
    CalendarDocument doc = September2004();
    doc.ClientName = QString(200, QLatin1Char('W'));
    RecordingSurface surface(QSize(1280, 2048));
    DrawPreview(doc, surface, QString());
    const PreviewLayout l = ComputePreviewLayout(1280, 2048);
    const auto* title = surface.FindText(QStringLiteral("Custodex Calendar For:  WWW"));
    ASSERT_NE(title, nullptr);
    EXPECT_LE(title->Area.width(), 3 * l.g + l.gx);
    EXPECT_LT(title->Number, (9 * l.u) / 10);
}

// Pixels of a real picture: colours, the red double frame and the corner square.
TEST(PreviewPicture, CellColoursFramesAndSquares)
{
    CalendarDocument doc = September2004();
    auto mark = [&](int index, const char* overnightReason) {
        CalendarDay& day = doc.Days[static_cast<std::size_t>(index)];
        day.HasOvernight = true;
        day.OvernightReason = QString::fromLatin1(overnightReason);
        day.HasDayVisit = true;
        day.DayVisitReason = QStringLiteral("Zoo");
    };
    mark(10, "Weekend"); // Saturday 11 September 2004: row 1 (the 1st is a Wednesday), column 6
    mark(11, "*away");   // Sunday 12 September: row 2, column 0
    RecountCounters(doc);
    QImage picture(1280, 2048, QImage::Format_RGB32);
    {
        PainterSurface surface(picture);
        DrawPreview(doc, surface, QStringLiteral("Generated"));
    }
    const PreviewLayout l = ComputePreviewLayout(1280, 2048);
    const QRect block = l.Block(1);
    auto cell = [&](int row, int column) {
        return QRect(block.x() + column * l.C, block.y() + (3 + row) * l.R, l.C, l.R);
    };
    const QRect both = cell(1, 6);
    EXPECT_EQ(picture.pixelColor(both.right() - 5, both.bottom() - 5),
              QColor(0xC0, 0xC0, 0xC0)); // silver
    EXPECT_EQ(picture.pixelColor(both.x() + 1, both.bottom() - 3),
              QColor(Qt::red)); // frame, below the square
    EXPECT_EQ(picture.pixelColor(both.right() - 2, both.y() + 2), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(both.x() + 4, both.y() + 4), QColor(Qt::black)); // square

    const QRect annotated = cell(2, 0);
    EXPECT_EQ(picture.pixelColor(annotated.right() - 5, annotated.bottom() - 5), QColor(Qt::white));
    EXPECT_EQ(picture.pixelColor(annotated.x() + 4, annotated.y() + 4), QColor(Qt::black));
    EXPECT_NE(picture.pixelColor(annotated.x() + 1, annotated.bottom() - 3), QColor(Qt::red));

    const QRect blank = cell(0, 0); // before the 1st
    EXPECT_EQ(picture.pixelColor(blank.center()), QColor(Qt::white));
}

} // namespace

namespace {

// The page surface as it was before it kept its fonts: a new font on every change, measured
// through the painter. Each text drawn is logged with its font and place.
class UncachedSurface : public DrawingSurface {
public:
    explicit UncachedSurface(QImage& image) : Image(image), Painter(&image) {}
    QSize Size() const override { return Image.size(); }
    void SetFont(int pixelHeight, bool bold) override
    {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(std::max(1, pixelHeight));
        font.setBold(bold);
        Painter.setFont(font);
        Height = pixelHeight;
    }
    int TextWidth(const QString& text) override
    {
        return Painter.fontMetrics().horizontalAdvance(text);
    }
    int TextHeight(const QString&) override { return Painter.fontMetrics().height(); }
    void Text(int x, int y, const QString& text) override
    {
        Log << QStringLiteral("%1 %2,%3 w%4 %5")
                   .arg(Height)
                   .arg(x)
                   .arg(y)
                   .arg(TextWidth(text))
                   .arg(text);
    }
    void SetPen(int, std::int32_t) override {}
    void Line(int, int, int, int) override {}
    void Rectangle(const QRect&) override {}
    void FillRect(const QRect&, std::int32_t) override {}
    void Pie(const QRect&, int, int, std::int32_t) override {}
    void NewPage() override {}

    QImage& Image;
    QPainter Painter;
    int Height = 0;
    QStringList Log;
};

// The page surface itself, logging the same way.
class LoggedPainterSurface : public PainterSurface {
public:
    using PainterSurface::PainterSurface;
    void SetFont(int pixelHeight, bool bold) override
    {
        PainterSurface::SetFont(pixelHeight, bold);
        Height = pixelHeight;
    }
    void Text(int x, int y, const QString& text) override
    {
        Log << QStringLiteral("%1 %2,%3 w%4 %5")
                   .arg(Height)
                   .arg(x)
                   .arg(y)
                   .arg(TextWidth(text))
                   .arg(text);
        PainterSurface::Text(x, y, text);
    }
    int Height = 0;
    QStringList Log;
};

} // namespace

// The page surface keeps its fonts and the widths it measured; every page still gets the same
// fonts, texts and places as when each font was made anew.
TEST(PageSurface, KeptFontsChangeNoFontNoTextAndNoPlace)
{
    CalendarDocument doc;
    doc.ClientName = QStringLiteral("Garcia");
    BuildSpan(doc, 0, 2024);
    for (std::size_t i = 0; i < doc.Days.size(); i += 3) {
        CalendarDay& day = doc.Days[i];
        day.HasOvernight = true;
        day.OvernightReason = QStringLiteral("Alternate weekend with the father %1").arg(i);
        day.OvernightPickup = QStringLiteral("06:00PM");
        day.OvernightDropoff = QStringLiteral("09:00AM");
        day.HasDayVisit = i % 2 == 0;
        day.DayVisitReason = QString(60, QLatin1Char('d'));
        day.DayVisitStart = QStringLiteral("10:00AM");
        day.DayVisitEnd = QStringLiteral("02:00PM");
    }
    RecountCounters(doc);
    const CalendarPageInput input{
        doc, MarkColoursOf(doc), QStringLiteral("Generated 3/1/24  10:00:00 AM"), {}};
    for (const PrintLayout layout : {PrintLayout::MonthPages, PrintLayout::YearPages,
                                     PrintLayout::OvernightList, PrintLayout::DayVisitList}) {
        for (const bool landscape : {false, true}) {
            QImage kept(CalendarPictureSize(landscape), QImage::Format_RGB32);
            QImage anew(kept.size(), kept.format());
            LoggedPainterSurface keptSurface(kept);
            UncachedSurface anewSurface(anew);
            const int last = layout == PrintLayout::MonthPages  ? MonthsInSpan
                             : layout == PrintLayout::YearPages ? 2
                                                                : 0;
            DrawPrintout(
                keptSurface, input, layout, 1, last, {true, true}, [](int) {}, [] {});
            DrawPrintout(
                anewSurface, input, layout, 1, last, {true, true}, [](int) {}, [] {});
            ASSERT_FALSE(keptSurface.Log.isEmpty());
            EXPECT_EQ(keptSurface.Log, anewSurface.Log)
                << static_cast<int>(layout) << (landscape ? " landscape" : " portrait");
        }
    }
}
