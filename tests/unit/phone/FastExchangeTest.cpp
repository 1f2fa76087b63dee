#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "TimedPhone.h"
#include "phone/FastExchange.h"

namespace {
struct Exchange {
    char reply[ReplyBufferSize];
    ExchangeEnd end;
    std::uint64_t endedAt;
};

Exchange Collect(TimedPhone& phone, int units = 1)
{
    Exchange e{};
    std::memset(e.reply, 'x', sizeof e.reply);
    e.end = CollectReplyFast(
        e.reply, "OK", units, [&phone](char* chunk, std::size_t capacity) { return phone.Read(chunk, capacity); },
        [&phone](int ms) { phone.clock += static_cast<std::uint64_t>(ms); }, [&phone] { return phone.clock; });
    e.endedAt = phone.clock;
    return e;
}

const char Record[] = "\r\n#PBOKR: 0,0,5,\"Иван\",123,,,,,,,,,\"\",\"\",20050307T090503\r\n";
}  // namespace

TEST(FinalLine, IsAWholeLineAtTheEnd)
{
    const auto ends = [](const std::string& reply, const char* text) {
        return EndsWithFinalLine(reply.c_str(), reply.size(), text);
    };
    EXPECT_TRUE(ends("\r\nOK\r\n", "OK"));
    EXPECT_TRUE(ends("OK\r\n", "OK"));
    EXPECT_TRUE(ends("AT\r\r\nERROR\r\n", "ERROR"));
    EXPECT_FALSE(ends("\r\n#PBOKR:", "OK"));
    EXPECT_FALSE(ends("\r\nBOOK\r\n", "OK"));
    EXPECT_FALSE(ends("\r\nOK\r", "OK"));
    EXPECT_FALSE(ends("\r\nOK", "OK"));
    EXPECT_FALSE(ends("K\r\n", "OK"));
    EXPECT_FALSE(ends("", "OK"));
}

TEST(FastExchange, EndsWhenTheResultLineIsInNotOnTheOkOfThePrefix)
{
    // The record's prefix holds "OK" and arrives 300 ms before the rest.
    TimedPhone phone;
    const std::string record = Record;
    phone.pieces = {{30, record.substr(0, 9)}, {330, record.substr(9)}, {335, "\r\nOK\r\n"}};
    const Exchange e = Collect(phone);
    EXPECT_EQ(e.end, ExchangeEnd::Expected);
    EXPECT_EQ(std::string(e.reply), record + "\r\nOK\r\n");
    EXPECT_GE(e.endedAt, 335u);
    EXPECT_LT(e.endedAt, 345u);
}

TEST(FastExchange, AnOkSplitOverTwoReadsEndsOnlyWhenComplete)
{
    for (const char* first : {"\r\nO", "\r\nOK", "\r\nOK\r"}) {
        TimedPhone phone;
        const std::string rest = std::string("\r\nOK\r\n").substr(std::strlen(first));
        phone.pieces = {{20, first}, {120, rest}};
        const Exchange e = Collect(phone);
        EXPECT_EQ(e.end, ExchangeEnd::Expected) << first;
        EXPECT_STREQ(e.reply, "\r\nOK\r\n");
        EXPECT_GE(e.endedAt, 120u) << first;
        EXPECT_LT(e.endedAt, 130u) << first;
    }
}

TEST(FastExchange, AnErrorLineEndsWithFailureAndKeepsTheAnswer)
{
    TimedPhone phone;
    phone.pieces = {{25, "AT#PIMMR=90\r\r\nERROR\r\n"}};
    const Exchange e = Collect(phone);
    EXPECT_EQ(e.end, ExchangeEnd::Error);
    EXPECT_STREQ(e.reply, "AT#PIMMR=90\r\r\nERROR\r\n");
    EXPECT_LT(e.endedAt, 35u);

    // As with the slow exchange, the expected text anywhere wins.
    TimedPhone both;
    both.pieces = {{25, "\r\n#PBOKR: 1\r\n\r\nERROR\r\n"}};
    EXPECT_EQ(Collect(both).end, ExchangeEnd::Expected);
}

