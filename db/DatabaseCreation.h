#pragma once
// Making the program's database: the file through the Access driver's own
// creation request, then the schema's statements on a connection in Jet's
// ANSI-92 mode (ExtendedAnsiSQL=1), the only mode in which the driver
// accepts the schema's views. Used by the program for a user's first database
// and by velarmon-createdb; texts are code page 1251.

#include <string>
#include <vector>

#include "db/SqlScript.h"

enum class DatabaseCreation { Made, Failed, Exists };

// Makes velarmon.mdb in the current folder from `statements`; a database
// already there stays as it is. On a failure nothing is left behind and
// `report` says what failed: the file's creation with the driver's reasons,
// or each refused statement (its line in the schema and first line) with the
// driver's message. On success `report` names the file.
DatabaseCreation CreateDatabaseHere(const std::vector<ScriptStatement>& statements, std::string& report);
