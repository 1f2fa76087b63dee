// The phone's bytes arriving in chunks of any size: the reply collected for
// an AT exchange, slow or fast, stays zero-terminated within its buffer, ends
// as its text says, and the upload answer waits, slow and fast, end as
// theirs do.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "phone/AtExchange.h"
#include "phone/FastExchange.h"
#include "phone/UploadAnswer.h"

namespace {
// Reads hand out the input's chunks one after another, then nothing.
struct Port {
    std::vector<std::string> chunks;
    size_t next = 0;
    size_t Read(char* buffer, size_t capacity)
    {
        if (next == chunks.size())
            return 0;
        const std::string& chunk = chunks[next++];
        const size_t count = std::min(chunk.size(), capacity);
        std::memcpy(buffer, chunk.data(), count);
        return count;
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string expected = in.ConsumeBool() ? "OK" : in.ConsumeRandomLengthString(6);
    const int timeout = in.ConsumeIntegralInRange(0, 3);
    Port port;
    while (in.remaining_bytes() > 0)
        port.chunks.push_back(in.ConsumeRandomLengthString(600));

    int sleeps = 0;
    const SleepFor sleep = [&](int) { ++sleeps; };
    std::vector<char> reply(ReplyBufferSize + 1, 'x');  // one byte past the buffer, never written
    const ExchangeEnd end = CollectReply(reply.data(), expected.c_str(), timeout,
                                         [&](char* chunk, size_t capacity) { return port.Read(chunk, capacity); }, sleep);
    FUZZ_CHECK(reply[ReplyBufferSize] == 'x');
    const size_t stored = std::strlen(reply.data());
    FUZZ_CHECK(stored < ReplyBufferSize);
    if (end == ExchangeEnd::Expected)
        FUZZ_CHECK(ReplyContains(reply.data(), expected.c_str()));
    else if (end == ExchangeEnd::Error)
        FUZZ_CHECK(ReplyContains(reply.data(), "ERROR"));
    else if (end == ExchangeEnd::Silent)
        FUZZ_CHECK(stored == 0);
    FUZZ_CHECK(sleeps <= 2 * (20 * timeout + 2) + 2 * int(port.chunks.size()));

    // The fast collection on a clock that only its pauses move: the same
    // bounds, a verdict its texts justify, and an end within the silence
    // time-out after the last chunk.
    port.next = 0;
    uint64_t clock = 0;
    std::fill(reply.begin(), reply.end(), 'x');
    const ExchangeEnd fast = CollectReplyFast(
        reply.data(), expected.c_str(), timeout, [&](char* chunk, size_t capacity) { return port.Read(chunk, capacity); },
        [&](int ms) { clock += static_cast<uint64_t>(ms); }, [&] { return clock; });
    FUZZ_CHECK(reply[ReplyBufferSize] == 'x');
    const size_t fastStored = std::strlen(reply.data());
    FUZZ_CHECK(fastStored < ReplyBufferSize);
    // A zero byte hides the texts from the search; the result line after
    // it still counts.
    const std::string whole(reply.data(), ReplyBufferSize - 1);
    if (fast == ExchangeEnd::Expected)
        FUZZ_CHECK(ReplyContains(reply.data(), expected.c_str()) || whole.find(expected + "\r\n") != std::string::npos);
    else if (fast == ExchangeEnd::Error)
        FUZZ_CHECK(ReplyContains(reply.data(), "ERROR") || whole.find("ERROR\r\n") != std::string::npos);
    else if (fast == ExchangeEnd::Silent)
        FUZZ_CHECK(fastStored == 0);
    FUZZ_CHECK(clock <= 8000u * static_cast<uint64_t>(timeout) + 2 * port.chunks.size() + 10);

    std::vector<char> appended(ReplyBufferSize, '\0');
    size_t kept = 0;
    for (const std::string& chunk : port.chunks)
        kept = AppendReply(appended.data(), kept, chunk.data(), chunk.size());
    FUZZ_CHECK(kept < ReplyBufferSize && appended[kept] == '\0');

    // The upload answer waits, slow and on the fast clock: they end, and the
    // fast one takes no longer than the slow one's 41 pauses of 200 ms.
    for (auto wait : {AwaitAppendedAnswer, AwaitPictureAnswer}) {
        for (const bool quick : {false, true}) {
            port.next = 0;
            clock = 0;
            const BlockAnswer answer =
                wait([&](char* chunk, size_t capacity) { return port.Read(chunk, capacity); },
                     [&](int ms) { clock += static_cast<uint64_t>(ms); },
                     quick ? ClockMs([&] { return clock; }) : ClockMs());
            FUZZ_CHECK(answer == BlockAnswer::Silent || port.next > 0);
            FUZZ_CHECK(clock <= 41 * 200 + 2);
        }
    }
    FUZZ_CHECK(AtCommandLine(expected) == expected + "\r\n");
    return 0;
}
