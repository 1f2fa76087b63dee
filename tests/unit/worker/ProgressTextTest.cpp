#include <gtest/gtest.h>

#include <climits>

#include "worker/ProgressText.h"

TEST(ProgressText, FileTransfersNameFileAndTagOtherRowsShowTheExchange)
{
    const std::string exchange = "Процесс обмена данными с телефоном...";
    EXPECT_EQ(ProgressItemText({"12", "a.jpg", "300"}), "Процесс загрузки файла a.jpg_12");
    EXPECT_EQ(ProgressItemText({"", "", "500"}), exchange);
    EXPECT_EQ(ProgressItemText({"7"}), exchange);
    EXPECT_EQ(ProgressItemText({}), exchange);
}

TEST(ProgressText, RangeEndIsTheThirdElementAsANumberZeroOtherwiseAndNeverOverflows)
{
    EXPECT_EQ(ProgressRangeEnd({"", "", "500"}), 500);
    EXPECT_EQ(ProgressRangeEnd({"", "", "1315720 bytes"}), 1315720);
    EXPECT_EQ(ProgressRangeEnd({"", "", "abc"}), 0);
    EXPECT_EQ(ProgressRangeEnd({"", ""}), 0);
    EXPECT_EQ(ProgressRangeEnd({"", "", "-5"}), 0);
    EXPECT_EQ(ProgressRangeEnd({"", "", "99999999999999999999999"}), INT_MAX);
}

TEST(ProgressText, WritesStartWithTheDeletionAndTheSmsHidesTheBar)
{
    for (int code : {7, 8, 9})
        EXPECT_EQ(ProgressInitialText(code), "Удаление старых записей") << code;
    EXPECT_EQ(ProgressInitialText(10), "Процесс отправки SMS...");
    EXPECT_FALSE(ProgressBarShown(10));
    for (int code : {-1, 0, 3, 6, 11, 12}) {
        EXPECT_EQ(ProgressInitialText(code), "") << code;
        EXPECT_TRUE(ProgressBarShown(code)) << code;
    }
}
