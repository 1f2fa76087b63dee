#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "phone/FastExchange.h"

// A phone on a clock: each piece arrives at its time (ms after the command),
// and sleeping moves the clock on.
struct TimedPhone {
    std::vector<std::pair<std::uint64_t, std::string>> pieces;
    std::size_t next = 0;
    std::uint64_t clock = 0;
    int polls = 0;

    std::size_t Read(char* chunk, std::size_t capacity)
    {
        ++polls;
        std::size_t count = 0;
        while (next < pieces.size() && pieces[next].first <= clock && count < capacity) {
            std::string& piece = pieces[next].second;
            const std::size_t taken = std::min(piece.size(), capacity - count);
            std::memcpy(chunk + count, piece.data(), taken);
            count += taken;
            piece.erase(0, taken);
            if (piece.empty())
                ++next;
        }
        return count;
    }
    ReadAvailable Reader()
    {
        return [this](char* chunk, std::size_t capacity) { return Read(chunk, capacity); };
    }
    SleepFor Sleeper()
    {
        return [this](int ms) { clock += static_cast<std::uint64_t>(ms); };
    }
    ClockMs Clock()
    {
        return [this] { return clock; };
    }
};
