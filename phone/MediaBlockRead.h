#pragma once
#include <cstddef>
#include <functional>

#include "phone/FastExchange.h"
#include "phone/MediaAssembly.h"

// How long a photo or movie block loop waits for the phone: each read that
// brings nothing is followed by a pause, and the empty read after
// `emptyReadLimit` of them ends the block. Data in between does not reset
// the count.
struct BlockWaits {
    int emptyReadLimit;
    int pauseMs;
    // Movies: a chunk that holds "\r\n\r\nOK\r\n" ends the block at once.
    bool endOnChunkOk;
};

// The line a block loop reads from, and what it tells of its progress.
struct BlockLine {
    ReadAvailable read;
    SleepFor sleep;
    // The total received for the file after each chunk.
    std::function<void(std::size_t received)> report;
    // Set with the fast exchange only: the pauses are then spent polling the
    // line every few milliseconds, and the block ends as soon as `answered`
    // holds for what arrived since its request. A block that never becomes
    // answered keeps exactly the waits and limits of the default loop.
    ClockMs now;
    std::function<bool(ByteView answer)> answered;
};

// Reads one block's answer into `buffer` from `received` on, in chunks of at
// most 256 bytes, until the waits run out, the block ends, or `capacity` is
// reached. Returns the new number of bytes received.
std::size_t ReadMediaBlock(char* buffer, std::size_t capacity, std::size_t received, const BlockWaits& waits,
                           const BlockLine& line);
