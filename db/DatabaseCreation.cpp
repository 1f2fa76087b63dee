#include "db/DatabaseCreation.h"

#include <windows.h>
#include <odbcinst.h>

#include "db/Database.h"

namespace {
constexpr char kDriver[] = "Microsoft Access Driver (*.mdb)";
constexpr char kDatabaseFile[] = "velarmon.mdb";

std::string CurrentFolder()
{
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    std::string folder(size, '\0');
    const DWORD length = GetCurrentDirectoryA(size, folder.data());
    folder.resize(length < size ? length : 0);
    return folder;
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
bool CreateDatabaseFile(const std::string& path, std::string& report)
{
    std::string attributes = "CREATE_DB=\"" + path + "\" General";
    attributes.push_back('\0');
    attributes.push_back('\0');
    if (SQLConfigDataSource(nullptr, ODBC_ADD_DSN, kDriver, attributes.c_str()))
        return true;
    report += "Не удалось создать файл базы данных " + path + ": " + InstallerErrors() + "\n";
    return false;
}

// The first line of a statement, enough to find it in the schema.
std::string Headline(const std::string& statement)
{
    const size_t end = statement.find_first_of("\r\n");
    return end == std::string::npos ? statement : statement.substr(0, end) + " ...";
}
}  // namespace

DatabaseCreation CreateDatabaseHere(const std::vector<ScriptStatement>& statements, std::string& report)
{
    report.clear();
    const std::string path = CurrentFolder() + "\\" + kDatabaseFile;
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        report = "База данных уже есть и оставлена как есть: " + path + "\n";
        return DatabaseCreation::Exists;
    }
    if (!CreateDatabaseFile(path, report))
        return DatabaseCreation::Failed;

    int failed = 0;
    {
        // By its full path: a driver may have taken its idea of the current
        // folder when the process started.
        Database database;
        if (!database.Connect(path, true)) {
            report += "Не удалось соединиться с новой базой данных " + path + ": " + database.LastMessage() + "\n";
            failed = 1;
        } else {
            for (const ScriptStatement& statement : statements) {
                if (database.RunStatement(statement.text))
                    continue;
                report += "Строка " + std::to_string(statement.line) + " схемы: " + Headline(statement.text) + "\n";
                report += "    " + database.LastMessage() + "\n";
                ++failed;
            }
        }
    }  // disconnected here, so the file can be removed
    if (failed) {
        DeleteFileA(path.c_str());
        report += "База данных не создана: " + path + "\n";
        return DatabaseCreation::Failed;
    }
    report += "База данных создана: " + path + " (операторов схемы: " + std::to_string(statements.size()) + ")\n";
    return DatabaseCreation::Made;
}
