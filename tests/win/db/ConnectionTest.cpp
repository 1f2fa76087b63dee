// Connecting to the database through the Access driver's name.

#include "DbFixture.h"

#include <cstdio>

#include "db/SqlText.h"

using dbtest::DatabaseFolder;
using dbtest::FileExists;
using dbtest::UniqueName;

namespace {

// When started with VELARMON_DB_CHILD_OUT set, this program only tries to
// connect, writes the result to that (Unix) file and ends, before any test
// runs. The unregistered-driver test starts it so, with another ODBCSYSINI.
struct ConnectOnlyChild {
    ConnectOnlyChild()
    {
        char out[MAX_PATH] = {};
        if (!GetEnvironmentVariableA("VELARMON_DB_CHILD_OUT", out, sizeof out))
            return;
        Database db;
        const bool ok = db.Connect("velarmon");
        std::string path = std::string("Z:") + out;
        for (char& c : path)
            if (c == '/')
                c = '\\';
        const std::string partial = path + ".part";
        if (FILE* f = std::fopen(partial.c_str(), "wb")) {
            std::fprintf(f, "%d%s", ok ? 1 : 0, db.LastMessage().c_str());
            std::fclose(f);
            MoveFileA(partial.c_str(), path.c_str());
        }
        ExitProcess(0);
    }
} connectOnlyChild;

}  // namespace

TEST(DatabaseConnection, MessageIsEmptyBeforeConnect)
{
    Database db;
    EXPECT_EQ(db.LastMessage(), "");
    EXPECT_FALSE(db.IsConnected());
}

TEST(DatabaseConnection, ConnectsToTheProgramsDatabase)
{
    Database db;
    ASSERT_TRUE(db.Connect("velarmon"));
    EXPECT_TRUE(db.IsConnected());
    EXPECT_EQ(db.LastMessage(), "Установлено соединение: velarmon");
    ColumnNameList names;
    EXPECT_TRUE(db.DescribeColumns("phbook", names)) << db.LastMessage();

    db.Disconnect();
    EXPECT_FALSE(db.IsConnected());
    EXPECT_EQ(db.LastMessage(), "Нет соединения c БД");
    // Nothing is open any more: statements cannot even be allocated.
    EXPECT_FALSE(db.DescribeColumns("phbook", names));
    EXPECT_EQ(db.LastMessage(), sql::kStatementAllocFailed);
    EXPECT_FALSE(db.DeleteAllRows("musik"));
    TextRow row{"1", "x"};
    EXPECT_EQ(db.InsertRow("musik", row), 0);

    // A second connection after the first was closed works as the first did.
    ASSERT_TRUE(db.Connect("velarmon"));
    EXPECT_TRUE(db.DescribeColumns("phbook", names));
    db.Disconnect();

    // A full path names the file wherever the current folder is.
    ASSERT_TRUE(db.Connect(dbtest::DatabaseFolder() + "\\velarmon"));
    EXPECT_TRUE(db.DescribeColumns("phbook", names));
}

TEST(DatabaseConnection, MissingFileFailsAndIsNotCreated)
{
    const std::string name = UniqueName("missing");
    const std::string path = DatabaseFolder() + "\\" + name + ".mdb";
    Database db;
    EXPECT_FALSE(db.Connect(name));
    EXPECT_FALSE(db.IsConnected());
    EXPECT_EQ(db.LastMessage(), "Ошибка соединения");
    EXPECT_FALSE(FileExists(path)) << path;

    // Disconnect without a connection keeps the last message.
    db.Disconnect();
    EXPECT_EQ(db.LastMessage(), "Ошибка соединения");
    RowSet rows;
    EXPECT_FALSE(db.SelectRows("phbook", rows));
}

TEST(DatabaseConnection, UnregisteredDriverFails)
{
    // unixODBC reads ODBCSYSINI from the Unix environment once per process,
    // and a Windows program cannot change that of its own process. So this
    // program is started again, as a Unix "wine" process that gets the
    // changed Windows environment, with a driver folder that has no drivers.
    const std::string wine = "Z:\\usr\\bin\\wine";
    if (!FileExists(wine))
        GTEST_SKIP() << "not running under Wine";
    char folderUnix[MAX_PATH] = {};
    ASSERT_TRUE(GetEnvironmentVariableA("VELARMON_DB_DIR", folderUnix, sizeof folderUnix));
    const std::string name = UniqueName("child");
    const std::string emptyIni = std::string(folderUnix) + "/" + name + "_ini";
    const std::string outUnix = std::string(folderUnix) + "/" + name + ".out";
    const std::string emptyIniDos = DatabaseFolder() + "\\" + name + "_ini";
    const std::string outDos = DatabaseFolder() + "\\" + name + ".out";
    ASSERT_TRUE(CreateDirectoryA(emptyIniDos.c_str(), nullptr));

    char savedIni[MAX_PATH] = {};
    GetEnvironmentVariableA("ODBCSYSINI", savedIni, sizeof savedIni);
    SetEnvironmentVariableA("ODBCSYSINI", emptyIni.c_str());
    SetEnvironmentVariableA("VELARMON_DB_CHILD_OUT", outUnix.c_str());
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string command = std::string("wine \"") + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessA(wine.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA("ODBCSYSINI", savedIni);
    SetEnvironmentVariableA("VELARMON_DB_CHILD_OUT", nullptr);
    ASSERT_TRUE(started) << GetLastError();
    // The handles Wine returns for a Unix program are not real: closing them
    // would close whatever else of this process holds those values.

    // A Unix process's handle cannot be waited on: wait for its answer file.
    for (int i = 0; i < 600 && !FileExists(outDos); ++i)
        Sleep(100);
    std::string answer;
    if (FILE* f = std::fopen(outDos.c_str(), "rb")) {
        char text[600] = {};
        answer.assign(text, std::fread(text, 1, sizeof text - 1, f));
        std::fclose(f);
    }
    DeleteFileA(outDos.c_str());
    DeleteFileA((emptyIniDos + "\\odbcinst.ini").c_str());  // unixODBC leaves an empty one
    RemoveDirectoryA(emptyIniDos.c_str());
    EXPECT_EQ(answer, "0Ошибка соединения");
}