TEST(FastExchange, SilenceEndsAfterEightSecondsAUnitSinceTheLastByte)
{
    for (int units : {1, 2}) {
        TimedPhone phone;
        const Exchange e = Collect(phone, units);
        EXPECT_EQ(e.end, ExchangeEnd::Silent);
        EXPECT_STREQ(e.reply, "");
        EXPECT_GT(e.endedAt, 8000u * units);
        EXPECT_LT(e.endedAt, 8000u * units + 10);
    }
    // A phone that stops in the middle of a line: its bytes are kept.
    TimedPhone stalled;
    stalled.pieces = {{1000, "\r\n#PIMMR: 3,2005"}};
    const Exchange e = Collect(stalled);
    EXPECT_EQ(e.end, ExchangeEnd::Stalled);
    EXPECT_STREQ(e.reply, "\r\n#PIMMR: 3,2005");
    EXPECT_GT(e.endedAt, 9000u);
    EXPECT_LT(e.endedAt, 9010u);
}

TEST(FastExchange, AnAnswerWithoutAResultLineIsJudgedOnTheTextsAfterAPause)
{
    // The prefix's "OK" and then nothing for good: judged as found, once the
    // phone has been quiet for 800 ms.
    TimedPhone phone;
    phone.pieces = {{30, "\r\n#PBOKR:"}};
    Exchange e = Collect(phone);
    EXPECT_EQ(e.end, ExchangeEnd::Expected);
    EXPECT_GE(e.endedAt, 830u);
    EXPECT_LT(e.endedAt, 840u);

    TimedPhone numeric;
    numeric.pieces = {{30, "0\r"}};
    e = Collect(numeric);
    EXPECT_EQ(e.end, ExchangeEnd::Stalled);
    EXPECT_STREQ(e.reply, "0\r");
}

TEST(FastExchange, AFullReplyIsJudgedAtOnceAndStaysWithinItsBuffer)
{
    TimedPhone phone;
    phone.pieces = {{10, "\r\n#PUGSN: 99\r\n" + std::string(5000, 'm')}};
    std::vector<char> guarded(ReplyBufferSize + 8, '#');
    const ExchangeEnd end = CollectReplyFast(
        guarded.data(), "PUGSN", 1, [&phone](char* chunk, std::size_t capacity) { return phone.Read(chunk, capacity); },
        [&phone](int ms) { phone.clock += static_cast<std::uint64_t>(ms); }, [&phone] { return phone.clock; });
    EXPECT_EQ(end, ExchangeEnd::Expected);
    EXPECT_EQ(std::strlen(guarded.data()), ReplyBufferSize - 1);
    EXPECT_EQ(guarded[ReplyBufferSize], '#');
    EXPECT_LT(phone.clock, 20u);
}

TEST(CompleteReply, WaitsForTheResultLineAfterTheRecordOrForSilence)
{
    const auto complete = [](TimedPhone& phone, char* reply) {
        return CompleteReply(
            reply, 2, 1, [&phone](char* chunk, std::size_t capacity) { return phone.Read(chunk, capacity); },
            [&phone](int ms) { phone.clock += static_cast<std::uint64_t>(ms); }, [&phone] { return phone.clock; });
    };
    const std::string record = Record;
    // The exchange ended on the "OK" of "#PBOKR:"; the rest comes 1.5 s later.
    TimedPhone late;
    late.pieces = {{1500, record.substr(9)}, {1510, "\r\nOK\r\n"}};
    char reply[ReplyBufferSize] = {};
    record.copy(reply, 9);
    EXPECT_TRUE(complete(late, reply));
    EXPECT_EQ(std::string(reply), record + "\r\nOK\r\n");
    EXPECT_LT(late.clock, 1600u);

    // A phone that stops inside the record is given up after 8 s of silence.
    TimedPhone stopped;
    std::memset(reply, 0, sizeof reply);
    record.copy(reply, 9);
    EXPECT_FALSE(complete(stopped, reply));
    EXPECT_EQ(std::string(reply), record.substr(0, 9));
    EXPECT_GE(stopped.clock, 8000u);
    EXPECT_LT(stopped.clock, 8100u);

    // An answer that is whole already reads nothing more; "BOOK" in a line
    // or an "OK" without its line end is no result line.
    TimedPhone idle;
    std::strcpy(reply, "\r\n#PIMMR: 0,s,\"OK\"\r\nOK\r\n");
    EXPECT_TRUE(complete(idle, reply));
    EXPECT_EQ(idle.polls, 0);
    EXPECT_TRUE(HoldsResultLine("x\r\nERROR\r\nmore", 0));
    EXPECT_FALSE(HoldsResultLine("\r\nBOOK\r\n", 0));
    EXPECT_FALSE(HoldsResultLine("\r\nOK\r", 0));
    EXPECT_FALSE(HoldsResultLine("\r\nOK\r\n#PBOKR:", 3));
}
