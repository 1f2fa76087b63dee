#pragma once
// Helpers of the database tests: a fresh copy of the program's database per
// test, and a second, independent connection that reads what was stored.

#include <windows.h>

#include <sql.h>
#include <sqlext.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/Database.h"

namespace dbtest {

// The folder the ODBC stand-in resolves DBQ names in, as a Windows path.
std::string DatabaseFolder();
bool FileExists(const std::string& path);
// A name no database file has yet.
std::string UniqueName(const char* stem);

// Plain ODBC on its own connection: runs SQL and reads every value whole.
class RawConnection {
public:
    explicit RawConnection(const std::string& name);
    ~RawConnection();
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool Ok() const { return connected_; }
    // Runs `sql`; fails the test when the driver refuses it.
    void Run(const std::string& sql);
    RowSet Query(const std::string& sql);
    // The first value of the first row.
    std::string Value(const std::string& sql);

private:
    SQLHENV env_ = SQL_NULL_HENV;
    SQLHDBC dbc_ = SQL_NULL_HDBC;
    bool connected_ = false;
};

// A fresh copy of the program's database, connected through the layer
// under test and through a RawConnection; the copy goes away afterwards.
class FreshDatabase : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string name_;
    std::string path_;
    Database db_;
    std::unique_ptr<RawConnection> raw_;
    RawConnection& Raw() { return *raw_; }
};

}  // namespace dbtest
