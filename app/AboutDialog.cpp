#include "app/AboutDialog.h"

#include "common/DialogCentring.h"
#include "res/resource.h"

namespace {
INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        HWND parent = GetParent(dialog);
        CentreAndShow(dialog, WindowRectOf(parent ? parent : GetDesktopWindow()));
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}
}  // namespace

INT_PTR ShowAboutDialog(HWND owner)
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
}
