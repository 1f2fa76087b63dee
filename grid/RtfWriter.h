#pragma once
#include <string>

#include "grid/TableSnapshot.h"

// A Word table: the title in bold, a heading row of column titles, one table
// row per data row, and the note lines as bold paragraphs under it. Texts go
// in as code page 1251 bytes with only backslashes and braces escaped.
std::string BuildRtf(const TableContents& table);
