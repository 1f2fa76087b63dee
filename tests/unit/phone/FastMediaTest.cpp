// The fast exchange's block loops on a simulated clock: a photo or movie
// block ends as soon as its answer has closed, an upload block as soon as its
// OK or ERROR line is in, and an answer that never closes keeps the default
// loop's waits.
#include <gtest/gtest.h>

#include <string>

#include "TimedPhone.h"
#include "phone/MediaAssembly.h"
#include "phone/MediaBlockRead.h"
#include "phone/UploadAnswer.h"

namespace {
using namespace std::string_literals;

// JPEG-like data: "OK" and "ERROR" among its bytes, zeros, an escape pair.
const std::string Data = "\xFF\xD8" "OK" "ERROR\0\0}]xyz"s;

struct Answer {
    std::string bytes;
    bool movies;
    long block;
};

const Answer LengthPhoto{"\r\n#PMLUL: 5,2,\"512\",\""s + Data + "\" \0\r\n\r\nOK\r\n"s, false, 2};
const Answer NamedPhoto{"\r\n#PMLUL: 5,2,\"Photo 01.jpg\",\""s + Data + "\"\n\r", false, 2};
const Answer EndMarkPhoto{"\r\n#PMLUL: 5,3,\"9\",\""s + Data + "\xFF\xD9\xFF\" \0\r\n"s, false, 3};
const Answer Movie{"\r\n#PMMUL: 5,2,\"9\",\""s + Data + "\"\r\n\r\nOK\r\n", true, 2};
const Answer PastEnd{"\r\n#PMLUL: 5,0\r\n\r\nOK\r\n", false, 4};
const Answer Refused{"\r\nERROR\r\n", true, 1};

bool Answered(const std::string& bytes, const Answer& form)
{
    return MediaBlockAnswered(ByteView(bytes), form.movies, "5", form.block);
}

struct BlockRun {
    std::string received;
    std::uint64_t endedAt;
};

BlockRun ReadBlock(TimedPhone& phone, bool fast, const Answer& form, const BlockWaits& waits)
{
    std::string buffer(4096, '\0');
    BlockLine line{phone.Reader(), phone.Sleeper(), [](std::size_t) {}, {}, {}};
    if (fast) {
        line.now = phone.Clock();
        line.answered = [&form](ByteView answer) { return MediaBlockAnswered(answer, form.movies, "5", form.block); };
    }
    const std::size_t got = ReadMediaBlock(buffer.data(), buffer.size(), 0, waits, line);
    return {buffer.substr(0, got), phone.clock};
}

constexpr BlockWaits PhotoWaits{10, 66, false};
constexpr BlockWaits MovieWaits{30, 100, true};
}  // namespace

TEST(MediaBlockAnsweredTest, EveryFormOfAnswerIsWholeOnlyAtItsClose)
{
    for (const Answer* form : {&LengthPhoto, &NamedPhoto, &EndMarkPhoto, &Movie, &PastEnd, &Refused}) {
        for (std::size_t cut = 0; cut < form->bytes.size(); ++cut)
            EXPECT_FALSE(Answered(form->bytes.substr(0, cut), *form)) << form->bytes << " cut at " << cut;
        EXPECT_TRUE(Answered(form->bytes, *form)) << form->bytes;
    }
    // The answer to the block before is not this block's.
    EXPECT_FALSE(MediaBlockAnswered(ByteView(LengthPhoto.bytes), false, "5", 3));
    EXPECT_FALSE(MediaBlockAnswered(ByteView(LengthPhoto.bytes), false, "55", 2));
    // A block number longer than any the phone counts to is no header.
    EXPECT_FALSE(Answered("\r\n#PMLUL: 5,99999999999999999999,\"1\",\"x\"\r\n\r\nOK\r\n", LengthPhoto));
    // A movie has no photo closes.
    EXPECT_FALSE(MediaBlockAnswered(ByteView(NamedPhoto.bytes), true, "5", 2));
}

