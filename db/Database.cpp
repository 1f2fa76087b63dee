#include "db/Database.h"

#include <algorithm>
#include <utility>

#include "db/OdbcHandle.h"
#include "db/SqlText.h"

// The environment and connection of an open database; the connection is
// freed before its environment.
struct OdbcLink {
    OdbcEnvironment environment;
    OdbcConnection connection;
};

namespace {

SQLCHAR* SqlChars(const std::string& text)
{
    return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str()));
}

}  // namespace

Database& TheDatabase()
{
    static Database database;
    return database;
}

Database::Database() = default;

Database::~Database()
{
    Disconnect();
}

bool Database::Connect(const std::string& name, bool extendedAnsiSql)
{
    Disconnect();

    auto link = std::make_unique<OdbcLink>();
    if (!link->environment.Allocate(SQL_NULL_HANDLE) ||
        !SQL_SUCCEEDED(SQLSetEnvAttr(link->environment.Get(), SQL_ATTR_ODBC_VERSION,
                                     reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)) ||
        !link->connection.Allocate(link->environment.Get())) {
        lastMessage_ = sql::kPrepareFailed;
        return false;
    }

    name_ = name;
    std::string text = sql::ConnectionString(name_, extendedAnsiSql);
    SQLCHAR completed[512] = {};
    SQLSMALLINT completedLength = 0;
    const SQLRETURN result =
        SQLDriverConnect(link->connection.Get(), nullptr, SqlChars(text), SQL_NTS, completed,
                         sizeof completed, &completedLength, SQL_DRIVER_NOPROMPT);
    if (result == SQL_ERROR || result == SQL_INVALID_HANDLE || result == SQL_NO_DATA) {
        // The handles go with `link`: a failed start leaks nothing.
        lastMessage_ = sql::kConnectFailed;
        return false;
    }
    link_ = std::move(link);
    lastMessage_ = sql::kConnected + name_;
    connected_ = true;
    return true;
}

void Database::Disconnect()
{
    if (!connected_)
        return;
    SQLDisconnect(link_->connection.Get());
    link_.reset();
    lastMessage_ = sql::kDisconnected;
    connected_ = false;
}

bool Database::ReportStatementError(OdbcStatement& statement)
{
    SQLCHAR state[6] = {};
    SQLINTEGER nativeError = 0;
    SQLCHAR message[512] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN result =
        SQLGetDiagRec(SQL_HANDLE_STMT, statement.Get(), 1, state, &nativeError, message, 511, &length);
    statement.Free();
    if (result == SQL_SUCCESS || result == SQL_SUCCESS_WITH_INFO) {
        const char* text = reinterpret_cast<const char*>(message);
        lastMessage_.assign(text, std::find(text, text + 511, '\0'));
    } else {
        lastMessage_.clear();
    }
    return false;
}

bool Database::Execute(OdbcStatement& statement, const std::string& sql)
{
    if (!connected_ || !statement.Allocate(link_->connection.Get())) {
        lastMessage_ = sql::kStatementAllocFailed;
        return false;
    }
    if (SQLExecDirect(statement.Get(), SqlChars(sql), SQL_NTS) == SQL_ERROR)
        return ReportStatementError(statement);
    return true;
}

bool Database::DescribeColumns(const std::string& table, ColumnNameList& names,
                               ColumnTypeList* types, ColumnSizeList* sizes)
{
    const sql::BuiltSql text = sql::DescribeSql(table);
    if (!text.ok) {
        lastMessage_ = text.message;
        return false;
    }
    OdbcStatement statement;
    if (!connected_ || !statement.Allocate(link_->connection.Get())) {
        lastMessage_ = sql::kStatementAllocFailed;
        return false;
    }
    if (SQLPrepare(statement.Get(), SqlChars(text.text), SQL_NTS) == SQL_ERROR)
        return ReportStatementError(statement);

    SQLSMALLINT count = 0;
    SQLNumResultCols(statement.Get(), &count);
    names.clear();
    if (types)
        types->clear();
    if (sizes)
        sizes->clear();
    for (SQLSMALLINT column = 1; column <= count; ++column) {
        SQLCHAR name[256] = {};
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT type = 0;
        SQLULEN size = 0;
        SQLSMALLINT digits = 0;
        SQLSMALLINT nullable = 0;
        if (SQLDescribeCol(statement.Get(), static_cast<SQLUSMALLINT>(column), name, 255,
                           &nameLength, &type, &size, &digits, &nullable) != SQL_SUCCESS)
            break;
        names.emplace_back(reinterpret_cast<const char*>(name));
        if (types)
            types->push_back(static_cast<std::int32_t>(type));
        if (sizes)
            sizes->push_back(static_cast<std::uint64_t>(size));
    }
    return true;
}

