// The CSV reader with any bytes, and the writer with tables drawn from them:
// every row comes back cell for cell (cells past the titles left out, short
// rows filled with empty cells), line breaks and blanks as they were.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "FuzzTable.h"
#include "grid/CsvFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> known = {"Name", "Number", "\xC8\xEC\xFF"};
    const ImportedRows any = ReadCsv(bytes, known);
    for (const ImportedRow& row : any.rows)
        FUZZ_CHECK(row.cells.size() == known.size() && any.error.empty());

    FuzzedDataProvider in(data, size);
    TableSnapshot table = ConsumeTable(in, 0, 30, 60);
    if (table.columnTitles.empty())
        table.columnTitles.push_back(in.ConsumeRandomLengthString(10));
    const ImportedRows read = ReadCsv(BuildCsv(table), table.columnTitles);
    FUZZ_CHECK(read.error.empty() && read.rows.size() == table.rows.size());
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        TextRow expected = table.rows[r];
        expected.resize(table.columnTitles.size());
        FUZZ_CHECK(read.rows[r].refusal.empty() && read.rows[r].cells == expected);
    }
    return 0;
}
