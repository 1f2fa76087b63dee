#include "app/DataFolder.h"

#include <shlobj.h>

#include "db/DatabaseCreation.h"
#include "db/SqlScript.h"
#include "res/resource.h"

namespace {
constexpr char kDatabaseName[] = "velarmon";
constexpr char kDatabaseFile[] = "velarmon.mdb";
constexpr char kFolderName[] = "VelarMon";

bool IsFile(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The schema the build puts into the program, in code page 1251.
bool LoadSchema(HINSTANCE instance, std::string& schema)
{
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_SCHEMA), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!found)
        return false;
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return false;
    schema.assign(static_cast<const char*>(bytes), SizeofResource(instance, found));
    return true;
}

bool MakeDatabase(HINSTANCE instance, std::string& report)
{
    std::string schema;
    if (!LoadSchema(instance, schema)) {
        report = "В программе нет схемы базы данных.\n";
        return false;
    }
    return CreateDatabaseHere(SplitSqlScript(schema), report) != DatabaseCreation::Failed;
}
}  // namespace

bool EnterDataFolder(HINSTANCE instance, std::string& databaseName, std::string& report)
{
    report.clear();
    databaseName = kDatabaseName;
    if (IsFile(kDatabaseFile))
        return true;

    char documents[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                documents))) {
        report = "Не удалось найти папку документов пользователя.\n";
        return false;
    }
    const std::string folder = std::string(documents) + "\\" + kFolderName;
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        report = "Не удалось создать папку " + folder + ".\n";
        return false;
    }
    if (!SetCurrentDirectoryA(folder.c_str())) {
        report = "Не удалось перейти в папку " + folder + ".\n";
        return false;
    }
    if (!IsFile(kDatabaseFile) && !MakeDatabase(instance, report))
        return false;
    databaseName = folder + "\\" + kDatabaseName;
    return true;
}
