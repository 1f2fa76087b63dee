#include "grid/MDIChild.h"

#include <windowsx.h>

#include <string>

#include "common/Handles.h"
#include "common/ModuleInstance.h"
#include "grid/TableWindowHost.h"
#include "res/resource.h"

const char MDIChild::ClassName[] = "MDIChild";

namespace {
const char DefaultTitle[] = "MDIChild окно";
const char RegisterFailedCaption[] = "Ошибка регистрации класса окна.";

// The class goes in with the first window object; when the system refuses
// it, the user is told and the window then fails to be created.
void RegisterClassOnce(WNDPROC procedure)
{
    HINSTANCE instance = ModuleInstance();
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, MDIChild::ClassName, &existing))
        return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TABLE));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_TABLE), IMAGE_ICON, 16, 16, 0));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = MDIChild::ClassName;
    if (!RegisterClassExA(&wc))
        MessageBoxA(nullptr, std::to_string(GetLastError()).c_str(), RegisterFailedCaption, MB_OK);
}

bool InsideClient(HWND window, int x, int y)
{
    RECT client{};
    GetClientRect(window, &client);
    return x >= client.left && x < client.right && y >= client.top && y < client.bottom;
}
}  // namespace

MDIChild::MDIChild(TableWindowHost& host) : host_(host)
{
    RegisterClassOnce(WindowProc);
    tile_.Load(ModuleInstance(), IDB_TABLE_TILE);
}

MDIChild::~MDIChild()
{
    // The window may outlive its object for the rest of its destruction.
    if (window_ && FromHandle(window_) == this)
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    ReleaseBackBuffer();
}

