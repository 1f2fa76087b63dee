#include <gtest/gtest.h>

#include "phone/PhoneBookRecord.h"

TEST(PhoneBookCapacity, LargerOfTheCountAndTheQuotedRangeEnd)
{
    EXPECT_EQ(ParsePhoneBookCapacity("\r\n#PBSEL: 1,120,\"(1-500)\"\r\n\r\nOK\r\n"), 500);
    EXPECT_EQ(ParsePhoneBookCapacity("\r\n#PBSEL: 1,120,\"1-500\"\r\nOK\r\n"), 500);
    EXPECT_EQ(ParsePhoneBookCapacity("\r\n#PBSEL: 1,120,0\r\nOK\r\n"), 120);
    EXPECT_EQ(ParsePhoneBookCapacity("#PBSEL: 1,120,\"none\""), 120);
    // Counts take at most four digits.
    EXPECT_EQ(ParsePhoneBookCapacity("#PBSEL: 1,99999,\"(1-123456)\""), 9999);
}

TEST(PhoneBookCapacity, MissingPrefixOrCommasEndTheRead)
{
    EXPECT_EQ(ParsePhoneBookCapacity("\r\nOK\r\n"), std::nullopt);
    EXPECT_EQ(ParsePhoneBookCapacity("#PBSEL: 1"), std::nullopt);
    EXPECT_EQ(ParsePhoneBookCapacity("#PBSEL: 1,120"), std::nullopt);
}

TEST(PhoneBookEntry, AllFieldsOfAFullEntry)
{
    const std::string reply =
        "\r\n#PBOKR: 0,0,3,\"Иванов Иван\",0957001122,1,4951234567,2,,3,+7123,4,112,\"mail@x.ru\",\"Работа\","
        "20050301T093000\r\n\r\nOK\r\n";
    TextRow entry;
    ASSERT_EQ(ParsePhoneBookEntry(reply, entry), EntryParse::Found);
    EXPECT_EQ(entry, (TextRow{"Иванов Иван", "0957001122", "4951234567", "", "", "112", "mail@x.ru", "Работа",
                              "20050301T093000"}));
}

TEST(PhoneBookEntry, EmptyPositionAndCutAnswers)
{
    TextRow entry;
    EXPECT_EQ(ParsePhoneBookEntry("\r\nOK\r\n", entry), EntryParse::Absent);
    // "#PBOKR:" already holds "OK": the rest may not have arrived yet.
    EXPECT_EQ(ParsePhoneBookEntry("\r\n#PBOKR:", entry), EntryParse::Malformed);
    EXPECT_EQ(ParsePhoneBookEntry("#PBOKR: 0,0,3,\"Name\",123,1,456", entry), EntryParse::Malformed);
    // A short stamp at the very end is taken as it is.
    ASSERT_EQ(ParsePhoneBookEntry("#PBOKR: 0,0,3,\"N\",1,,2,,3,,4,,5,\"a\",\"b\",2005", entry), EntryParse::Found);
    EXPECT_EQ(entry.back(), "2005");
}

TEST(PhoneBookEntry, OverlongFieldsAreCutToTheirBuffers)
{
    const std::string name(200, 'N'), number(100, '7');
    TextRow entry;
    ASSERT_EQ(ParsePhoneBookEntry("#PBOKR: 0,0,1,\"" + name + "\"," + number + ",,,,,,,,,\"t\",\"u\",20050301T093000XYZ",
                                  entry),
              EntryParse::Found);
    EXPECT_EQ(entry[0], std::string(31, 'N'));
    EXPECT_EQ(entry[1], std::string(31, '7'));
    EXPECT_EQ(entry[8], "20050301T093000");
}

TEST(PhoneBookWrite, DoubleCommasBetweenNumbersAndThePositionFirst)
{
    const TextRow row{"Мама", "111", "222", "", "", "", "t1", "t2", "20050101T000000", "3"};
    EXPECT_EQ(BuildPhoneBookWrite(row), "AT#PBOKW=0,0,3,\"Мама\",111,,222,,,,,,,\"t1\",\"t2\",20050101T000000");
    EXPECT_EQ(BuildPhoneBookWrite({"a", "b"}), "");
}

TEST(RowDebug, EveryCellOnItsOwnLine)
{
    EXPECT_EQ(RowDebugText({"a", "", "Б"}), "a\r\n\r\nБ\r\n");
}
