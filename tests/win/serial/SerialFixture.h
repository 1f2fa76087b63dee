#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "phone/PhoneSession.h"
#include "serial/SerialPort.h"
#include "support/MessageBoxWatcher.h"
#include "support/PhoneSimulator.h"
#include "worker/NoticeBoxes.h"

// The port the serial tests talk through, with a simulated phone that does
// not echo and answers at once; each test sets the fault rules it needs.
constexpr int TestPort = 5;

class SerialTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        PhoneSimOptions options;
        options.port = TestPort;
        options.state = R"({"echo": false, "require_pmode": false})";
        phone = new PhoneSimulator("serial", options);
        ASSERT_TRUE(phone->Start()) << "the phone simulator did not start";
    }
    static void TearDownTestSuite()
    {
        delete phone;
        phone = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(phone);
        phone->SetRules({});
        ASSERT_TRUE(TheSerialPort().Open(TestPort));
    }
    void TearDown() override { TheSerialPort().Close(); }

    // Milliseconds an exchange took, and its result.
    bool TimedExchange(const std::string& command, int units, DWORD& elapsedMs)
    {
        const DWORD start = GetTickCount();
        const bool ok = session.SendAtCommand(command, "OK", units);
        elapsedMs = GetTickCount() - start;
        return ok;
    }

    // Reads until `count` bytes came or `timeoutMs` passed.
    std::string ReadBytes(std::size_t count, DWORD timeoutMs = 5000)
    {
        std::string got;
        const DWORD start = GetTickCount();
        while (got.size() < count && GetTickCount() - start < timeoutMs) {
            char chunk[256];
            const std::size_t n = TheSerialPort().Read(chunk, sizeof chunk);
            got.append(chunk, n);
            if (n == 0)
                Sleep(10);
        }
        return got;
    }

    static PhoneSimulator* phone;
    NoticeBoxes notices;
    PhoneSettings phoneSettings;
    PhoneSession session{notices, phoneSettings};
};

inline PhoneSimulator* SerialTest::phone = nullptr;

// "\xHH" for each byte: the simulator's escape for raw answers.
inline std::string EscapedBytes(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += "\\x";
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}
