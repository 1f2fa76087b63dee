#pragma once
#include <cstddef>

#include "phone/FastExchange.h"

// The phone answers each upload block with "OK" or "ERROR". A block it does
// not answer in time is not known to be stored, so the upload ends there as
// after "ERROR": going on would leave the phone a file with a hole in it.
enum class BlockAnswer { Ok, Error, Silent };

// The answer buffer of an upload: at most 255 bytes and the terminator. A
// longer answer goes on through it, its latest bytes kept, so an "OK" after a
// flood of other lines is not missed.
inline constexpr std::size_t UploadAnswerSize = 256;

// With `fastClock` (the fast exchange) every pause below is spent polling
// the port every few milliseconds, and the wait ends as soon as the answer
// holds an "OK" or "ERROR" line of its own; the first of them decides. An
// answer without such a line keeps the loop's own reads, checks and limits.

// Melodies and animations: up to 41 reads, each after a 200 ms pause,
// appended to one answer until it holds "OK"; "ERROR" is looked for before
// each read and after the last.
BlockAnswer AwaitAppendedAnswer(const ReadAvailable& read, const SleepFor& sleep, const ClockMs& fastClock = {});

// Pictures: up to 30 reads, appended to one answer until it holds "OK" or
// "ERROR", with a 250 ms pause after a read that brings neither. An "OK"
// split across two reads is seen, so a phone that sends its answer in pieces
// is not taken for a silent one.
BlockAnswer AwaitPictureAnswer(const ReadAvailable& read, const SleepFor& sleep, const ClockMs& fastClock = {});
