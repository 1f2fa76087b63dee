#include "worker/WorkerThread.h"

#include <process.h>

namespace {
constexpr int StopChecks = 10;
constexpr DWORD StopCheckPauseMs = 10;
constexpr DWORD TerminatedExitCode = 0xFFFFFFFF;
constexpr DWORD TerminationWaitMs = 1000;
}  // namespace

WorkerThread::~WorkerThread()
{
    Stop();
}

unsigned __stdcall WorkerThread::Entry(void* self)
{
    // Nothing may leave a thread entry by exception.
    try {
        return static_cast<unsigned>(static_cast<WorkerThread*>(self)->Run());
    } catch (...) {
        return TerminatedExitCode;
    }
}

bool WorkerThread::Start()
{
    if (thread_)
        return false;
    unsigned id = 0;
    // The C runtime's thread creation sets up its per-thread data for Run.
    const uintptr_t handle = _beginthreadex(nullptr, 0, &WorkerThread::Entry, this, 0, &id);
    if (handle == 0)
        return false;
    thread_ = KernelHandle(reinterpret_cast<HANDLE>(handle));
    threadId_ = id;
    return true;
}

bool WorkerThread::Running() const
{
    return thread_ && WaitForSingleObject(thread_.Get(), 0) == WAIT_TIMEOUT;
}

int WorkerThread::Stop(bool force)
{
    if (!thread_)
        return -1;
    stopRequested_ = true;
    DWORD exitCode = STILL_ACTIVE;
    if (!force) {
        for (int i = 0; i < StopChecks; ++i) {
            if (!GetExitCodeThread(thread_.Get(), &exitCode) || exitCode != STILL_ACTIVE)
                break;
            Sleep(StopCheckPauseMs);
        }
    }
    GetExitCodeThread(thread_.Get(), &exitCode);
    if (exitCode == STILL_ACTIVE) {
        TerminateThread(thread_.Get(), TerminatedExitCode);
        // TerminateThread returns before the thread is gone; its exit code
        // is final once the handle is signalled.
        WaitForSingleObject(thread_.Get(), TerminationWaitMs);
        GetExitCodeThread(thread_.Get(), &exitCode);
    }
    thread_.Reset();
    threadId_ = 0;
    stopRequested_ = false;
    return static_cast<int>(exitCode);
}
