#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "db/DbTypes.h"

// Sorts the rows by one column, ascending. The first row's cell decides how:
// a text holding a letter compares as text (bytes as unsigned, a prefix
// first, further cells breaking ties), anything else as numbers. Cyrillic
// letters count as letters, so a column of Russian names sorts as text.
// Does nothing for a column no row has.
void SortRowsByColumn(RowSet& rows, size_t column);

bool HasLetter(const std::string& text);
// The leading decimal number of a text (blanks skipped, sign, digits, point,
// fraction, exponent); 0 when it has none.
double LeadingNumber(const std::string& text);

// The first row at or after `start` whose cell in `column` begins with
// `prefix` (exact bytes; an empty prefix matches every row).
std::optional<size_t> FindRowWithPrefix(const RowSet& rows, size_t column, const std::string& prefix, size_t start);

// The first visible row that puts `found` in the middle of a window showing
// rows first..last.
size_t CentredFirstRow(size_t found, size_t firstVisible, size_t lastVisible);
