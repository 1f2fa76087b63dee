#include "phone/PhoneBookRecord.h"

#include <algorithm>

#include "phone/ReplyFields.h"
#include "phone/WireText.h"

using namespace reply;

namespace {
constexpr size_t CountDigits = 4;
constexpr size_t StampLength = 15;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number formed by the digits that end just before the closing quote,
// allowing one other character between them and the quote ("(1-500)").
int TrailingNumber(std::string_view reply, size_t quote)
{
    size_t end = quote;
    if (end > 0 && !IsDigit(reply[end - 1]))
        --end;
    size_t begin = end;
    while (begin > 0 && end - begin < CountDigits && IsDigit(reply[begin - 1]))
        --begin;
    return LeadingInt(reply.substr(begin, end - begin), CountDigits);
}

// A number field is kept only when it starts with a digit.
std::string NumberField(std::string_view reply, size_t begin, size_t end)
{
    if (begin >= reply.size() || !IsDigit(reply[begin]))
        return {};
    return Slice(reply, begin, end);
}
}  // namespace

std::optional<int> ParsePhoneBookCapacity(std::string_view reply)
{
    const size_t prefix = reply.find("#PBSEL:");
    if (prefix == npos)
        return std::nullopt;
    const size_t first = Find(reply, ",", prefix);
    if (first == npos)
        return std::nullopt;
    const size_t second = Find(reply, ",", first + 1);
    if (second == npos)
        return std::nullopt;
    const int n1 = LeadingInt(Slice(reply, first + 1, second, CountDigits), CountDigits);

    int n2 = 0;
    const size_t open = Find(reply, ",\"", first + 1);
    if (open != npos) {
        const size_t close = Find(reply, "\"", open + 2);
        if (close != npos)
            n2 = TrailingNumber(reply, close);
    }
    return std::max(n1, n2);
}

EntryParse ParsePhoneBookEntry(std::string_view reply, TextRow& entry)
{
    const size_t prefix = reply.find("#PBOKR:");
    if (prefix == npos)
        return EntryParse::Absent;
    entry.clear();
    const size_t c1 = Find(reply, ",", prefix);
    const size_t c2 = c1 == npos ? npos : Find(reply, ",", c1 + 1);
    const size_t open = c2 == npos ? npos : Find(reply, ",\"", c2 + 1);
    if (open == npos)
        return EntryParse::Malformed;
    const size_t nameEnd = Find(reply, "\",", open + 2);
    if (nameEnd == npos)
        return EntryParse::Malformed;
    entry.push_back(Slice(reply, open + 2, nameEnd));

    size_t start = nameEnd + 2;
    size_t e = Find(reply, ",", start);
    if (e == npos)
        return EntryParse::Malformed;
    entry.push_back(NumberField(reply, start, e));
    for (int i = 0; i < 4; ++i) {
        const size_t skipped = Find(reply, ",", e + 1);
        if (skipped == npos)
            return EntryParse::Malformed;
        start = skipped + 1;
        e = Find(reply, ",", start);
        if (e == npos)
            return EntryParse::Malformed;
        entry.push_back(NumberField(reply, start, e));
    }

    const size_t r = Find(reply, "\",", e + 2);
    if (r == npos)
        return EntryParse::Malformed;
    entry.push_back(Slice(reply, e + 2, r));
    const size_t open2 = Find(reply, ",\"", r + 1);
    if (open2 == npos)
        return EntryParse::Malformed;
    const size_t r2 = Find(reply, "\",", open2 + 2);
    if (r2 == npos)
        return EntryParse::Malformed;
    entry.push_back(Slice(reply, open2 + 2, r2));
    entry.push_back(Slice(reply, r2 + 2, std::min(reply.size(), r2 + 2 + StampLength), StampLength));
    return EntryParse::Found;
}

std::string BuildPhoneBookWrite(const TextRow& row)
{
    const size_t n = row.size();
    if (n < 5)
        return {};
    std::string command = "AT#PBOKW=0,0," + WireText(row[n - 1]) + ",\"" + WireText(row[0]) + "\"";
    for (size_t k = 1; k + 4 < n; ++k)
        command += "," + WireText(row[k]) + ",";
    command += "\"" + WireText(row[n - 4]) + "\",\"" + WireText(row[n - 3]) + "\"," + WireText(row[n - 2]);
    return command;
}

std::string RowDebugText(const TextRow& row)
{
    std::string text;
    for (const std::string& cell : row)
        text += cell + "\r\n";
    return text;
}
