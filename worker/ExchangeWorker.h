#pragma once
#include <windows.h>

#include <atomic>

#include "worker/ExchangeRequest.h"
#include "worker/WorkerThread.h"

class PhoneSession;
class TableModel;

// What an operation works with, taken on the user-interface thread as the
// exchange starts: the frame that hears of its end and that its boxes stand
// over, the phone session, and the active table window's model (none when
// no table window is active). The frame stays disabled until the worker has
// ended, so none of them goes meanwhile.
struct ExchangeContext {
    HWND frame = nullptr;
    PhoneSession* session = nullptr;
    TableModel* active = nullptr;
};

// Runs one phone operation on its own thread, then tells the frame with
// VM_EXCHANGE_DONE, whose wParam is the worker's run number. The worker owns
// its request.
class ExchangeWorker : public WorkerThread {
public:
    explicit ExchangeWorker(ExchangeRequest request);
    ~ExchangeWorker() override;

    // Set before the thread starts.
    void SetContext(const ExchangeContext& context) { context_ = context; }
    const ExchangeContext& Context() const { return context_; }

    // -1 at once, with no message to the frame, when there is no phone session.
    int Run() override;

    int Code() const { return OperationCode(request_); }
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
    ExchangeRequest request_;
    ExchangeContext context_;
    WPARAM run_;
};
