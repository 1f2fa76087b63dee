#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Small helpers for picking fields out of a phone's answer. Positions are
// byte offsets into the answer; npos means "not found".
namespace reply {

constexpr size_t npos = std::string_view::npos;

// The phone's fields are taken into 32-byte buffers on the phone side of the
// program; longer fields are cut to what such a buffer holds.
constexpr size_t FieldLimit = 31;

inline size_t Find(std::string_view text, std::string_view what, size_t from)
{
    return from > text.size() ? npos : text.find(what, from);
}

// The bytes [begin, end), cut to `limit`; empty when the range is not inside the text.
std::string Slice(std::string_view text, size_t begin, size_t end, size_t limit = FieldLimit);

// The value of the leading decimal digits of `text` (after blanks and an
// optional sign, as atoi reads them), looking at no more than `maxDigits` digits.
int LeadingInt(std::string_view text, size_t maxDigits);

// A text made only of an optional sign and decimal digits.
bool IsPlainInteger(std::string_view text);

// From `from`, the text up to the next double quote or control byte
// (0x00..0x13), whichever comes first.
std::string QuotedTextUntilControl(std::string_view text, size_t from);

}  // namespace reply
