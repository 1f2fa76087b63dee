#pragma once
#include "phone/SmsCommand.h"

class ExchangeHost;

// Sends a message through the exchange worker behind the progress dialog;
// returns once the worker has finished.
void SendSmsThroughWorker(ExchangeHost& host, const SmsRequest& request);
