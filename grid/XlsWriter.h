#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "grid/TableSnapshot.h"

// An old-style Excel worksheet (BIFF records): title in row 0, column titles
// in row 1, data from row 2, the note under it. Each element of `records` is
// one record; the file holds them one after another.
//
// Row numbers are 16 bits, so the sheet ends at row XlsLastRow: data rows
// past it are left out (and counted) rather than wrapped over the title, and
// the note is written only when its row still fits.
struct XlsSheet {
    std::vector<std::string> records;
    std::size_t rowsLeftOut = 0;
};
XlsSheet BuildXlsRecords(const TableContents& table);
// The same sheet as the bytes of its file, the records in one text, and the
// count of data rows left out: a sheet has hundreds of thousands of records,
// each a few bytes long.
std::string BuildXlsFile(const TableContents& table, std::size_t& rowsLeftOut);
// The same bytes handed to `write` in pieces of a few hundred kilobytes, in
// order; returns the count of data rows left out.
using XlsWrite = std::function<void(const char* bytes, std::size_t count)>;
std::size_t WriteXlsFile(const TableContents& table, const XlsWrite& write);

// How a data cell goes into the sheet: no record when empty, a number
// only when its text is exactly the canonical form of that number (at most
// 15 significant digits), otherwise its text unchanged.
enum class XlsCellKind { Empty, Number, Text };
XlsCellKind ClassifyXlsCell(const std::string& text);

constexpr std::size_t XlsPrologueSize = 378;
constexpr std::size_t XlsMaxText = 247;
constexpr std::size_t XlsLastRow = 0xFFFF;
// Title and column titles take rows 0 and 1.
constexpr std::size_t XlsFirstDataRow = 2;
constexpr std::size_t XlsMaxDataRows = XlsLastRow - XlsFirstDataRow + 1;
