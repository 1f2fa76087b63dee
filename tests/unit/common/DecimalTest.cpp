#include <gtest/gtest.h>

#include <climits>

#include "common/Decimal.h"

TEST(ReadDecimal, TakesTheLeadingNumberAndGivesZeroForAnythingElse)
{
    EXPECT_EQ(ReadDecimal("12"), 12);
    EXPECT_EQ(ReadDecimal("  7px"), 7);
    EXPECT_EQ(ReadDecimal("-3"), -3);
    EXPECT_EQ(ReadDecimal("+4"), 4);
    EXPECT_EQ(ReadDecimal(""), 0);
    EXPECT_EQ(ReadDecimal("Имя"), 0);
    EXPECT_EQ(ReadDecimal("1,5"), 1);
}

TEST(ReadDecimal, StopsAtTheLimitsInsteadOfOverflowing)
{
    EXPECT_EQ(ReadDecimal("99999999999999999999999"), LLONG_MAX);
    EXPECT_EQ(ReadDecimal("-99999999999999999999999"), LLONG_MIN);
    EXPECT_EQ(ReadDecimalInt("99999999999"), INT_MAX);
    EXPECT_EQ(ReadDecimalInt("-99999999999"), INT_MIN);
}
