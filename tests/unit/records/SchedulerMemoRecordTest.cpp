#include <gtest/gtest.h>

#include "phone/MemoRecord.h"
#include "phone/ReplyFields.h"
#include "phone/SchedulerRecord.h"

TEST(SchedulerChoices, ThreeValuesEachTwoBytesAfterALineFeed)
{
    // Each value stands in brackets on a line of its own.
    const std::string reply = "\r\n#PISHW: (0-49)\r\n(0)\r\n(5)\r\n(15)\r\n\r\nOK\r\n";
    EXPECT_EQ(ParseSchedulerChoices(reply), (std::vector<std::string>{"0", "5", "15"}));
    EXPECT_TRUE(ParseSchedulerChoices("\r\nOK\r\n").empty());
    EXPECT_EQ(ParseSchedulerChoices("#PISHW:\n(12345)\n"), (std::vector<std::string>{"1234"}));
    EXPECT_EQ(ParseSchedulerChoices("#PISHW: (0-49)\n(0)"), (std::vector<std::string>{}));
    EXPECT_EQ(ParseSchedulerChoices("#PISHW:\n(x)\n"), (std::vector<std::string>{""}));
}

TEST(SchedulerEntry, FieldsChoiceAndMelodyNumber)
{
    SchedulerEntry e;
    ASSERT_EQ(ParseSchedulerEntry("\r\n#PISHR: 0,19800106T000000,20050310T100000,20050310T100000,1,2,\"Совещание\"\r\nOK",
                                  e),
              EntryParse::Found);
    EXPECT_EQ(e.start, "20050310T100000");
    EXPECT_EQ(e.code, 1);
    EXPECT_EQ(e.melodyNumber, "2");
    EXPECT_EQ(e.text, "Совещание");

    ASSERT_EQ(ParseSchedulerEntry("#PISHR: 0,a,b,s,0,1,\"line\rrest\"", e), EntryParse::Found);
    EXPECT_EQ(e.text, "line");  // a CR ends the text
    EXPECT_EQ(ParseSchedulerEntry("OK", e), EntryParse::Absent);
    EXPECT_EQ(ParseSchedulerEntry("#PISHR: 0,a,b,s,0,1", e), EntryParse::Malformed);
    EXPECT_EQ(ParseSchedulerEntry("#PISHR: 0,a,b,s,0,1,2", e), EntryParse::Malformed);
}

TEST(SchedulerEntry, MelodyNumbersThatAreNotPlainNumbersAreNeverLookedUp)
{
    SchedulerEntry e;
    ASSERT_EQ(ParseSchedulerEntry("#PISHR: 0,a,b,s,0,1 OR 1=1,\"t\"", e), EntryParse::Found);
    EXPECT_FALSE(reply::IsPlainInteger(e.melodyNumber));
    EXPECT_TRUE(reply::IsPlainInteger("12"));
    EXPECT_FALSE(reply::IsPlainInteger(""));
    EXPECT_FALSE(reply::IsPlainInteger("1'"));
}

TEST(SchedulerChoice, CodeAndChoiceTranslateBothWays)
{
    const std::vector<std::string> choices{"0", "5", "15"};
    EXPECT_EQ(ChoiceForCode(choices, 1), "5");
    EXPECT_EQ(ChoiceForCode(choices, 3), "");
    EXPECT_EQ(ChoiceForCode(choices, -1), "");
    EXPECT_EQ(ChoiceForCode({}, 0), "");
    EXPECT_EQ(CodeForChoice(choices, "5"), 1);
    EXPECT_EQ(CodeForChoice(choices, "7"), 0);
}

TEST(SchedulerWrite, StartTwiceAfterTheFixedStamp)
{
    EXPECT_EQ(BuildSchedulerWrite({"20050310T100000", "5", "", "Весна", "12"}, 1, 3),
              "AT#PISHW=12,19800106T000000,20050310T100000,20050310T100000,1,3,\"\"");
}

TEST(Memo, ReadAndWriteForms)
{
    MemoEntry m;
    ASSERT_EQ(ParseMemoEntry("\r\n#PIMMR: 0,20050305T121500,\"Купить хлеб\"\r\nOK\r\n", m), EntryParse::Found);
    EXPECT_EQ(m.stamp, "20050305T121500");
    EXPECT_EQ(m.text, "Купить хлеб");
    ASSERT_EQ(ParseMemoEntry("#PIMMR: 0,s,\"" + std::string(80, 'x') + "\"", m), EntryParse::Found);
    EXPECT_EQ(m.text.size(), 31u);
    EXPECT_EQ(ParseMemoEntry("#PIMMR: 0,s", m), EntryParse::Malformed);
    EXPECT_EQ(BuildMemoWrite({"20050305T121500", "a", "4"}), "AT#PIMMW=4,20050305T121500,\"a\"");
}

TEST(SchedulerMemoFields, OverlongFieldsAreCutToTheirBuffers)
{
    const std::string longText(300, 'x'), longNumber(100, '7');
    SchedulerEntry e;
    ASSERT_EQ(ParseSchedulerEntry("#PISHR: 0,a,b," + longNumber + ",1," + longNumber + ",\"" + longText + "\"", e),
              EntryParse::Found);
    EXPECT_EQ(e.start, std::string(31, '7'));
    EXPECT_EQ(e.melodyNumber, std::string(31, '7'));
    EXPECT_EQ(e.text, std::string(31, 'x'));
    MemoEntry m;
    ASSERT_EQ(ParseMemoEntry("#PIMMR: 0," + longNumber + ",\"t\"", m), EntryParse::Found);
    EXPECT_EQ(m.stamp, std::string(31, '7'));
}
