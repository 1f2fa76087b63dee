// The phone's bytes arriving in chunks of any size: the reply collected for
// an AT exchange stays zero-terminated within its buffer, ends as its text
// says, and the upload answer waits end as theirs do.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "phone/AtExchange.h"
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

    std::vector<char> appended(ReplyBufferSize, '\0');
    size_t kept = 0;
    for (const std::string& chunk : port.chunks)
        kept = AppendReply(appended.data(), kept, chunk.data(), chunk.size());
    FUZZ_CHECK(kept < ReplyBufferSize && appended[kept] == '\0');

    for (auto wait : {AwaitAppendedAnswer, AwaitPictureAnswer}) {
        port.next = 0;
        const BlockAnswer answer = wait([&](char* chunk, size_t capacity) { return port.Read(chunk, capacity); }, sleep);
        FUZZ_CHECK(answer == BlockAnswer::Silent || port.next > 0);
    }
    FUZZ_CHECK(AtCommandLine(expected) == expected + "\r\n");
    return 0;
}
