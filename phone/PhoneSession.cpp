#include "phone/PhoneSession.h"

#include <cstring>

#include "serial/SerialPort.h"

PhoneSession::~PhoneSession()
{
    TheSerialPort().Close();
    std::memset(ReplyBuffer, 0, sizeof ReplyBuffer);
}
