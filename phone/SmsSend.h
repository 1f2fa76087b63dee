#pragma once
#include "phone/SmsCommand.h"

class PhoneSession;
class TransferHost;

// Hands the phone the one command that sends the message, on the exchange
// worker. A phone that does not take it is reported through the host;
// success shows nothing.
void SendSms(PhoneSession& session, const SmsRequest& request, TransferHost& host);
