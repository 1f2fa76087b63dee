#include <gtest/gtest.h>

#include <cstring>

#include "grid/RtfWriter.h"
#include "grid/XlsWriter.h"

namespace {
std::string Join(const std::vector<std::string>& records, size_t from = 0)
{
    std::string out;
    for (size_t i = from; i < records.size(); ++i)
        out += records[i];
    return out;
}

std::string Le16(unsigned v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string LabelBytes(unsigned row, unsigned col, unsigned xf, const std::string& text)
{
    return Le16(0x0204) + Le16(8 + text.size()) + Le16(row) + Le16(col) + Le16(xf) + Le16(text.size()) + text;
}

std::string NumberBytes(unsigned row, unsigned col, double value)
{
    char raw[8];
    std::memcpy(raw, &value, 8);
    return Le16(0x0003) + Le16(15) + Le16(row) + Le16(col) + std::string("\x41\x00\x78", 3) + std::string(raw, 8);
}

TableSnapshot PhoneBook()
{
    return {"Телефонная книга", "", {"Номер", "Имя"}, {{"123", "Иванов"}}};
}

// A cell record read back from the file's bytes.
struct Cell {
    unsigned id;
    unsigned row;
    unsigned column;
    std::string text;  // LABEL records only
};

unsigned Read16(const std::string& bytes, size_t at)
{
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// Walks the records after the prologue as a reader of the file would, by the
// lengths they announce, up to the end record.
std::vector<Cell> ReadCells(const std::string& file, bool* endSeen)
{
    std::vector<Cell> cells;
    *endSeen = false;
    size_t at = XlsPrologueSize;
    while (at + 4 <= file.size()) {
        const unsigned id = Read16(file, at);
        const size_t length = Read16(file, at + 2);
        const size_t body = at + 4;
        if (body + length > file.size())
            break;
        if (id == 0x000A) {
            *endSeen = body + length == file.size();
            break;
        }
        Cell cell{id, Read16(file, body), Read16(file, body + 2), {}};
        if (id == 0x0204)
            cell.text = file.substr(body + 8, Read16(file, body + 6));
        cells.push_back(cell);
        at = body + length;
    }
    return cells;
}

// `count` one-cell rows, all the same number: cheap to build and to write.
TableSnapshot LongTable(size_t count, const std::string& note)
{
    return {"Заметки", note, {"Номер"}, RowSet(count, TextRow{"7"})};
}
}  // namespace

TEST(XlsWriter, PrologueIsTheFixedBofAndTwentyThreeFormatRecords)
{
    const auto records = BuildXlsRecords(PhoneBook()).records;
    const std::string prologue = Join({records.begin(), records.begin() + 24});
    ASSERT_EQ(prologue.size(), XlsPrologueSize);
    EXPECT_EQ(prologue.substr(0, 10), std::string("\x09\x02\x06\x00\x00\x00\x10\x00\xAF\x18", 10));
    // The 17th record is the first with the plain cell format.
    EXPECT_EQ(records[16], std::string("\x43\x02\x0C\x00\x00\x00\x01\x00\x00\x00\x00\xCE\x00\x00\x00\x00", 16));
    EXPECT_EQ(records[23], std::string("\x43\x02\x0C\x00\x00\x00\x01\x10\x08\x00\x00\xCE\x00\x00\x00\x00", 16));
}

TEST(XlsWriter, TitleHeadingsNumbersAndTextsFollowThePrologue)
{
    const auto records = BuildXlsRecords(PhoneBook()).records;
    const std::string expected = LabelBytes(0, 0, 1, "Телефонная книга") + LabelBytes(1, 0, 17, "Номер") +
                                 LabelBytes(1, 1, 17, "Имя") + NumberBytes(2, 0, 123.0) +
                                 LabelBytes(2, 1, 17, "Иванов") + std::string("\x0A\x00\x00\x00", 4);
    EXPECT_EQ(Join(records, 24), expected);
}

TEST(XlsWriter, OnlyACanonicalNumberIsANumberCellAndAnEmptyCellHasNoRecord)
{
    for (const char* number : {"0", "7", "-12.5", "123", "0.25", "-0.001", "100", "999999999999999", "0.000000000000001"})
        EXPECT_EQ(ClassifyXlsCell(number), XlsCellKind::Number) << number;
    for (const char* text : {"8-095-123-45-67", "0957001122", "+7 916 000", "12345678901234567890", "3,5", "1-2",
                             "1.2.3", "-0", "00", "1.", ".5", "1.50", "-", "+7", "12 34", "1e5", "1000000000000000"})
        EXPECT_EQ(ClassifyXlsCell(text), XlsCellKind::Text) << text;
    EXPECT_EQ(ClassifyXlsCell(""), XlsCellKind::Empty);

    const auto records = BuildXlsRecords({"", "", {"A", "B", "C"}, {{"", "-12.5", "0957001122"}}}).records;
    const std::string expected = LabelBytes(1, 0, 17, "A") + LabelBytes(1, 1, 17, "B") + LabelBytes(1, 2, 17, "C") +
                                 NumberBytes(2, 1, -12.5) + LabelBytes(2, 2, 17, "0957001122") +
                                 std::string("\x0A\x00\x00\x00", 4);
    EXPECT_EQ(Join(records, 24), expected);
}

TEST(XlsWriter, LongTextsAreCutSoThatEveryRecordMatchesItsLength)
{
    TableSnapshot t{std::string(300, 'T'), std::string(300, 'N'), {"A"}, {{std::string(300, 'x')}}};
    const auto records = BuildXlsRecords(t).records;
    for (size_t i = 24; i + 1 < records.size(); ++i) {
        const std::string& r = records[i];
        const size_t bodyLength = static_cast<unsigned char>(r[2]) | static_cast<unsigned char>(r[3]) << 8;
        EXPECT_EQ(r.size(), 4 + bodyLength) << i;
    }
    EXPECT_EQ(records[24], LabelBytes(0, 0, 1, std::string(247, 'T')));
    EXPECT_EQ(records[26], LabelBytes(2, 0, 17, std::string(247, 'x')));
    // The note stands two rows under the last data row.
    EXPECT_EQ(records[27], LabelBytes(4, 0, 0, std::string(247, 'N')));
}

TEST(XlsWriter, NoteWithoutDataGoesToRowTwo)
{
    const auto records = BuildXlsRecords({"", "итого", {"A"}, {}}).records;
    ASSERT_EQ(records.size(), 24u + 3u);
    EXPECT_EQ(records[25], LabelBytes(2, 0, 0, "итого"));
}

TEST(XlsWriter, RowsPastTheLastSheetRowAreLeftOutAndCountedNotWrapped)
{
    // Sheet rows are 16 bits: data rows 2 to 65,535 hold the first 65,534
    // table rows; the last two table rows and the note have no room.
    const XlsSheet sheet = BuildXlsRecords(LongTable(65536, "итого"));
    EXPECT_EQ(sheet.rowsLeftOut, 2u);
    bool endSeen = false;
    const std::vector<Cell> cells = ReadCells(Join(sheet.records), &endSeen);
    EXPECT_TRUE(endSeen);
    ASSERT_EQ(cells.size(), 2u + 65534u);
    EXPECT_EQ(cells[0].id, 0x0204u);
    EXPECT_EQ(cells[0].row, 0u);
    EXPECT_EQ(cells[0].text, "Заметки");
    EXPECT_EQ(cells[1].id, 0x0204u);
    EXPECT_EQ(cells[1].row, 1u);
    EXPECT_EQ(cells[1].text, "Номер");
    // Every data cell has a row of its own, in order, from 2 up to the last one.
    for (size_t i = 2; i < cells.size(); ++i) {
        ASSERT_EQ(cells[i].id, 0x0003u) << i;
        ASSERT_EQ(cells[i].row, i) << i;
        ASSERT_LE(cells[i].row, 65535u) << i;
    }
    EXPECT_EQ(cells.back().row, 65535u);
}

TEST(XlsWriter, TheNoteIsWrittenOnlyWhereItsRowFits)
{
    // 65,532 rows end at sheet row 65,533: the note fits on the last row.
    XlsSheet sheet = BuildXlsRecords(LongTable(65532, "итого"));
    EXPECT_EQ(sheet.rowsLeftOut, 0u);
    ASSERT_GE(sheet.records.size(), 2u);
    EXPECT_EQ(sheet.records[sheet.records.size() - 2], LabelBytes(65535, 0, 0, "итого"));

    // One row more and the note would stand past the end: left off, data whole.
    sheet = BuildXlsRecords(LongTable(65533, "итого"));
    EXPECT_EQ(sheet.rowsLeftOut, 0u);
    bool endSeen = false;
    const std::vector<Cell> cells = ReadCells(Join(sheet.records), &endSeen);
    EXPECT_TRUE(endSeen);
    ASSERT_EQ(cells.size(), 2u + 65533u);
    EXPECT_EQ(cells.back().id, 0x0003u);
    EXPECT_EQ(cells.back().row, 65534u);

    EXPECT_EQ(BuildXlsRecords(LongTable(65534, "")).rowsLeftOut, 0u);
    EXPECT_EQ(BuildXlsRecords(LongTable(65535, "")).rowsLeftOut, 1u);
}

TEST(XlsWriter, TheFileHoldsTheRecordsOneAfterAnother)
{
    const TableSnapshot table{"Телефонная книга", "итого", {"Имя", "Номер", "Заметка"},
                              {{"Иванов", "0951234567", std::string(300, 'x')}, {"", "-1.5"}, {}}};
    const XlsSheet sheet = BuildXlsRecords(table);
    std::size_t rowsLeftOut = 7;
    EXPECT_EQ(BuildXlsFile(table, rowsLeftOut), Join(sheet.records));
    EXPECT_EQ(rowsLeftOut, 0u);

    const TableSnapshot longTable = LongTable(65536, "итого");
    EXPECT_EQ(BuildXlsFile(longTable, rowsLeftOut), Join(BuildXlsRecords(longTable).records));
    EXPECT_EQ(rowsLeftOut, 2u);
}

TEST(RtfWriter, TwoColumnTableWithHeadingRowAndBoldNoteLines)
{
    TableSnapshot t{"Заметки", "первая\nвторая", {"Дата", "Текст"}, {{"1", "a"}, {"2", "b{\\}"}}};
    const std::string rtf = BuildRtf(t);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss System;}}"
                        "\\viewkind4\\uc1\\pard\\b\\f0\\fs14\\par Заметки\\par \\trowd\\cellx980\\cellx1960"
                        "\\pard\\intbl\\b0 Дата\\cell Текст\\cell\\row",
                        0),
              0u);
    EXPECT_NE(rtf.find("\\intbl  1\\cell  a\\cell \\row\\intbl  2\\cell  b\\{\\\\\\}\\cell \\row"),
              std::string::npos);
    size_t rows = 0;
    for (size_t p = rtf.find("\\row"); p != std::string::npos; p = rtf.find("\\row", p + 1))
        ++rows;
    EXPECT_EQ(rows, 3u);
    const std::string tail = "\\pard\\b\\fs20\\par первая\\pard\\b\\fs20\\par вторая\\pard\\b\\fs20\\par}";
    EXPECT_EQ(rtf.substr(rtf.size() - tail.size()), tail);
}

