#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "phone/MelodySlots.h"
#include "phone/UploadAnswer.h"
#include "phone/UploadBlocks.h"
#include "phone/UploadCommands.h"

namespace {
using namespace std::string_literals;

// Numbers and lengths of every block of a file, in the order sent.
std::vector<std::pair<long long, std::size_t>> Blocks(UploadKind kind, std::uint64_t size)
{
    std::vector<std::pair<long long, std::size_t>> blocks;
    BlockPlan plan(kind, size);
    UploadBlock block;
    std::uint64_t offset = 0;
    while (plan.Next(block)) {
        EXPECT_EQ(block.offset, offset);
        offset += block.length;
        blocks.emplace_back(block.number, block.length);
    }
    EXPECT_EQ(offset, size);
    return blocks;
}

using Plan = std::vector<std::pair<long long, std::size_t>>;

// A port that gives the queued chunks one per read, then nothing.
struct ScriptedPort {
    std::deque<std::string> chunks;
    int reads = 0;
    int sleeps = 0;
    ReadAvailable Read()
    {
        return [this](char* out, std::size_t capacity) -> std::size_t {
            ++reads;
            if (chunks.empty())
                return 0;
            std::string chunk = chunks.front();
            chunks.pop_front();
            const std::size_t n = std::min(capacity, chunk.size());
            chunk.copy(out, n);
            return n;
        };
    }
    SleepFor Sleep()
    {
        return [this](int) { ++sleeps; };
    }
};

AnimationFrames Frames(const char* count, const char* width, const char* height)
{
    return {AnimationNumber(count), AnimationNumber(width), AnimationNumber(height)};
}
}  // namespace

TEST(UploadBlocksTest, EachKindNumbersItsBlocksAndEndsAsThePhoneExpects)
{
    EXPECT_EQ(Blocks(UploadKind::Melody, 360), (Plan{{1, 180}, {2, 180}}));
    EXPECT_EQ(Blocks(UploadKind::Melody, 361), (Plan{{1, 180}, {2, 180}, {0, 1}}));
    EXPECT_EQ(Blocks(UploadKind::Melody, 0), Plan{});
    EXPECT_EQ(Blocks(UploadKind::Picture, 396), (Plan{{0, 396}}));
    EXPECT_EQ(Blocks(UploadKind::Picture, 100), (Plan{{0, 100}}));
    EXPECT_EQ(Blocks(UploadKind::Picture, 792), (Plan{{1, 396}, {0, 396}}));
    EXPECT_EQ(Blocks(UploadKind::Picture, 793), (Plan{{1, 396}, {2, 396}, {0, 1}}));
    EXPECT_EQ(Blocks(UploadKind::Picture, 0), Plan{});

    const Plan large = Blocks(UploadKind::Animation, 4 * 128 * 128);
    ASSERT_EQ(large.size(), 328u);
    EXPECT_EQ(large[326], (std::pair<long long, std::size_t>{327, 200}));
    EXPECT_EQ(large.back(), (std::pair<long long, std::size_t>{0, 136}));
    const Plan exact = Blocks(UploadKind::Animation, 2 * 100 * 100);
    ASSERT_EQ(exact.size(), 101u);
    EXPECT_EQ(exact[99].first, 100);
    EXPECT_EQ(exact.back(), (std::pair<long long, std::size_t>{0, 0}));
}

TEST(UploadBlocksTest, EscapingDoublesTheFiveFramingBytesOnly)
{
    EXPECT_EQ(EscapeBlockData("\x08\x0A\x0D\x22\x7D"s), "\x7D\x28\x7D\x2A\x7D\x2D\x7D\x02\x7D\x5D"s);
    EXPECT_EQ(EscapeBlockData("a\0\xFF\x7C\x7E\x28"s), "a\0\xFF\x7C\x7E\x28"s);
    EXPECT_EQ(EscapeBlockData(std::string(180, '\x0D')).size(), 360u);
}

