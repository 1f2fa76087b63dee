#pragma once
// The program's one ODBC connection to its database and the six statement
// operations on it. Every failure is a result (false, -1 or 0) with its
// reason in LastMessage; nothing throws.
//
// The program uses the one instance returned by TheDatabase(). It has no
// lock: the user-interface thread and the exchange worker never use it at
// the same time. Tests may make instances of their own.

#include <memory>
#include <string>
#include <vector>

#include "db/DbTypes.h"

class OdbcStatement;
struct OdbcLink;

class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the connection to database `name` through the Access driver,
    // without a data source entry. A connection already open is closed first.
    // `extendedAnsiSql` is only for making a database: Jet's ANSI-92 mode,
    // in which views can be created.
    bool Connect(const std::string& name, bool extendedAnsiSql = false);
    // Closes the connection if one is open; otherwise changes nothing.
    void Disconnect();
    bool IsConnected() const { return connected_; }
    // The text of the last connection step, failing statement or insert;
    // empty until something set it.
    const std::string& LastMessage() const { return lastMessage_; }

    // Column names and (when given) SQL type codes and sizes of `table`, in
    // table order, from a prepared SELECT * that is never executed.
    bool DescribeColumns(const std::string& table, ColumnNameList& names,
                         ColumnTypeList* types = nullptr, ColumnSizeList* sizes = nullptr);
    // All rows of `table`, or only those whose `whereColumn` equals
    // `whereValue` when both are non-empty, ordered by `orderColumn` when it
    // is non-empty. NULL reads as an empty text; a value is cut at 254 bytes.
    bool SelectRows(const std::string& table, RowSet& rows, const std::string& whereColumn = {},
                    const std::string& whereValue = {}, const std::string& orderColumn = {});
    // Inserts `row` (normalised in place) and returns the driver's count of
    // rows inserted: 1 normally, -1 when the statement failed or was
    // refused, 0 when the table could not be described.
    int InsertRow(const std::string& table, TextRow& row);
    // Inserts every row of `rows` (each normalised in place) as one
    // transaction, describing the table once. `refusals` gets one text per
    // row: empty when the row went in, the driver's reason when it was
    // refused; a refused row leaves the others. False, and nothing stored,
    // when the table cannot be described or the rows cannot be committed.
    bool InsertRows(const std::string& table, RowSet& rows, std::vector<std::string>& refusals);
    // Sets column number `columnIndex` of the record with `id` to `value`.
    bool UpdateCell(const std::string& table, int columnIndex, const std::string& id,
                    const std::string& value);
    // Deletes the records whose `column` equals the number `value`.
    bool DeleteRows(const std::string& table, const std::string& value, const std::string& column);
    bool DeleteAllRows(const std::string& table);
    // Executes one statement as it is written: only for building a new
    // database from its schema, never for anything a user or the phone typed.
    bool RunStatement(const std::string& sql);

private:
    // Turns the statement's first ODBC diagnostic into the last message,
    // frees the statement and returns false.
    bool ReportStatementError(OdbcStatement& statement);
    // Allocates `statement` and executes `sql` on it; false (message set,
    // statement freed) when either fails.
    bool Execute(OdbcStatement& statement, const std::string& sql);
    // Inserts `row` into `table` described by `names` and `types`; as
    // InsertRow.
    int InsertDescribedRow(const std::string& table, const ColumnNameList& names,
                           const ColumnTypeList& types, TextRow& row);
    // Switches the connection's automatic commit; false when the driver
    // refuses.
    bool SetAutoCommit(bool on);

    std::string name_;
    std::string lastMessage_;
    // The environment and connection while connected.
    std::unique_ptr<OdbcLink> link_;
    bool connected_ = false;
};

// The program-wide database.
Database& TheDatabase();
