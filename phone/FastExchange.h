#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include "phone/AtExchange.h"

// A monotonic clock in milliseconds.
using ClockMs = std::function<std::uint64_t()>;

// Whether the `stored` bytes of `reply` end with `text` as a whole line of
// its own: the text, then CR LF, and before it a line feed or nothing.
bool EndsWithFinalLine(const char* reply, std::size_t stored, const char* text);

// The quick variant of CollectReply, for a user who switched it on. It reads
// every few milliseconds and ends as soon as the answer closes with the
// expected text or "ERROR" as its final line, so a phone that answers in
// 30 ms costs 30 ms rather than 800. An "OK" inside a line ("#PBOKR:") does
// not end it. An answer without such a line is judged as CollectReply judges
// it, once the phone has been quiet for as long as CollectReply's first look
// would have taken; the silence time-out is the same 8 s x `timeoutUnits`
// since the last byte, emptying the reply when nothing came at all.
ExchangeEnd CollectReplyFast(char* reply, const char* expected, int timeoutUnits, const ReadAvailable& read,
                             const SleepFor& sleep, const ClockMs& now);

// Whether the zero-terminated `reply` holds, at or after byte `from`, a
// final result line: "OK" or "ERROR" alone on its line, ended by CR LF.
bool HoldsResultLine(const char* reply, std::size_t from);

// Goes on gathering an answer that its exchange took as complete before the
// phone had finished it: an "OK" inside a record ("#PBOKR:" holds one, and a
// name may) ends CollectReply's search as soon as it arrives. Appends to the
// zero-terminated `reply` until it holds a result line after `from`, the
// buffer is full, or the phone has been quiet for 8 s x `timeoutUnits`.
// Sends nothing. True when the result line arrived (or the buffer is full).
bool CompleteReply(char* reply, std::size_t from, int timeoutUnits, const ReadAvailable& read, const SleepFor& sleep,
                   const ClockMs& now);