TEST(UploadBlocksTest, AnimationPixelsGoBackToFront)
{
    const std::string pixels = "0123456789";
    EXPECT_EQ(BackToFront(pixels, 0, 4), "9876");
    EXPECT_EQ(BackToFront(pixels, 8, 2), "10");
    EXPECT_EQ(BackToFront(pixels, 10, 0), "");
    EXPECT_EQ(BackToFront(pixels, 8, 3), "");
}

TEST(UploadCommandsTest, CommandsJoinTheirPiecesInOrder)
{
    EXPECT_EQ(FileNameOf("C:\\Музыка\\Весна.mmf"), "Весна.mmf");
    EXPECT_EQ(FileNameOf("plain.mmf"), "plain.mmf");
    EXPECT_EQ(MelodyBlockCommand("2", "Весна.mmf", 0, "ab"), "AT#PUMDL=2,\"Весна.mmf\",3,0,\"ab\"\r\n");
    EXPECT_EQ(PictureBlockCommand("160,120", "p.jpg", "20261207T231500", 3, "x"),
              "AT#PMCDL=1,160,120,0,0,\"p.jpg\",20261207T231500,3,\"x\"\r\n");
    EXPECT_EQ(AnimationBlockCommand(Frames("4", "12a", "128"), "a.bmp", 1, ""),
              "AT#PMIDL=4,12,128,1,3,0,0,\"a.bmp\",1,\"\"\r");
}

TEST(UploadCommandsTest, PictureSizesFollowTheModel)
{
    EXPECT_EQ(PictureSizeChoices("SCH-E250"), (std::vector<std::string>{"640x480", "320x240", "176x150", "160x120"}));
    EXPECT_EQ(PictureSizeChoices("SCH-E251"), (std::vector<std::string>{"640x480", "320x240", "176x168"}));
    EXPECT_EQ(PictureSizeText("SCH-E250", 3), "160,120");
    EXPECT_EQ(PictureSizeText("SCH-E250", 2), "176,150");
    EXPECT_EQ(PictureSizeText("SCH-E120", 2), "176,168");
    EXPECT_EQ(PictureSizeText("SCH-E120", 3), "640,480");
    EXPECT_EQ(PictureSizeText("SCH-E250", -1), "640,480");
    EXPECT_FALSE(PictureNeedsWarning(65536));
    EXPECT_TRUE(PictureNeedsWarning(65537));
}

TEST(UploadCommandsTest, AnAnimationMustFitTheLimitAndItsFrames)
{
    EXPECT_EQ(CheckAnimation(66614, Frames("4", "128", "128")), AnimationCheck::Accepted);
    EXPECT_EQ(CheckAnimation(21078, Frames("2", "100", "100")), AnimationCheck::Accepted);
    EXPECT_EQ(CheckAnimation(1078 + 12 * 10, Frames("1", "12a", "10")), AnimationCheck::Accepted);
    EXPECT_EQ(CheckAnimation(66615, Frames("4", "128", "128")), AnimationCheck::TooLarge);
    EXPECT_EQ(CheckAnimation(66615, Frames("1", "1", "65537")), AnimationCheck::TooLarge);
    EXPECT_EQ(CheckAnimation(66614, Frames("3", "128", "128")), AnimationCheck::Mismatch);
    // No pixels, or numbers that are not positive, are refused before any read.
    EXPECT_EQ(CheckAnimation(1078, Frames("0", "1", "1")), AnimationCheck::Mismatch);
    EXPECT_EQ(CheckAnimation(100, Frames("4", "128", "128")), AnimationCheck::Mismatch);
    EXPECT_EQ(CheckAnimation(1078 + 100, Frames("1", "-10", "-10")), AnimationCheck::Mismatch);
    EXPECT_EQ(CheckAnimation(1078 + 100, Frames("1", "x", "100")), AnimationCheck::Mismatch);
    EXPECT_EQ(AnimationNumber(" +12a"), 12);
    EXPECT_EQ(AnimationNumber("99999999999999999999999"), 65537);
}

