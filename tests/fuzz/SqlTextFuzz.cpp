// The SQL text builders with any cell texts, names, types and description
// rows. A built text is read back by a scanner of its own: one statement
// (no ";"), its words in the builder's order, every quoted literal holding
// its cell text exactly (apostrophes doubled), and every bare value a plain
// number. A text refused
// leaves the row as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "db/SqlText.h"
#include "models/ColumnSpec.h"

namespace {
struct Token {
    bool literal = false;
    std::string text;
};

bool WordByte(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '.' ||
           c == '+' || c == '-' || c >= 0x80;
}

// Literals in apostrophes with '' for one apostrophe; words; one-byte marks.
std::vector<Token> Scan(const std::string& sql)
{
    std::vector<Token> tokens;
    for (size_t i = 0; i < sql.size();) {
        const unsigned char c = sql[i];
        if (c == ' ') {
            ++i;
        } else if (c == '\'') {
            Token token{true, {}};
            for (++i;; ++i) {
                FUZZ_CHECK(i < sql.size());  // a literal left open
                if (sql[i] == '\'' && !(i + 1 < sql.size() && sql[i + 1] == '\''))
                    break;
                token.text += sql[i];
                i += sql[i] == '\'';
            }
            ++i;
            tokens.push_back(token);
        } else if (WordByte(c)) {
            Token token;
            while (i < sql.size() && WordByte(sql[i]))
                token.text += sql[i++];
            tokens.push_back(token);
        } else {
            FUZZ_CHECK(c == '(' || c == ')' || c == ',' || c == '=' || c == '*');
            tokens.push_back({false, std::string(1, char(c))});
            ++i;
        }
    }
    return tokens;
}

bool PlainNumber(const std::string& text)
{
    size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    size_t digits = 0, points = 0;
    for (; i < text.size(); ++i) {
        if (text[i] == '.')
            ++points;
        else if (text[i] >= '0' && text[i] <= '9')
            ++digits;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

// A bare value as the builders write a numeric cell.
void ExpectNumber(const Token& token, std::string cell)
{
    for (char& c : cell)
        c = c == ',' ? '.' : c;
    FUZZ_CHECK(!token.literal && PlainNumber(token.text));
    FUZZ_CHECK(token.text == (cell.empty() || cell == " " ? "0" : cell));
}

std::string Turned(const std::string& cell)
{
    return cell == " " ? "" : cell;
}

void ExpectWords(const std::vector<Token>& tokens, size_t& at, std::initializer_list<std::string> words)
{
    for (const std::string& word : words) {
        FUZZ_CHECK(at < tokens.size() && !tokens[at].literal && tokens[at].text == word);
        ++at;
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const int32_t kTypes[] = {1, 12, -1, -8, -9, -10, 0, 2, 3, 4, 5, 6, 8, 93, -5, -7};
    FuzzedDataProvider in(data, size);
    const std::string table = in.ConsumeBool() ? "phbook" : in.ConsumeRandomLengthString(12);
    ColumnNameList names;
    ColumnTypeList types;
    TextRow row;
    const size_t columns = in.ConsumeIntegralInRange<size_t>(0, 6);
    for (size_t i = 0; i < columns; ++i) {
        names.push_back(in.ConsumeBool() ? "c" + std::to_string(i) : in.ConsumeRandomLengthString(8));
        types.push_back(in.PickValueInArray(kTypes));
        row.push_back(in.ConsumeRandomLengthString(24));
    }
    const int column = in.ConsumeIntegralInRange<int>(-1, 6);
    const std::string id = in.ConsumeRandomLengthString(8);
    const std::string value = in.ConsumeRandomLengthString(24);
    const TextRow description{in.ConsumeRandomLengthString(8), in.ConsumeRandomLengthString(4), "4",
                              in.ConsumeRandomLengthString(12)};
    const std::string where = in.ConsumeBool() && !names.empty() ? names[column < 0 ? 0 : column % names.size()]
                                                                 : in.ConsumeRandomLengthString(6);

    const TextRow before = row;
    const sql::BuiltSql insert = sql::InsertSql(table, names, types, row);
    if (!insert.ok) {
        FUZZ_CHECK(row == before);
    } else {
        const std::vector<Token> tokens = Scan(insert.text);
        size_t at = 0;
        ExpectWords(tokens, at, {"INSERT", "INTO", table, "VALUES", "("});
        for (size_t i = 0; i < columns; ++i) {
            FUZZ_CHECK(at < tokens.size());
            if (sql::IsCharacterType(types[i]))
                FUZZ_CHECK(tokens[at].literal && tokens[at].text == Turned(before[i]));
            else
                ExpectNumber(tokens[at], before[i]);
            ++at;
            if (i + 1 < columns)
                ExpectWords(tokens, at, {","});
        }
        ExpectWords(tokens, at, {")"});
        FUZZ_CHECK(at == tokens.size());
    }

    const sql::BuiltSql update = sql::UpdateSql(table, names, types, column, id, value);
    if (update.ok) {
        const std::vector<Token> tokens = Scan(update.text);
        size_t at = 0;
        ExpectWords(tokens, at, {"UPDATE", table, "SET", names[column], "="});
        FUZZ_CHECK(at < tokens.size());
        if (sql::IsCharacterType(types[column])) {
            FUZZ_CHECK(tokens[at].literal && tokens[at].text == (Turned(value).empty() ? "-" : Turned(value)));
        } else {
            ExpectNumber(tokens[at], value);
        }
        ++at;
        ExpectWords(tokens, at, {"WHERE", "id", "=", id});
        FUZZ_CHECK(at == tokens.size() && PlainNumber(id));
    }

    // The lookup table named by a description row is read whole.
    const std::string lookup = LookupTableOf(description);
    DescribeColumn(description);
    const std::string source = lookup.empty() ? table : lookup;
    const sql::BuiltSql select = sql::SelectSql(source, names, types, where, value, in.ConsumeBool() ? "id" : "");
    if (select.ok) {
        const std::vector<Token> tokens = Scan(select.text);
        size_t at = 0;
        ExpectWords(tokens, at, {"SELECT", "*", "FROM", source});
        if (!where.empty() && !value.empty()) {
            ExpectWords(tokens, at, {"WHERE", where, "="});
            FUZZ_CHECK(at < tokens.size());
            FUZZ_CHECK(tokens[at].literal ? tokens[at].text == value : tokens[at].text == value && PlainNumber(value));
            ++at;
        }
        if (at < tokens.size())
            ExpectWords(tokens, at, {"ORDER", "BY", "id"});
        FUZZ_CHECK(at == tokens.size());
    }

    const sql::BuiltSql erase = sql::DeleteSql(table, id, where);
    if (erase.ok) {
        const std::vector<Token> tokens = Scan(erase.text);
        size_t at = 0;
        ExpectWords(tokens, at, {"DELETE", "FROM", table, "WHERE", where, "=", id});
        FUZZ_CHECK(at == tokens.size() && PlainNumber(id));
    }
    return 0;
}
