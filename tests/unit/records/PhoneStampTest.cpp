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

TEST_F(PhoneStampTest, AStampReadsAsItsLocalMinuteAndFormatsBack)
{
    EXPECT_EQ(ParsePhoneStamp("20050307T140509"), LocalTime(2005, 3, 7, 14, 5, 0));
    EXPECT_EQ(ParsePhoneStamp("20040229T000000"), LocalTime(2004, 2, 29, 0, 0, 0));
    for (const char* stamp : {"20050307T140500", "19991231T235900", "20301231T000000"})
        EXPECT_EQ(FormatPhoneStamp(ParsePhoneStamp(stamp)), stamp);
}

TEST_F(PhoneStampTest, WhatIsNotAStampGivesMinusOne)
{
    // Short texts are never read past their end (ASan watches), and
    // non-digits are never taken for numbers.
    for (const char* text : {"", "2005", "20050307T1405", "2005XX07T140509", "20050307 140509", "20050307T14050x",
                             "-0050307T140509", "200503070140509", "202412310000000000000000000000"})
        EXPECT_EQ(ParsePhoneStamp(text), -1) << text;
    EXPECT_EQ(ParsePhoneStamp(std::string(30, '7')), -1);
    // Fields that would be carried into another day or month.
    for (const char* text : {"20051307T140509", "20050007T140509", "20050230T140509", "20050300T140509",
                             "20050307T240509", "20050307T146009", "20050229T000000", "21000229T120000"})
        EXPECT_EQ(ParsePhoneStamp(text), -1) << text;
}

TEST(PhoneStampSummer, AStampKeepsItsClockTimeWhereSummerTimeApplies)
{
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    for (const char* stamp : {"20050701T120000", "20050115T120000", "20051030T013000"})
        EXPECT_EQ(FormatPhoneStamp(ParsePhoneStamp(stamp)), stamp);
    unsetenv("TZ");
    tzset();
}
