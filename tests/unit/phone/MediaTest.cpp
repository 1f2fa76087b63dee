#include <gtest/gtest.h>

#include <string>

#include "phone/MediaAssembly.h"
#include "phone/MediaFileData.h"
#include "phone/MediaListing.h"

namespace {
using namespace std::string_literals;

RowSet List(const std::string& reply, bool movies = false)
{
    return ParseMediaListing(reply.data(), reply.size(), movies);
}

// A photo block as the phone frames it: header, numbers, data in quotes and
// the eleven-byte close the decoder drops.
std::string PhotoBlock(int n, const std::string& data, bool last = false)
{
    return "\r\n#PMLUL: 5,"s + std::to_string(n) + ",\"" + std::to_string(data.size()) + "\",\"" + data +
           (last ? "\xFF"s : ""s) + "\" \0\r\n\r\nOK\r\n"s;
}

std::string MovieBlock(int n, const std::string& data)
{
    return "\r\n#PMMUL: 3,"s + std::to_string(n) + ",\"" + std::to_string(data.size()) + "\",\"" + data + "\"\r\n\r\nOK\r\n";
}

std::string Text(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}
}  // namespace

TEST(MediaListingTest, RowsHoldTagNameSizeAndIndexUntilALineWithoutADigit)
{
    EXPECT_EQ(List("\r\n#PMCGL: 2\n\r1,17,/DCIM/Photo 01.jpg,5120\n\r2,18,plain.jpg,7\n\rx9,1,a,2\n\r\r\nOK\r\n"),
              (RowSet{{"17", "Photo 01.jpg", "5120", "1"}, {"18", "plain.jpg", "7", "2"}}));
    EXPECT_EQ(List("\r\n#PMMGL: 1\n\r3,7,\"/a/b/clip.mp4\",4711\n\r\r\nOK\r\n", true),
              (RowSet{{"7", "clip.mp4", "4711", "3"}}));
    // A marker with no entries, no marker, the other kind's marker.
    EXPECT_TRUE(List("\r\n#PMCGL: 0\n\r\r\nOK\r\n").empty());
    EXPECT_TRUE(List("\r\nOK\r\n").empty());
    EXPECT_TRUE(List("\r\n#PMCGL: 1\n\r1,17,a.jpg,5\n\r", true).empty());
}

TEST(MediaListingTest, ShortEntriesEndTheListAndLongFieldsAreCut)
{
    // Fewer than three commas, or no closing line feed, before the end.
    EXPECT_TRUE(List("#PMCGL\n\r1,17,a.jpg").empty());
    EXPECT_TRUE(List("#PMCGL\n\r1,17,a.jpg,5").empty());
    const std::string longTag(60, 't');
    const RowSet rows = List("#PMCGL\n\r1," + longTag + ",/" + std::string(60, 'p') + ",5\n\r");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], longTag.substr(0, MediaFieldLimit));
    EXPECT_EQ(rows[0][1], std::string(48, 'p'));
    // Nothing is read past the length given, even when more follows.
    const std::string reply = "#PMCGL\n\r1,17,a.jpg,5\n\r2,1,b,6\n\r";
    EXPECT_EQ(ParseMediaListing(reply.data(), reply.size() - 3, false).size(), 1u);
}

TEST(MediaAssemblyTest, OnlyAPlainIndexGoesIntoABlockRequest)
{
    EXPECT_EQ(MediaBlockRequest(false, "5", 3), "AT#PMLUL=5,3\r\n");
    EXPECT_EQ(MediaBlockRequest(true, "12", 1), "AT#PMMUL=12,1\r\n");
    for (const char* index : {"", "1\r\nAT#PBOKW=D", "-1", "1 2"})
        EXPECT_EQ(MediaBlockRequest(false, index, 1), "") << index;
}

TEST(MediaAssemblyTest, PhotoBlocksJoinAndTheLastEndsAtTheJpegEnd)
{
    const std::string received = PhotoBlock(1, "AB") + PhotoBlock(2, "CD") + PhotoBlock(3, "E\xFF\xD9", true);
    EXPECT_TRUE(PhotoTransferEnded(ByteView(received)));
    EXPECT_FALSE(PhotoTransferEnded(ByteView(PhotoBlock(1, "AB"))));
    const auto assembled = AssemblePhoto(ByteView(received));
    ASSERT_TRUE(assembled);
    EXPECT_EQ(DecodeMediaData(Text(*assembled), assembled->size()), "ABCDE\xFF\xD9");
    // A last block without FF D9 still ends in it; no header gives nothing.
    EXPECT_EQ(Text(*AssemblePhoto(ByteView(PhotoBlock(1, "AB")))), "\xFF\xD9");
    EXPECT_FALSE(AssemblePhoto(ByteView("garbage"s)));
}

