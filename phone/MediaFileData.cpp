#include "phone/MediaFileData.h"

namespace {
constexpr unsigned char Escape = 0x7D;
constexpr unsigned char EscapedEscape = 0x5D;
constexpr unsigned char Shift = 0x20;
constexpr unsigned char Quote = 0x22;
// A quote, space and zero start an eleven-byte sequence between blocks.
constexpr std::size_t SpacedQuoteLength = 11;

// Characters Windows refuses in a file name, besides control bytes.
bool ForbiddenInFileName(unsigned char c)
{
    return c < 0x20 || c == 0x7F || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

bool KeptInName(unsigned char c)
{
    return c > 0x20 && c < 0x7F && c != '#' && c != '\'' && !ForbiddenInFileName(c);
}
}  // namespace

std::string DecodeMediaData(std::string_view assembled, std::size_t length)
{
    auto at = [&](std::size_t i) -> unsigned char {
        return i < length && i < assembled.size() ? static_cast<unsigned char>(assembled[i]) : 0;
    };
    std::string out;
    out.reserve(length);
    std::size_t i = 0;
    while (i < length) {
        const unsigned char byte = at(i);
        if (byte == Escape) {
            const unsigned char next = at(i + 1);
            if (next == EscapedEscape)
                out += static_cast<char>(Escape);
            else
                out += static_cast<char>(next <= Shift ? next + Shift : next - Shift);
            i += 2;
        } else if (byte == Quote && at(i + 1) == 0x0A && at(i + 2) == 0x0D) {
            i += 3;
        } else if (byte == Quote && at(i + 1) == 0x20 && at(i + 2) == 0x00) {
            i += SpacedQuoteLength;
        } else {
            out += static_cast<char>(byte);
            ++i;
        }
    }
    return out;
}

std::string MediaFileName(const TextRow& row, bool movies)
{
    std::string name;
    if (row.size() > 1)
        for (char c : row[1])
            if (KeptInName(static_cast<unsigned char>(c)))
                name += c;
    name += '_';
    if (!row.empty())
        for (char c : row[0])
            if (!ForbiddenInFileName(static_cast<unsigned char>(c)))
                name += c;
    name += movies ? ".mp4" : ".jpg";
    return name;
}
