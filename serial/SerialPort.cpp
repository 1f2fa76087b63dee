#include "serial/SerialPort.h"

#include <algorithm>
#include <utility>

#include "serial/LineSettings.h"
#include "serial/PortName.h"

SerialPort& TheSerialPort()
{
    static SerialPort port;
    return port;
}

bool SerialPort::Open(int number)
{
    // Nobody else may hold the port (no sharing), this object included.
    Close();
    lineSettingsRefused_ = false;
    FileHandle port(CreateFileA(PortName(number).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!port)
        return false;
    HANDLE handle = port.Get();

    SetupComm(handle, PortQueueSize, PortQueueSize);
    SetCommMask(handle, PortEventMask);
    PurgeComm(handle, PortPurgeAll);
    COMMTIMEOUTS timeouts = PhoneTimeouts();
    SetCommTimeouts(handle, &timeouts);

    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(handle, &dcb);
    ApplyLineSettings(dcb);
    if (!SetCommState(handle, &dcb)) {
        lineSettingsRefused_ = true;
        return false;
    }
    // A pseudo-terminal or a cable driver without modem lines refuses this;
    // the port works all the same.
    EscapeCommFunction(handle, SETDTR);
    port_ = std::move(port);
    return true;
}

void SerialPort::Close()
{
    if (!port_)
        return;
    PurgeComm(port_.Get(), PortPurgeAll);
    port_.Reset();
}

void SerialPort::DiscardInput()
{
    if (port_)
        PurgeComm(port_.Get(), PURGE_RXCLEAR);
}

std::size_t SerialPort::Read(char* buffer, std::size_t capacity)
{
    if (!port_)
        return 0;
    DWORD errors = 0;
    COMSTAT status{};
    // Learns how much is queued and clears any error state of the port.
    if (!ClearCommError(port_.Get(), &errors, &status))
        status.cbInQue = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(capacity, status.cbInQue));
    DWORD got = 0;
    if (wanted > 0 && !ReadFile(port_.Get(), buffer, wanted, &got, nullptr))
        got = 0;
    // Line errors (overrun, framing) would otherwise stop the port.
    ClearErrors();
    return got;
}

std::size_t SerialPort::Write(const char* bytes, std::size_t count)
{
    if (!port_)
        return 0;
    DWORD written = 0;
    if (!WriteFile(port_.Get(), bytes, static_cast<DWORD>(count), &written, nullptr)) {
        ClearErrors();
        return 0;
    }
    return written;
}

void SerialPort::ClearErrors()
{
    DWORD errors = 0;
    COMSTAT status{};
    ClearCommError(port_.Get(), &errors, &status);
}
