#include <cstring>

#include "SerialFixture.h"

namespace {
bool AllZeroFrom(const char* buffer, std::size_t from)
{
    for (std::size_t i = from; i < ReplyBufferSize; ++i)
        if (buffer[i] != '\0')
            return false;
    return true;
}
}  // namespace

TEST_F(SerialTest, AnOkAnswerGivesTrueAndExactlyItsBytes)
{
    phone->SetRules({"raw,data=\\r\\nOK\\r\\n AT"});
    DWORD elapsed = 0;
    EXPECT_TRUE(TimedExchange("AT", 1, elapsed));
    EXPECT_STREQ(session.ReplyBuffer, "\r\nOK\r\n");
    EXPECT_TRUE(AllZeroFrom(session.ReplyBuffer, 6));
    EXPECT_EQ(phone->Commands().back(), "AT");
}

TEST_F(SerialTest, AnErrorAnswerGivesFalseAndIsKept)
{
    phone->SetRules({"raw,data=\\r\\nERROR\\r\\n AT#PMODE=1"});
    DWORD elapsed = 0;
    EXPECT_FALSE(TimedExchange("AT#PMODE=1", 1, elapsed));
    EXPECT_STREQ(session.ReplyBuffer, "\r\nERROR\r\n");
    EXPECT_LT(elapsed, 3000u);
}

TEST_F(SerialTest, AnAnswerHoldingBothTextsGivesTrue)
{
    phone->SetRules({"raw,data=\\r\\nERROR\\r\\n\\r\\nOK\\r\\n AT+BOTH"});
    DWORD elapsed = 0;
    EXPECT_TRUE(TimedExchange("AT+BOTH", 1, elapsed));
    EXPECT_STREQ(session.ReplyBuffer, "\r\nERROR\r\n\r\nOK\r\n");
}

TEST_F(SerialTest, AnAnswerInPiecesIsGatheredWhole)
{
    phone->SetRules({"split,size=5,pause=1500 AT+GMM"});
    DWORD elapsed = 0;
    EXPECT_TRUE(TimedExchange("AT+GMM", 1, elapsed));
    EXPECT_STREQ(session.ReplyBuffer, "\r\n+GMM: SCH-E120\r\n\r\nOK\r\n");
    // Five pieces with four pauses of 1.5 s each, far beyond a single poll.
    EXPECT_GT(elapsed, 5500u);
}

TEST_F(SerialTest, ASilentPhoneFailsAfterEightSecondsWithOneUnit)
{
    phone->SetRules({"silence AT+GMM"});
    DWORD elapsed = 0;
    EXPECT_FALSE(TimedExchange("AT+GMM", 1, elapsed));
    EXPECT_NEAR(static_cast<double>(elapsed), 8000.0, 1000.0);
    EXPECT_TRUE(AllZeroFrom(session.ReplyBuffer, 0));
}

TEST_F(SerialTest, ASilentPhoneFailsAfterSixteenSecondsWithTwoUnits)
{
    phone->SetRules({"silence AT#PBOKW=D"});
    DWORD elapsed = 0;
    EXPECT_FALSE(TimedExchange("AT#PBOKW=D", 2, elapsed));
    EXPECT_NEAR(static_cast<double>(elapsed), 16000.0, 1000.0);
}

TEST_F(SerialTest, AnAnswerOfFiveThousandBytesStaysInsideTheBuffer)
{
    phone->SetRules({"huge,len=5000 AT+GMM"});
    session.ModelName = "sentinel";
    session.PhoneKey = 4711;
    DWORD elapsed = 0;
    // Its "OK" falls beyond the 4,095 bytes kept, so only silence ends it.
    EXPECT_FALSE(TimedExchange("AT+GMM", 1, elapsed));
    EXPECT_EQ(std::strlen(session.ReplyBuffer), ReplyBufferSize - 1);
    EXPECT_EQ(session.ReplyBuffer[ReplyBufferSize - 1], '\0');
    EXPECT_EQ(std::strncmp(session.ReplyBuffer, "\r\n+GMM: SCH-E120\r\n", 18), 0);
    EXPECT_EQ(session.ModelName, "sentinel");
    EXPECT_EQ(session.PhoneKey, 4711);
}

TEST_F(SerialTest, TheCommandGoesOutWithCarriageReturnAndLineFeed)
{
    const std::string before = phone->Received();
    EXPECT_TRUE(session.SendAtCommand("AT*SKT*BEEP=1", "OK", 1));
    EXPECT_EQ(phone->Received().substr(before.size()), "AT*SKT*BEEP=1\r\n");
}

TEST_F(SerialTest, TheRestOfAnEarlierAnswerIsNotTakenForTheNextOne)
{
    // The first exchange ends on its "OK"; the "ERROR" after it comes a second
    // later and waits unread until the next command goes out.
    phone->SetRules({"raw,data=\\r\\nOK\\r\\nERROR\\r\\n AT+GMM", "split,at=6,pause=1000 AT+GMM", "delay,ms=300 AT"});
    EXPECT_TRUE(session.SendAtCommand("AT+GMM", "OK", 1));
    Sleep(1500);
    EXPECT_TRUE(session.SendAtCommand("AT", "OK", 1));
    EXPECT_STREQ(session.ReplyBuffer, "\r\nOK\r\n");
}
