#include "worker/SmsSending.h"

#include <windows.h>

#include "common/AppMessages.h"
#include "common/PhoneMessages.h"
#include "phone/PhoneSession.h"
#include "worker/ExchangeOperation.h"
#include "worker/RunExchange.h"

namespace {
constexpr int SmsTimeoutUnits = 3;
}

void SendSmsThroughWorker(const SmsRequest& request)
{
    RunExchange(static_cast<int>(ExchangeOperation::SendSms), const_cast<SmsRequest*>(&request));
}

void SendSms(PhoneSession& session, const SmsRequest& request)
{
    if (!session.SendAtCommand(BuildSmsCommand(request), "OK", SmsTimeoutUnits))
        MessageBoxA(nullptr, PhoneMessages[PhoneExchangeFailed], AppMessages[AppCaption], MB_ICONWARNING | MB_OK);
}
