#include "phone/UploadPort.h"

#include "phone/FastExchangeSetting.h"
#include "phone/PortTiming.h"
#include "serial/SerialPort.h"

namespace {
// With the fast exchange the pauses are spent watching for the answer.
ClockMs AnswerClock()
{
    return FastExchange ? ClockMs(TickMs) : ClockMs();
}
}  // namespace

bool WriteBlockCommand(const std::string& command)
{
    TheSerialPort().DiscardInput();
    return TheSerialPort().Write(command.data(), command.size()) == command.size();
}

BlockAnswer AwaitBlockAnswer()
{
    return AwaitAppendedAnswer(ReadFromPort, PauseFor, AnswerClock());
}

BlockAnswer AwaitPictureBlockAnswer()
{
    return AwaitPictureAnswer(ReadFromPort, PauseFor, AnswerClock());
}
