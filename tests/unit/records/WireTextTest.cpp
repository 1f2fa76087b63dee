#include <gtest/gtest.h>

#include "phone/MemoRecord.h"
#include "phone/PhoneBookRecord.h"
#include "phone/SchedulerRecord.h"
#include "phone/SmsCommand.h"

// A quote or a line break typed in a cell must not end the field or the
// command: every write command stays one line with its quotes where the
// phone expects them.
TEST(WireText, WriteCommandsKeepQuotesAndLineBreaksOutOfTheLine)
{
    const std::string typed = "O\"Brien\r\nAT#PBOKW=D\t\x01";
    const std::string sent = "O'Brien  AT#PBOKW=D  ";
    EXPECT_EQ(BuildMemoWrite({"20050305T121500", typed, "4"}), "AT#PIMMW=4,20050305T121500,\"" + sent + "\"");
    EXPECT_EQ(BuildSchedulerWrite({"20050310T100000\r", "5", typed, "", "1"}, 0, 0),
              "AT#PISHW=1,19800106T000000,20050310T100000 ,20050310T100000 ,0,0,\"" + sent + "\"");
    EXPECT_EQ(BuildPhoneBookWrite({typed, "1\"2", "", "", "", "", "a\nb", "\"", "20050101T000000", "3"}),
              "AT#PBOKW=0,0,3,\"" + sent + "\",1'2,,,,,,,,,\"a b\",\"'\",20050101T000000");
    EXPECT_EQ(BuildSmsCommand({"8903", "", "Привет,\r\n\"друг\"", "1"}),
              "AT#PSTRM=8903,,3,\"Привет,  'друг'\",1,0,0, 4098");
    // Cyrillic and other bytes from 0x80 go as they are.
    EXPECT_EQ(BuildMemoWrite({"s", "\xC0\xFF\x98", "0"}), "AT#PIMMW=0,s,\"\xC0\xFF\x98\"");
}
