#include "db/SqlScript.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

void Finish(std::string& text, int line, std::vector<ScriptStatement>& out)
{
    while (!text.empty() && IsBlank(text.back()))
        text.pop_back();
    if (!text.empty())
        out.push_back({text, line});
    text.clear();
}

}  // namespace

std::vector<ScriptStatement> SplitSqlScript(const std::string& script)
{
    std::vector<ScriptStatement> out;
    std::string text;
    int line = 1;
    int startLine = 1;
    char quote = 0;  // the quote of the literal being read, or 0
    for (size_t i = 0; i < script.size(); ++i) {
        const char c = script[i];
        if (quote) {
            text += c;
            if (c == '\n')
                ++line;
            // A doubled quote stays inside the literal; the next pass reads
            // its second half as the literal's text.
            if (c == quote) {
                if (i + 1 < script.size() && script[i + 1] == quote)
                    text += script[++i];
                else
                    quote = 0;
            }
            continue;
        }
        if (c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
            // Skipped up to its line end, which is then read as a blank.
            while (i + 1 < script.size() && script[i + 1] != '\n')
                ++i;
            continue;
        }
        if (c == ';') {
            Finish(text, startLine, out);
            continue;
        }
        if (c == '\n')
            ++line;
        if (text.empty()) {
            if (IsBlank(c))
                continue;
            startLine = line;
        }
        if (c == '\'' || c == '"')
            quote = c;
        text += c;
    }
    Finish(text, startLine, out);
    return out;
}
