#pragma once
#include <windows.h>

#include <memory>

#include "worker/ExchangeRequest.h"

class ExchangeHost;
class ExchangeWorker;

// User-interface thread. Runs phone operation `request` on the exchange
// worker behind the modal progress dialog over the host's frame, whose
// "Прервать" asks it to stop. The call returns only when the worker has ended: until then
// the frame stays disabled (under the wait cursor once the dialog has gone)
// while messages are pumped, so nothing the user does reaches a table, the
// database or the port while the worker uses them. Returns false when the
// caller must not go on: no exchange could run, or the program is closing
// (the frame was asked to close meanwhile, or the host is gone). Needs the
// host's phone session.
bool RunExchange(ExchangeHost& host, ExchangeRequest request);
// The same with the worker already made; its code decides the dialog's look.
bool RunExchangeWorker(ExchangeHost& host, std::unique_ptr<ExchangeWorker> worker);

// True while a worker thread runs.
bool ExchangeRunning();
// The worker of the running or latest operation, until it is deleted; none
// when idle. The exchange owns it.
ExchangeWorker* CurrentExchangeWorker();
// Worker thread: true when the running operation should end at its next
// check (the user stopped it, or the program is closing).
bool ExchangeStopRequested();
// Worker thread: true when the stop is the program's closing; the operation
// then shows no box about having stopped.
bool ExchangeClosing();
// The progress dialog's stop: asks the running worker to stop at its next
// check. False when no worker runs.
bool RequestExchangeStop();

// The frame was asked to close while a worker runs: the worker is asked to
// stop at its next check, its boxes are dismissed with Cancel or No, the
// progress dialog closes, and the frame closes once the worker has ended.
// Only a worker still inside one exchange after the longest exchange's
// bound is terminated.
void CloseFrameAfterExchange();

// At exit: asks a running worker to stop and waits for it within a bound,
// answering what it sends meanwhile; terminates it only when the bound has
// passed. Then deletes it.
void EndExchangeForExit();

// The frame's handler of VM_EXCHANGE_DONE with the run number in wParam:
// deletes the worker that sent it, once its thread has ended, and closes the
// progress dialog. A message from any other worker is ignored.
void FinishExchange(WPARAM run);