bool Database::SelectRows(const std::string& table, RowSet& rows, const std::string& whereColumn,
                          const std::string& whereValue, const std::string& orderColumn)
{
    ColumnNameList names;
    ColumnTypeList types;
    if (!DescribeColumns(table, names, &types))
        return false;
    rows.clear();
    const sql::BuiltSql text =
        sql::SelectSql(table, names, types, whereColumn, whereValue, orderColumn);
    if (!text.ok) {
        lastMessage_ = text.message;
        return false;
    }
    OdbcStatement statement;
    if (!Execute(statement, text.text))
        return false;

    sql::RowBuffer buffer(names.size());
    SQLLEN indicator = 0;  // shared by all columns, never read
    for (std::size_t j = 0; j < names.size(); ++j)
        SQLBindCol(statement.Get(), static_cast<SQLUSMALLINT>(j + 1), SQL_C_CHAR,
                   buffer.Slot(j), sql::RowBuffer::kSlotSize, &indicator);
    // A row whose value was cut to its slot comes with SQL_SUCCESS_WITH_INFO;
    // it is read like any other. Anything else ends the rows without a message.
    for (;;) {
        const SQLRETURN fetched = SQLFetch(statement.Get());
        if (fetched != SQL_SUCCESS && fetched != SQL_SUCCESS_WITH_INFO)
            break;
        rows.push_back(buffer.Row());
        buffer.Clear();
    }
    return true;
}

int Database::InsertRow(const std::string& table, TextRow& row)
{
    ColumnNameList names;
    ColumnTypeList types;
    if (!DescribeColumns(table, names, &types))
        return 0;
    return InsertDescribedRow(table, names, types, row);
}

int Database::InsertDescribedRow(const std::string& table, const ColumnNameList& names,
                                 const ColumnTypeList& types, TextRow& row)
{
    const sql::BuiltSql text = sql::InsertSql(table, names, types, row);
    if (!text.ok) {
        lastMessage_ = text.message;
        return -1;
    }
    OdbcStatement statement;
    if (!Execute(statement, text.text))
        return -1;
    SQLLEN count = -1;
    SQLRowCount(statement.Get(), &count);
    lastMessage_ = sql::InsertedMessage(table, count);
    return static_cast<int>(count);
}

bool Database::SetAutoCommit(bool on)
{
    const SQLULEN mode = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    return connected_ && SQL_SUCCEEDED(SQLSetConnectAttr(link_->connection.Get(), SQL_ATTR_AUTOCOMMIT,
                                                         reinterpret_cast<SQLPOINTER>(mode), SQL_IS_UINTEGER));
}

bool Database::InsertRows(const std::string& table, RowSet& rows, std::vector<std::string>& refusals)
{
    refusals.assign(rows.size(), {});
    ColumnNameList names;
    ColumnTypeList types;
    if (!DescribeColumns(table, names, &types))
        return false;
    // One transaction keeps thousands of rows from each waiting for the
    // file to be flushed. A driver without transactions stores row by row.
    const bool transaction = SetAutoCommit(false);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (InsertDescribedRow(table, names, types, rows[i]) != 1)
            refusals[i] = lastMessage_.empty() ? std::string(sql::kStatementAllocFailed) : lastMessage_;
    }
    if (!transaction)
        return true;
    const bool committed = SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, link_->connection.Get(), SQL_COMMIT));
    if (!committed) {
        SQLCHAR state[6] = {};
        SQLINTEGER nativeError = 0;
        SQLCHAR message[512] = {};
        SQLSMALLINT length = 0;
        if (SQL_SUCCEEDED(SQLGetDiagRec(SQL_HANDLE_DBC, link_->connection.Get(), 1, state, &nativeError,
                                        message, 511, &length)))
            lastMessage_.assign(reinterpret_cast<const char*>(message));
        SQLEndTran(SQL_HANDLE_DBC, link_->connection.Get(), SQL_ROLLBACK);
    }
    SetAutoCommit(true);
    return committed;
}

bool Database::UpdateCell(const std::string& table, int columnIndex, const std::string& id,
                          const std::string& value)
{
    ColumnNameList names;
    ColumnTypeList types;
    if (!DescribeColumns(table, names, &types))
        return false;
    const sql::BuiltSql text = sql::UpdateSql(table, names, types, columnIndex, id, value);
    if (!text.ok) {
        lastMessage_ = text.message;
        return false;
    }
    OdbcStatement statement;
    return Execute(statement, text.text);
}

bool Database::DeleteRows(const std::string& table, const std::string& value,
                          const std::string& column)
{
    const sql::BuiltSql text = sql::DeleteSql(table, value, column);
    if (!text.ok) {
        lastMessage_ = text.message;
        return false;
    }
    OdbcStatement statement;
    return Execute(statement, text.text);
}

bool Database::DeleteAllRows(const std::string& table)
{
    const sql::BuiltSql text = sql::DeleteAllSql(table);
    if (!text.ok) {
        lastMessage_ = text.message;
        return false;
    }
    OdbcStatement statement;
    return Execute(statement, text.text);
}

bool Database::RunStatement(const std::string& sql)
{
    OdbcStatement statement;
    return Execute(statement, sql);
}
