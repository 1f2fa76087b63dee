#include "grid/RowSorting.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

bool HasLetter(const std::string& text)
{
    for (unsigned char c : text) {
        const bool latin = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        // Code page 1251: А..я at 0xC0..0xFF, Ё and ё at 0xA8 and 0xB8.
        const bool cyrillic = c >= 0xC0 || c == 0xA8 || c == 0xB8;
        if (latin || cyrillic)
            return true;
    }
    return false;
}

double LeadingNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    double value = 0;
    const auto result = std::from_chars(text.data() + i, text.data() + text.size(), value);
    // "nan" would break the ordering the sort relies on.
    if (result.ec != std::errc() || std::isnan(value))
        return 0;
    return value;
}

void SortRowsByColumn(RowSet& rows, size_t column)
{
    if (rows.empty() || rows.front().size() <= column)
        return;
    const bool asText = HasLetter(rows.front()[column]);
    auto swapKey = [column](TextRow& row) {
        if (row.size() > column)
            std::swap(row[0], row[column]);
    };
    std::for_each(rows.begin(), rows.end(), swapKey);
    if (asText) {
        // std::string compares bytes as unsigned and puts a prefix first;
        // vectors compare cell by cell and put the shorter row first.
        std::sort(rows.begin(), rows.end());
    } else {
        std::sort(rows.begin(), rows.end(), [](const TextRow& a, const TextRow& b) {
            const double x = a.empty() ? 0 : LeadingNumber(a[0]);
            const double y = b.empty() ? 0 : LeadingNumber(b[0]);
            return x < y;
        });
    }
    std::for_each(rows.begin(), rows.end(), swapKey);
}

std::optional<size_t> FindRowWithPrefix(const RowSet& rows, size_t column, const std::string& prefix, size_t start)
{
    for (size_t r = start; r < rows.size(); ++r) {
        if (column < rows[r].size() && rows[r][column].compare(0, prefix.size(), prefix) == 0)
            return r;
    }
    return std::nullopt;
}

size_t CentredFirstRow(size_t found, size_t firstVisible, size_t lastVisible)
{
    const size_t half = lastVisible > firstVisible ? (lastVisible - firstVisible) / 2 : 0;
    return found > half ? found - half : 0;
}
