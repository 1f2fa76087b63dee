#include "phone/SmsCommand.h"

#include "res/resource.h"

std::string BuildSmsCommand(const SmsRequest& request)
{
    return "AT#PSTRM=" + request[0] + "," + request[1] + ",3,\"" + request[2] + "\"," + request[3] + ",0,0, 4098";
}

int SmsCharactersLeft(const std::string& text)
{
    return SMS_TEXT_LIMIT - static_cast<int>(text.size());
}
