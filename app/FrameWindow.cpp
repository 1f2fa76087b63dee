#include <windows.h>
#include <commctrl.h>

#include "app/Application.h"
#include "app/FrameRect.h"
#include "app/SplashDialog.h"
#include "phone/PhoneSession.h"
#include "res/resource.h"
#include "worker/RunExchange.h"

namespace {
const char FrameClassName[] = "KORT_MDI_application";
const char FrameTitle[] = "VelarMon: ПК-менеджер CDMA телефонов Samsung";

LRESULT CALLBACK FrameWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Application* app = TheApp;
    HWND client = app ? app->mdiClient : nullptr;
    if (!app)
        return DefFrameProcA(hwnd, client, message, wParam, lParam);

    switch (message) {
    case WM_CREATE:
        app->OnCreate(hwnd);
        return 0;
    case WM_SIZE:
        app->OnSize(lParam);
        return 0;
    case WM_NOTIFY:
        return app->OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
        // While a worker uses the tables, the database and the port, no
        // command may reach them (the frame is disabled; this also holds
        // for commands posted to it).
        if (ExchangeRunning())
            return 0;
        if (app->OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_CLOSE:
        if (ExchangeRunning()) {
            CloseFrameAfterExchange();
            return 0;
        }
        break;
    case WM_ENDSESSION:
        // The system ends the process once this returns: the program closes
        // now, a running operation stopped as on a close of the frame.
        if (wParam) {
            DestroyWindow(hwnd);
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (ExchangeRunning()) {
            SetCursor(LoadCursorA(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_INITMENU:
        app->OnInitMenu(reinterpret_cast<HMENU>(wParam));
        return 0;
    case VM_EXCHANGE_DONE:
        FinishExchange(wParam);
        return 0;
    case WM_DESTROY:
        DestroyApplication();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefFrameProcA(hwnd, client, message, wParam, lParam);
}
}  // namespace

bool RegisterFrameClass(HINSTANCE instance)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = FrameWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 16, 16, 0));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_NOTABLE_MENU);
    wc.lpszClassName = FrameClassName;
    return RegisterClassExA(&wc) != 0;
}

HWND Application::CreateFrame(HINSTANCE moduleInstance, int showCommand)
{
    instance = moduleInstance;
    session = std::make_unique<PhoneSession>(sessionNotices, settings.phone);
    if (!StartSessionWithSplash(*session))
        return nullptr;

    SavedRect saved{settings.winXPos, settings.winYPos, settings.winWidth, settings.winHeight};
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    if (IsSavedRectUsable(saved, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))) {
        x = saved.left;
        y = saved.top;
        width = saved.width;
        height = saved.height;
    }

    noTableMenu.Reset(LoadMenuA(instance, MAKEINTRESOURCEA(IDR_NOTABLE_MENU)));
    tableMenu.Reset(LoadMenuA(instance, MAKEINTRESOURCEA(IDR_TABLE_MENU)));

    HWND created = CreateWindowExA(0, FrameClassName, FrameTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, width,
                                   height, nullptr, nullptr, instance, nullptr);
    if (!created) {
        MessageBoxA(nullptr, "", "", MB_OK);
        return nullptr;
    }
    frame = created;
    // The class menu served until now; from here on the frame shows the
    // menus this object loads and owns. Should the frame still show it, it
    // stays the frame's.
    MenuHandle classMenu(GetMenu(frame));

    CreateBars();
    if (classMenu && classMenu.Get() == GetMenu(frame))
        classMenu.Release();

    ShowWindow(frame, settings.cmdShow != 0 ? static_cast<int>(settings.cmdShow) : showCommand);
    UpdateWindow(frame);
    return frame;
}

void Application::OnCreate(HWND frameWindow)
{
    frame = frameWindow;
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = tableMenu ? GetSubMenu(tableMenu.Get(), MENU_TABLE_WINDOWS) : nullptr;
    ccs.idFirstChild = IDM_FIRST_CHILD;
    mdiClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_BORDER, 0, 0, 0, 0, frame,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MDI_CLIENT)), instance, &ccs);
    if (!mdiClient)
        return;
    SubclassClient();
    ShowWindow(mdiClient, SW_SHOW);
    UpdateWindow(mdiClient);
}

void Application::OnSize(LPARAM size)
{
    if (toolBar)
        SendMessageA(toolBar, WM_SIZE, 0, size);
    if (statusBar)
        SendMessageA(statusBar, WM_SIZE, 0, size);
    const RECT r = LayoutClientArea();
    ReleaseBackBuffer();
    if (mdiClient)
        MoveWindow(mdiClient, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}
