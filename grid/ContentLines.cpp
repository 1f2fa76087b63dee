#include "grid/ContentLines.h"

#include <algorithm>

#include "common/Cp1251Text.h"
#include "common/LocalDate.h"

const char* const NotInCp1251 = "знак, которого нет в кодировке 1251";

namespace {
constexpr std::size_t FoldWidth = 75;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Where a colon outside double quotes ends the head of a line; npos while
// none has come. Fed the line piece by piece as it is unfolded.
struct HeadScan {
    std::size_t colon = std::string::npos;
    bool quoted = false;

    void Feed(const std::string& line, std::size_t from)
    {
        for (std::size_t i = from; colon == std::string::npos && i < line.size(); ++i) {
            if (line[i] == '"')
                quoted = !quoted;
            else if (line[i] == ':' && !quoted)
                colon = i;
        }
    }
};

// The pieces of a head between semicolons outside double quotes.
std::vector<std::string_view> HeadPieces(std::string_view head)
{
    std::vector<std::string_view> pieces;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < head.size(); ++i) {
        if (head[i] == '"') {
            quoted = !quoted;
        } else if (head[i] == ';' && !quoted) {
            pieces.push_back(head.substr(start, i - start));
            start = i + 1;
        }
    }
    pieces.push_back(head.substr(start));
    return pieces;
}

std::string_view Unquoted(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

bool NamesEncoding(std::string_view word)
{
    return SameWord(word, "QUOTED-PRINTABLE") || SameWord(word, "BASE64") || SameWord(word, "8BIT") ||
           SameWord(word, "7BIT") || SameWord(word, "B");
}

ContentLine ParseLine(const std::string& logical, std::size_t colon)
{
    ContentLine line;
    const std::vector<std::string_view> pieces = HeadPieces(std::string_view(logical).substr(0, colon));
    std::string_view name = pieces.front();
    const std::size_t dot = name.find('.');
    if (dot != std::string_view::npos) {
        line.group.assign(name.substr(0, dot));
        name.remove_prefix(dot + 1);
    }
    line.name = UpperCase(name);
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::string_view piece = pieces[i];
        const std::size_t equals = piece.find('=');
        if (equals != std::string_view::npos)
            line.params.emplace_back(UpperCase(piece.substr(0, equals)), Unquoted(piece.substr(equals + 1)));
        else if (!piece.empty())
            line.params.emplace_back(NamesEncoding(piece) ? "ENCODING" : "TYPE", piece);
    }
    line.value = logical.substr(colon + 1);
    return line;
}

bool IsQuotedPrintable(const ContentLine& line)
{
    const std::string* encoding = line.Param("ENCODING");
    return encoding && SameWord(*encoding, "QUOTED-PRINTABLE");
}

// The value of `count` digits at `at`; the caller has checked them.
int Number(std::string_view text, std::size_t at, std::size_t count)
{
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

bool AllDigits(std::string_view text)
{
    for (const char c : text)
        if (!IsDigit(c))
            return false;
    return true;
}

// A date YYYYMMDD or YYYY-MM-DD as YYYYMMDD.
bool CompactDate(std::string_view date, std::string& compact)
{
    if (date.size() == 10 && date[4] == '-' && date[7] == '-')
        compact = std::string(date.substr(0, 4)) + std::string(date.substr(5, 2)) + std::string(date.substr(8, 2));
    else if (date.size() == 8)
        compact.assign(date);
    else
        return false;
    return AllDigits(compact);
}

// A time HHMMSS or HH:MM:SS as HHMMSS.
bool CompactTime(std::string_view time, std::string& compact)
{
    if (time.size() == 8 && time[2] == ':' && time[5] == ':')
        compact = std::string(time.substr(0, 2)) + std::string(time.substr(3, 2)) + std::string(time.substr(6, 2));
    else if (time.size() == 6)
        compact.assign(time);
    else
        return false;
    return AllDigits(compact);
}
}  // namespace

