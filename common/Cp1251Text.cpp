#include "common/Cp1251Text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace {
// The characters of bytes 0x80 to 0xFF; bytes below 0x80 are ASCII in both
// sets. Code page 1251 leaves 0x98 out: it stands for U+0098 here.
constexpr std::uint16_t Cp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr std::uint16_t Koi8rHigh[128] = {
    0x2500, 0x2502, 0x250C, 0x2510, 0x2514, 0x2518, 0x251C, 0x2524,
    0x252C, 0x2534, 0x253C, 0x2580, 0x2584, 0x2588, 0x258C, 0x2590,
    0x2591, 0x2592, 0x2593, 0x2320, 0x25A0, 0x2219, 0x221A, 0x2248,
    0x2264, 0x2265, 0x00A0, 0x2321, 0x00B0, 0x00B2, 0x00B7, 0x00F7,
    0x2550, 0x2551, 0x2552, 0x0451, 0x2553, 0x2554, 0x2555, 0x2556,
    0x2557, 0x2558, 0x2559, 0x255A, 0x255B, 0x255C, 0x255D, 0x255E,
    0x255F, 0x2560, 0x2561, 0x0401, 0x2562, 0x2563, 0x2564, 0x2565,
    0x2566, 0x2567, 0x2568, 0x2569, 0x256A, 0x256B, 0x256C, 0x00A9,
    0x044E, 0x0430, 0x0431, 0x0446, 0x0434, 0x0435, 0x0444, 0x0433,
    0x0445, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E,
    0x043F, 0x044F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0436, 0x0432,
    0x044C, 0x044B, 0x0437, 0x0448, 0x044D, 0x0449, 0x0447, 0x044A,
    0x042E, 0x0410, 0x0411, 0x0426, 0x0414, 0x0415, 0x0424, 0x0413,
    0x0425, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E,
    0x041F, 0x042F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0416, 0x0412,
    0x042C, 0x042B, 0x0417, 0x0428, 0x042D, 0x0429, 0x0427, 0x042A,
};

using CodeToByte = std::pair<std::uint16_t, unsigned char>;

// The high half of code page 1251 by character, for the way back.
const std::array<CodeToByte, 128>& Cp1251ByCode()
{
    static const std::array<CodeToByte, 128> table = [] {
        std::array<CodeToByte, 128> sorted{};
        for (int i = 0; i < 128; ++i)
            sorted[i] = {Cp1251High[i], static_cast<unsigned char>(0x80 + i)};
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }();
    return table;
}

// The code page 1251 byte of `code`; false when the code page lacks it.
bool Cp1251Byte(std::uint32_t code, char& byte)
{
    if (code < 0x80) {
        byte = static_cast<char>(code);
        return true;
    }
    if (code >= 0x0410 && code <= 0x044F) {
        byte = static_cast<char>(0xC0 + (code - 0x0410));
        return true;
    }
    if (code > 0xFFFF)
        return false;
    const auto& table = Cp1251ByCode();
    const auto found = std::lower_bound(table.begin(), table.end(), CodeToByte{static_cast<std::uint16_t>(code), 0});
    if (found == table.end() || found->first != code)
        return false;
    byte = static_cast<char>(found->second);
    return true;
}

void AppendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The character that starts at `at`, moving `at` past it; false on a byte
// sequence that is not well-formed UTF-8: a stray continuation byte, a short
// sequence, an overlong form, a surrogate or a value above U+10FFFF.
bool NextCode(std::string_view text, std::size_t& at, std::uint32_t& code)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length;
    std::uint32_t minimum;
    if (lead < 0x80) {
        code = lead;
        ++at;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    if (text.size() - at < length)
        return false;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(at + i);
        if ((next & 0xC0) != 0x80)
            return false;
        code = code << 6 | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return false;
    at += length;
    return true;
}

std::string HighToUtf8(std::string_view text, const std::uint16_t (&high)[128])
{
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte < 0x80 ? byte : high[byte - 0x80]);
    }
    return out;
}

// Lower case ASCII letters, digits only: "Windows-1251" and "windows_1251"
// read alike.
std::string FoldName(std::string_view name)
{
    std::string folded;
    for (const char c : name) {
        if (c >= 'A' && c <= 'Z')
            folded += static_cast<char>(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            folded += c;
    }
    return folded;
}
}  // namespace

std::string Cp1251ToUtf8(std::string_view text)
{
    return HighToUtf8(text, Cp1251High);
}

bool Utf8ToCp1251(std::string_view utf8, std::string& out)
{
    out.clear();
    out.reserve(utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) {
        std::uint32_t code;
        char byte;
        if (!NextCode(utf8, at, code) || !Cp1251Byte(code, byte))
            return false;
        out += byte;
    }
    return true;
}

bool ToCp1251(std::string_view bytes, TextCharset charset, std::string& out)
{
    switch (charset) {
    case TextCharset::Cp1251:
        out.assign(bytes);
        return true;
    case TextCharset::Koi8r:
        return Utf8ToCp1251(HighToUtf8(bytes, Koi8rHigh), out);
    case TextCharset::Utf8:
        break;
    }
    return Utf8ToCp1251(bytes, out);
}

bool CharsetByName(std::string_view name, TextCharset& charset)
{
    const std::string folded = FoldName(name);
    if (folded == "utf8" || folded == "usascii" || folded == "ascii") {
        charset = TextCharset::Utf8;
    } else if (folded == "windows1251" || folded == "cp1251" || folded == "win1251" || folded == "1251" ||
               folded == "xcp1251") {
        charset = TextCharset::Cp1251;
    } else if (folded == "koi8r" || folded == "koi8") {
        charset = TextCharset::Koi8r;
    } else {
        return false;
    }
    return true;
}

bool IsUtf8(std::string_view bytes)
{
    std::size_t at = 0;
    std::uint32_t code;
    while (at < bytes.size()) {
        if (!NextCode(bytes, at, code))
            return false;
    }
    return true;
}
