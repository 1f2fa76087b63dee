#include <windows.h>

#include <cstring>

#include "phone/FastExchange.h"
#include "phone/FastExchangeSetting.h"
#include "phone/PhoneSession.h"
#include "serial/SerialPort.h"

namespace {
ReadAvailable PortReader(SerialPort& port)
{
    return [&port](char* chunk, std::size_t capacity) { return port.Read(chunk, capacity); };
}

void PauseFor(int milliseconds)
{
    Sleep(static_cast<DWORD>(milliseconds));
}

std::uint64_t TickMs()
{
    return static_cast<std::uint64_t>(GetTickCount64());
}
}  // namespace

bool PhoneSession::SendAtCommand(const std::string& command, const char* expected, int timeoutUnits)
{
    const std::string line = AtCommandLine(command);
    SerialPort& port = TheSerialPort();
    port.DiscardInput();
    // A line the port did not take whole shows up as the phone's silence.
    port.Write(line.data(), line.size());
    const ReadAvailable read = PortReader(port);
    const ExchangeEnd end = FastExchange ? CollectReplyFast(ReplyBuffer, expected, timeoutUnits, read, PauseFor, TickMs)
                                         : CollectReply(ReplyBuffer, expected, timeoutUnits, read, PauseFor);
    return end == ExchangeEnd::Expected;
}

void PhoneSession::CompleteRecordReply(const char* marker)
{
    const char* found = std::strstr(ReplyBuffer, marker);
    if (!found)
        return;
    const std::size_t from = static_cast<std::size_t>(found - ReplyBuffer);
    CompleteReply(ReplyBuffer, from, 1, PortReader(TheSerialPort()), PauseFor, TickMs);
}
