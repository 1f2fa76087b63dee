#include "models/ColumnSpec.h"

#include <climits>

namespace {
const std::string& CellOf(const TextRow& row, std::size_t index)
{
    static const std::string empty;
    return index < row.size() ? row[index] : empty;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

long long ReadDecimal(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (value > (LLONG_MAX - digit) / 10)
            return negative ? LLONG_MIN : LLONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

int ReadDecimalInt(std::string_view text)
{
    const long long value = ReadDecimal(text);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

ColumnSpec DescribeColumn(const TextRow& description)
{
    ColumnSpec column;
    column.title = CellOf(description, 0);
    column.editorKind = ReadDecimalInt(CellOf(description, 1));
    column.widthDivisor = ReadDecimalInt(CellOf(description, 2));
    return column;
}

std::string LookupTableOf(const TextRow& description)
{
    if (ReadDecimalInt(CellOf(description, 1)) != kDropDownEditor)
        return {};
    return CellOf(description, 3);
}
