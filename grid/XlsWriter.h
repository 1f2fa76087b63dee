#pragma once
#include <string>
#include <vector>

#include "grid/TableSnapshot.h"

// An old-style Excel worksheet (BIFF records): title in row 0, column titles
// in row 1, data from row 2, the note under it. Each element of the result is
// one record, written to the file with one call each.
std::vector<std::string> BuildXlsRecords(const TableSnapshot& table);

// How a data cell goes into the sheet.
enum class XlsCellKind { Number, Text };
XlsCellKind ClassifyXlsCell(const std::string& text);
// Leading digits with an optional point and fraction; anything else ends the
// number, so "3,5" is 3 and an empty text is 0.
double XlsCellValue(const std::string& text);

constexpr std::size_t XlsPrologueSize = 378;
constexpr std::size_t XlsMaxText = 247;
