#include "common/DialogCentring.h"

#include "common/CentreRule.h"

void CentreAndShow(HWND dialog, const RECT& reference)
{
    const RECT own = WindowRectOf(dialog);
    const WindowOrigin origin = CentredOrigin(reference.left, reference.top, reference.right, reference.bottom,
                                              own.right - own.left, own.bottom - own.top);
    SetWindowPos(dialog, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(dialog, SW_SHOW);
}

RECT WindowRectOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

RECT ScreenRect()
{
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}
