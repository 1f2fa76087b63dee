#include "phone/SmsSend.h"

#include "phone/PhoneSession.h"
#include "phone/TransferHost.h"

namespace {
constexpr int SmsTimeoutUnits = 3;
}

void SendSms(PhoneSession& session, const SmsRequest& request, TransferHost& host)
{
    if (!session.SendAtCommand(BuildSmsCommand(request), "OK", SmsTimeoutUnits))
        host.SmsNotSent();
}
