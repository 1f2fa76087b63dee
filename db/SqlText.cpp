#include "db/SqlText.h"

#include <algorithm>
#include <cstdint>

namespace sql {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNameByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return IsDigit(c) || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || u >= 0x80;
}

BuiltSql Refused(std::string message)
{
    BuiltSql result;
    result.message = std::move(message);
    return result;
}

// A character value as one string literal: each apostrophe doubled, so the
// value is stored exactly as typed.
void AppendLiteral(std::string& text, std::string_view value)
{
    text += '\'';
    for (char c : value) {
        if (c == '\'')
            text += '\'';
        text += c;
    }
    text += '\'';
}

BuiltSql Built(std::string text)
{
    BuiltSql result;
    result.ok = true;
    result.text = std::move(text);
    return result;
}

std::string BadName(std::string_view name)
{
    return "Недопустимое имя таблицы или столбца: \"" + std::string(name) + "\".";
}

std::string NotANumber(std::string_view table, std::string_view column, std::string_view value)
{
    return "Значение \"" + std::string(value) + "\" столбца " + std::string(column) +
           " таблицы " + std::string(table) + " не является числом.";
}

std::string ZeroByte(std::string_view table, std::string_view column)
{
    return "Значение столбца " + std::string(column) + " таблицы " + std::string(table) +
           " содержит нулевой байт.";
}

// Finds the first bad name among `names`; empty when all are plain.
std::string CheckNames(std::initializer_list<std::string_view> names)
{
    for (std::string_view name : names)
        if (!IsPlainName(name))
            return BadName(name);
    return {};
}

std::string_view NameOf(const ColumnNameList& names, std::size_t i)
{
    return i < names.size() ? std::string_view(names[i]) : std::string_view("?");
}

}  // namespace

bool IsCharacterType(std::int32_t type)
{
    switch (type) {
    case 1:    // SQL_CHAR
    case 12:   // SQL_VARCHAR
    case -1:   // SQL_LONGVARCHAR
    case -8:   // SQL_WCHAR
    case -9:   // SQL_WVARCHAR
    case -10:  // SQL_WLONGVARCHAR
    case 0:    // SQL_UNKNOWN_TYPE
        return true;
    default:
        return false;
    }
}

std::string ConnectionString(std::string_view name, bool extendedAnsiSql)
{
    // The Access driver ignores SERVER; the loopback name keeps the string
    // in the form the program has always sent.
    std::string text = "DRIVER=Microsoft Access Driver (*.mdb);";
    text += "SERVER=localhost;DBQ=";
    // A full path may hold a ';', which only a braced value keeps.
    if (name.find(';') != std::string_view::npos) {
        text += "{";
        text += name;
        text += "}";
    } else {
        text += name;
    }
    text += ";";
    if (extendedAnsiSql)
        text += "ExtendedAnsiSQL=1;";
    return text;
}

std::size_t TextColumnSize(std::int32_t type, std::uint64_t size)
{
    switch (type) {
    case 1:   // SQL_CHAR
    case 12:  // SQL_VARCHAR
    case -8:  // SQL_WCHAR
    case -9:  // SQL_WVARCHAR
        return static_cast<std::size_t>(std::min<std::uint64_t>(size, SIZE_MAX));
    default:
        return 0;
    }
}

bool IsPlainNumber(std::string_view value)
{
    std::size_t i = 0;
    if (i < value.size() && (value[i] == '+' || value[i] == '-'))
        ++i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < value.size(); ++i) {
        if (IsDigit(value[i]))
            ++digits;
        else if (value[i] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digits > 0;
}

bool IsPlainName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), IsNameByte);
}

void NormaliseCharacter(std::string& value)
{
    if (value == " ")
        value.clear();
}

void NormaliseNumber(std::string& value)
{
    std::replace(value.begin(), value.end(), ',', '.');
}

BuiltSql DescribeSql(std::string_view table)
{
    if (std::string bad = CheckNames({table}); !bad.empty())
        return Refused(bad);
    return Built("SELECT * FROM " + std::string(table));
}

BuiltSql SelectSql(std::string_view table, const ColumnNameList& names,
                   const ColumnTypeList& types, std::string_view whereColumn,
                   std::string_view whereValue, std::string_view orderColumn)
{
    if (std::string bad = CheckNames({table}); !bad.empty())
        return Refused(bad);
    std::string text = "SELECT ";
    text += "*";
    text += " FROM ";
    text += table;
    if (!whereColumn.empty() && !whereValue.empty()) {
        if (std::string bad = CheckNames({whereColumn}); !bad.empty())
            return Refused(bad);
        // An unknown column counts as a numeric one.
        bool character = false;
        const std::size_t described = std::min(names.size(), types.size());
        for (std::size_t i = 0; i < described; ++i) {
            if (names[i] == whereColumn) {
                character = IsCharacterType(types[i]);
                break;
            }
        }
        text += " WHERE ";
        text += whereColumn;
        text += "=";
        if (character) {
            if (whereValue.find('\0') != std::string_view::npos)
                return Refused(ZeroByte(table, whereColumn));
            AppendLiteral(text, whereValue);
        } else {
            if (!IsPlainNumber(whereValue))
                return Refused(NotANumber(table, whereColumn, whereValue));
            text += whereValue;
        }
    }
    if (!orderColumn.empty()) {
        if (std::string bad = CheckNames({orderColumn}); !bad.empty())
            return Refused(bad);
        text += " ORDER BY ";
        text += orderColumn;
    }
    return Built(std::move(text));
}

