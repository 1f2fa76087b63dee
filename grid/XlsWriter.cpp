#include "grid/XlsWriter.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace {
constexpr uint16_t RecordBof = 0x0209;
constexpr uint16_t RecordXf = 0x0243;
constexpr uint16_t RecordLabel = 0x0204;
constexpr uint16_t RecordNumber = 0x0003;
constexpr uint16_t RecordEof = 0x000A;

constexpr uint16_t XfTitle = 1;
constexpr uint16_t XfCell = 17;
constexpr uint16_t XfNote = 0;

void Put16(std::string& out, uint32_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

std::string Record(uint16_t id, const std::string& body)
{
    std::string out;
    Put16(out, id);
    Put16(out, static_cast<uint32_t>(body.size()));
    return out + body;
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

// The format records every sheet starts with.
std::vector<std::string> Prologue()
{
    using B = std::initializer_list<int>;
    const B first{0x00, 0x00, 0xF5, 0x03, 0xF0, 0xFF, 0x00, 0xCE, 0, 0, 0, 0};
    const B style1{0x01, 0x00, 0xF5, 0xF7, 0xF0, 0xFF, 0x00, 0xCE, 0, 0, 0, 0};
    const B style2{0x02, 0x00, 0xF5, 0xF7, 0xF0, 0xFF, 0x00, 0xCE, 0, 0, 0, 0};
    const B style0{0x00, 0x00, 0xF5, 0xF7, 0xF0, 0xFF, 0x00, 0xCE, 0, 0, 0, 0};
    const B cell{0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0xCE, 0, 0, 0, 0};
    const B cell10{0x00, 0x00, 0x01, 0x10, 0x08, 0x00, 0x00, 0xCE, 0, 0, 0, 0};
    const B cell30{0x00, 0x00, 0x01, 0x30, 0x08, 0x00, 0x00, 0xCE, 0, 0, 0, 0};
    const B num20{0x01, 0x20, 0xF5, 0xFB, 0xF0, 0x00, 0x00, 0xCE, 0, 0, 0, 0};
    const B num1e{0x01, 0x1E, 0xF5, 0xFB, 0xF0, 0x00, 0x00, 0xCE, 0, 0, 0, 0};
    const B num09{0x01, 0x09, 0xF5, 0xFB, 0xF0, 0x00, 0x00, 0xCE, 0, 0, 0, 0};

    std::vector<std::string> records;
    records.push_back(Record(RecordBof, Bytes({0x00, 0x00, 0x10, 0x00, 0xAF, 0x18})));
    auto xf = [&](const B& body, int times) {
        for (int i = 0; i < times; ++i)
            records.push_back(Record(RecordXf, Bytes(body)));
    };
    xf(first, 1);
    xf(style1, 2);
    xf(style2, 2);
    xf(style0, 10);
    xf(cell, 1);
    xf(cell10, 1);
    xf(cell30, 1);
    xf(num20, 1);
    xf(num1e, 1);
    xf(num09, 1);
    xf(cell, 1);
    xf(cell10, 1);
    return records;
}

// Little-endian 16-bit values at `at`.
void Store16(char* at, uint32_t value)
{
    at[0] = static_cast<char>(value & 0xFF);
    at[1] = static_cast<char>((value >> 8) & 0xFF);
}

// Every text goes in whole up to the length a record can announce
// consistently; longer texts are cut rather than written past their length.
void AppendLabel(std::string& out, uint32_t row, uint32_t column, uint16_t xf, const std::string& text)
{
    const size_t length = std::min(text.size(), XlsMaxText);
    char head[12];
    Store16(head, RecordLabel);
    Store16(head + 2, static_cast<uint32_t>(8 + length));
    Store16(head + 4, row);
    Store16(head + 6, column);
    Store16(head + 8, xf);
    Store16(head + 10, static_cast<uint32_t>(length));
    out.append(head, sizeof head);
    out.append(text, 0, length);
}

void AppendNumber(std::string& out, uint32_t row, uint32_t column, double value)
{
    char record[19] = {};
    Store16(record, RecordNumber);
    Store16(record + 2, 15);
    Store16(record + 4, row);
    Store16(record + 6, column);
    std::memcpy(record + 8, "\x41\x00\x78", 3);
    uint64_t bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i)
        record[11 + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    out.append(record, sizeof record);
}

// Where the records go: each is appended to the text Next() gives and handed
// over with Done().
class RecordList {
public:
    explicit RecordList(std::vector<std::string>& records) : records_(records) {}
    std::string& Next()
    {
        current_.clear();
        return current_;
    }
    void Done() { records_.push_back(current_); }

private:
    std::vector<std::string>& records_;
    std::string current_;
};

// The records handed on a few hundred kilobytes at a time: a sheet of
// megabytes built whole would cost more in fresh memory than in records.
class ChunkedBytes {
public:
    explicit ChunkedBytes(const XlsWrite& write) : write_(write) { bytes_.reserve(ChunkSize + 512); }
    std::string& Next() { return bytes_; }
    void Done()
    {
        if (bytes_.size() >= ChunkSize)
            Flush();
    }
    void Flush()
    {
        if (!bytes_.empty())
            write_(bytes_.data(), bytes_.size());
        bytes_.clear();
    }

private:
    static constexpr std::size_t ChunkSize = 256 * 1024;
    const XlsWrite& write_;
    std::string bytes_;
};

// A data cell's number, when it goes into the sheet as one: only a text
// that is the number's own canonical form, so that the sheet shows exactly
// the text. An optional "-", then "0" or digits not starting with "0", then
// optionally "." and digits not ending in "0"; never "-0"; at most 15
// significant digits, which a double holds exactly. Anything else (a phone
// number with a leading zero or dashes, a decimal comma, a long code) stays
// text.
bool NumberCell(const std::string& text, double& value)
{
    constexpr std::size_t MaxSignificantDigits = 15;
    std::size_t at = text.size() > 0 && text[0] == '-' ? 1 : 0;
    const std::size_t integerStart = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9')
        ++at;
    const std::size_t integerDigits = at - integerStart;
    if (integerDigits == 0 || (integerDigits > 1 && text[integerStart] == '0'))
        return false;
    std::size_t fractionDigits = 0;
    if (at < text.size() && text[at] == '.') {
        ++at;
        const std::size_t fractionStart = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9')
            ++at;
        fractionDigits = at - fractionStart;
        if (fractionDigits == 0 || text[at - 1] == '0')
            return false;
    }
    if (at != text.size())
        return false;
    // Significant digits: all of them but the zeros in front.
    std::size_t significant = 0;
    bool leading = true;
    for (std::size_t i = integerStart; i < text.size(); ++i) {
        if (text[i] == '.' || (leading && text[i] == '0'))
            continue;
        leading = false;
        ++significant;
    }
    if (significant > MaxSignificantDigits)
        return false;
    // "-0" would show as 0.
    if (integerStart == 1 && significant == 0)
        return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Every record of the sheet, in file order; returns the count of data rows
// left out.
template <typename Sink>
size_t PutSheet(const TableContents& table, Sink& sink)
{
    for (const std::string& record : Prologue()) {
        sink.Next() += record;
        sink.Done();
    }
    if (!table.title.empty()) {
        AppendLabel(sink.Next(), 0, 0, XfTitle, table.title);
        sink.Done();
    }
    for (size_t k = 0; k < table.columnTitles.size(); ++k) {
        AppendLabel(sink.Next(), 1, static_cast<uint32_t>(k), XfCell, table.columnTitles[k]);
        sink.Done();
    }

    const size_t rowsWritten = std::min(table.rows.size(), XlsMaxDataRows);
    uint32_t lastRow = 0;
    const size_t columns = table.columnTitles.size();
    for (size_t r = 0; r < rowsWritten; ++r) {
        const TextRow& row = table.rows[r];
        const auto sheetRow = static_cast<uint32_t>(r + XlsFirstDataRow);
        for (size_t k = 0; k < columns; ++k) {
            static const std::string empty;
            const std::string& t = k < row.size() ? row[k] : empty;
            // An empty cell has no record: the sheet shows it empty.
            lastRow = sheetRow;
            if (t.empty())
                continue;
            double value = 0;
            if (NumberCell(t, value))
                AppendNumber(sink.Next(), sheetRow, static_cast<uint32_t>(k), value);
            else
                AppendLabel(sink.Next(), sheetRow, static_cast<uint32_t>(k), XfCell, t);
            sink.Done();
        }
    }
    // One empty row between the data and the note, when the sheet has room.
    const uint32_t noteRow = lastRow + 2;
    if (!table.note.empty() && noteRow <= XlsLastRow) {
        AppendLabel(sink.Next(), noteRow, 0, XfNote, table.note);
        sink.Done();
    }
    sink.Next() += Record(RecordEof, {});
    sink.Done();
    return table.rows.size() - rowsWritten;
}
}  // namespace

XlsCellKind ClassifyXlsCell(const std::string& text)
{
    double value = 0;
    if (text.empty())
        return XlsCellKind::Empty;
    return NumberCell(text, value) ? XlsCellKind::Number : XlsCellKind::Text;
}

XlsSheet BuildXlsRecords(const TableContents& table)
{
    XlsSheet sheet;
    RecordList list(sheet.records);
    sheet.rowsLeftOut = PutSheet(table, list);
    return sheet;
}

std::string BuildXlsFile(const TableContents& table, std::size_t& rowsLeftOut)
{
    std::string bytes;
    rowsLeftOut = WriteXlsFile(table, [&bytes](const char* chunk, std::size_t count) { bytes.append(chunk, count); });
    return bytes;
}

std::size_t WriteXlsFile(const TableContents& table, const XlsWrite& write)
{
    ChunkedBytes chunks(write);
    const std::size_t rowsLeftOut = PutSheet(table, chunks);
    chunks.Flush();
    return rowsLeftOut;
}
