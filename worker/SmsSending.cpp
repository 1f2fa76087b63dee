#include "worker/SmsSending.h"

#include "worker/RunExchange.h"

void SendSmsThroughWorker(ExchangeHost& host, const SmsRequest& request)
{
    RunExchange(host, SmsSending{request});
}
