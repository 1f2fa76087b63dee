#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "app/AboutDialog.h"
#include "app/Application.h"
#include "app/CommandState.h"
#include "app/PortChange.h"
#include "app/SmsPanel.h"
#include "grid/GridWindow.h"
#include "models/TableCatalogue.h"
#include "models/TableModel.h"
#include "phone/PhoneSession.h"
#include "res/resource.h"
#include "worker/ExchangeStarters.h"
#include "worker/UploadStarters.h"

namespace {
void ForwardToActiveChild(HWND mdiClient, WPARAM wParam, LPARAM lParam)
{
    HWND active = reinterpret_cast<HWND>(SendMessageA(mdiClient, WM_MDIGETACTIVE, 0, 0));
    if (active)
        SendMessageA(active, WM_COMMAND, wParam, lParam);
}
}  // namespace

bool Application::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Menus and tool bar buttons leave the focus where it is: an open editor
    // stores first, so that the command (an exchange above all, whose worker
    // reads the rows) sees the value typed. A box about a refused value may
    // let the frame be closed meanwhile.
    Application* const self = this;
    EndOpenEdit();
    if (TheApp != self)
        return true;
    switch (LOWORD(wParam)) {
    case IDM_EXIT: DestroyWindow(frame); return true;
    case IDM_CLOSE_ACTIVE: CloseActiveTable(); return true;
    case IDM_CASCADE: CascadeWindows(mdiClient, MDITILE_SKIPDISABLED, nullptr, 0, nullptr); return true;
    case IDM_TILE_HORIZONTAL: TileWindows(mdiClient, MDITILE_HORIZONTAL, nullptr, 0, nullptr); return true;
    case IDM_TILE_VERTICAL: TileWindows(mdiClient, MDITILE_VERTICAL, nullptr, 0, nullptr); return true;
    case IDM_ARRANGE_ICONS: ArrangeIconicWindows(mdiClient); return true;
    case IDM_ABOUT: ShowAboutDialog(frame); return true;
    case IDM_TOOLBAR: ToggleToolBar(); return true;
    case IDM_STATUSBAR: ToggleStatusBar(); return true;
    case IDM_CLOSE_ALL: CloseAllTables(); RefreshCommands(); return true;
    case IDM_DELETE:
    case IDM_INSERT:
    case IDM_FONT:
    case IDM_EXPORT:
    case IDM_IMPORT:
    case IDM_EDIT: ForwardToActiveChild(mdiClient, wParam, lParam); return true;
    case IDM_MAXIMIZE: {
        HWND active = reinterpret_cast<HWND>(SendMessageA(mdiClient, WM_MDIGETACTIVE, 0, 0));
        if (active)
            SendMessageA(mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active), 0);
        return true;
    }
    case IDM_PHONEBOOK: OpenTable(kPhoneBookKind); return true;
    case IDM_SCHEDULER: OpenTable(kSchedulerKind); return true;
    case IDM_MEMO: OpenTable(kMemoKind); return true;
    case IDM_PHOTOS: OpenTable(kPhotoKind); return true;
    case IDM_MOVIES: OpenTable(kMovieKind); return true;
    case IDM_SMS: ToggleSmsPanel(); return true;
    case IDM_PORT: ChangePort(*this); return true;
    case IDM_WRITE_PHONE: WriteActiveTable(*this); return true;
    case IDM_RECEIVE_PHONE: ReceiveActiveTable(*this); return true;
    case IDM_GET_SELECTED: DownloadMedia(*this, false); return true;
    case IDM_GET_ALL: DownloadMedia(*this, true); return true;
    case IDM_MELODY: StartMelodyUpload(*this); return true;
    case IDM_PICTURE: StartPictureUpload(*this); return true;
    case IDM_ANIMATION: StartAnimationUpload(*this); return true;
    default: return false;
    }
}

void Application::SetFrameMenu(MenuHandle& slot, int resourceId, bool withWindowMenu)
{
    MenuHandle fresh(LoadMenuA(instance, MAKEINTRESOURCEA(resourceId)));
    if (!fresh)
        return;
    HMENU windowMenu = withWindowMenu ? GetSubMenu(fresh.Get(), MENU_TABLE_WINDOWS) : nullptr;
    SendMessageA(mdiClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(fresh.Get()),
                 reinterpret_cast<LPARAM>(windowMenu));
    // The previous copy goes only once the frame no longer shows it; a menu
    // the frame still shows is destroyed with the frame.
    if (slot && slot.Get() == GetMenu(frame))
        slot.Release();
    slot = std::move(fresh);
}

