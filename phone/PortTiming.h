#pragma once
#include <cstddef>
#include <cstdint>

// What the exchange loops read the phone's answers with, and their clock:
// the bytes the serial port already holds (at most `capacity`, 0 when
// none), a pause of the worker, and a monotonic count of milliseconds.
std::size_t ReadFromPort(char* chunk, std::size_t capacity);
void PauseFor(int milliseconds);
std::uint64_t TickMs();
