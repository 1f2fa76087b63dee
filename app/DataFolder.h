#pragma once
#include <windows.h>

#include <string>

// Finds the folder the program works in: the database "velarmon" (which the
// Access driver looks for in the current folder), the downloads' "Images" and
// "Moves" folders and the export dialog's first folder all live there.
//
// A velarmon.mdb in the current folder is used as it is, by the bare name
// "velarmon", so a copy of the program kept with its database elsewhere (a
// portable copy) keeps working. Otherwise the folder is VelarMon in the
// documents of the user who runs the program: it becomes the current folder,
// the folder and the database are made there when they do not exist yet, and
// the database is named by its full path (a driver may have taken its idea
// of the current folder when the process started).
//
// Returns false when that cannot be done; `report` then says what failed
// (for a database that could not be made: the file or each schema statement,
// with the driver's message), in code page 1251. On success `databaseName`
// is the name to connect with.
bool EnterDataFolder(HINSTANCE instance, std::string& databaseName, std::string& report);