TEST(MediaAssemblyTest, MovieBlocksEndBeforeTheirQuoteOrAtAZero)
{
    const std::string end = "\r\n#PMMUL: 3,0\r\n\r\nOK\r\n";
    const std::string received = MovieBlock(1, "AB\0C"s) + MovieBlock(2, "DE") + end;
    EXPECT_TRUE(Holds(ByteView(received), PastEndPattern(true, "3")));
    EXPECT_FALSE(Holds(ByteView(MovieBlock(1, "AB")), PastEndPattern(true, "3")));
    EXPECT_TRUE(HoldsFinalOk(ByteView("x\r\n\r\nOK\r\n"s)));
    EXPECT_EQ(Text(*AssembleMovie(ByteView(received))), "AB\0CDE"s);
    // Without the OK: a block runs to the next header, the last one to its first zero.
    const std::string bare = "\r\n#PMMUL: 3,1,\"2\",\"AB\r\n#PMMUL: 3,2,\"3\",\"CD\0junk"s;
    EXPECT_EQ(Text(*AssembleMovie(ByteView(bare))), "ABCD");
    EXPECT_FALSE(AssembleMovie(ByteView("\r\nOK\r\n"s)));
}

TEST(MediaFileDataTest, EscapesAndQuoteSequencesDecode)
{
    EXPECT_EQ(DecodeMediaData("\x7D\x5D\x7D\x0D\x7D\x5E", 6), "\x7D\x2D\x3E");
    EXPECT_EQ(DecodeMediaData("\x7D\x02", 2), "\x22");
    EXPECT_EQ(DecodeMediaData("a\"\n\rb", 5), "ab");
    EXPECT_EQ(DecodeMediaData("a\" \0\r\n\r\nOK\r\nb"s, 13), "ab");
    EXPECT_EQ(DecodeMediaData("a\"b", 3), "a\"b");
    // An escape at the very end takes a zero past the length.
    EXPECT_EQ(DecodeMediaData("a\x7D" "q", 2), "a ");
}

TEST(MediaFileDataTest, FileNamesStayInTheirFolder)
{
    EXPECT_EQ(MediaFileName({"17", "Photo 01"}, false), "Photo01_17.jpg");
    EXPECT_EQ(MediaFileName({"7", "clip#'\".mp4"}, true), "clip.mp4_7.mp4");
    EXPECT_EQ(MediaFileName({"1", "\xD4\xEE\xF2\xEE" "a"}, false), "a_1.jpg");
    EXPECT_EQ(MediaFileName({"..\\..\\x", "C:\\x"}, false), "Cx_....x.jpg");
    EXPECT_EQ(MediaFileName({"a/b\x01", "..\\..\\x|a/b"}, true), "....xab_ab.mp4");
    EXPECT_EQ(MediaFileName({}, false), "_.jpg");
}

TEST(MediaAssemblyTest, OnlyTheBlocksAskedForPassAsATransfer)
{
    const std::string photo = PhotoBlock(1, "AB") + PhotoBlock(2, "CD") + PhotoBlock(3, "E\xFF\xD9", true);
    EXPECT_TRUE(MediaBlocksFramed(ByteView(photo), false, "5"));
    EXPECT_FALSE(MediaBlocksFramed(ByteView(photo), false, "6"));
    EXPECT_FALSE(MediaBlocksFramed(ByteView(photo), true, "5"));
    // The late end of an earlier answer before the first header is not used;
    // an earlier file's block is not this file's first.
    EXPECT_TRUE(MediaBlocksFramed(ByteView("x\r\nOK" + photo), false, "5"));
    EXPECT_FALSE(MediaBlocksFramed(ByteView("\r\n#PMLUL: 4,7,\"1\",\"A\" \0\r\n\r\nOK\r\n"s + photo), false, "5"));
    // The phone's refusal, or stray bytes, in place of block 2.
    EXPECT_FALSE(MediaBlocksFramed(ByteView(PhotoBlock(1, "AB") + "\r\nERROR\r\n" + PhotoBlock(3, "E\xFF\xD9", true)),
                                   false, "5"));
    EXPECT_FALSE(MediaBlocksFramed(ByteView(PhotoBlock(1, "AB") + "garbage" + PhotoBlock(2, "E\xFF\xD9", true)),
                                   false, "5"));
    // Filler lines before a block's OK, a line end among the fields.
    std::string filled = PhotoBlock(1, "AB");
    filled.insert(filled.size() - 8, "\r\nfiller");
    EXPECT_FALSE(MediaBlocksFramed(ByteView(filled + PhotoBlock(2, "E\xFF\xD9", true)), false, "5"));
    std::string broken = PhotoBlock(1, "AB");
    broken.insert(broken.find("\",\""), "\n");
    EXPECT_FALSE(MediaBlocksFramed(ByteView(broken + PhotoBlock(2, "E\xFF\xD9", true)), false, "5"));

    const std::string end = "\r\n#PMMUL: 3,0\r\n\r\nOK\r\n";
    EXPECT_TRUE(MediaBlocksFramed(ByteView(MovieBlock(1, "AB") + MovieBlock(2, "DE") + end), true, "3"));
    EXPECT_FALSE(MediaBlocksFramed(ByteView(MovieBlock(2, "DE") + end), true, "3"));
    EXPECT_FALSE(MediaBlocksFramed(ByteView(end), true, "3"));
    // A block without its OK line still passes, as the assembly allows it.
    EXPECT_TRUE(MediaBlocksFramed(ByteView("\r\n#PMMUL: 3,1,\"2\",\"AB\r\n#PMMUL: 3,2,\"3\",\"CD\0junk"s), true, "3"));
}

