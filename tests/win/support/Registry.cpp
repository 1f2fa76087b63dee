#include "support/Registry.h"

#include "app/Application.h"

void DeleteSettingsKey()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, SettingsKeyPath);
}

void WriteSetting(const char* name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, SettingsKeyPath, &key) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

std::optional<DWORD> ReadSetting(const char* name)
{
    HKEY key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, SettingsKeyPath, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD value = 0, size = sizeof value;
    const LONG rc = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? std::optional<DWORD>(value) : std::nullopt;
}

bool SettingsKeyExists()
{
    HKEY key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, SettingsKeyPath, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}
