#include "worker/ProgressDialog.h"

#include <commctrl.h>

#include <atomic>

#include "common/DialogCentring.h"
#include "res/resource.h"
#include "worker/ProgressText.h"

namespace {
constexpr DWORD DialogWaitPauseMs = 250;

// Written by the user-interface thread, read by the worker.
std::atomic<HWND> openDialog{nullptr};
std::atomic<bool> dialogExpected{false};

BOOL OnInitDialog(HWND dialog, int code)
{
    HWND parent = GetParent(dialog);
    CentreAndShow(dialog, WindowRectOf(parent ? parent : GetDesktopWindow()));
    SetDlgItemTextA(dialog, IDC_PROGRESS_TEXT, ProgressInitialText(code).c_str());
    if (!ProgressBarShown(code))
        ShowWindow(GetDlgItem(dialog, IDC_PROGRESS_BAR), SW_HIDE);
    // The control loops the clip by itself (auto-play).
    SendDlgItemMessageA(dialog, IDC_PROGRESS_ANIMATION, ACM_OPENA,
                        reinterpret_cast<WPARAM>(GetModuleHandleA(nullptr)),
                        reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(IDR_PROGRESS_AVI)));
    openDialog = dialog;
    return TRUE;
}

void OnItem(HWND dialog, const TextRow* item)
{
    if (!item)
        return;
    SetDlgItemTextA(dialog, IDC_PROGRESS_TEXT, ProgressItemText(*item).c_str());
    SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, ProgressRangeEnd(*item));
}

INT_PTR CALLBACK ProgressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, static_cast<int>(lParam));
    case WM_COMMAND:
        // Only Enter (IDOK) ends the dialog; Esc and the close request do not.
        if (LOWORD(wParam) != IDOK)
            return FALSE;
        EndDialog(dialog, 1);
        return TRUE;
    case VM_PROGRESS_POS:
        SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETPOS, wParam, 0);
        return TRUE;
    case VM_PROGRESS_ITEM:
        OnItem(dialog, reinterpret_cast<const TextRow*>(lParam));
        return TRUE;
    case WM_DESTROY:
        // From here on the worker must neither report to this window nor wait for it.
        if (openDialog == dialog)
            openDialog = nullptr;
        dialogExpected = false;
        return FALSE;
    default:
        return FALSE;
    }
}
}  // namespace

HWND ProgressDialogHandle()
{
    return openDialog;
}

void ExpectProgressDialog()
{
    dialogExpected = true;
}

INT_PTR ShowProgressDialog(HWND owner, int code)
{
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROGRESS), owner,
                                           ProgressProc, static_cast<LPARAM>(code));
    // Also when the dialog could not be made: nobody waits for it any more.
    dialogExpected = false;
    return result;
}

void CloseProgressDialog()
{
    HWND dialog = openDialog.exchange(nullptr);
    if (dialog)
        EndDialog(dialog, 1);
}

HWND WaitForProgressDialog()
{
    HWND dialog = openDialog;
    while (!dialog && dialogExpected) {
        Sleep(DialogWaitPauseMs);
        dialog = openDialog;
    }
    return dialog;
}

void SendProgressItem(const TextRow& item)
{
    if (HWND dialog = openDialog)
        SendMessageA(dialog, VM_PROGRESS_ITEM, 0, reinterpret_cast<LPARAM>(&item));
}

void PostProgressPosition(WPARAM position)
{
    if (HWND dialog = openDialog)
        PostMessageA(dialog, VM_PROGRESS_POS, position, 0);
}
