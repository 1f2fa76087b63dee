#include "calendar/DateInput.h"

#include <algorithm>

#include "calendar/CalendarMonth.h"

namespace {
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// A leading sign and digits after optional blanks, with the value saturated
// far beyond any range asked for; `end` is where reading stopped.
bool ReadNumber(std::string_view text, long long& value, std::size_t& end)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t digits = i;
    long long magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), 1000000000LL);
    end = i;
    value = negative ? -magnitude : magnitude;
    return i > digits;
}
}  // namespace

int YearFromText(std::string_view text, int previous)
{
    long long value = 0;
    std::size_t end = 0;
    if (!ReadNumber(text, value, end))
        return previous;
    while (end < text.size() && IsSpace(text[end]))
        ++end;
    if (end != text.size())
        return previous;
    return static_cast<int>(std::clamp<long long>(value, FirstYear, LastYear));
}

int MonthIndexOrPrevious(int selected, int previous)
{
    if (selected >= 0 && selected < MonthCount)
        return selected;
    return previous >= 0 && previous < MonthCount ? previous : 0;
}

int ClockFieldFromText(std::string_view text, int last)
{
    long long value = 0;
    std::size_t end = 0;
    if (!ReadNumber(text.substr(0, 2), value, end))
        value = 0;
    return static_cast<int>(std::clamp<long long>(value, 0, last));
}
