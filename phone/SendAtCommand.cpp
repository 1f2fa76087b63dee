#include <windows.h>

#include "phone/FastExchange.h"
#include "phone/FastExchangeSetting.h"
#include "phone/PhoneSession.h"
#include "serial/SerialPort.h"

bool PhoneSession::SendAtCommand(const std::string& command, const char* expected, int timeoutUnits)
{
    const std::string line = AtCommandLine(command);
    SerialPort& port = TheSerialPort();
    port.DiscardInput();
    // A line the port did not take whole shows up as the phone's silence.
    port.Write(line.data(), line.size());
    const ReadAvailable read = [&port](char* chunk, std::size_t capacity) { return port.Read(chunk, capacity); };
    const SleepFor sleep = [](int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); };
    const ExchangeEnd end = FastExchange
                                ? CollectReplyFast(ReplyBuffer, expected, timeoutUnits, read, sleep,
                                                   [] { return static_cast<std::uint64_t>(GetTickCount64()); })
                                : CollectReply(ReplyBuffer, expected, timeoutUnits, read, sleep);
    return end == ExchangeEnd::Expected;
}
