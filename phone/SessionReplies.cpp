#include "phone/SessionReplies.h"

#include <cstring>

#include "res/resource.h"

namespace {
const char KeyPrefix[] = "#PCKEY: ";
const char ModelPrefix[] = "GMM: ";
const char MelodyPrefix[] = "#PUGSN:";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsPrintableNonBlank(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x21 && byte <= 0x7E;
}

std::string Field(const char* begin, const char* end)
{
    const std::size_t length = static_cast<std::size_t>(end - begin);
    return std::string(begin, length < MelodyFieldLength ? length : MelodyFieldLength);
}
}  // namespace

std::optional<std::int32_t> ParsePhoneKey(const char* reply)
{
    const char* found = std::strstr(reply, KeyPrefix);
    if (!found)
        return std::nullopt;
    std::int32_t key = 0;
    const char* digit = found + sizeof KeyPrefix - 1;
    for (std::size_t n = 0; n < PhoneKeyDigits && IsDigit(*digit); ++n, ++digit)
        key = key * 10 + (*digit - '0');
    return key;
}

std::string ParseModelName(const char* reply)
{
    std::string model;
    const char* found = std::strstr(reply, ModelPrefix);
    if (!found)
        return model;
    for (const char* c = found + sizeof ModelPrefix - 1; IsPrintableNonBlank(*c); ++c)
        model += *c;
    return model;
}

std::string ParseOwnNumber(const char* reply)
{
    std::string number;
    const char* found = std::strstr(reply, "#PCMIT:");
    if (!found)
        return number;
    const char* c = found + 7;
    while (*c == ' ')
        ++c;
    if (*c == '+')
        number += *c++;
    for (; *c >= '0' && *c <= '9' && number.size() < SMS_NUMBER_LIMIT; ++c)
        number += *c;
    return number;
}

std::optional<std::vector<MelodyEntry>> ParseMelodyList(const char* reply)
{
    const char* found = std::strstr(reply, MelodyPrefix);
    if (!found)
        return std::nullopt;
    std::vector<MelodyEntry> melodies;
    // The searches run on through the rest of the answer, not only the line.
    const char* lineEnd = std::strchr(found, '\n');
    while (lineEnd) {
        const char* start = lineEnd + 1;
        const char* firstComma = std::strchr(start, ',');
        if (!firstComma)
            break;
        const char* secondComma = std::strchr(firstComma + 1, ',');
        if (!secondComma)
            break;
        const char* nextEnd = std::strchr(secondComma + 1, '\n');
        if (!nextEnd)
            break;
        melodies.push_back({Field(start, firstComma), Field(secondComma + 1, nextEnd)});
        lineEnd = nextEnd;
    }
    return melodies;
}

std::string DescribeSession(const std::string& model, int port)
{
    return "Samsung " + model + ", порт COM" + std::to_string(port) + ".";
}
