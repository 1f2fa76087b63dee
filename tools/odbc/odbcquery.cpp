// odbcquery: reads tables of the database "velarmon" in the current folder
// through the program's own database layer, and prints them, for the tests
// that check a database made on the Windows side.
//
//   odbcquery <table>...
//
// Prints, for each table, a line "<table>\t<row count>" and then one line a
// row with its texts joined by tabs; for a table that cannot be read, the
// line "<table>\tERROR\t<driver message>". Texts stay code page 1251. Exit
// code 1 when the connection or any table failed.

#include <cstdio>
#include <string>

#include "db/Database.h"

int main(int argc, char** argv)
{
    Database database;
    if (!database.Connect("velarmon")) {
        std::printf("connect\tERROR\t%s\n", database.LastMessage().c_str());
        return 1;
    }
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        RowSet rows;
        if (!database.SelectRows(argv[i], rows)) {
            std::printf("%s\tERROR\t%s\n", argv[i], database.LastMessage().c_str());
            ++failed;
            continue;
        }
        std::printf("%s\t%u\n", argv[i], static_cast<unsigned>(rows.size()));
        for (const TextRow& row : rows) {
            std::string line;
            for (size_t c = 0; c < row.size(); ++c)
                line += (c ? "\t" : "") + row[c];
            std::printf("%s\n", line.c_str());
        }
    }
    return failed ? 1 : 0;
}
