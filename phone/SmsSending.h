#pragma once
#include "phone/SmsCommand.h"

// Sends a message through the exchange worker behind the progress dialog;
// returns once the worker has finished.
void SendSmsThroughWorker(const SmsRequest& request);

// The worker's part: hands the phone the one send command. On failure the
// user is warned from the worker thread.
void SendSms(const SmsRequest& request);