BuiltSql InsertSql(std::string_view table, const ColumnNameList& names,
                   const ColumnTypeList& types, TextRow& row)
{
    if (std::string bad = CheckNames({table}); !bad.empty())
        return Refused(bad);
    // Normalised on a copy, so a refused row reaches the caller unchanged.
    TextRow normalised = row;
    std::string text = "INSERT INTO ";
    text += table;
    text += " VALUES ";
    text += "(";
    for (std::size_t i = 0; i < types.size(); ++i) {
        std::string empty;
        std::string& cell = i < normalised.size() ? normalised[i] : empty;
        const std::string_view column = NameOf(names, i);
        if (IsCharacterType(types[i])) {
            NormaliseCharacter(cell);
            if (cell.find('\0') != std::string::npos)
                return Refused(ZeroByte(table, column));
            AppendLiteral(text, cell);
            text += ", ";
        } else {
            NormaliseNumber(cell);
            if (cell.empty() || cell == " ") {
                text += "0";
            } else {
                if (!IsPlainNumber(cell))
                    return Refused(NotANumber(table, column, cell));
                text += cell;
            }
            text += ", ";
        }
    }
    if (!types.empty())
        text.erase(text.size() - 2);
    text += ")";
    row = std::move(normalised);
    return Built(std::move(text));
}

BuiltSql UpdateSql(std::string_view table, const ColumnNameList& names,
                   const ColumnTypeList& types, int columnIndex, std::string_view id,
                   std::string_view value)
{
    if (std::string bad = CheckNames({table}); !bad.empty())
        return Refused(bad);
    if (columnIndex < 0 || static_cast<std::size_t>(columnIndex) >= names.size() ||
        static_cast<std::size_t>(columnIndex) >= types.size())
        return Refused("В таблице " + std::string(table) + " нет столбца с номером " +
                       std::to_string(columnIndex) + ".");
    const std::size_t index = static_cast<std::size_t>(columnIndex);
    const std::string& column = names[index];
    if (std::string bad = CheckNames({column}); !bad.empty())
        return Refused(bad);
    if (!IsPlainNumber(id))
        return Refused(NotANumber(table, "id", id));

    std::string text = "UPDATE ";
    text += table;
    text += " SET ";
    text += column;
    text += "=";
    std::string cell(value);
    if (IsCharacterType(types[index])) {
        NormaliseCharacter(cell);
        if (cell.find('\0') != std::string::npos)
            return Refused(ZeroByte(table, column));
        AppendLiteral(text, cell.empty() ? std::string_view("-") : std::string_view(cell));
    } else {
        NormaliseNumber(cell);
        if (cell.empty() || cell == " ") {
            text += "0";
        } else {
            if (!IsPlainNumber(cell))
                return Refused(NotANumber(table, column, cell));
            text += cell;
        }
    }
    text += " WHERE ";
    text += "id";
    text += "=";
    text += id;
    return Built(std::move(text));
}

BuiltSql DeleteSql(std::string_view table, std::string_view value, std::string_view column)
{
    if (std::string bad = CheckNames({table, column}); !bad.empty())
        return Refused(bad);
    if (!IsPlainNumber(value))
        return Refused(NotANumber(table, column, value));
    std::string text = "DELETE FROM ";
    text += table;
    text += " WHERE ";
    text += column;
    text += "=";
    text += value;
    return Built(std::move(text));
}

BuiltSql DeleteAllSql(std::string_view table)
{
    if (std::string bad = CheckNames({table}); !bad.empty())
        return Refused(bad);
    return Built("DELETE FROM " + std::string(table));
}

std::string InsertedMessage(std::string_view table, long long count)
{
    return "В таблице " + std::string(table) + " добавленно " + std::to_string(count) +
           " записей.";
}

RowBuffer::RowBuffer(std::size_t columns)
    : columns_(columns), bytes_(std::max(kMinimumSize, columns * kSlotSize), '\0')
{
}

void RowBuffer::Clear()
{
    std::fill(bytes_.begin(), bytes_.end(), '\0');
}

char* RowBuffer::Slot(std::size_t column)
{
    return bytes_.data() + column * kSlotSize;
}

TextRow RowBuffer::Row() const
{
    TextRow row;
    row.reserve(columns_);
    for (std::size_t j = 0; j < columns_; ++j) {
        const char* slot = bytes_.data() + j * kSlotSize;
        row.emplace_back(slot, std::find(slot, slot + kSlotSize, '\0'));
    }
    return row;
}

}  // namespace sql