std::string EscapeText(std::string_view text, bool separators)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || (separators && (c == ',' || c == ';'))) {
            out += '\\';
            out += c;
        } else if (c == '\r' || c == '\n') {
            out += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

void AppendFolded(std::string& out, std::string_view line)
{
    std::size_t room = FoldWidth;
    while (line.size() > room) {
        std::size_t cut = room;
        // Back to the first byte of a UTF-8 sequence.
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        if (cut == 0)
            cut = room;
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        room = FoldWidth - 1;
    }
    out.append(line);
    out += "\r\n";
}

const std::string* ContentLine::Param(std::string_view wanted) const
{
    for (const auto& [key, value] : params)
        if (key == wanted)
            return &value;
    return nullptr;
}

std::vector<ContentLine> ReadContentLines(std::string_view file)
{
    if (file.substr(0, 3) == "\xEF\xBB\xBF")
        file.remove_prefix(3);
    std::vector<ContentLine> lines;
    std::size_t at = 0;
    const auto nextPhysical = [&] {
        std::size_t end = file.find('\n', at);
        const std::size_t next = end == std::string_view::npos ? file.size() : end + 1;
        if (end == std::string_view::npos)
            end = file.size();
        const std::size_t stop = end > at && file[end - 1] == '\r' ? end - 1 : end;
        const std::string_view line = file.substr(at, stop - at);
        at = next;
        return line;
    };
    std::string logical;
    while (at < file.size()) {
        logical.assign(nextPhysical());
        HeadScan scan;
        scan.Feed(logical, 0);
        bool quotedPrintable = false;
        bool headKnown = false;
        while (at < file.size()) {
            if (!headKnown && scan.colon != std::string::npos) {
                headKnown = true;
                quotedPrintable = IsQuotedPrintable(ParseLine(logical.substr(0, scan.colon + 1), scan.colon));
            }
            const std::size_t before = logical.size();
            if (quotedPrintable && logical.size() > scan.colon + 1 && logical.back() == '=') {
                logical.pop_back();
                logical.append(nextPhysical());
            } else if (file[at] == ' ' || file[at] == '\t') {
                logical.append(nextPhysical().substr(1));
            } else {
                break;
            }
            scan.Feed(logical, std::min(before, logical.size()));
        }
        if (scan.colon != std::string::npos)
            lines.push_back(ParseLine(logical, scan.colon));
    }
    return lines;
}

std::string UnescapeText(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c != '\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const char next = value[i + 1];
        if (next == 'n' || next == 'N') {
            out += "\r\n";
            ++i;
        } else if (next == '\\' || next == ',' || next == ';') {
            out += next;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> SplitUnescaped(std::string_view value, char separator)
{
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            parts.back() += value[i];
            parts.back() += value[++i];
        } else if (value[i] == separator) {
            parts.emplace_back();
        } else {
            parts.back() += value[i];
        }
    }
    return parts;
}

std::string DecodeQuotedPrintable(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '=') {
            out += value[i];
            continue;
        }
        if (i + 1 < value.size() && value[i + 1] == '\n') {
            i += 1;
        } else if (i + 2 < value.size() && value[i + 1] == '\r' && value[i + 2] == '\n') {
            i += 2;
        } else if (i + 2 < value.size() && HexDigit(value[i + 1]) >= 0 && HexDigit(value[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(value[i + 1]) * 16 + HexDigit(value[i + 2]));
            i += 2;
        } else {
            out += '=';
        }
    }
    return out;
}

std::string WithCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool SameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperCase(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = UpperAscii(c);
    return upper;
}

std::string Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::string_view CellOf(const TextRow& row, std::size_t column)
{
    return column < row.size() ? std::string_view(row[column]) : std::string_view();
}

void RowReading::Refuse(const std::string& reason)
{
    if (row_.refusal.empty())
        row_.refusal = reason;
}

std::string RowReading::Raw(const ContentLine& line)
{
    std::string text, refusal;
    if (ValueAsCp1251(line, text, refusal))
        return text;
    Refuse(refusal);
    return {};
}

std::string RowReading::Text(const ContentLine& line)
{
    const std::string raw = Raw(line);
    return WithCrLf(escaped_ ? UnescapeText(raw) : raw);
}

bool ValueAsCp1251(const ContentLine& line, std::string& text, std::string& refusal)
{
    std::string bytes;
    const std::string* encoding = line.Param("ENCODING");
    if (!encoding || SameWord(*encoding, "8BIT") || SameWord(*encoding, "7BIT")) {
        bytes = line.value;
    } else if (SameWord(*encoding, "QUOTED-PRINTABLE")) {
        bytes = DecodeQuotedPrintable(line.value);
    } else {
        refusal = "неизвестное кодирование";
        return false;
    }
    TextCharset charset = TextCharset::Utf8;
    if (const std::string* name = line.Param("CHARSET")) {
        if (!CharsetByName(*name, charset)) {
            refusal = "неизвестная кодировка";
            return false;
        }
    } else if (!IsUtf8(bytes)) {
        charset = TextCharset::Cp1251;
    }
    if (ToCp1251(bytes, charset, text))
        return true;
    refusal = charset == TextCharset::Utf8 && !IsUtf8(bytes) ? "неверные байты UTF-8" : NotInCp1251;
    return false;
}

bool IsStamp(std::string_view stamp)
{
    if (stamp.size() != 15 || stamp[8] != 'T' || !AllDigits(stamp.substr(0, 8)) || !AllDigits(stamp.substr(9)))
        return false;
    const int year = Number(stamp, 0, 4);
    const int month = Number(stamp, 4, 2);
    const int day = Number(stamp, 6, 2);
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(month - 1, year) &&
           Number(stamp, 9, 2) < 24 && Number(stamp, 11, 2) < 60 && Number(stamp, 13, 2) < 60;
}

bool StampFromIso(std::string_view value, const UtcToLocal& toLocal, std::string& stamp)
{
    const bool utc = !value.empty() && (value.back() == 'Z' || value.back() == 'z');
    if (utc)
        value.remove_suffix(1);
    const std::size_t t = value.find_first_of("Tt");
    std::string date, time = "000000";
    if (!CompactDate(value.substr(0, t), date))
        return false;
    if (t != std::string_view::npos && !CompactTime(value.substr(t + 1), time))
        return false;
    std::string result = date + "T" + time;
    if (!IsStamp(result))
        return false;
    if (utc) {
        std::string local;
        if (!toLocal || !toLocal(result, local) || !IsStamp(local))
            return false;
        result = local;
    }
    stamp = result;
    return true;
}
