#include "grid/GridWindow.h"

bool GridWindow::IsActive() const
{
    if (!window_)
        return false;
    HWND client = GetParent(window_);
    return client && reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) == window_;
}

void GridWindow::Close()
{
    if (window_)
        SendMessageA(GetParent(window_), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window_), 0);
}
