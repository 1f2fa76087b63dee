#include "worker/ExchangeWorker.h"

#include <atomic>

#include "common/AppLink.h"
#include "res/resource.h"
#include "worker/ExchangeOperations.h"

namespace {
std::atomic<WPARAM> lastRun{0};
}

ExchangeWorker::ExchangeWorker(int code, void* data) : data_(data), code_(code), run_(++lastRun) {}

ExchangeWorker::~ExchangeWorker()
{
    // The thread reads the code and the data: it ends before they are cleared.
    Stop();
    data_ = nullptr;
    code_ = 0;
}

int ExchangeWorker::Run()
{
    PhoneSession* session = AppSession();
    HWND frame = AppFrame();
    if (!session)
        return -1;
    try {
        RunExchangeOperation(*session, code_, data_);
    } catch (...) {
        // Operations report their own failures; one that ran out of memory
        // ends here, and the frame must still hear that the exchange is over.
    }
    PostMessageA(frame, VM_EXCHANGE_DONE, run_, 0);
    return 0;
}
