#include "phone/UploadPort.h"

#include <windows.h>

#include "serial/SerialPort.h"

namespace {
std::size_t ReadPort(char* chunk, std::size_t capacity)
{
    return TheSerialPort().Read(chunk, capacity);
}

void Pause(int milliseconds)
{
    Sleep(static_cast<DWORD>(milliseconds));
}
}  // namespace

bool WriteBlockCommand(const std::string& command)
{
    TheSerialPort().DiscardInput();
    return TheSerialPort().Write(command.data(), command.size()) == command.size();
}

BlockAnswer AwaitBlockAnswer()
{
    return AwaitAppendedAnswer(ReadPort, Pause);
}

BlockAnswer AwaitPictureBlockAnswer()
{
    return AwaitPictureAnswer(ReadPort, Pause);
}
