#pragma once
#include <windows.h>

#include <atomic>

#include "common/Handles.h"

// A thread object: Start runs Run on a thread of its own, Stop ends it. A
// class that derives from it stops the thread in its own destructor, before
// the members Run uses go away.
class WorkerThread {
public:
    WorkerThread() = default;
    virtual ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // The thread's work; its result is the thread's exit code.
    virtual int Run() = 0;

    // False when a thread is already running or cannot be created.
    bool Start();
    // Gives the thread about 100 ms to end by itself (none when forced), then
    // terminates it with exit code -1. Returns the exit code, or -1 when no
    // thread was started.
    int Stop(bool force = false);

    bool HasThread() const { return static_cast<bool>(thread_); }
    DWORD ThreadId() const { return threadId_; }
    // The thread's handle, signalled once it has ended; none without a thread.
    HANDLE Handle() const { return thread_.Get(); }
    // True while a started thread has not ended yet.
    bool Running() const;
    // Set while a Stop is waiting for the thread, or after RequestStop: Run
    // looks at it between its steps and ends early.
    bool StopRequested() const { return stopRequested_.load(); }
    void RequestStop() { stopRequested_ = true; }

private:
    static unsigned __stdcall Entry(void* self);

    KernelHandle thread_;
    DWORD threadId_ = 0;
    std::atomic<bool> stopRequested_{false};
};
