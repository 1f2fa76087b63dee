#pragma once
// Splits an SQL script (the schema a new database is built from) into its
// statements, so that each can be run and reported on its own.

#include <string>
#include <vector>

struct ScriptStatement {
    std::string text;  // the statement without its ';', comments or outer blanks
    int line = 0;      // line of the script (from 1) where the statement starts
};

// Statements end at a ';' outside a quoted literal ('...' with '' inside, or
// "..."); "--" outside a literal starts a comment that runs to the end of the
// line. A statement left without its ';' at the end of the script still
// counts. Pieces that hold nothing but blanks and comments are dropped.
std::vector<ScriptStatement> SplitSqlScript(const std::string& script);
