// The XLS writer with any table: the file's bytes are its records one after
// another, every record's length field matches its bytes, and a BIFF reader
// of the target's own reads the sheet back to the table's texts (title,
// column titles, cells, note), a number cell to the value strtod reads from
// its text. Only a text that is its number's canonical form (at most 15
// significant digits) is a number; an empty cell has no record.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <regex>
#include <string>
#include <utility>

#include "FuzzCheck.h"
#include "FuzzTable.h"
#include "grid/XlsWriter.h"

namespace {
struct Cell {
    bool number = false;
    std::string text;
    double value = 0;
};

unsigned Get16(const std::string& bytes, size_t at)
{
    FUZZ_CHECK(at + 2 <= bytes.size());
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// BIFF2: a record is its type, the length of its body and the body.
std::map<std::pair<unsigned, unsigned>, Cell> ReadSheet(const XlsSheet& sheet)
{
    std::map<std::pair<unsigned, unsigned>, Cell> cells;
    size_t prologue = 0;
    for (size_t i = 0; i < sheet.records.size(); ++i) {
        const std::string& record = sheet.records[i];
        const unsigned type = Get16(record, 0);
        const std::string body = record.substr(4);
        FUZZ_CHECK(Get16(record, 2) == body.size());
        FUZZ_CHECK((i == 0) == (type == 0x0209) && (i + 1 == sheet.records.size()) == (type == 0x000A));
        if (type == 0x0209 || type == 0x0243) {
            prologue += record.size();
        } else if (type == 0x0204) {  // LABEL: row, column, format, length, bytes
            FUZZ_CHECK(body.size() >= 8 && Get16(body, 6) == body.size() - 8);
            FUZZ_CHECK(cells.emplace(std::pair(Get16(body, 0), Get16(body, 2)), Cell{false, body.substr(8), 0}).second);
        } else if (type == 0x0003) {  // NUMBER: row, column, three attribute bytes, IEEE double
            FUZZ_CHECK(body.size() == 15);
            Cell cell{true, {}, 0};
            std::memcpy(&cell.value, body.data() + 7, 8);
            FUZZ_CHECK(cells.emplace(std::pair(Get16(body, 0), Get16(body, 2)), cell).second);
        } else {
            FUZZ_CHECK(type == 0x000A && body.empty());
        }
    }
    FUZZ_CHECK(prologue == XlsPrologueSize);
    return cells;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const TableSnapshot table = ConsumeTable(in, 300, 12, 400);

    const XlsSheet sheet = BuildXlsRecords(table);
    // The file's bytes are the same records one after another.
    std::string joined;
    for (const std::string& record : sheet.records)
        joined += record;
    std::size_t rowsLeftOut = 0;
    FUZZ_CHECK(BuildXlsFile(table, rowsLeftOut) == joined && rowsLeftOut == sheet.rowsLeftOut);
    auto cells = ReadSheet(sheet);
    auto expectText = [&](unsigned row, unsigned column, const std::string& text) {
        const auto found = cells.find({row, column});
        FUZZ_CHECK(found != cells.end() && !found->second.number && found->second.text == text.substr(0, XlsMaxText));
        cells.erase(found);
    };
    if (!table.title.empty())
        expectText(0, 0, table.title);
    for (size_t k = 0; k < table.columnTitles.size(); ++k)
        expectText(1, k, table.columnTitles[k]);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        for (size_t k = 0; k < table.columnTitles.size(); ++k) {
            const std::string text = k < table.rows[r].size() ? table.rows[r][k] : std::string();
            static const std::regex canonical("-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?");
            const std::string digits = std::regex_replace(text, std::regex("[-.]"), "");
            const size_t significant = digits.size() - std::min(digits.size(), digits.find_first_not_of('0'));
            const bool number = std::regex_match(text, canonical) && significant <= 15 && text != "-0";
            if (text.empty())
                continue;
            if (!number) {
                expectText(r + 2, k, text);
                continue;
            }
            const auto found = cells.find({r + 2, k});
            FUZZ_CHECK(found != cells.end() && found->second.number);
            FUZZ_CHECK(found->second.value == std::strtod(text.c_str(), nullptr));
            cells.erase(found);
        }
    }
    const unsigned noteRow = (table.rows.empty() || table.columnTitles.empty() ? 0 : table.rows.size() + 1) + 2;
    if (!table.note.empty())
        expectText(noteRow, 0, table.note);
    FUZZ_CHECK(cells.empty());
    return 0;
}
