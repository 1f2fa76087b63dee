#include <gtest/gtest.h>

#include "phone/SessionReplies.h"

TEST(PhoneKey, TheDigitsAfterThePrefixAreTheKey)
{
    EXPECT_EQ(ParsePhoneKey("\r\n#PCKEY: 4711\r\n\r\nOK\r\n"), 4711);
}

TEST(PhoneKey, ALeadingZeroIsLost)
{
    EXPECT_EQ(ParsePhoneKey("\r\n#PCKEY: 01234\r\n\r\nOK\r\n"), 1234);
}

TEST(PhoneKey, NoDigitsGiveZero)
{
    EXPECT_EQ(ParsePhoneKey("\r\n#PCKEY: \r\n\r\nOK\r\n"), 0);
    EXPECT_EQ(ParsePhoneKey("#PCKEY: x12"), 0);
    EXPECT_EQ(ParsePhoneKey("#PCKEY: "), 0);
}

TEST(PhoneKey, WithoutThePrefixAndItsBlankThereIsNoKey)
{
    EXPECT_EQ(ParsePhoneKey("\r\nOK\r\n"), std::nullopt);
    EXPECT_EQ(ParsePhoneKey("\r\n#PCKEY:4711\r\nOK\r\n"), std::nullopt);
    EXPECT_EQ(ParsePhoneKey("\r\n#pckey: 4711\r\nOK\r\n"), std::nullopt);
}

TEST(PhoneKey, OnlySevenDigitsAreKept)
{
    EXPECT_EQ(ParsePhoneKey("#PCKEY: 1234567\r\n"), 1234567);
    EXPECT_EQ(ParsePhoneKey("#PCKEY: 12345678901234567890\r\n"), 1234567);
    EXPECT_EQ(ParsePhoneKey("#PCKEY: 9999999999\r\n"), 9999999);
}

TEST(ModelName, TheModelRunsUpToTheLineEnd)
{
    EXPECT_EQ(ParseModelName("\r\n+GMM: SCH-E120\r\n\r\nOK\r\n"), "SCH-E120");
    EXPECT_EQ(ParseModelName("GMM: SCH-E250"), "SCH-E250");
}

TEST(ModelName, ItStopsAtABlankOrAnyByteOutsidePrintableAscii)
{
    EXPECT_EQ(ParseModelName("+GMM: SCH E250\r\n"), "SCH");
    EXPECT_EQ(ParseModelName("+GMM: SCH-\xC5\x31\x32\x30\r\n"), "SCH-");
    EXPECT_EQ(ParseModelName("+GMM: A~!\x7F"), "A~!");
}

TEST(ModelName, WithoutThePrefixTheModelIsEmpty)
{
    EXPECT_EQ(ParseModelName("\r\nOK\r\n"), "");
    EXPECT_EQ(ParseModelName("\r\n+GMM:SCH-E120\r\nOK\r\n"), "");
    EXPECT_EQ(ParseModelName("\r\n+GMM: \r\nOK\r\n"), "");
}

TEST(MelodyList, TwoLinesGiveTwoMelodiesWhoseNamesKeepTheirCarriageReturn)
{
    const auto list = ParseMelodyList("\r\n#PUGSN: 2\r\n1,2436,Весна\r\n2,1890,Morning\r\n\r\nOK\r\n");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ((*list)[0].number, "1");
    EXPECT_EQ((*list)[0].name, "Весна\r");
    EXPECT_EQ((*list)[1].number, "2");
    EXPECT_EQ((*list)[1].name, "Morning\r");
}

TEST(MelodyList, WithoutThePrefixThereIsNoList)
{
    EXPECT_FALSE(ParseMelodyList("\r\nOK\r\n"));
    EXPECT_FALSE(ParseMelodyList("\r\n#PUGSN 2\r\n1,2,a\r\nOK\r\n"));
}

TEST(MelodyList, APrefixWithoutALineFeedOrWithoutEntriesGivesAnEmptyList)
{
    auto list = ParseMelodyList("#PUGSN: 0");
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->empty());
    list = ParseMelodyList("\r\n#PUGSN: 0\r\n\r\nOK\r\n");
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->empty());
}

TEST(MelodyList, TheMiddleFieldIsSkippedAndTheNameMayHoldCommas)
{
    const auto list = ParseMelodyList("#PUGSN: 1\n7,,Eine, kleine\n");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 1u);
    EXPECT_EQ((*list)[0].number, "7");
    EXPECT_EQ((*list)[0].name, "Eine, kleine");
}

TEST(MelodyList, ALastLineWithoutALineFeedIsNotTaken)
{
    const auto list = ParseMelodyList("#PUGSN: 2\r\n1,5,a\r\n2,5,b");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 1u);
    EXPECT_EQ((*list)[0].name, "a\r");
}

TEST(MelodyList, TheSearchesRunAcrossLines)
{
    // The line "x" has no comma: its number runs on into the next line.
    const auto list = ParseMelodyList("#PUGSN: 2\nx\n3,4,c\n");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 1u);
    EXPECT_EQ((*list)[0].number, "x\n3");
    EXPECT_EQ((*list)[0].name, "c");
}

TEST(MelodyList, NumbersAndNamesAreCutToThirtyOneBytes)
{
    const std::string longName(40, 'n');
    const std::string longNumber(35, '9');
    const auto list = ParseMelodyList(("#PUGSN: 1\r\n" + longNumber + ",1," + longName + "\r\n").c_str());
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 1u);
    EXPECT_EQ((*list)[0].number, std::string(31, '9'));
    EXPECT_EQ((*list)[0].name, std::string(31, 'n'));
    const auto exact = ParseMelodyList(("#PUGSN: 1\n1,1," + std::string(31, 'm') + "\n").c_str());
    EXPECT_EQ((*exact)[0].name, std::string(31, 'm'));
}

TEST(SessionDescription, NamesTheModelAndThePort)
{
    EXPECT_EQ(DescribeSession("SCH-E250", 3), "Samsung SCH-E250, порт COM3.");
    EXPECT_EQ(DescribeSession("SCH-E120", 12), "Samsung SCH-E120, порт COM12.");
    EXPECT_EQ(DescribeSession("", 1), "Samsung , порт COM1.");
}

TEST(OwnNumber, DigitsAfterThePrefixUpToTwenty)
{
    EXPECT_EQ(ParseOwnNumber("\r\n#PCMIT: 0951234567\r\n\r\nOK\r\n"), "0951234567");
    EXPECT_EQ(ParseOwnNumber("#PCMIT:+79031234567\r\n"), "+79031234567");
    EXPECT_EQ(ParseOwnNumber("#PCMIT: 123456789012345678901234\r\n"), "12345678901234567890");
    EXPECT_EQ(ParseOwnNumber("#PCMIT: \r\nOK\r\n"), "");
    EXPECT_EQ(ParseOwnNumber("\r\nOK\r\n"), "");
}
