#include "phone/SmsCommand.h"

#include "phone/WireText.h"
#include "res/resource.h"

std::string BuildSmsCommand(const SmsRequest& request)
{
    return "AT#PSTRM=" + WireText(request[0]) + "," + WireText(request[1]) + ",3,\"" + WireText(request[2]) + "\"," +
           WireText(request[3]) + ",0,0, 4098";
}

int SmsCharactersLeft(const std::string& text)
{
    return SMS_TEXT_LIMIT - static_cast<int>(text.size());
}
