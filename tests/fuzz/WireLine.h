#pragma once
// Write commands built from arbitrary cells: every one must stay one line
// with its quotes balanced, whatever the cells hold.
#include <cstddef>
#include <string>

#include "db/DbTypes.h"

// `count` cells cut from the input at each '|'; missing cells are empty.
inline TextRow CellsOf(const std::string& bytes, std::size_t count)
{
    TextRow cells(count);
    std::size_t cell = 0;
    for (char c : bytes) {
        if (c == '|') {
            if (++cell == count)
                break;
        } else {
            cells[cell] += c;
        }
    }
    return cells;
}

inline bool OneLineWithBalancedQuotes(const std::string& command)
{
    std::size_t quotes = 0;
    for (char c : command) {
        if (static_cast<unsigned char>(c) < 0x20)
            return false;
        quotes += c == '"';
    }
    return quotes % 2 == 0;
}
