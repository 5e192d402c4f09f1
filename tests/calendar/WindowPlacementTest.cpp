#include "calendar/WindowPlacement.h"

#include <gtest/gtest.h>

using namespace custodex;

TEST(WindowPlacement, OpensAtThreeQuartersOfTheScreenNeverBelowTheMinimum)
{
    EXPECT_EQ(OpeningGeometry(QRect(0, 0, 1600, 1000), QSize(800, 600)),
              QRect(200, 125, 1200, 750));
    EXPECT_EQ(OpeningGeometry(QRect(0, 0, 800, 600), QSize(795, 590)).size(), QSize(795, 590));
}

TEST(WindowPlacement, ComesBackAsLeftUnlessItNoLongerFits)
{
    const QRect screen(0, 0, 1600, 1000);
    const QSize minimum(800, 600);
    const WindowPlacement left{QRect(40, 30, 1000, 700), true};
    EXPECT_EQ(ChoosePlacement(left, screen, minimum).Geometry, left.Geometry);
    EXPECT_TRUE(ChoosePlacement(left, screen, minimum).Maximized);
    // Off every screen now, or smaller than the window can be: the opening place instead.
    for (const QRect& gone : {QRect(3000, 30, 1000, 700), QRect(40, 30, 500, 400)})
        EXPECT_EQ(ChoosePlacement(WindowPlacement{gone, false}, screen, minimum).Geometry,
                  OpeningGeometry(screen, minimum));
    EXPECT_EQ(ChoosePlacement(std::nullopt, screen, minimum).Geometry,
              OpeningGeometry(screen, minimum));
}

TEST(WindowPlacement, AKeptPlacementIsFittedInsideTheScreenItOpensOn)
{
    const QSize minimum(795, 590);
    const struct {
        QRect Kept;
        QRect Available;
        QRect Expected;
    } cases[] = {
        // Kept on a 2560 x 1600 screen, opened at scale 2 (1280 x 770 logical): moved in.
        {QRect(401, 270, 1200, 750), QRect(0, 30, 1280, 770), QRect(80, 50, 1200, 750)},
        // Larger than the area: shrunk to it and placed at its corner.
        {QRect(100, 100, 2400, 1500), QRect(0, 30, 1280, 770), QRect(0, 30, 1280, 770)},
        // An area smaller than the window can be: the minimum, from the area's corner.
        {QRect(10, 10, 1000, 700), QRect(0, 0, 700, 500), QRect(0, 0, 795, 590)},
        // Hanging off the left and top of a second screen: moved onto it.
        {QRect(1500, -40, 1000, 700), QRect(1600, 0, 1920, 1050), QRect(1600, 0, 1000, 700)},
        // Inside already: as kept.
        {QRect(40, 30, 1000, 700), QRect(0, 0, 1600, 1000), QRect(40, 30, 1000, 700)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FitInside(c.Kept, c.Available, minimum), c.Expected) << c.Kept.x();
        EXPECT_EQ(ChoosePlacement(WindowPlacement{c.Kept, false}, c.Available, minimum).Geometry,
                  c.Expected)
            << c.Kept.x();
    }
}

TEST(WindowPlacement, FileReadsBackAndRefusesWhatIsNoPlacement)
{
    const WindowPlacement placement{QRect(-20, 15, 1234, 777), true};
    const std::optional<WindowPlacement> read =
        WindowPlacementFromBytes(WindowPlacementBytes(placement));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Geometry, placement.Geometry);
    EXPECT_TRUE(read->Maximized);
    for (const char* bad :
         {"", "LEFT=1\r\nTOP=2\r\nWIDTH=3\r\n", "LEFT=1\r\nTOP=2\r\nWIDTH=0\r\nHEIGHT=4\r\n",
          "LEFT=x\r\nTOP=2\r\nWIDTH=3\r\nHEIGHT=4\r\n"})
        EXPECT_FALSE(WindowPlacementFromBytes(bad)) << bad;
}

TEST(WindowPlacement, ADialogMovesOffTheDayItCovers)
{
    const QRect screen(0, 0, 1600, 1000);
    const QRect dialog(500, 300, 400, 300); // 500..899 x 300..599
    const struct {
        QRect Day;
        QPoint To;
    } cases[] = {
        {QRect(100, 100, 80, 60), QPoint(500, 300)},  // not covered: stays
        {QRect(), QPoint(500, 300)},                  // no day shown: stays
        {QRect(850, 350, 80, 60), QPoint(442, 300)},  // near its right edge: to the left
        {QRect(520, 350, 80, 60), QPoint(608, 300)},  // near its left edge: to the right
        {QRect(520, 540, 300, 60), QPoint(500, 232)}, // wide, at the bottom: above it
        {QRect(1400, 300, 80, 60), QPoint(500, 300)}, // clear of it already
    };
    for (const auto& c : cases)
        EXPECT_EQ(MoveAside(dialog, c.Day, screen), c.To) << c.Day.x() << "," << c.Day.y();
    // Nowhere beside the day fits on the screen: it stays.
    EXPECT_EQ(MoveAside(QRect(0, 0, 1600, 1000), QRect(700, 400, 80, 60), screen), QPoint(0, 0));
}
