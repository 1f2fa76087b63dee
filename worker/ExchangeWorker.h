#pragma once
#include "worker/WorkerThread.h"

// Runs one phone operation on its own thread, selected by its code (see
// ExchangeOperation), and then tells the frame with VM_EXCHANGE_DONE. What
// the data points to depends on the code; the worker does not own it.
class ExchangeWorker : public WorkerThread {
public:
    ExchangeWorker(int code, void* data) : data_(data), code_(code) {}
    ~ExchangeWorker() override;

    // -1 at once, with no message to the frame, when there is no phone session.
    int Run() override;

    int Code() const { return code_; }
    void* Data() const { return data_; }

private:
    void* data_;
    int code_;
};
