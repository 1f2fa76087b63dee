#include "support/Registry.h"

#include "app/Application.h"
#include "common/Handles.h"

void DeleteSettingsKey()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, SettingsKeyPath);
}

void WriteSetting(const char* name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, SettingsKeyPath, &key) != ERROR_SUCCESS)
        return;
    const RegistryKey settings(key);
    RegSetValueExA(settings.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

std::optional<DWORD> ReadSetting(const char* name)
{
    HKEY key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, SettingsKeyPath, &key) != ERROR_SUCCESS)
        return std::nullopt;
    const RegistryKey settings(key);
    DWORD value = 0, size = sizeof value;
    const LONG rc = RegQueryValueExA(settings.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    return rc == ERROR_SUCCESS ? std::optional<DWORD>(value) : std::nullopt;
}

bool SettingsKeyExists()
{
    HKEY key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, SettingsKeyPath, &key) != ERROR_SUCCESS)
        return false;
    const RegistryKey settings(key);
    return true;
}
