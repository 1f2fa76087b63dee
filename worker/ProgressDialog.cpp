#include "worker/ProgressDialog.h"

#include <commctrl.h>

#include <atomic>

#include "common/DialogCentring.h"
#include "common/Handles.h"
#include "res/resource.h"
#include "worker/ProgressText.h"

namespace {
// The worker looks again after this long even when it was not woken; a
// safeguard only, the event wakes it.
constexpr DWORD DialogWaitSliceMs = 1000;
const char StoppingText[] = "Остановка...";

// Written by the user-interface thread, read by the worker.
std::atomic<HWND> openDialog{nullptr};
std::atomic<bool> dialogExpected{false};

// User-interface thread only: what the stop button calls, and whether the
// operation has been asked to stop.
ProgressStopRequest stopRequest = nullptr;
bool stopping = false;

// Set whenever the dialog has opened or the wait for it has ended, so that
// a waiting worker goes on at once.
HANDLE DialogChanged()
{
    static const KernelHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    return event.Get();
}

void WakeWaitingWorker()
{
    if (HANDLE event = DialogChanged())
        SetEvent(event);
}

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
    stopping = false;
    openDialog = dialog;
    WakeWaitingWorker();
    return TRUE;
}

// The stop button, Enter or Esc: the operation is asked once to stop and the
// dialog stays until it has; with no operation running it ends now.
void OnStop(HWND dialog)
{
    if (stopping)
        return;
    if (!stopRequest || !stopRequest()) {
        EndDialog(dialog, 1);
        return;
    }
    stopping = true;
    SetDlgItemTextA(dialog, IDC_PROGRESS_TEXT, StoppingText);
    HWND button = GetDlgItem(dialog, IDC_PROGRESS_STOP);
    // A disabled control keeps no focus; the dialog takes the keys meanwhile.
    if (GetFocus() == button)
        SetFocus(dialog);
    EnableWindow(button, FALSE);
}

void OnItem(HWND dialog, const TextRow* item)
{
    if (!item)
        return;
    // Once stopping, the line keeps saying so.
    if (!stopping)
        SetDlgItemTextA(dialog, IDC_PROGRESS_TEXT, ProgressItemText(*item).c_str());
    SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, ProgressRangeEnd(*item));
}

INT_PTR CALLBACK ProgressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, static_cast<int>(lParam));
    case WM_COMMAND:
        // The button, Enter (IDOK) and Esc (IDCANCEL); the dialog has no
        // close box.
        switch (LOWORD(wParam)) {
        case IDC_PROGRESS_STOP:
        case IDOK:
        case IDCANCEL: OnStop(dialog); return TRUE;
        default: return FALSE;
        }
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
        WakeWaitingWorker();
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
    if (HANDLE event = DialogChanged())
        ResetEvent(event);
    dialogExpected = true;
}

INT_PTR ShowProgressDialog(HWND owner, int code, ProgressStopRequest requestStop)
{
    stopRequest = requestStop;
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROGRESS), owner,
                                           ProgressProc, static_cast<LPARAM>(code));
    stopRequest = nullptr;
    // Also when the dialog could not be made: nobody waits for it any more.
    dialogExpected = false;
    WakeWaitingWorker();
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
    HANDLE changed = DialogChanged();
    while (!dialog && dialogExpected) {
        // Without the event (it could not be made) this is a plain poll.
        if (changed)
            WaitForSingleObject(changed, DialogWaitSliceMs);
        else
            Sleep(DialogWaitSliceMs / 4);
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
