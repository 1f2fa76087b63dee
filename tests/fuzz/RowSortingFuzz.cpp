// Sorting and prefix search over any rows: the sort keeps the rows (as a
// multiset, each whole), orders them by the column as text or as numbers as
// the first row decides, and the prefix search finds the first matching row.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

#include "FuzzCheck.h"
#include "grid/RowSorting.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const size_t column = in.ConsumeIntegralInRange<size_t>(0, 3);
    const size_t start = in.ConsumeIntegralInRange<size_t>(0, 20);
    const std::string prefix = in.ConsumeRandomLengthString(4);
    RowSet rows(in.ConsumeIntegralInRange<size_t>(0, 20));
    for (TextRow& row : rows) {
        row.resize(in.ConsumeIntegralInRange<size_t>(0, 4));
        for (std::string& cell : row)
            cell = in.ConsumeRandomLengthString(12);
    }

    const RowSet before = rows;
    SortRowsByColumn(rows, column);
    RowSet a = before, b = rows;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    FUZZ_CHECK(a == b);
    if (!before.empty() && before.front().size() > column) {
        const bool asText = HasLetter(before.front()[column]);
        auto key = [column](const TextRow& row) { return row.size() > column ? row[column] : row.empty() ? "" : row[0]; };
        for (size_t r = 1; r < rows.size(); ++r) {
            if (asText)
                FUZZ_CHECK(key(rows[r - 1]) <= key(rows[r]));
            else
                FUZZ_CHECK(LeadingNumber(key(rows[r - 1])) <= LeadingNumber(key(rows[r])));
        }
    } else {
        FUZZ_CHECK(rows == before);
    }

    const auto found = FindRowWithPrefix(rows, column, prefix, start);
    for (size_t r = start; r < rows.size() && (!found || r <= *found); ++r) {
        const bool match = column < rows[r].size() && rows[r][column].rfind(prefix, 0) == 0;
        FUZZ_CHECK(match == (found && r == *found));
    }
    FUZZ_CHECK(!found || (*found >= start && *found < rows.size()));
    const size_t first = in.ConsumeIntegralInRange<size_t>(0, 100);
    const size_t last = in.ConsumeIntegralInRange<size_t>(0, 100);
    if (found)
        FUZZ_CHECK(CentredFirstRow(*found, first, last) <= *found);
    return 0;
}
