#pragma once
// SQL texts of the database layer and the rules that turn cell texts into
// SQL values. Nothing here talks to ODBC; Database runs what these build.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/DbTypes.h"

namespace sql {

// Fixed texts shown through LastMessage.
inline constexpr char kPrepareFailed[] = "Ошибка подготовки соединения.";
inline constexpr char kConnectFailed[] = "Ошибка соединения";
inline constexpr char kConnected[] = "Установлено соединение: ";
// The "c" between the words is the Latin letter, as the program always wrote it.
inline constexpr char kDisconnected[] = "Нет соединения c БД";
inline constexpr char kStatementAllocFailed[] =
    "Ошибка распределения памяти для идентификатора оператора.";

// True for the type codes whose values are written as quoted strings:
// SQL_CHAR, SQL_VARCHAR, SQL_LONGVARCHAR, the three wide kinds and unknown.
bool IsCharacterType(std::int32_t type);

// The characters a column of `type` holds at most, from the size the driver
// describes: only for fixed-size text columns; 0 for any other (numbers,
// long texts, unknown types).
std::size_t TextColumnSize(std::int32_t type, std::uint64_t size);

// The driver connection string for the Access driver with database `name`.
// `extendedAnsiSql` puts Jet in its ANSI-92 mode, the only one in which
// views can be made through SQL; the program's own connection never does.
std::string ConnectionString(std::string_view name, bool extendedAnsiSql = false);

// A number that may be written bare into a statement: optional sign, decimal
// digits and at most one decimal point, at least one digit, nothing else.
bool IsPlainNumber(std::string_view value);

// A table or column name that can stand unquoted in a statement: letters,
// digits and '_' (bytes from 0x80 up count as letters of code page 1251).
bool IsPlainName(std::string_view name);

// Character value: a lone space becomes empty; apostrophes stay as they
// are and are doubled inside the statement's literal.
void NormaliseCharacter(std::string& value);
// Numeric value: decimal commas become points.
void NormaliseNumber(std::string& value);

// A statement text, or the reason it cannot be built (then `ok` is false
// and nothing must be run).
struct BuiltSql {
    bool ok = false;
    std::string text;
    std::string message;
};

// SELECT * FROM table, used to learn the columns.
BuiltSql DescribeSql(std::string_view table);

// SELECT * FROM table [WHERE column=value] [ORDER BY order]. The filter is
// applied only when both where texts are non-empty; a character column's
// value is quoted with its apostrophes doubled, any other (or an unknown
// column) must be a plain number.
BuiltSql SelectSql(std::string_view table, const ColumnNameList& names,
                   const ColumnTypeList& types, std::string_view whereColumn,
                   std::string_view whereValue, std::string_view orderColumn);

// INSERT INTO table VALUES (...), one value per described column; cells
// past the end of `row` count as empty. On success the row's cells are
// replaced by their normalised texts; on failure the row is left as it was.
BuiltSql InsertSql(std::string_view table, const ColumnNameList& names,
                   const ColumnTypeList& types, TextRow& row);

// UPDATE table SET column=value WHERE id=id. An emptied character cell is
// written as '-', an empty numeric one as 0; the id must be a plain number.
BuiltSql UpdateSql(std::string_view table, const ColumnNameList& names,
                   const ColumnTypeList& types, int columnIndex, std::string_view id,
                   std::string_view value);

// DELETE FROM table WHERE column=value, the value a plain number.
BuiltSql DeleteSql(std::string_view table, std::string_view value, std::string_view column);

// DELETE FROM table.
BuiltSql DeleteAllSql(std::string_view table);

// LastMessage after an insert: "В таблице <table> добавленно <count> записей."
std::string InsertedMessage(std::string_view table, long long count);

// The row buffer of a select: one 255-byte slot per column, 4096 bytes at
// least, grown for tables of more than 16 columns. A slot's text ends at its
// first zero byte or at the slot's end, never in the next slot.
class RowBuffer {
public:
    static constexpr std::size_t kSlotSize = 255;
    static constexpr std::size_t kMinimumSize = 4096;

    explicit RowBuffer(std::size_t columns);

    void Clear();
    char* Slot(std::size_t column);
    std::size_t Size() const { return bytes_.size(); }
    TextRow Row() const;

private:
    std::size_t columns_;
    std::vector<char> bytes_;
};

}  // namespace sql
