#include "phone/PhoneSession.h"

#include <cstring>

#include "serial/SerialPort.h"

std::string SessionDescription;

PhoneSession::~PhoneSession()
{
    TheSerialPort().Close();
    std::memset(ReplyBuffer, 0, sizeof ReplyBuffer);
}
