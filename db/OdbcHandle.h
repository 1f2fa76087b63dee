#pragma once
// Owners of the ODBC handles of the program's one connection.
#include <windows.h>

#include <sql.h>
#include <sqlext.h>

// Owns one ODBC handle of kind `Kind` (SQL_HANDLE_ENV, SQL_HANDLE_DBC or
// SQL_HANDLE_STMT): allocated under its parent with SQLAllocHandle, freed
// with SQLFreeHandle here and only here.
template <SQLSMALLINT Kind>
class OdbcHandle {
public:
    OdbcHandle() = default;
    ~OdbcHandle() { Free(); }
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    // Frees the handle held, if any, and allocates a new one under `parent`
    // (SQL_NULL_HANDLE for an environment); false when none was given.
    bool Allocate(SQLHANDLE parent)
    {
        Free();
        if (!SQL_SUCCEEDED(SQLAllocHandle(Kind, parent, &handle_))) {
            handle_ = SQL_NULL_HANDLE;
            return false;
        }
        return true;
    }
    void Free()
    {
        if (handle_ != SQL_NULL_HANDLE) {
            SQLFreeHandle(Kind, handle_);
            handle_ = SQL_NULL_HANDLE;
        }
    }
    SQLHANDLE Get() const { return handle_; }

private:
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

using OdbcEnvironment = OdbcHandle<SQL_HANDLE_ENV>;
using OdbcConnection = OdbcHandle<SQL_HANDLE_DBC>;

// A statement of the connection; a class of its own so that the database's
// header can name it without the ODBC headers.
class OdbcStatement : public OdbcHandle<SQL_HANDLE_STMT> {};
