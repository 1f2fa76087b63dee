#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "phone/AtExchange.h"

namespace {
// A phone seen through the port: each poll hands out the next scripted piece
// (an empty piece is a poll with nothing waiting); after the script the phone
// is silent. Sleeps are recorded, not slept.
struct ScriptedPhone {
    ScriptedPhone() = default;
    ScriptedPhone(std::initializer_list<std::string> script) : pieces(script) {}

    std::deque<std::string> pieces;
    std::vector<int> sleeps;
    std::vector<std::size_t> capacities;
    int polls = 0;

    ReadAvailable Reader()
    {
        return [this](char* chunk, std::size_t capacity) -> std::size_t {
            ++polls;
            capacities.push_back(capacity);
            if (pieces.empty())
                return 0;
            std::string piece = pieces.front();
            pieces.pop_front();
            if (piece.size() > capacity) {
                pieces.push_front(piece.substr(capacity));
                piece.resize(capacity);
            }
            std::memcpy(chunk, piece.data(), piece.size());
            return piece.size();
        };
    }
    SleepFor Sleeper()
    {
        return [this](int ms) { sleeps.push_back(ms); };
    }
    int SleptMs() const
    {
        int total = 0;
        for (int ms : sleeps)
            total += ms;
        return total;
    }
};

struct Exchange {
    char reply[ReplyBufferSize];
    ExchangeEnd end;
};

Exchange Collect(ScriptedPhone& phone, int units = 1, const char* expected = "OK")
{
    Exchange e{};
    std::memset(e.reply, 'x', sizeof e.reply);
    e.end = CollectReply(e.reply, expected, units, phone.Reader(), phone.Sleeper());
    return e;
}
}  // namespace

TEST(AtCommandLine, EndsInCarriageReturnAndLineFeed)
{
    EXPECT_EQ(AtCommandLine("AT#PBOKR=5"), "AT#PBOKR=5\r\n");
}

TEST(ReplyBufferAppend, KeepsTheFirst4095BytesAndTheTerminator)
{
    std::vector<char> guarded(ReplyBufferSize + 16, '#');
    char* reply = guarded.data();
    std::memset(reply, 0, ReplyBufferSize);
    const std::string chunk(256, 'a');
    std::size_t stored = 0;
    for (int i = 0; i < 20; ++i)
        stored = AppendReply(reply, stored, chunk.data(), chunk.size());
    EXPECT_EQ(stored, ReplyBufferSize - 1);
    EXPECT_EQ(std::strlen(reply), ReplyBufferSize - 1);
    EXPECT_EQ(reply[ReplyBufferSize - 1], '\0');
    for (std::size_t i = ReplyBufferSize; i < guarded.size(); ++i)
        EXPECT_EQ(guarded[i], '#') << i;
}

TEST(ReplyBufferAppend, AnAppendThatCrossesTheEndIsCutThere)
{
    char reply[ReplyBufferSize] = {};
    std::size_t stored = AppendReply(reply, 0, std::string(4000, 'b').data(), 4000);
    stored = AppendReply(reply, stored, "0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz"
                                        "0123456789abcdefghijklmnopqrstuvwxyz",
                         108);
    EXPECT_EQ(stored, 4095u);
    EXPECT_EQ(reply[4000], '0');
    EXPECT_EQ(reply[4094], reply[4000 + 94]);
    EXPECT_EQ(reply[4095], '\0');
}

TEST(ReplyContains, IsAPlainCaseSensitiveSearchUpToTheFirstZero)
{
    EXPECT_TRUE(ReplyContains("\r\n#PBOKR: 1\r\n", "OK"));
    EXPECT_FALSE(ReplyContains("\r\nok\r\n", "OK"));
    const char withZero[] = "\r\n\0OK\r\n";
    EXPECT_FALSE(ReplyContains(withZero, "OK"));
}

TEST(CollectReply, AnOkAnswerSucceedsAndIsKeptExactly)
{
    ScriptedPhone phone{{"\r\nOK\r\n"}};
    Exchange e = Collect(phone);
    EXPECT_EQ(e.end, ExchangeEnd::Expected);
    EXPECT_STREQ(e.reply, "\r\nOK\r\n");
    EXPECT_EQ(std::count(e.reply, e.reply + ReplyBufferSize, '\0'), static_cast<long>(ReplyBufferSize - 6));
    EXPECT_TRUE(phone.sleeps.empty());
}

TEST(CollectReply, AnErrorAnswerFailsAndIsKept)
{
    ScriptedPhone phone{{"\r\nERROR\r\n"}};
    Exchange e = Collect(phone);
    EXPECT_EQ(e.end, ExchangeEnd::Error);
    EXPECT_STREQ(e.reply, "\r\nERROR\r\n");
}

TEST(CollectReply, TheExpectedTextWinsOverError)
{
    ScriptedPhone phone{{"\r\n#PBOKR: 1,\"ERROR\"\r\n\r\nOK\r\n"}};
    EXPECT_EQ(Collect(phone).end, ExchangeEnd::Expected);
    ScriptedPhone split{{"\r\nERR", "", "", "OR OK\r\n"}};
    EXPECT_EQ(Collect(split).end, ExchangeEnd::Expected);
}

