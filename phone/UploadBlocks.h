#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Files go to the phone in numbered blocks of file bytes inside an AT
// command. These rules cut a file into its blocks, number them the way each
// upload kind expects, and escape the bytes the command's framing uses.

// The block's bytes as they go between the command's quotes: 08, 0A, 0D, 22
// and 7D each become 7D and a substitute (28, 2A, 2D, 02, 5D); every other
// byte goes unchanged.
std::string EscapeBlockData(std::string_view block);

// The file's name as the phone gets it: the path after its last "\" (all of
// it when there is none).
std::string FileNameOf(const std::string& path);

struct UploadBlock {
    long long number = 0;
    // Where the block's bytes start in the file (for an animation: in the
    // pixel bytes taken back to front), and how many there are.
    std::uint64_t offset = 0;
    std::size_t length = 0;
};

enum class UploadKind {
    // 180-byte blocks 1, 2, ...; a shorter last block is 0. A file of an
    // exact multiple of 180 bytes has no block 0.
    Melody,
    // 396-byte blocks 1, 2, ...; the block that is short or reaches the end
    // of the file is 0 and the last.
    Picture,
    // 200-byte blocks 1, 2, ...; the last, shorter block is 0, and it is sent
    // empty when the bytes are an exact multiple of 200.
    Animation,
};

// The blocks of `size` bytes in the order they are sent, one at a time, so
// that no list of blocks is held for a large file.
class BlockPlan {
public:
    BlockPlan(UploadKind kind, std::uint64_t size);
    // The next block; false when every block has been given.
    bool Next(UploadBlock& block);

private:
    UploadKind kind_;
    std::uint64_t size_;
    std::uint64_t offset_ = 0;
    long long number_ = 0;
    bool done_ = false;
};

// The block size of an upload kind.
std::size_t BlockSize(UploadKind kind);

// The bytes of an animation block: the pixel area is sent back to front, so
// the block at `offset` of the reversed order holds pixels[P-1-offset] down
// to pixels[P-offset-length]. Empty when the block lies outside the pixels.
std::string BackToFront(std::string_view pixels, std::uint64_t offset, std::size_t length);
