#include "grid/CsvFile.h"

#include "common/Cp1251Text.h"
#include "grid/ContentLines.h"

// Fields are RFC 4180's: one in double quotes may hold the separator, line
// breaks and doubled quotes, and keeps its bytes as they are, so a cell goes
// to the file and back unchanged, line breaks included.

namespace {
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t NoColumn = static_cast<std::size_t>(-1);

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A field, quoted when the separator, a quote or a line break is in it, or a
// blank at either end that a reader would trim. A header field is quoted for
// a comma or a tab too, so that the separator a reader guesses from the
// header line is the semicolon; a lone empty field is quoted so that its line
// is not blank.
void AppendField(std::string& out, std::string_view text, bool header, bool alone)
{
    const bool quoted = text.find_first_of(header ? ";\"\r\n,\t" : ";\"\r\n") != std::string_view::npos ||
                        (!text.empty() && (IsBlank(text.front()) || IsBlank(text.back()))) ||
                        (alone && text.empty());
    if (!quoted) {
        out.append(text);
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// The separator of the header line at `at`: the first of ";", ",", tab
// outside quotes; ";" when there is none.
char SeparatorOf(std::string_view file, std::size_t at)
{
    bool quoted = false, comma = false, tab = false;
    for (; at < file.size(); ++at) {
        const char c = file[at];
        if (c == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == '\r' || c == '\n' || c == ';')
            break;
        comma = comma || c == ',';
        tab = tab || c == '\t';
    }
    if (at < file.size() && file[at] == ';')
        return ';';
    return comma ? ',' : tab ? '\t' : ';';
}

// The fields of the record at `at`, moving `at` past its line end; false at
// the end of the file. `blank` tells a line with nothing on it.
bool NextRecord(std::string_view file, std::size_t& at, char separator, std::vector<std::string>& fields,
                bool& blank)
{
    if (at >= file.size())
        return false;
    fields.assign(1, std::string());
    blank = true;
    bool quoted = false, fieldStart = true;
    while (at < file.size()) {
        const char c = file[at++];
        if (quoted) {
            if (c != '"')
                fields.back() += c;
            else if (at < file.size() && file[at] == '"')
                fields.back() += file[at++];
            else
                quoted = false;
            continue;
        }
        if (c == '\r' || c == '\n') {
            if (c == '\r' && at < file.size() && file[at] == '\n')
                ++at;
            return true;
        }
        blank = false;
        if (c == separator) {
            fields.emplace_back();
            fieldStart = true;
            continue;
        }
        if (c == '"' && fieldStart)
            quoted = true;
        else
            fields.back() += c;
        fieldStart = false;
    }
    return true;
}
}  // namespace

std::string BuildCsv(const TableContents& table)
{
    const std::size_t columns = table.columnTitles.size();
    std::string out(ByteOrderMark);
    out.reserve(table.rows.size() * (columns * 12 + 2) + 64);
    for (std::size_t k = 0; k < columns; ++k) {
        if (k > 0)
            out += ';';
        AppendField(out, Cp1251ToUtf8(table.columnTitles[k]), true, columns == 1);
    }
    out += "\r\n";
    for (const TextRow& row : table.rows) {
        for (std::size_t k = 0; k < columns; ++k) {
            if (k > 0)
                out += ';';
            AppendField(out, k < row.size() ? Cp1251ToUtf8(row[k]) : std::string(), false, columns == 1);
        }
        out += "\r\n";
    }
    return out;
}

ImportedRows ReadCsv(std::string_view file, const std::vector<std::string>& columnTitles)
{
    ImportedRows result;
    const bool utf8Mark = file.substr(0, ByteOrderMark.size()) == ByteOrderMark;
    if (utf8Mark)
        file.remove_prefix(ByteOrderMark.size());
    const bool utf8 = utf8Mark || IsUtf8(file);
    const auto convert = [utf8](const std::string& field, std::string& text) {
        if (!utf8) {
            text = field;
            return true;
        }
        return Utf8ToCp1251(field, text);
    };

    std::size_t at = 0;
    char separator = 0;
    // Excel's line naming the separator, "sep=;", in a file without the mark.
    if (!utf8Mark && file.size() >= 5 && (file.substr(0, 4) == "sep=" || file.substr(0, 4) == "SEP=") &&
        (file.size() == 5 || file[5] == '\r' || file[5] == '\n')) {
        separator = file[4];
        at = 5;
        if (at < file.size() && file[at] == '\r')
            ++at;
        if (at < file.size() && file[at] == '\n')
            ++at;
    }
    if (separator == 0)
        separator = SeparatorOf(file, at);

    std::vector<std::string> fields;
    bool blank = false;
    std::vector<std::size_t> columnOf;
    std::vector<bool> taken(columnTitles.size(), false);
    if (NextRecord(file, at, separator, fields, blank)) {
        for (const std::string& field : fields) {
            std::string title;
            std::size_t column = NoColumn;
            if (convert(field, title)) {
                title = Trimmed(title);
                for (std::size_t k = 0; k < columnTitles.size() && column == NoColumn; ++k)
                    if (!taken[k] && Trimmed(columnTitles[k]) == title)
                        column = k;
            }
            if (column != NoColumn)
                taken[column] = true;
            columnOf.push_back(column);
        }
    }
    bool anyColumn = false;
    for (const std::size_t column : columnOf)
        anyColumn = anyColumn || column != NoColumn;
    if (!anyColumn) {
        result.error = "Ни один столбец файла не совпадает со столбцами таблицы.";
        return result;
    }

    while (NextRecord(file, at, separator, fields, blank)) {
        if (blank)
            continue;
        ImportedRow row;
        row.cells.assign(columnTitles.size(), std::string());
        for (std::size_t i = 0; i < fields.size() && i < columnOf.size(); ++i) {
            if (columnOf[i] == NoColumn)
                continue;
            if (!convert(fields[i], row.cells[columnOf[i]]) && row.refusal.empty())
                row.refusal = IsUtf8(fields[i]) ? NotInCp1251 : "неверные байты UTF-8";
        }
        result.rows.push_back(std::move(row));
    }
    return result;
}