void Application::RefreshCommands()
{
    if (!frame || closing)
        return;
    const TableModel* active = ActiveModel();
    const CommandState state =
        ComputeCommandState(active ? active->Kind() : -1, smsPanel != nullptr, session ? session->ModelName : "");

    if (toolBar) {
        for (int command : state.uncheckedButtons)
            SendMessageA(toolBar, TB_CHECKBUTTON, command, FALSE);
        for (int command : state.checkedButtons)
            SendMessageA(toolBar, TB_CHECKBUTTON, command, TRUE);
    }
    if (state.menu == FrameMenu::Table)
        SetFrameMenu(tableMenu, IDR_TABLE_MENU, true);
    else
        SetFrameMenu(noTableMenu, IDR_NOTABLE_MENU, false);

    // By command on the bar itself, which searches every popup: with a
    // maximised table window its system menu is popup 0 and the others move
    // along by one.
    HMENU menu = GetMenu(frame);
    for (int command : state.grayedCommands)
        EnableMenuItem(menu, command, MF_BYCOMMAND | MF_GRAYED);
    if (toolBar) {
        for (int command : state.shownButtons)
            SendMessageA(toolBar, TB_HIDEBUTTON, command, FALSE);
        for (int command : state.hiddenButtons)
            SendMessageA(toolBar, TB_HIDEBUTTON, command, TRUE);
    }

    ApplyVisibility(toolBar, settings.showToolBar, IDM_TOOLBAR);
    ApplyVisibility(statusBar, settings.showStatusBar, IDM_STATUSBAR);
    DrawMenuBar(frame);
    SetStatusText("");
}

void Application::ApplyVisibility(HWND bar, DWORD setting, int command)
{
    const bool shown = setting == 1;
    CheckMenuItem(GetMenu(frame), command, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
    if (bar)
        ShowWindow(bar, shown ? SW_SHOW : SW_HIDE);
}

void Application::SetStatusText(const char* text)
{
    if (!statusBar)
        return;
    const char* shown = (text && *text) ? text : session ? session->Description.c_str() : "";
    SendMessageA(statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(shown));
}

RECT Application::LayoutClientArea() const
{
    RECT area{};
    GetClientRect(frame, &area);
    RECT bar{};
    if (toolBar && IsWindowVisible(toolBar) && GetClientRect(toolBar, &bar))
        area.top += bar.bottom;
    if (statusBar && IsWindowVisible(statusBar) && GetClientRect(statusBar, &bar))
        area.bottom -= bar.bottom;
    if (smsPanel && IsWindowVisible(smsPanel) && GetClientRect(smsPanel, &bar))
        area.left += bar.right;
    return area;
}

void Application::ToggleBar(HWND bar, DWORD& setting, int command)
{
    HMENU menu = GetMenu(frame);
    if (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) {
        CheckMenuItem(menu, command, MF_BYCOMMAND | MF_UNCHECKED);
        if (bar)
            ShowWindow(bar, SW_HIDE);
        setting = 0;
    } else {
        CheckMenuItem(menu, command, MF_BYCOMMAND | MF_CHECKED);
        if (bar)
            ShowWindow(bar, SW_SHOW);
        setting = 1;
    }
    const RECT r = LayoutClientArea();
    SendMessageA(frame, WM_SIZE, 0, MAKELPARAM(r.right - r.left, r.bottom - r.top));
    // Hiding and showing the frame repaints the bars and the client at once.
    ShowWindow(frame, SW_HIDE);
    ShowWindow(frame, SW_SHOW);
}

void Application::ToggleToolBar()
{
    ToggleBar(toolBar, settings.showToolBar, IDM_TOOLBAR);
}

void Application::ToggleStatusBar()
{
    ToggleBar(statusBar, settings.showStatusBar, IDM_STATUSBAR);
}

void Application::ToggleSmsPanel()
{
    if (smsPanel)
        DestroyWindow(smsPanel);
    else
        smsPanel = CreateSmsPanel(instance, frame);
    if (smsPanel)
        SendMessageA(frame, WM_SIZE, 0, 0);
    RefreshCommands();
}

void Application::OnInitMenu(HMENU menu)
{
    // By command over the whole bar: popup 0 is "&Файл" unless a maximised
    // child puts its system menu first.
    for (int command : {IDM_PHONEBOOK, IDM_SCHEDULER, IDM_SMS})
        CheckMenuItem(menu, command, MF_BYCOMMAND | MF_UNCHECKED);
    for (const auto& model : OpenTables) {
        if (model->Kind() == kPhoneBookKind)
            CheckMenuItem(menu, IDM_PHONEBOOK, MF_BYCOMMAND | MF_CHECKED);
        if (model->Kind() == kSchedulerKind)
            CheckMenuItem(menu, IDM_SCHEDULER, MF_BYCOMMAND | MF_CHECKED);
    }
    if (smsPanel)
        CheckMenuItem(menu, IDM_SMS, MF_BYCOMMAND | MF_CHECKED);
}
