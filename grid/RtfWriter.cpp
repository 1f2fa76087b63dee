#include "grid/RtfWriter.h"

namespace {
constexpr int ColumnWidthTwips = 980;
const char Opening[] =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss System;}}\\viewkind4\\uc1\\pard\\b\\f0"
    "\\fs14\\par ";
const char NoteParagraph[] = "\\pard\\b\\fs20\\par ";
const char Closing[] = "\\pard\\b\\fs20\\par}";

// A backslash or a brace in a text would start a control word or a group;
// escaped, it is read as the character itself.
void AppendByte(std::string& out, char c)
{
    if (c == '\\' || c == '{' || c == '}')
        out += '\\';
    out += c;
}

void AppendText(std::string& out, const std::string& text)
{
    for (char c : text)
        AppendByte(out, c);
}
}  // namespace

std::string BuildRtf(const TableContents& table)
{
    std::string out = Opening;
    AppendText(out, table.title);
    out += "\\par \\trowd";
    const size_t columns = table.columnTitles.size();
    for (size_t i = 1; i <= columns; ++i)
        out += "\\cellx" + std::to_string(ColumnWidthTwips * i);
    out += "\\pard\\intbl\\b0";
    for (const std::string& title : table.columnTitles) {
        out += ' ';
        AppendText(out, title);
        out += "\\cell";
    }
    out += "\\row";
    for (const TextRow& row : table.rows) {
        out += "\\intbl ";
        for (size_t k = 0; k < columns; ++k) {
            out += ' ';
            if (k < row.size())
                AppendText(out, row[k]);
            out += "\\cell ";
        }
        out += "\\row";
    }
    if (!table.note.empty()) {
        out += NoteParagraph;
        for (char c : table.note) {
            if (c == '\n')
                out += NoteParagraph;
            else
                AppendByte(out, c);
        }
    }
    out += Closing;
    return out;
}
