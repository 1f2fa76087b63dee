// velarmon-createdb: makes the program's database in a folder.
//
//   velarmon-createdb <data folder> <schema file>
//
// Creates velarmon.mdb in the folder through the Access driver's own creation
// request, connects to it by its full path in Jet's ANSI-92 mode, and runs
// the schema's statements one by one.
// Every statement that fails is reported; a database that is not complete is
// removed again, so that a later run makes it afresh. Messages go to the
// standard output in code page 1251. The program makes a user's database with
// the same routine and the schema it carries; this tool serves a folder of the
// administrator's choosing.
//
// Exit codes: 0 made; 1 failed, nothing left behind; 2 a database is there
// already and stays as it is; 3 wrong arguments.

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "db/DatabaseCreation.h"
#include "db/SqlScript.h"

namespace {

enum ExitCode { kMade = 0, kFailed = 1, kExists = 2, kUsage = 3 };

void Say(const std::string& text)
{
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

int Run(const std::string& folder, const std::string& schemaPath)
{
    std::string schema;
    if (!ReadWholeFile(schemaPath, schema)) {
        Say("Не удалось прочитать файл схемы " + schemaPath + "\n");
        return kFailed;
    }
    const std::vector<ScriptStatement> statements = SplitSqlScript(schema);
    if (statements.empty()) {
        Say("В файле схемы " + schemaPath + " нет ни одного оператора\n");
        return kFailed;
    }
    // The database is made in the current folder, as the program makes its
    // own.
    if (!SetCurrentDirectoryA(folder.c_str())) {
        Say("Нет папки " + folder + "\n");
        return kFailed;
    }
    std::string report;
    const DatabaseCreation result = CreateDatabaseHere(statements, report);
    Say(report);
    switch (result) {
    case DatabaseCreation::Made: return kMade;
    case DatabaseCreation::Exists: return kExists;
    default: return kFailed;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        Say("Вызов: velarmon-createdb <папка данных> <файл схемы>\n");
        return kUsage;
    }
    return Run(argv[1], argv[2]);
}