MDIChild* MDIChild::FromHandle(HWND window)
{
    char className[sizeof ClassName + 1] = {};
    if (!window || !GetClassNameA(window, className, sizeof className) || lstrcmpA(className, ClassName) != 0)
        return nullptr;
    return reinterpret_cast<MDIChild*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HWND MDIChild::CreateChildWindow(DWORD style, int left, int top, int width, int height) const
{
    HWND client = host_.MdiClient();
    if (!client) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return CreateMDIWindowA(ClassName, DefaultTitle, style, left, top, width, height, client, ModuleInstance(), 0);
}

HWND MDIChild::Create()
{
    return Adopt(CreateChildWindow(0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT));
}

HWND MDIChild::Adopt(HWND window)
{
    if (!window)
        return nullptr;
    window_ = window;
    destroying_ = false;
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(window_, SW_SHOW);
    return window_;
}

void MDIChild::Close()
{
    HWND window = window_;
    if (!window || destroying_ || !IsWindow(window))
        return;
    // An open editor stores its value as the window takes the focus; a box
    // about a refused value lets the window be closed meanwhile, and with it
    // this object: from here on only the handle is used.
    SetFocus(window);
    if (IsWindow(window))
        SendMessageA(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
}

bool MDIChild::IsActive() const
{
    if (!window_)
        return false;
    HWND client = GetParent(window_);
    return client && reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) == window_;
}

void MDIChild::Paint()
{
    if (!window_)
        return;
    // Showing or hiding a scroll bar after drawing resizes the client and asks
    // for a paint from inside this one: that becomes one more round here.
    if (painting_) {
        repaint_ = true;
        return;
    }
    painting_ = true;
    for (int round = 0; round < 4; ++round) {
        repaint_ = false;
        InvalidateRect(window_, nullptr, FALSE);
        {
            const PaintScope paint(window_);
            const HDC dc = paint.Dc();
            if (!dc)
                break;
            if (!backBuffer_.IsValid())
                CreateBackBuffer(dc);
            if (backBuffer_.IsValid()) {
                DrawContent();
                BitBlt(dc, 0, 0, backBuffer_.Width(), backBuffer_.Height(), backBuffer_.Dc(), 0, 0, SRCCOPY);
            }
        }
        AfterPaint();
        if (!repaint_)
            break;
    }
    painting_ = false;
}

void MDIChild::CreateBackBuffer(HDC dc)
{
    RECT client{};
    GetClientRect(window_, &client);
    backBuffer_.Create(dc, client.right - client.left, client.bottom - client.top);
}

void MDIChild::ReleaseBackBuffer()
{
    backBuffer_.Reset();
}

void MDIChild::DrawContent()
{
    HDC dc = backBuffer_.Dc();
    const int width = backBuffer_.Width();
    const int height = backBuffer_.Height();
    if (!tile_.IsValid() || tile_.Width() <= 0 || tile_.Height() <= 0) {
        RECT all{0, 0, width, height};
        FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
        return;
    }
    for (int y = 0; y < height; y += tile_.Height())
        for (int x = 0; x < width; x += tile_.Width())
            BitBlt(dc, x, y, tile_.Width(), tile_.Height(), tile_.Dc(), 0, 0, SRCCOPY);
}

void MDIChild::AfterPaint() {}
void MDIChild::OnKeyDown(WPARAM, LPARAM) {}
void MDIChild::OnChar(WPARAM, LPARAM) {}
void MDIChild::OnVScroll(WPARAM, LPARAM) {}
void MDIChild::OnHScroll(WPARAM, LPARAM) {}
void MDIChild::OnLButtonDown(int, int) {}
void MDIChild::OnRButtonDown(int, int) {}
void MDIChild::OnLButtonDblClk(int, int) {}
void MDIChild::SetReadOnly(bool) {}
void MDIChild::OnCommand(int) {}

namespace {
// Gives the window the focus; the window's object afterwards, or none. An
// editor open on the window stores its value as it loses the focus, and a
// box about a refused value runs a message loop meanwhile, in which the
// window may be closed and its object deleted.
MDIChild* FocusAndFind(HWND window)
{
    SetFocus(window);
    return MDIChild::FromHandle(window);
}
}  // namespace

void MDIChild::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MDIChild* child = FromHandle(window);
    if (!child)
        return;
    switch (message) {
    case WM_SIZE:
        if (!(child = FocusAndFind(window)))
            break;
        child->ReleaseBackBuffer();
        child->Paint();
        break;
    case WM_PAINT: child->Paint(); break;
    case WM_KEYDOWN:
        if ((child = FocusAndFind(window)))
            child->OnKeyDown(wParam, lParam);
        break;
    case WM_CHAR:
        if ((child = FocusAndFind(window)))
            child->OnChar(wParam, lParam);
        break;
    case WM_COMMAND:
        // The frame's delete, add and edit commands act as the keys.
        switch (LOWORD(wParam)) {
        case IDM_DELETE: SendMessageA(window, WM_KEYDOWN, VK_DELETE, 0); break;
        case IDM_INSERT: SendMessageA(window, WM_KEYDOWN, VK_INSERT, 0); break;
        case IDM_EDIT: SendMessageA(window, WM_KEYDOWN, VK_RETURN, 0); break;
        default: child->OnCommand(LOWORD(wParam)); break;
        }
        break;
    case WM_HSCROLL: child->OnHScroll(wParam, lParam); break;
    case WM_VSCROLL: child->OnVScroll(wParam, lParam); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int x = GET_X_LPARAM(lParam);
        const int y = GET_Y_LPARAM(lParam);
        if (!InsideClient(window, x, y) || !(child = FocusAndFind(window)))
            break;
        if (message == WM_LBUTTONDOWN)
            child->OnLButtonDown(x, y);
        else if (message == WM_RBUTTONDOWN)
            child->OnRButtonDown(x, y);
        else
            child->OnLButtonDblClk(x, y);
        break;
    }
    case WM_MDIACTIVATE:
        child->host_.CommandsChanged();
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        child->window_ = nullptr;
        break;
    default: break;
    }
}

namespace {
// What the user does to a table window; none of it may act while the
// exchange worker reads the table (the frame is disabled then, and this also
// holds for messages posted to the window).
bool IsUserAction(UINT message, WPARAM wParam)
{
    switch (message) {
    case WM_CLOSE:
    case WM_COMMAND:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return true;
    case WM_SYSCOMMAND: return (wParam & 0xFFF0) == SC_CLOSE;
    default: return false;
    }
}
}  // namespace

LRESULT CALLBACK MDIChild::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MDIChild* child = FromHandle(window);
    if (child && IsUserAction(message, wParam) && child->host_.TableActionsBlocked())
        return 0;
    // Nothing may unwind through the system: a handler that runs out of
    // memory loses its message instead.
    try {
        if (message == WM_DESTROY) {
            if (child) {
                // Telling the host may delete the object: only the host goes on.
                TableWindowHost& host = child->host_;
                child->destroying_ = true;
                host.TableWindowDestroyed(window);
            }
        } else {
            Dispatch(window, message, wParam, lParam);
        }
    } catch (...) {
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}
