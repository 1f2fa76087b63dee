// The RTF writer with any table: the groups balance and close at the last
// byte, and a reader of the target's own (groups, control words, escaped
// characters; line ends ignored as RTF readers do) reads back the title,
// column titles, cells and note lines, each closed by its \par, \cell or \row.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzTable.h"
#include "grid/RtfWriter.h"

namespace {
using Pieces = std::vector<std::pair<std::string, std::string>>;  // text, the control word after it

bool Letter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

Pieces Read(const std::string& rtf)
{
    Pieces pieces;
    std::string text;
    int depth = 0;
    for (size_t i = 0; i < rtf.size();) {
        const char c = rtf[i++];
        if (c == '{' || c == '}') {
            depth += c == '{' ? 1 : -1;
            FUZZ_CHECK(depth > 0 || (depth == 0 && i == rtf.size()));
        } else if (c == '\\') {
            FUZZ_CHECK(i < rtf.size());
            if (!Letter(rtf[i])) {
                FUZZ_CHECK(rtf[i] == '\\' || rtf[i] == '{' || rtf[i] == '}');
                text += rtf[i++];
                continue;
            }
            std::string word;
            while (i < rtf.size() && Letter(rtf[i]))
                word += rtf[i++];
            while (i < rtf.size() && ((rtf[i] >= '0' && rtf[i] <= '9') || rtf[i] == '-'))
                ++i;
            i += i < rtf.size() && rtf[i] == ' ';
            if (word == "par" || word == "cell" || word == "row") {
                pieces.emplace_back(text, word);
                text.clear();
            }
        } else if (c != '\r' && c != '\n') {
            FUZZ_CHECK(depth > 0);
            const size_t end = std::min(rtf.find_first_of("{}\\\r\n", i), rtf.size());
            text.append(rtf, i - 1, end - i + 1);
            i = end;
        }
    }
    FUZZ_CHECK(depth == 0 && text.empty());
    return pieces;
}

std::string WithoutLineEnds(std::string text)
{
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }), text.end());
    return text;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const TableSnapshot table = ConsumeTable(in, 40, 8, 40);

    // The font table's name is text too; each data cell follows a blank.
    Pieces expected{{"System;", "par"}, {WithoutLineEnds(table.title), "par"}};
    for (const std::string& title : table.columnTitles)
        expected.emplace_back(WithoutLineEnds(title), "cell");
    expected.emplace_back("", "row");
    for (const TextRow& row : table.rows) {
        for (size_t k = 0; k < table.columnTitles.size(); ++k)
            expected.emplace_back(" " + (k < row.size() ? WithoutLineEnds(row[k]) : ""), "cell");
        expected.emplace_back("", "row");
    }
    if (!table.note.empty()) {
        expected.emplace_back("", "par");
        size_t from = 0;
        for (size_t end; (end = table.note.find('\n', from)) != std::string::npos; from = end + 1)
            expected.emplace_back(WithoutLineEnds(table.note.substr(from, end - from)), "par");
        expected.emplace_back(WithoutLineEnds(table.note.substr(from)), "par");
    } else {
        expected.emplace_back("", "par");
    }
    FUZZ_CHECK(Read(BuildRtf(table)) == expected);
    return 0;
}
