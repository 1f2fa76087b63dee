#include "phone/MediaBlockRead.h"

#include <algorithm>

namespace {
constexpr std::size_t ReadSize = 256;
constexpr int PollPauseMs = 2;
}  // namespace

std::size_t ReadMediaBlock(char* buffer, std::size_t capacity, std::size_t received, const BlockWaits& waits,
                           const BlockLine& line)
{
    const std::size_t blockStart = received;
    const bool fast = static_cast<bool>(line.now) && static_cast<bool>(line.answered);
    // Reads what is waiting; false when nothing was. `ended` is set when the
    // chunk ends the block.
    auto readChunk = [&](bool& ended) {
        const std::size_t room = std::min(ReadSize, capacity - received);
        const std::size_t got = std::min(room, line.read(buffer + received, room));
        if (got == 0)
            return false;
        const ByteView chunk(buffer + received, got);
        received += got;
        line.report(received);
        ended = (waits.endOnChunkOk && HoldsFinalOk(chunk)) ||
                (fast && line.answered(ByteView(buffer + blockStart, received - blockStart)));
        return true;
    };
    int emptyReads = 0;
    bool ended = false;
    while (received < capacity) {
        if (readChunk(ended)) {
            if (ended)
                return received;
            continue;
        }
        if (++emptyReads > waits.emptyReadLimit)
            return received;
        if (!fast) {
            line.sleep(waits.pauseMs);
            continue;
        }
        // The pause, spent watching for the answer's close. Data keeps it
        // going as data keeps the default loop reading; it is over at the
        // first empty poll after its time.
        const std::uint64_t until = line.now() + static_cast<std::uint64_t>(waits.pauseMs);
        while (received < capacity) {
            line.sleep(PollPauseMs);
            if (readChunk(ended)) {
                if (ended)
                    return received;
            } else if (line.now() >= until) {
                break;
            }
        }
    }
    return received;
}
