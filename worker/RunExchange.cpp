#include "worker/RunExchange.h"

#include "worker/ExchangeHost.h"
#include "worker/ExchangeWorker.h"
#include "worker/ProgressDialog.h"

namespace {
// How long a worker that has posted its completion may take to return.
constexpr DWORD FinishingLimitMs = 5000;
// How long a worker asked to stop at exit may take to reach its next check:
// the longest single exchange (a silent one of three time-out units, 24 s)
// and a margin. Only after that is it ended by force.
constexpr DWORD ExitStopLimitMs = 27000;
constexpr DWORD PumpSliceMs = 100;
const char ForcedEndLine[] = "VelarMon: the exchange worker did not stop in time and was terminated.\r\n";

// Set when the frame was asked to close while a worker ran.
bool closeAfterExchange = false;

// The worker of the running or latest phone operation; none when idle. Only
// the user-interface thread touches it.
std::unique_ptr<ExchangeWorker> currentWorker;

ExchangeWorker* CurrentWorker()
{
    return currentWorker.get();
}

// Presses the Cancel or No button of a box the worker shows (a Yes/No box
// ignores WM_CLOSE), or OK when it has no other. Only dialog windows are
// touched.
BOOL CALLBACK DismissBox(HWND window, LPARAM)
{
    char className[16] = {};
    if (!GetClassNameA(window, className, sizeof className) || lstrcmpA(className, "#32770") != 0)
        return TRUE;
    for (int id : {IDCANCEL, IDNO, IDOK}) {
        if (HWND button = GetDlgItem(window, id)) {
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            break;
        }
    }
    return TRUE;
}

// The program is closing: asks the worker to end at its next check, and
// dismisses its own boxes (a refused record, a failed read): nobody will
// answer them now.
void AskWorkerToClose(ExchangeWorker& worker)
{
    worker.RequestClose();
    if (worker.ThreadId())
        EnumThreadWindows(worker.ThreadId(), DismissBox, 0);
}

// The last resort for a worker that stays inside one exchange past the
// bound; the line tells whoever reads the program's output.
void ForceWorkerEnd(ExchangeWorker& worker)
{
    if (!worker.Running())
        return;
    DWORD written = 0;
    HANDLE output = GetStdHandle(STD_ERROR_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE)
        WriteFile(output, ForcedEndLine, sizeof ForcedEndLine - 1, &written, nullptr);
    OutputDebugStringA(ForcedEndLine);
    worker.Stop(true);
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

// Waits, pumping messages, until the worker of `host` has ended. The frame
// stays disabled meanwhile, under the wait cursor (see the frame's
// WM_SETCURSOR).
void WaitForWorker(const ExchangeHost* host, HWND frame)
{
    HWND focus = GetFocus();
    const bool wasDisabled = EnableWindow(frame, FALSE) != FALSE;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    DWORD closeStart = 0;
    for (;;) {
        // The host may have gone while messages were dispatched.
        if (!ExchangeHost::Exists(host))
            return;
        ExchangeWorker* worker = CurrentWorker();
        if (!worker || !worker->Running())
            break;
        if (closeAfterExchange) {
            if (!closeStart)
                closeStart = GetTickCount();
            AskWorkerToClose(*worker);
            if (GetTickCount() - closeStart > ExitStopLimitMs) {
                ForceWorkerEnd(*worker);
                break;
            }
        }
        HANDLE thread = worker->Handle();
        MsgWaitForMultipleObjects(1, &thread, FALSE, PumpSliceMs, QS_ALLINPUT);
        if (!PumpWaiting())
            break;
    }
    if (!ExchangeHost::Exists(host))
        return;
    if (!wasDisabled)
        EnableWindow(frame, TRUE);
    if (focus && IsWindow(focus))
        SetFocus(focus);
}
}  // namespace

bool RunExchange(ExchangeHost& host, ExchangeRequest request)
{
    return RunExchangeWorker(host, std::make_unique<ExchangeWorker>(std::move(request)));
}

bool RunExchangeWorker(ExchangeHost& host, std::unique_ptr<ExchangeWorker> worker)
{
    const ExchangeHost* const held = &host;
    PhoneSession* session = host.Session();
    if (!session || !worker || ExchangeRunning())
        return false;
    const HWND frame = host.Frame();
    worker->SetContext(ExchangeContext{frame, session, host.ActiveModel()});
    // A worker left from an earlier exchange has ended: only its object remains.
    currentWorker.reset();
    closeAfterExchange = false;

    const int code = worker->Code();
    const bool dialogOpen = ProgressDialogHandle() != nullptr;
    if (!dialogOpen)
        ExpectProgressDialog();
    currentWorker = std::move(worker);
    // When no thread starts, the dialog ends on the user's first stop.
    currentWorker->Start();
    if (!dialogOpen)
        ShowProgressDialog(frame, code, RequestExchangeStop);
    if (!ExchangeHost::Exists(held))
        return false;
    WaitForWorker(held, frame);
    if (!ExchangeHost::Exists(held))
        return false;
    // The thread has ended; its completion message may still be queued, and
    // is ignored once the worker is gone.
    if (currentWorker && !currentWorker->Running())
        FinishExchange(currentWorker->RunNumber());
    if (closeAfterExchange) {
        closeAfterExchange = false;
        PostMessageA(frame, WM_CLOSE, 0, 0);
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

bool ExchangeClosing()
{
    const ExchangeWorker* worker = CurrentWorker();
    return worker && worker->Closing();
}

bool RequestExchangeStop()
{
    ExchangeWorker* worker = CurrentWorker();
    if (!worker || !worker->Running())
        return false;
    worker->RequestStop();
    return true;
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
        AskWorkerToClose(*worker);
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
        AskWorkerToClose(*worker);
        // Only what the worker sends is answered here (its progress items
        // wait for that); nothing else of the closing program runs.
        HANDLE thread = worker->Handle();
        MsgWaitForMultipleObjects(1, &thread, FALSE, PumpSliceMs, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    // Terminates it only if it is still inside an exchange after the bound.
    ForceWorkerEnd(*worker);
    worker->Stop();
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
