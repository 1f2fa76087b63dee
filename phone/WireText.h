#pragma once
#include <string>
#include <string_view>

// A cell's text as it goes into a write command. The phone takes a quoted
// text up to its next double quote and a command up to its line end, so a
// double quote in a cell would end the field early and a CR or LF would let
// the rest of the text reach the phone as a command of its own: in what is
// sent, `"` becomes `'` and every byte below 0x20 a blank. The database keeps
// the text as the user typed it.
std::string WireText(std::string_view cell);
