#include "phone/FastExchange.h"

#include <cstring>

namespace {
constexpr std::size_t ChunkSize = 256;
constexpr int PollPauseMs = 2;
// CollectReply decides at the earliest 800 ms after the phone's first bytes
// (a pause with data and one without); an answer that never closes with a
// result line is judged no sooner than that.
constexpr std::uint64_t UnframedGraceMs = 800;
constexpr std::uint64_t SilenceMsPerUnit = 8000;
const char ErrorText[] = "ERROR";

// How long the phone may stay quiet before an exchange gives up on it.
std::uint64_t SilenceLimitMs(int timeoutUnits)
{
    return SilenceMsPerUnit * static_cast<std::uint64_t>(timeoutUnits > 0 ? timeoutUnits : 0);
}

// The verdict CollectReply would give on what has arrived, if any.
bool Judge(const char* reply, const char* expected, ExchangeEnd& end)
{
    if (ReplyContains(reply, expected)) {
        end = ExchangeEnd::Expected;
        return true;
    }
    if (ReplyContains(reply, ErrorText)) {
        end = ExchangeEnd::Error;
        return true;
    }
    return false;
}
}  // namespace

bool EndsWithFinalLine(const char* reply, std::size_t stored, const char* text)
{
    const std::size_t length = std::strlen(text);
    if (length == 0 || stored < length + 2)
        return false;
    const char* line = reply + stored - length - 2;
    if (std::memcmp(line, text, length) != 0 || line[length] != '\r' || line[length + 1] != '\n')
        return false;
    return line == reply || line[-1] == '\n';
}

ExchangeEnd CollectReplyFast(char* reply, const char* expected, int timeoutUnits, const ReadAvailable& read,
                             const SleepFor& sleep, const ClockMs& now)
{
    std::memset(reply, 0, ReplyBufferSize);
    std::size_t stored = 0;
    bool received = false;
    const std::uint64_t silenceLimit = SilenceLimitMs(timeoutUnits);
    std::uint64_t lastByte = now();
    char chunk[ChunkSize];
    for (;;) {
        std::memset(chunk, 0, sizeof chunk);
        const std::size_t got = read(chunk, sizeof chunk);
        if (got > 0) {
            stored = AppendReply(reply, stored, chunk, got);
            received = true;
            lastByte = now();
            const bool expectedLine = EndsWithFinalLine(reply, stored, expected);
            if (expectedLine || EndsWithFinalLine(reply, stored, ErrorText)) {
                // The verdict is CollectReply's: the expected text anywhere
                // in the answer wins over "ERROR". Only a zero byte in the
                // answer hides both from it; then the result line decides.
                ExchangeEnd end = expectedLine ? ExchangeEnd::Expected : ExchangeEnd::Error;
                Judge(reply, expected, end);
                return end;
            }
            // A full reply can take no result line any more: what it holds
            // is all there is to judge.
            ExchangeEnd end{};
            if (stored == ReplyBufferSize - 1 && Judge(reply, expected, end))
                return end;
            if (got == sizeof chunk)
                continue;  // more may be waiting already
        } else {
            const std::uint64_t quiet = now() - lastByte;
            ExchangeEnd end{};
            if (received && quiet >= UnframedGraceMs && Judge(reply, expected, end))
                return end;
            if (quiet > silenceLimit) {
                if (received)
                    return ExchangeEnd::Stalled;
                std::memset(reply, 0, ReplyBufferSize);
                return ExchangeEnd::Silent;
            }
        }
        sleep(PollPauseMs);
    }
}

bool HoldsResultLine(const char* reply, std::size_t from)
{
    const std::size_t stored = std::strlen(reply);
    for (const char* text : {"OK", ErrorText}) {
        const std::size_t length = std::strlen(text);
        for (std::size_t at = from; at + length + 2 <= stored; ++at) {
            if ((at == 0 || reply[at - 1] == '\n') && std::memcmp(reply + at, text, length) == 0 &&
                reply[at + length] == '\r' && reply[at + length + 1] == '\n')
                return true;
        }
    }
    return false;
}

bool CompleteReply(char* reply, std::size_t from, int timeoutUnits, const ReadAvailable& read, const SleepFor& sleep,
                   const ClockMs& now)
{
    constexpr int RestPollMs = 10;
    std::size_t stored = std::strlen(reply);
    const std::uint64_t silenceLimit = SilenceLimitMs(timeoutUnits);
    std::uint64_t lastByte = now();
    char chunk[ChunkSize];
    for (;;) {
        if (HoldsResultLine(reply, from) || stored == ReplyBufferSize - 1)
            return true;
        const std::size_t got = read(chunk, sizeof chunk);
        if (got > 0) {
            stored = AppendReply(reply, stored, chunk, got);
            lastByte = now();
            continue;
        }
        if (now() - lastByte > silenceLimit)
            return false;
        sleep(RestPollMs);
    }
}
