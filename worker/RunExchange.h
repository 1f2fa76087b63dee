#pragma once
#include <memory>

class ExchangeWorker;
class PhoneSession;

// User-interface thread. Runs phone operation `code` with `data` on the
// exchange worker behind the modal progress dialog, which keeps the frame
// disabled. Returns when the dialog has ended: normally after the
// operation, earlier when the user pressed Enter. Needs a phone session.
void RunExchange(int code, void* data);
// The same with the worker already made; its code decides the dialog's look.
void RunExchangeWorker(std::unique_ptr<ExchangeWorker> worker);

// Deletes a worker still running after its dialog was closed early, before
// anything it may be reading is changed: it gets about 100 ms to end and is
// then terminated.
void EndPreviousExchange(PhoneSession& session);

// The frame's handler of VM_EXCHANGE_DONE: stops and deletes the worker and
// closes the progress dialog.
void FinishExchange(PhoneSession& session);