TEST(MediaBlockReadTest, TheFastLoopEndsAtTheCloseAndOtherwiseKeepsTheDefaultWaits)
{
    // The photo block in four pieces, the last one the OK's end.
    const std::string& whole = LengthPhoto.bytes;
    const auto split = [&whole] {
        TimedPhone phone;
        phone.pieces = {{30, whole.substr(0, 10)}, {45, whole.substr(10, 20)}, {60, whole.substr(30, whole.size() - 33)},
                        {75, whole.substr(whole.size() - 3)}};
        return phone;
    };
    TimedPhone fast = split();
    const BlockRun quick = ReadBlock(fast, true, LengthPhoto, PhotoWaits);
    EXPECT_EQ(quick.received, whole);
    EXPECT_GE(quick.endedAt, 75u);
    EXPECT_LE(quick.endedAt, 77u);
    TimedPhone slow = split();
    EXPECT_EQ(ReadBlock(slow, false, LengthPhoto, PhotoWaits).received, whole);
    EXPECT_EQ(slow.clock, 660u);

    // Silence, and an answer that never closes: ten pauses of 66 ms either way.
    for (const bool mode : {false, true}) {
        TimedPhone silent;
        EXPECT_EQ(ReadBlock(silent, mode, LengthPhoto, PhotoWaits).endedAt, 660u);
        TimedPhone open;
        open.pieces = {{30, whole.substr(0, whole.size() - 12)}};
        const BlockRun run = ReadBlock(open, mode, LengthPhoto, PhotoWaits);
        EXPECT_EQ(run.received, whole.substr(0, whole.size() - 12));
        EXPECT_GE(run.endedAt, 660u);
        EXPECT_LE(run.endedAt, 700u);
    }

    // A movie's OK split over two reads: the default loop misses it and waits
    // out its 30 pauses; the fast one ends when the OK is whole.
    const std::string& movie = Movie.bytes;
    for (const bool mode : {false, true}) {
        TimedPhone phone;
        phone.pieces = {{30, movie.substr(0, movie.size() - 2)}, {150, movie.substr(movie.size() - 2)}};
        const BlockRun run = ReadBlock(phone, mode, Movie, MovieWaits);
        EXPECT_EQ(run.received, movie);
        if (mode)
            EXPECT_LE(run.endedAt, 152u);
        else
            EXPECT_EQ(run.endedAt, 3000u);
    }
}

TEST(UploadAnswerTest, TheFastWaitEndsAtTheFirstResultLineAndOtherwiseKeepsTheDefaultLooks)
{
    struct Case {
        std::vector<std::pair<std::uint64_t, std::string>> pieces;
        BlockAnswer appended, picture;
        std::uint64_t appendedAt, pictureAt;
    };
    const Case cases[] = {
        {{{30, "\r\nO"}, {35, "K\r\n"}}, BlockAnswer::Ok, BlockAnswer::Ok, 36, 36},
        {{{50, "\r\nERROR\r\n\r\nOK\r\n"}}, BlockAnswer::Error, BlockAnswer::Error, 50, 50},
        {{{50, "\r\nOK\r\n\r\nERROR\r\n"}}, BlockAnswer::Ok, BlockAnswer::Ok, 50, 50},
        // Not a line of its own: taken when the default loop would look.
        {{{30, "#PUMDL: OK"}}, BlockAnswer::Ok, BlockAnswer::Ok, 200, 250},
        {{}, BlockAnswer::Silent, BlockAnswer::Silent, 8200, 7500},
    };
    for (const Case& c : cases) {
        TimedPhone melody;
        melody.pieces = c.pieces;
        EXPECT_EQ(AwaitAppendedAnswer(melody.Reader(), melody.Sleeper(), melody.Clock()), c.appended);
        EXPECT_NEAR(static_cast<double>(melody.clock), static_cast<double>(c.appendedAt), 2.0);
        TimedPhone picture;
        picture.pieces = c.pieces;
        EXPECT_EQ(AwaitPictureAnswer(picture.Reader(), picture.Sleeper(), picture.Clock()), c.picture);
        EXPECT_NEAR(static_cast<double>(picture.clock), static_cast<double>(c.pictureAt), 2.0);
    }
}
