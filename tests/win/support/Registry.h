#pragma once
#include <windows.h>

#include <optional>

// Direct access to the program's settings key, for arranging and checking.
void DeleteSettingsKey();
void WriteSetting(const char* name, DWORD value);
std::optional<DWORD> ReadSetting(const char* name);
bool SettingsKeyExists();
