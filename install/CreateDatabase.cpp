// velarmon-createdb: makes the program's database in a folder.
//
//   velarmon-createdb <data folder> <schema file>
//
// Creates velarmon.mdb in the folder through the Access driver's own creation
// request, connects to it as the program does (the bare name "velarmon",
// found in the current folder), and runs the schema's statements one by one.
// Every statement that fails is reported; a database that is not complete is
// removed again, so that the next install makes it afresh. Messages go to the
// standard output in code page 1251, where the installer's log shows them.
//
// Exit codes: 0 made; 1 failed, nothing left behind; 2 a database is there
// already and stays as it is; 3 wrong arguments.

#include <windows.h>
#include <odbcinst.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "db/Database.h"
#include "db/SqlScript.h"

namespace {

constexpr char kDriver[] = "Microsoft Access Driver (*.mdb)";
constexpr char kDatabaseName[] = "velarmon";
constexpr char kDatabaseFile[] = "velarmon.mdb";

enum ExitCode { kMade = 0, kFailed = 1, kExists = 2, kUsage = 3 };

void Say(const std::string& text)
{
    std::fputs((text + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::string CurrentFolder()
{
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    std::string folder(size, '\0');
    const DWORD length = GetCurrentDirectoryA(size, folder.data());
    folder.resize(length < size ? length : 0);
    return folder;
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// The installer's error texts after a failed configuration request.
std::string InstallerErrors()
{
    std::string text;
    for (WORD i = 1; i <= 8; ++i) {
        DWORD code = 0;
        char message[SQL_MAX_MESSAGE_LENGTH + 1] = {};
        WORD length = 0;
        const RETCODE result = SQLInstallerError(i, &code, message, sizeof message, &length);
        if (result != SQL_SUCCESS && result != SQL_SUCCESS_WITH_INFO)
            break;
        if (!text.empty())
            text += "; ";
        text += message;
    }
    return text.empty() ? "драйвер не сообщил причину" : text;
}

// The driver's creation request: CREATE_DB with the file and the sort order,
// in a list of attributes that ends with an empty one.
bool CreateDatabaseFile(const std::string& path)
{
    std::string attributes = "CREATE_DB=\"" + path + "\" General";
    attributes.push_back('\0');
    attributes.push_back('\0');
    if (SQLConfigDataSource(nullptr, ODBC_ADD_DSN, kDriver, attributes.c_str()))
        return true;
    Say("Не удалось создать файл базы данных " + path + ": " + InstallerErrors());
    return false;
}

// The first line of a statement, enough to find it in the schema.
std::string Headline(const std::string& statement)
{
    const size_t end = statement.find_first_of("\r\n");
    return end == std::string::npos ? statement : statement.substr(0, end) + " ...";
}

int Run(const std::string& folder, const std::string& schemaPath)
{
    std::string schema;
    if (!ReadWholeFile(schemaPath, schema)) {
        Say("Не удалось прочитать файл схемы " + schemaPath);
        return kFailed;
    }
    const std::vector<ScriptStatement> statements = SplitSqlScript(schema);
    if (statements.empty()) {
        Say("В файле схемы " + schemaPath + " нет ни одного оператора");
        return kFailed;
    }
    // The program finds its database in its current folder; so does this
    // connection.
    if (!SetCurrentDirectoryA(folder.c_str())) {
        Say("Нет папки " + folder);
        return kFailed;
    }
    const std::string path = CurrentFolder() + "\\" + kDatabaseFile;
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        Say("База данных уже есть и оставлена как есть: " + path);
        return kExists;
    }
    if (!CreateDatabaseFile(path))
        return kFailed;

    int failed = 0;
    {
        Database database;
        if (!database.Connect(kDatabaseName)) {
            Say("Не удалось соединиться с новой базой данных " + path + ": " + database.LastMessage());
            failed = 1;
        } else {
            for (const ScriptStatement& statement : statements) {
                if (database.RunStatement(statement.text))
                    continue;
                Say("Строка " + std::to_string(statement.line) + " схемы: " + Headline(statement.text));
                Say("    " + database.LastMessage());
                ++failed;
            }
        }
    }  // disconnected here, so the file can be removed
    if (failed) {
        DeleteFileA(path.c_str());
        Say("База данных не создана: " + path);
        return kFailed;
    }
    Say("База данных создана: " + path + " (операторов схемы: " + std::to_string(statements.size()) + ")");
    return kMade;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        Say("Вызов: velarmon-createdb <папка данных> <файл схемы>");
        return kUsage;
    }
    return Run(argv[1], argv[2]);
}
