#pragma once
// A fresh copy of the program's database for one test, with the program's
// own connection (TheDatabase) pointed at it, and a second plain ODBC
// connection that arranges tables and reads back what the program stored.
// Header-only: the table-window suites share it.

#include <windows.h>

#include <sql.h>
#include <sqlext.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "db/Database.h"

class TableDatabase {
public:
    TableDatabase()
    {
        char unixFolder[MAX_PATH] = {};
        GetEnvironmentVariableA("VELARMON_DB_DIR", unixFolder, sizeof unixFolder);
        // Wine shows the Unix root as drive Z:.
        std::string folder = std::string("Z:") + unixFolder;
        for (char& c : folder)
            if (c == '/')
                c = '\\';
        static int counter = 0;
        name_ = "tables_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        path_ = folder + "\\" + name_ + ".mdb";
        copied_ = CopyFileA((folder + "\\velarmon.mdb").c_str(), path_.c_str(), FALSE) != FALSE;
        connected_ = copied_ && TheDatabase().Connect(name_);
    }
    ~TableDatabase()
    {
        TheDatabase().Disconnect();
        if (copied_)
            DeleteFileA(path_.c_str());
    }
    TableDatabase(const TableDatabase&) = delete;
    TableDatabase& operator=(const TableDatabase&) = delete;

    bool Ready() const { return connected_; }
    const std::string& Name() const { return name_; }

    // Runs statements on a connection of its own; fails the test when the
    // driver refuses one.
    void Run(std::initializer_list<std::string> statements) { QueryAll(statements); }
    void Run(const std::string& statement) { QueryAll({statement}); }
    // The rows of a query, every value whole ("<NULL>" for NULL).
    RowSet Query(const std::string& statement) { return QueryAll({statement}); }

private:
    RowSet QueryAll(const std::vector<std::string>& statements)
    {
        RowSet rows;
        Connection connection(name_);
        if (!connection.dbc) {
            ADD_FAILURE() << "no second connection to " << name_;
            return rows;
        }
        for (const std::string& sql : statements)
            rows = connection.Execute(sql);
        return rows;
    }
    struct Connection {
        explicit Connection(const std::string& name)
        {
            SQLAllocEnv(&env);
            SQLAllocConnect(env, &dbc);
            // Jet's ANSI-92 mode: the tests also change the schema's views.
            std::string text = "DRIVER=Microsoft Access Driver (*.mdb);DBQ=" + name + ";ExtendedAnsiSQL=1;";
            SQLCHAR out[512];
            SQLSMALLINT outLength = 0;
            if (!SQL_SUCCEEDED(SQLDriverConnect(dbc, nullptr, Chars(text), SQL_NTS, out, sizeof out, &outLength,
                                                SQL_DRIVER_NOPROMPT))) {
                SQLFreeConnect(dbc);
                dbc = SQL_NULL_HDBC;
            }
        }
        ~Connection()
        {
            if (dbc) {
                SQLDisconnect(dbc);
                SQLFreeConnect(dbc);
            }
            SQLFreeEnv(env);
        }
        Connection(const Connection&) = delete;
        Connection& operator=(const Connection&) = delete;

        RowSet Execute(const std::string& sql)
        {
            RowSet rows;
            SQLHSTMT stmt = SQL_NULL_HSTMT;
            if (!SQL_SUCCEEDED(SQLAllocStmt(dbc, &stmt))) {
                ADD_FAILURE() << "no statement for " << sql;
                return rows;
            }
            if (SQLExecDirect(stmt, Chars(sql), SQL_NTS) == SQL_ERROR) {
                SQLCHAR state[6] = {}, message[512] = {};
                SQLINTEGER native = 0;
                SQLSMALLINT length = 0;
                SQLError(env, dbc, stmt, state, &native, message, sizeof message - 1, &length);
                ADD_FAILURE() << sql << ": " << reinterpret_cast<const char*>(message);
            } else {
                SQLSMALLINT columns = 0;
                SQLNumResultCols(stmt, &columns);
                while (columns > 0 && SQL_SUCCEEDED(SQLFetch(stmt))) {
                    TextRow row;
                    for (SQLSMALLINT c = 1; c <= columns; ++c) {
                        std::vector<char> value(4096, '\0');
                        SQLLEN length = 0;
                        SQLGetData(stmt, static_cast<SQLUSMALLINT>(c), SQL_C_CHAR, value.data(),
                                   static_cast<SQLLEN>(value.size()), &length);
                        row.emplace_back(length == SQL_NULL_DATA ? "<NULL>" : value.data());
                    }
                    rows.push_back(row);
                }
            }
            SQLFreeStmt(stmt, SQL_DROP);
            return rows;
        }

        static SQLCHAR* Chars(const std::string& text)
        {
            return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str()));
        }

        SQLHENV env = SQL_NULL_HENV;
        SQLHDBC dbc = SQL_NULL_HDBC;
    };

    std::string name_;
    std::string path_;
    bool copied_ = false;
    bool connected_ = false;
};
