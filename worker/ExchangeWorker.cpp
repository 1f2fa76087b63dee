#include "worker/ExchangeWorker.h"

#include <utility>

#include "res/resource.h"
#include "worker/ExchangeOperations.h"
#include "worker/TransferTable.h"

namespace {
std::atomic<WPARAM> lastRun{0};
}

ExchangeWorker::ExchangeWorker(ExchangeRequest request) : request_(std::move(request)), run_(++lastRun) {}

ExchangeWorker::~ExchangeWorker()
{
    // The thread reads the request: it ends before the request goes.
    Stop();
}

int ExchangeWorker::Run()
{
    if (!context_.session)
        return -1;
    try {
        TransferTable table(context_.frame, context_.active);
        RunExchangeOperation(*context_.session, request_, table);
    } catch (...) {
        // Operations report their own failures; one that ran out of memory
        // ends here, and the frame must still hear that the exchange is over.
    }
    PostMessageA(context_.frame, VM_EXCHANGE_DONE, run_, 0);
    return 0;
}
