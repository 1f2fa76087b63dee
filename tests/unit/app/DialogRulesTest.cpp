#include <gtest/gtest.h>

#include "common/CentreRule.h"
#include "app/PortList.h"

TEST(CentreRule, TheCentresMeetWithIntegerHalves)
{
    const WindowOrigin o = CentredOrigin(0, 0, 1280, 800, 300, 200);
    EXPECT_EQ(o.x, 490);
    EXPECT_EQ(o.y, 300);
    // Odd sizes round each half down on its own.
    const WindowOrigin odd = CentredOrigin(10, 20, 211, 121, 51, 31);
    EXPECT_EQ(odd.x, 100 + 10 - 25);
    EXPECT_EQ(odd.y, 50 + 20 - 15);
}

TEST(CentreRule, ADialogLargerThanItsReferenceStartsLeftOfIt)
{
    const WindowOrigin o = CentredOrigin(100, 100, 200, 150, 300, 100);
    EXPECT_EQ(o.x, 0);
    EXPECT_EQ(o.y, 75);
}

TEST(PortList, ItemsReadComAndTheNumber)
{
    EXPECT_EQ(PortListCount, 99);
    EXPECT_EQ(PortListText(1), "COM1");
    EXPECT_EQ(PortListText(99), "COM99");
}

TEST(PortList, TheCurrentPortIsSelectedOrElseTheFirst)
{
    EXPECT_EQ(PortListSelection(3), 2);
    EXPECT_EQ(PortListSelection(1), 0);
    EXPECT_EQ(PortListSelection(99), 98);
    EXPECT_EQ(PortListSelection(0), 0);
    EXPECT_EQ(PortListSelection(100), 0);
    EXPECT_EQ(PortListSelection(150), 0);
    EXPECT_EQ(PortListSelection(-3), 0);
}
