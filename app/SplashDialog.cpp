#include "app/SplashDialog.h"

#include <commctrl.h>

#include "app/Application.h"
#include "app/PortDialog.h"
#include "common/DialogCentring.h"
#include "phone/PhoneSession.h"
#include "res/resource.h"

namespace {
INT_PTR CALLBACK SplashProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dialog, IDC_SPLASH_PROGRESS, PBM_SETRANGE32, 0, SplashStepCount);
        CentreAndShow(dialog, WindowRectOf(GetDesktopWindow()));
        return TRUE;
    case VM_PROGRESS_POS:
        SendDlgItemMessageA(dialog, IDC_SPLASH_PROGRESS, PBM_SETPOS, wParam, 0);
        return FALSE;
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

HWND CreateSplashDialog(HINSTANCE instance)
{
    InitCommonControls();
    return CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_SPLASH), GetDesktopWindow(), SplashProc, 0);
}

void SplashStep(HWND splash, int step)
{
    SendMessageA(splash, VM_PROGRESS_POS, static_cast<WPARAM>(step), 0);
}

bool StartSessionWithSplash(PhoneSession& session)
{
    HWND splash = CreateSplashDialog(GetModuleHandleA(nullptr));
    UpdateWindow(splash);
    SessionStartUi ui;
    // No message loop runs during the start: each step is painted at once.
    ui.showStep = [splash](int step) {
        SplashStep(splash, step);
        UpdateWindow(splash);
    };
    // A port chosen here is kept at once, as from the frame's command.
    ui.choosePort = [splash, &session] {
        return RunPortDialog(splash, session.Settings(), [] {
                   if (TheApp)
                       TheApp->SaveSettings();
               }) == 1;
    };
    const bool ready = session.StartSession(ui);
    if (splash)
        DestroyWindow(splash);
    return ready;
}