TEST(MelodySlotsTest, ThePlacesAreTheThreeRowsAfterMyBell3)
{
    const RowSet list{{"1", "Весна\r"}, {"2", "My Bell 3\r"}, {"3", "Вальс\r"}, {"4", "Марш\r"}};
    EXPECT_EQ(MelodySlotNames(list), (std::vector<std::string>{"Вальс", "Марш", "Пусто"}));
    EXPECT_EQ(MelodySlotNames(RowSet{{"1", "my bell 3"}, {"2", "A"}}),
              (std::vector<std::string>{"Пусто", "Пусто", "Пусто"}));
    EXPECT_EQ(MelodySlotNames(RowSet{{"1", "A"}, {"2", "My Bell 3"}}),
              (std::vector<std::string>{"Пусто", "Пусто", "Пусто"}));
    EXPECT_EQ(MelodySlotItems({"Вальс", "Марш"}),
              (std::vector<std::string>{"1. Вальс", "2. Марш", "3. My Melody 3 (нет)"}));
}

TEST(UploadAnswerTest, MelodyAnswersAccumulateAcrossReadsUntilOkOrError)
{
    ScriptedPort split;
    split.chunks = {"\r\nO", "K\r\n"};
    EXPECT_EQ(AwaitAppendedAnswer(split.Read(), split.Sleep()), BlockAnswer::Ok);
    EXPECT_EQ(split.reads, 2);

    ScriptedPort error;
    error.chunks = {"\r\nERR", "OR\r\n"};
    EXPECT_EQ(AwaitAppendedAnswer(error.Read(), error.Sleep()), BlockAnswer::Error);
    EXPECT_EQ(error.reads, 2);

    ScriptedPort silent;
    EXPECT_EQ(AwaitAppendedAnswer(silent.Read(), silent.Sleep()), BlockAnswer::Silent);
    EXPECT_EQ(silent.reads, 41);
    EXPECT_EQ(silent.sleeps, 41);

    // A flood longer than the buffer without an answer is silence; an OK
    // split across the flood's end is still seen.
    ScriptedPort flood;
    for (int i = 0; i < 50; ++i)
        flood.chunks.push_back(std::string(256, 'x'));
    EXPECT_EQ(AwaitAppendedAnswer(flood.Read(), flood.Sleep()), BlockAnswer::Silent);
    ScriptedPort late;
    late.chunks = {std::string(252, 'x') + "\r\nO", "K\r\n"};
    EXPECT_EQ(AwaitPictureAnswer(late.Read(), late.Sleep()), BlockAnswer::Ok);
}

TEST(UploadAnswerTest, PictureAnswersAccumulateAcrossThirtyReads)
{
    ScriptedPort split;
    split.chunks = {"\r\nO", "K\r\n"};
    EXPECT_EQ(AwaitPictureAnswer(split.Read(), split.Sleep()), BlockAnswer::Ok);
    EXPECT_EQ(split.reads, 2);

    ScriptedPort silent;
    EXPECT_EQ(AwaitPictureAnswer(silent.Read(), silent.Sleep()), BlockAnswer::Silent);
    EXPECT_EQ(silent.reads, 30);
    EXPECT_EQ(silent.sleeps, 30);

    ScriptedPort error;
    error.chunks = {"", "\r\nERROR\r\n"};
    EXPECT_EQ(AwaitPictureAnswer(error.Read(), error.Sleep()), BlockAnswer::Error);

    ScriptedPort ok;
    ok.chunks = {"\r\nOK\r\n"};
    EXPECT_EQ(AwaitPictureAnswer(ok.Read(), ok.Sleep()), BlockAnswer::Ok);
    EXPECT_EQ(ok.sleeps, 0);
}
