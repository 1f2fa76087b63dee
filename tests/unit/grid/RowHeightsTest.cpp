#include <gtest/gtest.h>

#include "grid/RowHeights.h"

TEST(RowHeights, ATwelvePixelFontMakesRowsEighteenHigh)
{
    EXPECT_EQ(RowHeights::ForFont(-12), 18);
    EXPECT_EQ(RowHeights::ForFont(12), 18);
    EXPECT_EQ(RowHeights::ForFont(-11), 16);
    EXPECT_EQ(RowHeights::ForFont(0), 1);
    EXPECT_EQ(RowHeights::ForFont(-2147483647 - 1), RowHeights::kTallest);
}

TEST(RowHeights, OnlyTheRowsThatExistedTakeANewHeight)
{
    RowHeights heights;
    EXPECT_EQ(heights.Height(0), 16);
    heights.SetFirst(3, 18);
    EXPECT_EQ(heights.Height(2), 18);
    EXPECT_EQ(heights.Height(3), 16);
    EXPECT_EQ(heights.Height(-1), 16);
}

TEST(RowHeights, TablesBeyondSixtyFiveThousandRowsStayInsideTheHeights)
{
    RowHeights heights;
    heights.SetFirst(70000, 21);
    EXPECT_EQ(heights.Height(65535), 21);
    EXPECT_EQ(heights.Height(69999), 21);
    EXPECT_EQ(heights.Height(70000), 16);
    EXPECT_EQ(heights.Height(2000000000), 16);
}
