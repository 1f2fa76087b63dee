#include "app/AboutDialog.h"

#include "res/resource.h"

namespace {
INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}
}  // namespace

void ShowAboutDialog(HWND owner)
{
    DialogBoxParamA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)),
                    MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
}
