#pragma once
#include <string_view>

// How the date and time dialog reads what the user typed into its fields.
// Its lists are editable, so any text may stand there; a value is never
// allowed to carry the date into another day, month or year range.

constexpr int FirstYear = 2000;
constexpr int LastYear = 2030;

// The year field: a decimal number taken to the nearest of 2000 and 2030 when
// outside them; `previous` when the text is not a number.
int YearFromText(std::string_view text, int previous);

// The month list's selection (0 to 11); `previous` when a typed name selects
// nothing (-1).
int MonthIndexOrPrevious(int selected, int previous);

// The hour or minute list: the first two characters read as a decimal number
// as atoi reads it (no number is 0), taken into 0 to `last`.
int ClockFieldFromText(std::string_view text, int last);
