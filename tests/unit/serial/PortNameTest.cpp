#include <gtest/gtest.h>

#include "serial/PortName.h"

TEST(PortName, PortsBelowTenOpenByName)
{
    EXPECT_EQ(PortName(1), "COM1");
    EXPECT_EQ(PortName(3), "COM3");
    EXPECT_EQ(PortName(9), "COM9");
}

TEST(PortName, PortsFromTenOnOpenThroughTheDevicePath)
{
    EXPECT_EQ(PortName(10), "\\\\.\\COM10");
    EXPECT_EQ(PortName(12), "\\\\.\\COM12");
    EXPECT_EQ(PortName(99), "\\\\.\\COM99");
}
