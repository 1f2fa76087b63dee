#include "phone/ReplyFields.h"

namespace reply {

std::string Slice(std::string_view text, size_t begin, size_t end, size_t limit)
{
    if (begin > end || end > text.size())
        return {};
    const size_t length = end - begin < limit ? end - begin : limit;
    return std::string(text.substr(begin, length));
}

int LeadingInt(std::string_view text, size_t maxDigits)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int value = 0;
    for (size_t digits = 0; i < text.size() && digits < maxDigits && text[i] >= '0' && text[i] <= '9';
         ++i, ++digits)
        value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

bool IsPlainInteger(std::string_view text)
{
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

std::string QuotedTextUntilControl(std::string_view text, size_t from)
{
    size_t end = from;
    while (end < text.size() && text[end] != '"' && static_cast<unsigned char>(text[end]) > 0x13)
        ++end;
    return Slice(text, from, end);
}

}  // namespace reply
