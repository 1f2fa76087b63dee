#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "phone/PhoneStamp.h"

namespace {
int64_t LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&t));
}

class PhoneStampTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TZ", "MSK-3", 1);
        tzset();
    }
    void TearDown() override
    {
        unsetenv("TZ");
        tzset();
    }
};
}  // namespace

TEST_F(PhoneStampTest, LocalFieldsWithLeadingZeros)
{
    EXPECT_EQ(FormatPhoneStamp(LocalTime(1980, 1, 6, 0, 0, 0)), "19800106T000000");
    EXPECT_EQ(FormatPhoneStamp(LocalTime(2005, 3, 7, 9, 5, 3)), "20050307T090503");
    EXPECT_EQ(FormatPhoneStamp(LocalTime(1999, 12, 31, 23, 59, 59)), "19991231T235959");
}

TEST_F(PhoneStampTest, ZeroMeansNow)
{
    const std::string stamp = FormatPhoneStamp(0);
    ASSERT_EQ(stamp.size(), 15u);
    EXPECT_GE(stamp.substr(0, 4), "2025");
}

TEST_F(PhoneStampTest, TimesBefore1970StillGiveAStamp)
{
    EXPECT_EQ(FormatPhoneStamp(-1), "19691231T235959");
    EXPECT_EQ(FormatPhoneStamp(-86400LL * 365), "19690101T000000");
    EXPECT_FALSE(FormatPhoneStamp(INT64_MIN).empty());
}
