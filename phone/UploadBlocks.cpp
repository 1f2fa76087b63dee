#include "phone/UploadBlocks.h"

#include <algorithm>

std::string EscapeBlockData(std::string_view block)
{
    std::string out;
    out.reserve(block.size() * 2);
    for (const char c : block) {
        char substitute = 0;
        switch (static_cast<unsigned char>(c)) {
        case 0x08: substitute = 0x28; break;
        case 0x0A: substitute = 0x2A; break;
        case 0x0D: substitute = 0x2D; break;
        case 0x22: substitute = 0x02; break;
        case 0x7D: substitute = 0x5D; break;
        default: out += c; continue;
        }
        out += '\x7D';
        out += substitute;
    }
    return out;
}

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::size_t BlockSize(UploadKind kind)
{
    switch (kind) {
    case UploadKind::Melody: return 180;
    case UploadKind::Picture: return 396;
    case UploadKind::Animation: return 200;
    }
    return 180;
}

BlockPlan::BlockPlan(UploadKind kind, std::uint64_t size) : kind_(kind), size_(size) {}

bool BlockPlan::Next(UploadBlock& block)
{
    if (done_)
        return false;
    const std::uint64_t full = BlockSize(kind_);
    const std::uint64_t left = size_ - offset_;
    // Melodies and pictures end with the file; an animation always ends with
    // a block 0, empty if need be.
    if (left == 0 && kind_ != UploadKind::Animation) {
        done_ = true;
        return false;
    }
    block.offset = offset_;
    block.length = static_cast<std::size_t>(std::min(left, full));
    offset_ += block.length;
    const bool last = block.length < full || (kind_ == UploadKind::Picture && offset_ == size_);
    if (last) {
        block.number = 0;
        done_ = true;
    } else {
        block.number = ++number_;
    }
    return true;
}

std::string BackToFront(std::string_view pixels, std::uint64_t offset, std::size_t length)
{
    const std::uint64_t count = pixels.size();
    if (offset > count || length > count - offset)
        return {};
    std::string out(length, '\0');
    const std::size_t first = static_cast<std::size_t>(count - 1 - offset);
    for (std::size_t i = 0; i < length; ++i)
        out[i] = pixels[first - i];
    return out;
}
