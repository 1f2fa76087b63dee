#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "common/Handles.h"
#include "common/MemoryBitmap.h"
#include "grid/TableWindowHost.h"
#include "phone/PhoneSettings.h"
#include "worker/ExchangeHost.h"
#include "worker/NoticeBoxes.h"

class PhoneSession;
class TableModel;
class GridWindow;

// User settings kept in the registry between runs: the frame's placement and
// bars, and how the phone is reached.
struct Settings {
    LONG winXPos = 0;
    LONG winYPos = 0;
    LONG winWidth = 0;
    LONG winHeight = 0;
    DWORD cmdShow = 0;  // 0: use the show command the system passed at start
    DWORD showStatusBar = 1;
    DWORD showToolBar = 1;
    PhoneSettings phone;
};

extern const char* const SettingsKeyPath;

// The one application object: the frame and its bars, the open tables, the
// background pictures and the phone session. Made by CreateApplication and
// destroyed by DestroyApplication only; the app floor reaches it through
// TheApp, the table windows and the exchanges through the host interfaces it
// implements.
class Application final : public TableWindowHost, public ExchangeHost {
public:
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HWND CreateFrame(HINSTANCE instance, int showCommand);

    void OpenTable(int kind) override;
    void CloseActiveTable();
    void CloseAllTables();
    void ForgetTable(HWND window);
    TableModel* ActiveModel() const override;

    // What the table windows and the exchanges ask of the application.
    HWND MdiClient() const override { return mdiClient; }
    HWND Frame() const override { return frame; }
    PhoneSession* Session() const override { return session.get(); }
    bool TableActionsBlocked() const override;
    void TableWindowDestroyed(HWND window) override { ForgetTable(window); }
    void CommandsChanged() override { RefreshCommands(); }

    void RefreshCommands();
    void SetStatusText(const char* text);
    void ToggleToolBar();
    void ToggleStatusBar();
    void ToggleSmsPanel();
    RECT LayoutClientArea() const;
    void PaintBackground();
    void ReleaseBackBuffer() { backBuffer.Reset(); }

    void LoadSettings();
    void SaveSettings();

    // Frame window messages.
    void OnCreate(HWND frameWindow);
    void OnSize(LPARAM size);
    LRESULT OnNotify(NMHDR* header);
    bool OnCommand(WPARAM wParam, LPARAM lParam);
    void OnInitMenu(HMENU menu);

    HINSTANCE instance = nullptr;
    HWND frame = nullptr;
    HWND mdiClient = nullptr;
    HWND toolBar = nullptr;
    HWND statusBar = nullptr;
    HWND smsPanel = nullptr;
    MenuHandle noTableMenu;
    MenuHandle tableMenu;
    Settings settings;
    std::vector<std::unique_ptr<TableModel>> OpenTables;
    // Shows what the phone session tells the user; made before the session.
    NoticeBoxes sessionNotices;
    std::unique_ptr<PhoneSession> session;

private:
    friend Application* CreateApplication(HINSTANCE instance);
    friend struct ApplicationDeleter;
    explicit Application(HINSTANCE instance);
    ~Application();

    void CreateBars();
    void SetFrameMenu(MenuHandle& slot, int resourceId, bool withWindowMenu);
    void ApplyVisibility(HWND bar, DWORD setting, int command);
    void ToggleBar(HWND bar, DWORD& setting, int command);
    void SubclassClient();
    void RestoreClientProc();

    MemoryBitmap tile;
    MemoryBitmap logo;
    MemoryBitmap backBuffer;
    WNDPROC previousClientProc = nullptr;
    bool closing = false;
};

// The application object; none before start-up and once the frame is
// destroyed. Code that ran a message loop compares it with the value it had
// before, to learn whether what it holds still exists.
extern Application* TheApp;

// Makes the one application object (reading the settings) and sets TheApp
// to it; an object made before is destroyed first.
Application* CreateApplication(HINSTANCE instance);
// Destroys the application object, if there is one (saving the settings),
// and clears TheApp. Called by the frame's destruction and at the end of the
// program, whichever comes first.
void DestroyApplication();

// Registers the frame window class; false when the system refuses.
bool RegisterFrameClass(HINSTANCE instance);
