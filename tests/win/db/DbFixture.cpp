#include "DbFixture.h"

#include <cstdlib>

namespace dbtest {
namespace {

SQLCHAR* Chars(const std::string& text)
{
    return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str()));
}

std::string StatementError(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt)
{
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR message[512] = {};
    SQLSMALLINT length = 0;
    SQLError(env, dbc, stmt, state, &native, message, sizeof message - 1, &length);
    return reinterpret_cast<const char*>(message);
}

}  // namespace

std::string DatabaseFolder()
{
    char unixPath[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("VELARMON_DB_DIR", unixPath, sizeof unixPath))
        return {};
    // Wine shows the Unix root as drive Z:.
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string UniqueName(const char* stem)
{
    static int counter = 0;
    return std::string(stem) + "_" + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(++counter);
}

RawConnection::RawConnection(const std::string& name)
{
    SQLAllocEnv(&env_);
    SQLAllocConnect(env_, &dbc_);
    const std::string text =
        "DRIVER=Microsoft Access Driver (*.mdb);DBQ=" + name + ";";
    SQLCHAR out[512];
    SQLSMALLINT outLength = 0;
    const SQLRETURN result = SQLDriverConnect(dbc_, nullptr, Chars(text), SQL_NTS, out,
                                              sizeof out, &outLength, SQL_DRIVER_NOPROMPT);
    connected_ = SQL_SUCCEEDED(result);
}

RawConnection::~RawConnection()
{
    if (connected_)
        SQLDisconnect(dbc_);
    SQLFreeConnect(dbc_);
    SQLFreeEnv(env_);
}

void RawConnection::Run(const std::string& sql)
{
    Query(sql);
}

RowSet RawConnection::Query(const std::string& sql)
{
    RowSet rows;
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!connected_ || !SQL_SUCCEEDED(SQLAllocStmt(dbc_, &stmt))) {
        ADD_FAILURE() << "no raw statement for " << sql;
        return rows;
    }
    const SQLRETURN executed = SQLExecDirect(stmt, Chars(sql), SQL_NTS);
    if (executed == SQL_ERROR) {
        ADD_FAILURE() << sql << ": " << StatementError(env_, dbc_, stmt);
        SQLFreeStmt(stmt, SQL_DROP);
        return rows;
    }
    SQLSMALLINT columns = 0;
    SQLNumResultCols(stmt, &columns);
    while (columns > 0 && SQL_SUCCEEDED(SQLFetch(stmt))) {
        TextRow row;
        for (SQLSMALLINT c = 1; c <= columns; ++c) {
            std::vector<char> value(8192, '\0');
            SQLLEN length = 0;
            SQLGetData(stmt, static_cast<SQLUSMALLINT>(c), SQL_C_CHAR, value.data(),
                       static_cast<SQLLEN>(value.size()), &length);
            row.emplace_back(length == SQL_NULL_DATA ? "<NULL>" : value.data());
        }
        rows.push_back(row);
    }
    SQLFreeStmt(stmt, SQL_DROP);
    return rows;
}

std::string RawConnection::Value(const std::string& sql)
{
    const RowSet rows = Query(sql);
    return rows.empty() || rows[0].empty() ? std::string("<no row>") : rows[0][0];
}

void FreshDatabase::SetUp()
{
    const std::string folder = DatabaseFolder();
    ASSERT_FALSE(folder.empty()) << "VELARMON_DB_DIR is not set";
    const std::string original = folder + "\\velarmon.mdb";
    ASSERT_TRUE(FileExists(original)) << original << " is missing";
    name_ = UniqueName("dbtest");
    path_ = folder + "\\" + name_ + ".mdb";
    ASSERT_TRUE(CopyFileA(original.c_str(), path_.c_str(), TRUE)) << path_;
    ASSERT_TRUE(db_.Connect(name_)) << db_.LastMessage();
    raw_ = std::make_unique<RawConnection>(name_);
    ASSERT_TRUE(raw_->Ok());
}

void FreshDatabase::TearDown()
{
    db_.Disconnect();
    raw_.reset();
    if (!path_.empty())
        DeleteFileA(path_.c_str());
}

}  // namespace dbtest
