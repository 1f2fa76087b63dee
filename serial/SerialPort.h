#pragma once
#include <windows.h>

#include <cstddef>

#include "common/Handles.h"

// The one COM port the phone is reached through. All input and output is
// synchronous and nothing waits for events: `Read` only takes what has
// already arrived, and callers poll.
class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort() { Close(); }
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens COM port `number` with the phone's line settings. False when the
    // port cannot be opened or refuses the line settings (then
    // LineSettingsRefused tells so until the next Open).
    bool Open(int number);
    bool LineSettingsRefused() const { return lineSettingsRefused_; }
    // Drops whatever is queued either way and closes; nothing when not open.
    void Close();
    bool IsOpen() const { return port_.IsValid(); }
    // Up to `capacity` of the bytes already received; 0 at once when none
    // are waiting or the port failed. The buffer is not terminated.
    std::size_t Read(char* buffer, std::size_t capacity);
    // Writes synchronously; the count written (0 on failure).
    std::size_t Write(const char* bytes, std::size_t count);
    // Drops the bytes received and not yet read. Called before a command goes
    // out: whatever came before it answers an earlier command, often the rest
    // of an answer its exchange stopped waiting for, and must not be taken
    // for this command's answer.
    void DiscardInput();

    HANDLE Handle() const { return port_.Get(); }

private:
    void ClearErrors();

    FileHandle port_;
    bool lineSettingsRefused_ = false;
};

// The program-wide port.
SerialPort& TheSerialPort();