TEST(CollectReply, TheExpectedTextEndsTheExchangeEvenInsideData)
{
    ScriptedPhone phone{{"\r\n#PBOKR:", "", " 1,\"Name\"\r\n\r\nOK\r\n"}};
    Exchange e = Collect(phone);
    EXPECT_EQ(e.end, ExchangeEnd::Expected);
    EXPECT_STREQ(e.reply, "\r\n#PBOKR:");
}

TEST(CollectReply, PiecesWithPausesAreGatheredIntoOneAnswer)
{
    ScriptedPhone phone{{"\r\n+GMM", "", "", "", ": SCH-E2", "", "", "", "", "", "50\r\n", "", "\r\nOK\r\n"}};
    Exchange e = Collect(phone);
    EXPECT_EQ(e.end, ExchangeEnd::Expected);
    EXPECT_STREQ(e.reply, "\r\n+GMM: SCH-E250\r\n\r\nOK\r\n");
}

TEST(CollectReply, ASilentPhoneFailsAfterTwentyOneCountsAndEightSecondsOfSleep)
{
    ScriptedPhone phone;
    Exchange e = Collect(phone, 1);
    EXPECT_EQ(e.end, ExchangeEnd::Silent);
    EXPECT_EQ(phone.polls, 11);
    EXPECT_EQ(phone.SleptMs(), 8000);
    for (int ms : phone.sleeps)
        EXPECT_EQ(ms, 400);
    EXPECT_EQ(std::count(e.reply, e.reply + ReplyBufferSize, '\0'), static_cast<long>(ReplyBufferSize));
}

TEST(CollectReply, TheSilenceLimitScalesWithTheUnits)
{
    ScriptedPhone two;
    EXPECT_EQ(Collect(two, 2).end, ExchangeEnd::Silent);
    EXPECT_EQ(two.SleptMs(), 16000);
    ScriptedPhone three;
    EXPECT_EQ(Collect(three, 3).end, ExchangeEnd::Silent);
    EXPECT_EQ(three.SleptMs(), 24000);
}

TEST(CollectReply, AnAnswerThatStopsHalfWayIsKeptAfterTheTimeOut)
{
    ScriptedPhone phone{{"\r\n+GMM: SCH"}};
    Exchange e = Collect(phone, 1);
    EXPECT_EQ(e.end, ExchangeEnd::Stalled);
    EXPECT_STREQ(e.reply, "\r\n+GMM: SCH");
    // One cycle with data counts 1, then ten silent cycles count 2 each.
    EXPECT_EQ(phone.polls, 11);
    EXPECT_EQ(phone.SleptMs(), 400 + 10 * 800 - 400);
}

TEST(CollectReply, EveryByteRestartsTheSilenceCount)
{
    ScriptedPhone phone;
    for (int i = 0; i < 30; ++i) {
        phone.pieces.push_back("x");
        for (int k = 0; k < 9; ++k)
            phone.pieces.push_back("");
    }
    phone.pieces.push_back("\r\nOK\r\n");
    Exchange e = Collect(phone, 1);
    EXPECT_EQ(e.end, ExchangeEnd::Expected);
    EXPECT_GT(phone.SleptMs(), 8000 * 10);
}

TEST(CollectReply, ReadsInChunksOf256)
{
    ScriptedPhone phone{{std::string(600, 'z') + "\r\nOK\r\n"}};
    Exchange e = Collect(phone);
    EXPECT_EQ(e.end, ExchangeEnd::Expected);
    EXPECT_EQ(std::strlen(e.reply), 606u);
    for (std::size_t capacity : phone.capacities)
        EXPECT_EQ(capacity, 256u);
    EXPECT_EQ(phone.polls, 3);
}

TEST(CollectReply, AnOverlongAnswerStaysWithinTheBufferAndKeepsCounting)
{
    ScriptedPhone phone{{std::string(5000, 'y')}};
    Exchange e = Collect(phone, 1);
    EXPECT_EQ(e.end, ExchangeEnd::Stalled);
    EXPECT_EQ(std::strlen(e.reply), ReplyBufferSize - 1);
    EXPECT_EQ(e.reply[ReplyBufferSize - 1], '\0');
    // 5000 bytes take 20 polls; the bytes dropped still count as news.
    EXPECT_EQ(phone.polls, 20 + 10);
}

TEST(CollectReply, TheOkAfterAnOverlongAnswerIsLostWithTheSurplus)
{
    ScriptedPhone phone{{std::string(5000, 'y') + "\r\nOK\r\n"}};
    EXPECT_EQ(Collect(phone, 1).end, ExchangeEnd::Stalled);
    ScriptedPhone error{{std::string(5000, 'y') + "\r\nERROR\r\n"}};
    EXPECT_EQ(Collect(error, 1).end, ExchangeEnd::Stalled);
}