TEST(MediaAssemblyTest, AnyFieldAndEitherCloseTheDecodingDropsPass)
{
    // A phone that names the file in the field before the data and closes
    // its photo blocks with a quote, LF and CR, and no OK line.
    const auto named = [](int n, const std::string& data, const std::string& close) {
        return "\r\n#PMLUL: 5,"s + std::to_string(n) + ",\"Кот 02.jpg\",\"" + data + close;
    };
    const std::string photo = named(1, "AB", "\"\n\r") + named(2, "C\0D"s, "\"\n\r") +
                              named(3, "E\xFF\xD9\xFF", "\" \0\r\n\r\nOK\r\n"s);
    EXPECT_TRUE(MediaBlocksFramed(ByteView(photo), false, "5"));
    const auto assembled = AssemblePhoto(ByteView(photo));
    EXPECT_EQ(DecodeMediaData(Text(*assembled), assembled->size()), "ABC\0DE\xFF\xD9"s);
    // Another field before the name, and a length padded with letters, pass.
    EXPECT_TRUE(MediaBlocksFramed(ByteView("\r\n#PMLUL: 5,1,2,\"x\",\"AB\"\n\r" + named(2, "E\xFF\xD9", "\"")), false, "5"));
    std::string padded = PhotoBlock(1, "AB");
    padded.insert(padded.find("\",\""), "abc");
    EXPECT_TRUE(MediaBlocksFramed(ByteView(padded + PhotoBlock(2, "E\xFF\xD9", true)), false, "5"));
    // An OK line after the short close would be written into the file.
    EXPECT_FALSE(MediaBlocksFramed(ByteView(named(1, "AB", "\"\n\r\r\nOK\r\n") + named(2, "E", "\"")), false, "5"));
    // A movie block closed with a quote, LF and CR; the past-the-end answer
    // comes last, for a photo too.
    const std::string end = "\r\n#PMMUL: 3,0\r\n\r\nOK\r\n";
    EXPECT_TRUE(MediaBlocksFramed(ByteView("\r\n#PMMUL: 3,1,\"c.mp4\",\"AB\"\n\r" + MovieBlock(2, "DE") + end), true, "3"));
    EXPECT_TRUE(MediaBlocksFramed(ByteView(photo + "\r\n#PMLUL: 5,0\r\n\r\nOK\r\n"), false, "5"));
}

TEST(MediaAssemblyTest, ZerosEndAPhotoOnlyPastItsLastBlocksData)
{
    const std::string zeros(32, '\0');
    // A run inside the data, in a block whose close has come or not.
    EXPECT_FALSE(PhotoTransferEnded(ByteView(PhotoBlock(1, "A" + zeros + "B"))));
    EXPECT_FALSE(PhotoTransferEnded(ByteView(PhotoBlock(1, "AB") + "\r\n#PMLUL: 5,2,\"40\",\"A" + zeros)));
    // Past the data of the last block, or in place of its data.
    EXPECT_TRUE(PhotoTransferEnded(ByteView(PhotoBlock(1, "AB") + zeros)));
    EXPECT_TRUE(PhotoTransferEnded(ByteView(PhotoBlock(1, "AB") + "\r\n#PMLUL: 5,2" + zeros)));
    // Before any block there is no block to end.
    EXPECT_FALSE(PhotoTransferEnded(ByteView(zeros)));
}

TEST(MediaAssemblyTest, BlockHeadersErrorLinesAndThePastEndAnswerAreFound)
{
    const std::string received = PhotoBlock(1, "AB") + PhotoBlock(12, "CD");
    EXPECT_TRUE(HoldsBlockHeader(ByteView(received), false, "5", 1));
    EXPECT_TRUE(HoldsBlockHeader(ByteView(received), false, "5", 12));
    EXPECT_FALSE(HoldsBlockHeader(ByteView(received), false, "5", 2));
    EXPECT_FALSE(HoldsBlockHeader(ByteView(received), true, "5", 1));
    EXPECT_FALSE(HoldsBlockHeader(ByteView(received), false, "55", 1));
    // The number must be whole: "1" at the very end may yet become "12".
    EXPECT_FALSE(HoldsBlockHeader(ByteView("\r\n#PMLUL: 5,1"s), false, "5", 1));
    EXPECT_TRUE(HoldsErrorLine(ByteView(received + "\r\nERROR\r\n")));
    EXPECT_FALSE(HoldsErrorLine(ByteView(PhotoBlock(1, "ERROR"))));
    EXPECT_EQ(PastEndPattern(false, "5"), "\r\n#PMLUL: 5,0");
}
