#pragma once
#include <cstddef>

#include "phone/AtExchange.h"

// The phone answers each upload block with "OK" or "ERROR". A block it
// does not answer in time counts as accepted, as the phone may still be
// storing it.
enum class BlockAnswer { Ok, Error, Silent };

// The answer buffer of an upload: at most 255 bytes and the terminator.
inline constexpr std::size_t UploadAnswerSize = 256;

// Melodies and animations: up to 41 reads, each after a 200 ms pause,
// appended to one answer until it holds "OK"; "ERROR" is looked for before
// each read and after the last.
BlockAnswer AwaitAppendedAnswer(const ReadAvailable& read, const SleepFor& sleep);

// Pictures: up to 30 reads, each looked at by itself for "OK" or "ERROR",
// with a 250 ms pause after a read that holds neither. An "OK" split across
// two reads is therefore not seen.
BlockAnswer AwaitPictureAnswer(const ReadAvailable& read, const SleepFor& sleep);
