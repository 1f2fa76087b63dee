#include "phone/PortTiming.h"

#include <windows.h>

#include "serial/SerialPort.h"

std::size_t ReadFromPort(char* chunk, std::size_t capacity)
{
    return TheSerialPort().Read(chunk, capacity);
}

void PauseFor(int milliseconds)
{
    Sleep(static_cast<DWORD>(milliseconds));
}

std::uint64_t TickMs()
{
    return static_cast<std::uint64_t>(GetTickCount64());
}
