#include "phone/PhoneSession.h"

#include <cstring>

#include "serial/SerialPort.h"
#include "worker/RunExchange.h"

std::string SessionDescription;

PhoneSession::~PhoneSession()
{
    // A worker still running may be using the port.
    EndExchangeForExit(*this);
    TheSerialPort().Close();
    std::memset(ReplyBuffer, 0, sizeof ReplyBuffer);
}

void PhoneSession::OnExchangeFinished(WPARAM run)
{
    FinishExchange(*this, run);
}
