#include "phone/UploadPort.h"

#include "phone/PortTiming.h"
#include "serial/SerialPort.h"

namespace {
// With the fast exchange the pauses are spent watching for the answer.
ClockMs AnswerClock(bool fast)
{
    return fast ? ClockMs(TickMs) : ClockMs();
}
}  // namespace

bool WriteBlockCommand(const std::string& command)
{
    TheSerialPort().DiscardInput();
    return TheSerialPort().Write(command.data(), command.size()) == command.size();
}

BlockAnswer AwaitBlockAnswer(bool fast)
{
    return AwaitAppendedAnswer(ReadFromPort, PauseFor, AnswerClock(fast));
}

BlockAnswer AwaitPictureBlockAnswer(bool fast)
{
    return AwaitPictureAnswer(ReadFromPort, PauseFor, AnswerClock(fast));
}
