#include <gtest/gtest.h>

#include "app/FrameRect.h"

TEST(SavedRect, UsedOnlyWhenEveryValueLiesInsideTheScreen)
{
    EXPECT_TRUE(IsSavedRectUsable({10, 20, 800, 600}, 1280, 800));
    EXPECT_FALSE(IsSavedRectUsable({0, 0, 0, 0}, 1280, 800));          // never saved
    EXPECT_FALSE(IsSavedRectUsable({0, 20, 800, 600}, 1280, 800));      // left must be above 0
    EXPECT_FALSE(IsSavedRectUsable({1280, 20, 800, 600}, 1280, 800));   // at the screen's edge
    EXPECT_FALSE(IsSavedRectUsable({10, 20, 800, 800}, 1280, 800));     // as tall as the screen
}

TEST(SavedRect, NegativeValuesCountAsHugeAndAreRejected)
{
    // A minimised frame is saved at -32000; read as unsigned that is far off screen.
    EXPECT_FALSE(IsSavedRectUsable({-32000, -32000, 160, 28}, 1280, 800));
    EXPECT_FALSE(IsSavedRectUsable({10, 20, -5, 600}, 1280, 800));
}
