#pragma once
#include <string_view>

// A decimal integer from the leading characters of `text` ("C" rules:
// leading blanks, an optional sign, digits); anything else gives 0. Values
// beyond the range of long long stop at its limits.
long long ReadDecimal(std::string_view text);
// The same, kept within the range of int.
int ReadDecimalInt(std::string_view text);
