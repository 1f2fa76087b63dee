// The iCalendar reader with any bytes, and the writer with scheduler rows
// drawn from them: a row whose start is a time stamp comes back as it was
// (line breaks as CR LF), the others are left out and counted. No written
// line is longer than 75 octets.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzCheck.h"
#include "common/Cp1251Text.h"
#include "grid/ContentLines.h"
#include "grid/ICalendarFile.h"

namespace {
bool Shifted(const std::string& utc, std::string& local)
{
    local = utc;
    return IsStamp(utc) && utc[0] != '9';
}

std::string Start(FuzzedDataProvider& in)
{
    if (in.ConsumeIntegralInRange(0, 4) == 0)
        return in.ConsumeRandomLengthString(20);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d", in.ConsumeIntegralInRange(1900, 2100),
                  in.ConsumeIntegralInRange(0, 13), in.ConsumeIntegralInRange(0, 32), in.ConsumeIntegralInRange(0, 24),
                  in.ConsumeIntegralInRange(0, 60), in.ConsumeIntegralInRange(0, 60));
    return text;
}

// A choice: mostly digits, now and then with leading zeros or many of them.
std::string Choice(FuzzedDataProvider& in)
{
    if (in.ConsumeBool())
        return in.ConsumeRandomLengthString(20);
    std::string digits = std::to_string(in.ConsumeIntegral<uint32_t>());
    digits.insert(0, in.ConsumeIntegralInRange(0, 3), '0');
    if (in.ConsumeBool())
        digits += std::to_string(in.ConsumeIntegral<uint64_t>());
    return digits;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const ImportedRow& row : ReadICalendar(bytes, Shifted).rows)
        FUZZ_CHECK(row.cells.size() == SchedColumns && (!row.refusal.empty() || IsStamp(row.cells[SchedStart])));

    FuzzedDataProvider in(data, size);
    RowSet rows(in.ConsumeIntegralInRange(0, 12));
    for (TextRow& row : rows) {
        row.resize(in.ConsumeIntegralInRange(0, SchedColumns + 1));
        for (std::size_t k = 0; k < row.size(); ++k)
            row[k] = k == SchedStart ? Start(in) : k == SchedChoice ? Choice(in) : in.ConsumeRandomLengthString(100);
    }
    const ICalendarText out = BuildICalendar(rows, "20240301T120000");
    for (std::size_t at = 0; at < out.text.size();) {
        const std::size_t end = out.text.find("\r\n", at);
        FUZZ_CHECK(end != std::string::npos && end - at <= 75 && IsUtf8(out.text.substr(at, end - at)));
        at = end + 2;
    }
    const ImportedRows read = ReadICalendar(out.text, Shifted);
    FUZZ_CHECK(read.error.empty() && read.rows.size() + out.rowsLeftOut == rows.size());
    std::size_t next = 0;
    for (const TextRow& row : rows) {
        const auto cell = [&](std::size_t k) { return k < row.size() ? row[k] : std::string(); };
        if (!IsStamp(cell(SchedStart)))
            continue;
        const TextRow expected = {cell(SchedStart), WithCrLf(cell(SchedChoice)), WithCrLf(cell(SchedText)),
                                  WithCrLf(cell(SchedMelody))};
        const ImportedRow& got = read.rows[next++];
        FUZZ_CHECK(got.refusal.empty() && got.cells == expected);
    }
    return 0;
}
