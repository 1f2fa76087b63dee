#include "phone/AtExchange.h"

#include <cstring>

namespace {
constexpr std::size_t ChunkSize = 256;
constexpr int PollPauseMs = 400;
constexpr int IdleCountsPerUnit = 20;
const char ErrorText[] = "ERROR";
}  // namespace

std::size_t AppendReply(char* reply, std::size_t stored, const char* bytes, std::size_t count)
{
    const std::size_t room = stored < ReplyBufferSize - 1 ? ReplyBufferSize - 1 - stored : 0;
    const std::size_t kept = count < room ? count : room;
    std::memcpy(reply + stored, bytes, kept);
    stored += kept;
    reply[stored] = '\0';
    return stored;
}

bool ReplyContains(const char* reply, const char* text)
{
    return std::strstr(reply, text) != nullptr;
}

std::string AtCommandLine(const std::string& command)
{
    return command + "\r\n";
}

ExchangeEnd CollectReply(char* reply, const char* expected, int timeoutUnits, const ReadAvailable& read,
                         const SleepFor& sleep)
{
    std::memset(reply, 0, ReplyBufferSize);
    std::size_t stored = 0;
    int idle = 0;
    const int idleLimit = IdleCountsPerUnit * timeoutUnits;
    char chunk[ChunkSize];
    for (;;) {
        std::memset(chunk, 0, sizeof chunk);
        const std::size_t got = read(chunk, sizeof chunk);
        if (got > 0) {
            stored = AppendReply(reply, stored, chunk, got);
            if (ReplyContains(reply, expected))
                return ExchangeEnd::Expected;
            if (ReplyContains(reply, ErrorText))
                return ExchangeEnd::Error;
            idle = 0;
        } else {
            ++idle;
            if (idle > idleLimit) {
                std::memset(reply, 0, ReplyBufferSize);
                return ExchangeEnd::Silent;
            }
            if (ReplyContains(reply, expected))
                return ExchangeEnd::Expected;
            if (ReplyContains(reply, ErrorText))
                return ExchangeEnd::Error;
            sleep(PollPauseMs);
        }
        // Every cycle that goes on counts once more and waits again, so a
        // cycle without data counts two and takes 800 ms.
        if (ReplyContains(reply, expected))
            return ExchangeEnd::Expected;
        ++idle;
        if (ReplyContains(reply, ErrorText))
            return ExchangeEnd::Error;
        if (idle > idleLimit)
            return ExchangeEnd::Stalled;
        sleep(PollPauseMs);
    }
}
