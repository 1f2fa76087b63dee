#include "phone/WireText.h"

std::string WireText(std::string_view cell)
{
    std::string text(cell);
    for (char& c : text) {
        if (c == '"')
            c = '\'';
        else if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    }
    return text;
}
