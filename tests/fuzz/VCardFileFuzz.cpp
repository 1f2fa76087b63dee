// The vCard reader with any bytes, and the writer with phone-book rows drawn
// from them: every card is read back to its row, line breaks as CR LF, the
// numbers without the empty ones between them, the time stamp only when it
// is one; a row with no name, number or text is refused as an empty card.
// No written line is longer than 75 octets.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzCheck.h"
#include "common/Cp1251Text.h"
#include "grid/ContentLines.h"
#include "grid/VCardFile.h"

namespace {
bool Shifted(const std::string& utc, std::string& local)
{
    local = utc;
    return IsStamp(utc) && utc[0] != '9';
}

std::string Stamp(FuzzedDataProvider& in)
{
    if (in.ConsumeBool())
        return in.ConsumeRandomLengthString(20);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d", in.ConsumeIntegralInRange(1900, 2100),
                  in.ConsumeIntegralInRange(0, 13), in.ConsumeIntegralInRange(0, 32), in.ConsumeIntegralInRange(0, 24),
                  in.ConsumeIntegralInRange(0, 60), in.ConsumeIntegralInRange(0, 60));
    return text;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const ImportedRow& row : ReadVCards(bytes, Shifted).rows)
        FUZZ_CHECK(row.cells.size() == BookColumns);

    FuzzedDataProvider in(data, size);
    RowSet rows(in.ConsumeIntegralInRange(0, 12));
    for (TextRow& row : rows) {
        row.resize(in.ConsumeIntegralInRange(0, BookColumns + 1));
        for (std::size_t k = 0; k < row.size(); ++k)
            row[k] = k == BookStamp ? Stamp(in) : in.ConsumeRandomLengthString(k == BookName ? 120 : 30);
    }
    const std::string file = BuildVCards(rows);
    for (std::size_t at = 0; at < file.size();) {
        const std::size_t end = file.find("\r\n", at);
        FUZZ_CHECK(end != std::string::npos && end - at <= 75 && IsUtf8(file.substr(at, end - at)));
        at = end + 2;
    }
    const ImportedRows read = ReadVCards(file, Shifted);
    // No row, no card: a file without cards is no vCard file.
    FUZZ_CHECK(read.error.empty() != rows.empty() && read.rows.size() == rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto cell = [&](std::size_t k) { return k < rows[r].size() ? rows[r][k] : std::string(); };
        TextRow expected(BookColumns);
        expected[BookName] = WithCrLf(cell(BookName));
        std::size_t numbers = 0;
        for (std::size_t k = BookNumber1; k <= BookNumber5; ++k)
            if (!cell(k).empty())
                expected[BookNumber1 + numbers++] = WithCrLf(cell(k));
        expected[BookText1] = WithCrLf(cell(BookText1));
        expected[BookText2] = WithCrLf(cell(BookText2));
        expected[BookStamp] = IsStamp(cell(BookStamp)) ? cell(BookStamp) : "";
        bool empty = true;
        for (std::size_t k = BookName; k <= BookText2; ++k)
            empty = empty && expected[k].empty();
        FUZZ_CHECK(read.rows[r].cells == expected);
        FUZZ_CHECK(read.rows[r].refusal.empty() != empty);
    }
    return 0;
}
