#include "phone/UploadAnswer.h"

#include <cstring>
#include <optional>
#include <string_view>

namespace {
constexpr int AppendedReads = 41;
constexpr int AppendedPauseMs = 200;
constexpr int PictureReads = 30;
constexpr int PicturePauseMs = 250;
constexpr int PollPauseMs = 2;

// An answer longer than the buffer keeps this many of its latest bytes, so a
// result line that follows a flood of other lines is still seen.
constexpr std::size_t KeptTail = 16;

// The bytes of one answer; the last byte of the buffer stays a terminator.
class Answer {
public:
    // Reads what the port has into the free room.
    void Append(const ReadAvailable& read)
    {
        if (stored_ == sizeof bytes_ - 1) {
            std::memmove(bytes_, bytes_ + stored_ - KeptTail, KeptTail);
            stored_ = KeptTail;
        }
        const std::size_t room = sizeof bytes_ - 1 - stored_;
        std::size_t got = read(bytes_ + stored_, room);
        if (got > room)
            got = room;
        stored_ += got;
        bytes_[stored_] = '\0';
    }
    bool Holds(std::string_view text) const
    {
        return std::string_view(bytes_, stored_).find(text) != std::string_view::npos;
    }
    // The first "OK" or "ERROR" that stands on a line of its own, ended by
    // CR LF; none while neither has arrived whole.
    std::optional<BlockAnswer> ResultLine() const
    {
        const std::string_view all(bytes_, stored_);
        for (std::size_t at = 0;;) {
            const std::string_view line = all.substr(at);
            if (line.substr(0, 4) == "OK\r\n")
                return BlockAnswer::Ok;
            if (line.substr(0, 7) == "ERROR\r\n")
                return BlockAnswer::Error;
            const std::size_t end = all.find('\n', at);
            if (end == std::string_view::npos)
                return std::nullopt;
            at = end + 1;
        }
    }

private:
    char bytes_[UploadAnswerSize] = {};
    std::size_t stored_ = 0;
};

// A pause of the wait: a plain sleep, or with the fast clock a poll of the
// port until the pause is over or the answer holds its result line.
std::optional<BlockAnswer> Pause(Answer& answer, int milliseconds, const ReadAvailable& read, const SleepFor& sleep,
                                 const ClockMs& fastClock)
{
    if (!fastClock) {
        sleep(milliseconds);
        return std::nullopt;
    }
    const std::uint64_t until = fastClock() + static_cast<std::uint64_t>(milliseconds);
    for (;;) {
        if (const auto decided = answer.ResultLine())
            return decided;
        if (fastClock() >= until)
            return std::nullopt;
        sleep(PollPauseMs);
        answer.Append(read);
    }
}
}  // namespace

BlockAnswer AwaitAppendedAnswer(const ReadAvailable& read, const SleepFor& sleep, const ClockMs& fastClock)
{
    Answer answer;
    for (int reads = 0;; ++reads) {
        if (answer.Holds("ERROR"))
            return BlockAnswer::Error;
        if (reads == AppendedReads)
            return BlockAnswer::Silent;
        if (const auto decided = Pause(answer, AppendedPauseMs, read, sleep, fastClock))
            return *decided;
        answer.Append(read);
        if (answer.Holds("OK"))
            return BlockAnswer::Ok;
    }
}

BlockAnswer AwaitPictureAnswer(const ReadAvailable& read, const SleepFor& sleep, const ClockMs& fastClock)
{
    Answer answer;
    for (int reads = 0; reads < PictureReads; ++reads) {
        answer.Append(read);
        if (answer.Holds("OK"))
            return BlockAnswer::Ok;
        if (answer.Holds("ERROR"))
            return BlockAnswer::Error;
        if (const auto decided = Pause(answer, PicturePauseMs, read, sleep, fastClock))
            return *decided;
    }
    return BlockAnswer::Silent;
}
