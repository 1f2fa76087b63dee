#pragma once
#include "phone/SmsCommand.h"

class PhoneSession;

// Sends a message through the exchange worker behind the progress dialog;
// returns once the worker has finished. The request stays on the caller's
// stack: the worker reads it in place while the caller waits.
void SendSmsThroughWorker(const SmsRequest& request);

// The worker's part: hands the phone the one send command. On failure the
// user is warned from the worker thread; success shows nothing.
void SendSms(PhoneSession& session, const SmsRequest& request);
