// The upload side: escaping a block leaves none of the framing's bytes bare
// and unescapes to the block; the three block plans cover a file exactly,
// in order, numbered as each kind expects; an animation block is its
// pixels back to front.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzCheck.h"
#include "phone/UploadBlocks.h"
#include "phone/UploadCommands.h"

namespace {
std::string Unescape(const std::string& escaped)
{
    std::string out;
    for (size_t i = 0; i < escaped.size(); ++i) {
        const unsigned char c = escaped[i];
        FUZZ_CHECK(c != 0x08 && c != 0x0A && c != 0x0D && c != 0x22);
        if (c != 0x7D) {
            out += static_cast<char>(c);
            continue;
        }
        FUZZ_CHECK(i + 1 < escaped.size());
        switch (static_cast<unsigned char>(escaped[++i])) {
        case 0x28: out += '\x08'; break;
        case 0x2A: out += '\x0A'; break;
        case 0x2D: out += '\x0D'; break;
        case 0x02: out += '\x22'; break;
        case 0x5D: out += '\x7D'; break;
        default: FUZZ_CHECK(!"7D followed by a byte that is no substitute");
        }
    }
    return out;
}

void CheckPlan(UploadKind kind, uint64_t size)
{
    BlockPlan plan(kind, size);
    UploadBlock block;
    uint64_t covered = 0;
    long long expected = 1;
    bool last = false;
    while (plan.Next(block)) {
        FUZZ_CHECK(!last);
        FUZZ_CHECK(block.offset == covered && block.length <= BlockSize(kind));
        covered += block.length;
        last = block.number == 0;
        FUZZ_CHECK(last || block.number == expected++);
        FUZZ_CHECK(last == (block.length < BlockSize(kind) || (kind == UploadKind::Picture && covered == size)));
    }
    FUZZ_CHECK(covered == size);
    FUZZ_CHECK(last == (kind == UploadKind::Animation || (kind == UploadKind::Picture && size > 0) ||
                        size % BlockSize(kind) != 0));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const uint64_t fileSize = in.ConsumeIntegralInRange<uint64_t>(0, 5000);
    const uint64_t offset = in.ConsumeIntegralInRange<uint64_t>(0, 600);
    const size_t length = in.ConsumeIntegralInRange<size_t>(0, 600);
    const std::string block = in.ConsumeRemainingBytesAsString();

    FUZZ_CHECK(Unescape(EscapeBlockData(block)) == block);
    for (UploadKind kind : {UploadKind::Melody, UploadKind::Picture, UploadKind::Animation})
        CheckPlan(kind, fileSize);

    const std::string reversed = BackToFront(block, offset, length);
    if (offset + length <= block.size()) {
        FUZZ_CHECK(reversed.size() == length);
        for (size_t i = 0; i < length; ++i)
            FUZZ_CHECK(reversed[i] == block[block.size() - 1 - offset - i]);
    } else {
        FUZZ_CHECK(reversed.empty());
    }
    const long long number = AnimationNumber(block);
    FUZZ_CHECK(number >= -65537 && number <= 65537);
    CheckAnimation(fileSize, {number, number, number});
    return 0;
}
