#pragma once
#include <atomic>

#include "worker/WorkerThread.h"

// Runs one phone operation on its own thread, selected by its code (see
// ExchangeOperation), and then tells the frame with VM_EXCHANGE_DONE, whose
// wParam is the worker's run number. What the data points to depends on the
// code; the worker does not own it.
class ExchangeWorker : public WorkerThread {
public:
    ExchangeWorker(int code, void* data);
    ~ExchangeWorker() override;

    // -1 at once, with no message to the frame, when there is no phone session.
    int Run() override;

    int Code() const { return code_; }
    void* Data() const { return data_; }
    // Different for every worker the program makes, so that a completion
    // message can be told from one a worker before it left behind.
    WPARAM RunNumber() const { return run_; }

    // A stop asked because the program is closing: the operation ends as on
    // the user's stop but tells nobody about it.
    void RequestClose()
    {
        closing_ = true;
        RequestStop();
    }
    bool Closing() const { return closing_.load(); }

private:
    std::atomic<bool> closing_{false};
    void* data_;
    int code_;
    WPARAM run_;
};
