#include "calendar/MonthLayout.h"

#include <gtest/gtest.h>

using namespace custodex;

namespace {

// A font whose capital A is 2/3 of its pixel height wide, as Arial's nearly is.
int Measure(int pixelHeight)
{
    return 17 * pixelHeight * 2 / 3;
}

TEST(CellLabelHeight, LargestHeightWhoseTextKeepsWithinTheCell)
{
    const struct {
        QSize Cell;
        int Height;
    } cases[] = {
        {QSize(94, 59), 8},    // 17 A's at 8: 90 < 91; at 9: 102
        {QSize(163, 129), 14}, // at 14: 158 < 160; at 15: 170
        {QSize(400, 59), 11},  // a short cell: the four labels stay apart and off the bar
        {QSize(400, 120), 26},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CellLabelHeight(c.Cell, Measure), c.Height)
            << c.Cell.width() << " x " << c.Cell.height();
}

TEST(MonthAreaLayout, SmallestWindowKeepsTheFixedPlaces)
{
    for (const QSize client : {SmallestClientArea, QSize(300, 200)}) {
        const MonthAreaLayout l = ComputeMonthAreaLayout(client, Measure);
        EXPECT_EQ(l.Area, QRect(104, 104, 681, 446));
        EXPECT_EQ(l.MonthLabel, QRect(5, 5, 671, 40));
        EXPECT_EQ(l.HeadRect(0), QRect(11, 46, 94, 40));
        EXPECT_EQ(l.HeadRect(6), QRect(11 + 6 * 94, 46, 94, 40));
        EXPECT_EQ(l.CellRect(1), QRect(115, 190, 94, 59));
        EXPECT_EQ(l.CellRect(42), QRect(115 + 6 * 94, 190 + 5 * 59, 94, 59));
        EXPECT_EQ(l.LabelHeight, CellLabelHeight(QSize(94, 59), Measure));
    }
}

TEST(MonthAreaLayout, ExtraRoomGoesToTheMonthArea)
{
    const QSize client(1280, 975);
    const MonthAreaLayout l = ComputeMonthAreaLayout(client, Measure);
    EXPECT_EQ(l.Area.topLeft(), QPoint(104, 104));
    EXPECT_EQ(l.Area.right(), client.width() - 8);   // the same 7-pixel margin
    EXPECT_EQ(l.Area.bottom(), client.height() - 5); // and 4 below
    EXPECT_EQ(l.Cell, QSize((l.Area.width() - 23) / 7, (l.Area.height() - 92) / 6));
    EXPECT_EQ(l.MonthLabel.width(), l.Area.width() - 10);
    // The grid fills the area's width and height but for the margins and a rounding rest.
    const QRect last = l.CellRect(42);
    EXPECT_TRUE(l.Area.contains(last));
    EXPECT_LE(l.Area.right() - last.right(), 12 + 6);
    EXPECT_LE(l.Area.bottom() - last.bottom(), 6 + 5);
    EXPECT_EQ(l.HeadRect(3).x() + l.Area.x(), l.CellRect(4).x()); // heads over their columns
    EXPECT_EQ(l.LabelHeight, CellLabelHeight(l.Cell, Measure));
    EXPECT_GT(l.LabelHeight, ComputeMonthAreaLayout(SmallestClientArea, Measure).LabelHeight);
}

} // namespace
