#include "app/Application.h"
#include "common/Handles.h"

const char* const SettingsKeyPath = "Software\\KORT application\\Velarmon\\Settings";

namespace {
// The key is created when it is missing; failing that, the user is told and
// the caller goes on with what it has.
RegistryKey OpenSettingsKey()
{
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, SettingsKeyPath, &key) != ERROR_SUCCESS) {
        MessageBoxA(nullptr, "HKEY_LOCAL_MACHINE", "Registry", MB_OK);
        return RegistryKey();
    }
    return RegistryKey(key);
}

// Reads a 4-byte value whatever type it was stored with; a missing or larger
// value gives the default.
template <typename T>
void ReadDword(HKEY key, const char* name, T& value, T defaultValue)
{
    static_assert(sizeof(T) == 4);
    T read{};
    DWORD size = sizeof read;
    const bool ok = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&read), &size) ==
                        ERROR_SUCCESS &&
                    size == sizeof read;
    value = ok ? read : defaultValue;
}

void WriteDword(HKEY key, const char* name, DWORD value)
{
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}
}  // namespace

void Application::LoadSettings()
{
    const RegistryKey settingsKey = OpenSettingsKey();
    if (!settingsKey)
        return;
    HKEY key = settingsKey.Get();
    const Settings defaults;
    ReadDword(key, "WinXPos", settings.winXPos, defaults.winXPos);
    ReadDword(key, "WinYPos", settings.winYPos, defaults.winYPos);
    ReadDword(key, "WinWidth", settings.winWidth, defaults.winWidth);
    ReadDword(key, "WinHeight", settings.winHeight, defaults.winHeight);
    ReadDword(key, "CmdShow", settings.cmdShow, defaults.cmdShow);
    ReadDword(key, "ShowStatusBar", settings.showStatusBar, defaults.showStatusBar);
    ReadDword(key, "ShowToolBar", settings.showToolBar, defaults.showToolBar);
    ReadDword(key, "CommPort", settings.phone.commPort, PhoneSettings::DefaultCommPort);
    // Like the bars, only the value 1 switches it on; absent means off.
    DWORD fast = 0;
    ReadDword(key, "FastExchange", fast, DWORD{0});
    settings.phone.fastExchange = fast == 1;
}

void Application::SaveSettings()
{
    // Before the frame exists (a port chosen during start-up) the placement
    // read at start is written back unchanged rather than lost.
    RECT r{};
    if (frame && GetWindowRect(frame, &r)) {
        settings.winXPos = r.left;
        settings.winYPos = r.top;
        settings.winWidth = r.right - r.left;
        settings.winHeight = r.bottom - r.top;
    }

    const RegistryKey settingsKey = OpenSettingsKey();
    if (!settingsKey)
        return;
    HKEY key = settingsKey.Get();
    WriteDword(key, "WinXPos", static_cast<DWORD>(settings.winXPos));
    WriteDword(key, "WinYPos", static_cast<DWORD>(settings.winYPos));
    WriteDword(key, "WinWidth", static_cast<DWORD>(settings.winWidth));
    WriteDword(key, "WinHeight", static_cast<DWORD>(settings.winHeight));
    WriteDword(key, "ShowStatusBar", settings.showStatusBar);
    WriteDword(key, "ShowToolBar", settings.showToolBar);
    WriteDword(key, "CommPort", static_cast<DWORD>(settings.phone.commPort));
    WriteDword(key, "FastExchange", settings.phone.fastExchange ? 1 : 0);
}
