// The code page conversions with any bytes: every code page 1251 text goes to
// well-formed UTF-8 and back unchanged; bytes read as UTF-8 convert exactly
// when they are well-formed and hold only the code page's characters, and
// then go back to the same bytes; KOI8-R texts keep one byte a character.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "common/Cp1251Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = Cp1251ToUtf8(bytes);
    std::string back;
    FUZZ_CHECK(IsUtf8(utf8) && Utf8ToCp1251(utf8, back) && back == bytes);

    std::string text;
    if (Utf8ToCp1251(bytes, text)) {
        FUZZ_CHECK(IsUtf8(bytes) && text.size() <= bytes.size() && Cp1251ToUtf8(text) == bytes);
        std::string same;
        FUZZ_CHECK(ToCp1251(bytes, TextCharset::Utf8, same) && same == text);
    } else {
        // Well-formed text fails only on a character the code page lacks:
        // ASCII always converts.
        bool ascii = true;
        for (const char c : bytes)
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        FUZZ_CHECK(!ascii);
    }

    std::string fromKoi8;
    if (ToCp1251(bytes, TextCharset::Koi8r, fromKoi8))
        FUZZ_CHECK(fromKoi8.size() == bytes.size());
    std::string same;
    FUZZ_CHECK(ToCp1251(bytes, TextCharset::Cp1251, same) && same == bytes);
    return 0;
}
