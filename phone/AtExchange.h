#pragma once
#include <cstddef>
#include <functional>
#include <string>

// The answer of the latest AT exchange: received bytes exactly as they came,
// zero-terminated, at most 4,095 of them.
constexpr std::size_t ReplyBufferSize = 4096;

// Appends `count` bytes at position `stored` of the zero-terminated `reply`
// (ReplyBufferSize bytes) and returns the new stored count. Bytes that do not
// fit before the terminator are dropped.
std::size_t AppendReply(char* reply, std::size_t stored, const char* bytes, std::size_t count);

// Whether `text` occurs in the zero-terminated `reply`, case-sensitive.
bool ReplyContains(const char* reply, const char* text);

// The command line sent for `command`: the command and CR LF.
std::string AtCommandLine(const std::string& command);

// How an exchange ended: the expected text arrived; "ERROR" arrived without
// it; the phone stayed silent and the reply was emptied; the phone went quiet
// after sending something, which is kept.
enum class ExchangeEnd { Expected, Error, Silent, Stalled };

// Takes at most `capacity` bytes that have already arrived; 0 when none.
using ReadAvailable = std::function<std::size_t(char* chunk, std::size_t capacity)>;
using SleepFor = std::function<void(int milliseconds)>;

// Gathers the phone's answer into `reply` (ReplyBufferSize bytes, zeroed
// first) by polling `read` in 256-byte chunks, 400 ms apart, until the
// expected text or "ERROR" appears or more than 20 x `timeoutUnits` idle
// counts pass without new bytes. Each poll without data counts twice.
ExchangeEnd CollectReply(char* reply, const char* expected, int timeoutUnits, const ReadAvailable& read,
                         const SleepFor& sleep);
