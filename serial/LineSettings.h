#pragma once
#include <windows.h>

// The phone's line: 115,200 baud, 8 data bits, no parity, one stop bit,
// hardware handshake, no software flow control. Fields not named keep what
// the port reported.
void ApplyLineSettings(DCB& dcb);
// Reads never wait (they ask only for queued bytes); a write of n bytes gives
// up after 1000 + 2 n ms.
COMMTIMEOUTS PhoneTimeouts();

constexpr DWORD PortQueueSize = 4096;
constexpr DWORD PortEventMask = 0x1FF;
constexpr DWORD PortPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
