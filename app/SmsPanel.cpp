#include "app/SmsPanel.h"

#include "app/Application.h"
#include "res/resource.h"

namespace {
constexpr int PanelTop = 30;

INT_PTR CALLBACK SmsPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowPos(panel, nullptr, 0, PanelTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(panel);
            return TRUE;
        }
        break;
    case WM_DESTROY:
        // The MDI client takes the panel's width back.
        if (TheApp && TheApp->smsPanel == panel) {
            TheApp->smsPanel = nullptr;
            SendMessageA(TheApp->frame, WM_SIZE, 0, 0);
        }
        return TRUE;
    default:
        break;
    }
    return FALSE;
}
}  // namespace

HWND CreateSmsPanel(HINSTANCE instance, HWND frame)
{
    HWND panel = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_SMS), frame, SmsPanelProc, 0);
    if (panel)
        ShowWindow(panel, SW_SHOW);
    return panel;
}
