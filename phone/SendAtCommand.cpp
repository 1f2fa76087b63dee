#include <cstring>

#include "phone/FastExchange.h"
#include "phone/PhoneSession.h"
#include "phone/PortTiming.h"
#include "serial/SerialPort.h"

bool PhoneSession::SendAtCommand(const std::string& command, const char* expected, int timeoutUnits)
{
    const std::string line = AtCommandLine(command);
    SerialPort& port = TheSerialPort();
    port.DiscardInput();
    // A line the port did not take whole shows up as the phone's silence.
    port.Write(line.data(), line.size());
    const ExchangeEnd end = FastExchange()
                                ? CollectReplyFast(ReplyBuffer, expected, timeoutUnits, ReadFromPort, PauseFor, TickMs)
                                : CollectReply(ReplyBuffer, expected, timeoutUnits, ReadFromPort, PauseFor);
    return end == ExchangeEnd::Expected;
}

void PhoneSession::CompleteRecordReply(const char* marker)
{
    const char* found = std::strstr(ReplyBuffer, marker);
    if (!found)
        return;
    const std::size_t from = static_cast<std::size_t>(found - ReplyBuffer);
    CompleteReply(ReplyBuffer, from, 1, ReadFromPort, PauseFor, TickMs);
}
