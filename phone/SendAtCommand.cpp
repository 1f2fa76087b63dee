#include <windows.h>

#include "phone/PhoneSession.h"
#include "serial/SerialPort.h"

bool PhoneSession::SendAtCommand(const std::string& command, const char* expected, int timeoutUnits)
{
    const std::string line = AtCommandLine(command);
    SerialPort& port = TheSerialPort();
    port.DiscardInput();
    // A line the port did not take whole shows up as the phone's silence.
    port.Write(line.data(), line.size());
    const ExchangeEnd end = CollectReply(
        ReplyBuffer, expected, timeoutUnits, [&port](char* chunk, std::size_t capacity) { return port.Read(chunk, capacity); },
        [](int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); });
    return end == ExchangeEnd::Expected;
}
