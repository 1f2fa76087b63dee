#pragma once
#include "worker/ExchangeRequest.h"

class PhoneSession;
class TransferHost;

// Worker thread: runs the phone operation `request` on `session`, with
// `host` around it.
void RunExchangeOperation(PhoneSession& session, ExchangeRequest& request, TransferHost& host);