TEST(RtfWriter, EmptyNoteAddsNoParagraph)
{
    const std::string rtf = BuildRtf({"T", "", {"A"}, {}});
    const std::string tail = "\\pard\\intbl\\b0 A\\cell\\row\\pard\\b\\fs20\\par}";
    EXPECT_EQ(rtf.substr(rtf.size() - tail.size()), tail);
}

TEST(RtfWriter, BackslashesAndBracesAreEscapedAndEveryOtherByteKept)
{
    const std::string cell = "a}b{c\\d";
    const std::string rtf = BuildRtf({"C:\\temp {1}", "x\\y}\nz{", {"}{"}, {{cell}, {"\xC0\xFF\t~"}}});
    EXPECT_NE(rtf.find("\\par C:\\\\temp \\{1\\}\\par \\trowd"), std::string::npos);
    EXPECT_NE(rtf.find("\\pard\\intbl\\b0 \\}\\{\\cell\\row"), std::string::npos);
    EXPECT_NE(rtf.find("\\intbl  a\\}b\\{c\\\\d\\cell \\row"), std::string::npos);
    EXPECT_NE(rtf.find("\\intbl  \xC0\xFF\t~\\cell \\row"), std::string::npos);
    const std::string tail = "\\pard\\b\\fs20\\par x\\\\y\\}\\pard\\b\\fs20\\par z\\{\\pard\\b\\fs20\\par}";
    EXPECT_EQ(rtf.substr(rtf.size() - tail.size()), tail);

    // The groups balance: only the document's own braces are unescaped.
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{')
            ++depth;
        if (rtf[i] == '}') {
            --depth;
            if (depth == 0) {
                EXPECT_EQ(i, rtf.size() - 1) << "the document ends early";
            }
        }
    }
    EXPECT_EQ(depth, 0);
}
