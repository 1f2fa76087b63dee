#include "phone/SmsSending.h"

void SendSmsThroughWorker(const SmsRequest&)
{
    // Wired to the exchange worker once it is there.
}

void SendSms(const SmsRequest&) {}
