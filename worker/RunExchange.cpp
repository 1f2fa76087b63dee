#include "worker/RunExchange.h"

#include "common/AppLink.h"
#include "worker/ExchangeWorker.h"
#include "worker/ProgressDialog.h"

namespace {
// How long a worker that has posted its completion may take to return.
constexpr DWORD FinishingLimitMs = 5000;
// How long a worker asked to stop at exit may take to reach the next check.
// One silent phone exchange lasts about 8 s.
constexpr DWORD ExitStopLimitMs = 12000;
constexpr DWORD PumpSliceMs = 100;

// Set when the frame was asked to close while a worker ran.
bool closeAfterExchange = false;

// The worker of the running or latest phone operation; none when idle. Only
// the user-interface thread touches it.
std::unique_ptr<ExchangeWorker> currentWorker;

ExchangeWorker* CurrentWorker()
{
    return currentWorker.get();
}

BOOL CALLBACK CloseBox(HWND window, LPARAM)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Asks the worker to end at its next record, and closes its own boxes (a
// refused record, a failed read): nobody will answer them now.
void AskWorkerToStop(ExchangeWorker& worker)
{
    worker.RequestStop();
    if (worker.ThreadId())
        EnumThreadWindows(worker.ThreadId(), CloseBox, 0);
}

// Dispatches what waits in the queue. False once WM_QUIT came: it is posted
// again for the program's own loop.
bool PumpWaiting()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

// Waits, pumping messages, until the worker of `app` has ended. The frame
// stays disabled meanwhile, under the wait cursor (see the frame's
// WM_SETCURSOR).
void WaitForWorker(const Application* app)
{
    HWND frame = AppFrame();
    HWND focus = GetFocus();
    const bool wasDisabled = EnableWindow(frame, FALSE) != FALSE;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    DWORD closeStart = 0;
    for (;;) {
        // The application may have gone while messages were dispatched.
        if (TheApp != app)
            return;
        ExchangeWorker* worker = CurrentWorker();
        if (!worker || !worker->Running())
            break;
        if (closeAfterExchange) {
            if (!closeStart)
                closeStart = GetTickCount();
            AskWorkerToStop(*worker);
            if (GetTickCount() - closeStart > ExitStopLimitMs) {
                // The last resort: a worker that stays inside one exchange.
                worker->Stop(true);
                break;
            }
        }
        HANDLE thread = worker->Handle();
        MsgWaitForMultipleObjects(1, &thread, FALSE, PumpSliceMs, QS_ALLINPUT);
        if (!PumpWaiting())
            break;
    }
    if (TheApp != app)
        return;
    if (!wasDisabled)
        EnableWindow(frame, TRUE);
    if (focus && IsWindow(focus))
        SetFocus(focus);
}
}  // namespace

bool RunExchange(int code, void* data)
{
    return RunExchangeWorker(std::make_unique<ExchangeWorker>(code, data));
}

bool RunExchangeWorker(std::unique_ptr<ExchangeWorker> worker)
{
    const Application* app = TheApp;
    if (!app || !AppSession() || !worker || ExchangeRunning())
        return false;
    // A worker left from an earlier exchange has ended: only its object remains.
    currentWorker.reset();
    closeAfterExchange = false;

    const int code = worker->Code();
    const bool dialogOpen = ProgressDialogHandle() != nullptr;
    if (!dialogOpen)
        ExpectProgressDialog();
    currentWorker = std::move(worker);
    // When no thread starts, nothing ends the dialog but the Enter key.
    currentWorker->Start();
    if (!dialogOpen)
        ShowProgressDialog(AppFrame(), code);
    if (TheApp != app)
        return false;
    WaitForWorker(app);
    if (TheApp != app)
        return false;
    // The thread has ended; its completion message may still be queued, and
    // is ignored once the worker is gone.
    if (currentWorker && !currentWorker->Running())
        FinishExchange(currentWorker->RunNumber());
    if (closeAfterExchange) {
        closeAfterExchange = false;
        PostMessageA(AppFrame(), WM_CLOSE, 0, 0);
        return false;
    }
    return true;
}

ExchangeWorker* CurrentExchangeWorker()
{
    return CurrentWorker();
}

bool ExchangeStopRequested()
{
    const ExchangeWorker* worker = CurrentWorker();
    return worker && worker->StopRequested();
}

bool ExchangeRunning()
{
    const ExchangeWorker* worker = CurrentWorker();
    return worker && worker->Running();
}

void CloseFrameAfterExchange()
{
    closeAfterExchange = true;
    if (ExchangeWorker* worker = CurrentWorker())
        AskWorkerToStop(*worker);
    CloseProgressDialog();
}

void EndExchangeForExit()
{
    ExchangeWorker* worker = CurrentWorker();
    if (!worker)
        return;
    closeAfterExchange = false;
    CloseProgressDialog();
    const DWORD start = GetTickCount();
    while (worker->Running() && GetTickCount() - start < ExitStopLimitMs) {
        AskWorkerToStop(*worker);
        // Only what the worker sends is answered here (its progress items
        // wait for that); nothing else of the closing program runs.
        HANDLE thread = worker->Handle();
        MsgWaitForMultipleObjects(1, &thread, FALSE, PumpSliceMs, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    // Terminates it only if it is still inside an exchange after the bound.
    worker->Stop(true);
    currentWorker.reset();
}

void FinishExchange(WPARAM run)
{
    ExchangeWorker* worker = CurrentWorker();
    if (!worker || worker->RunNumber() != run)
        return;
    // The completion message is the worker's last act: its thread is ending.
    if (worker->Handle())
        WaitForSingleObject(worker->Handle(), FinishingLimitMs);
    worker->Stop();
    currentWorker.reset();
    CloseProgressDialog();
}
