#include "phone/UploadAnswer.h"

#include <cstring>
#include <string_view>

namespace {
constexpr int AppendedReads = 41;
constexpr int AppendedPauseMs = 200;
constexpr int PictureReads = 30;
constexpr int PicturePauseMs = 250;

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

private:
    char bytes_[UploadAnswerSize] = {};
    std::size_t stored_ = 0;
};
}  // namespace

BlockAnswer AwaitAppendedAnswer(const ReadAvailable& read, const SleepFor& sleep)
{
    Answer answer;
    for (int reads = 0;; ++reads) {
        if (answer.Holds("ERROR"))
            return BlockAnswer::Error;
        if (reads == AppendedReads)
            return BlockAnswer::Silent;
        sleep(AppendedPauseMs);
        answer.Append(read);
        if (answer.Holds("OK"))
            return BlockAnswer::Ok;
    }
}

BlockAnswer AwaitPictureAnswer(const ReadAvailable& read, const SleepFor& sleep)
{
    Answer answer;
    for (int reads = 0; reads < PictureReads; ++reads) {
        answer.Append(read);
        if (answer.Holds("OK"))
            return BlockAnswer::Ok;
        if (answer.Holds("ERROR"))
            return BlockAnswer::Error;
        sleep(PicturePauseMs);
    }
    return BlockAnswer::Silent;
}
