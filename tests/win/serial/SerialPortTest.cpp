#include <cstddef>
#include <cstring>

#include "SerialFixture.h"
#include "serial/LineSettings.h"

namespace {
// The DCB's packed flag word follows its length and baud rate.
DWORD FlagWord(const DCB& dcb)
{
    DWORD flags = 0;
    std::memcpy(&flags, reinterpret_cast<const char*>(&dcb) + offsetof(DCB, BaudRate) + sizeof dcb.BaudRate,
                sizeof flags);
    return flags;
}
}  // namespace

TEST(LineSettings, GiveThePhonesLine)
{
    DCB dcb{};
    std::memset(&dcb, 0xFF, sizeof dcb);
    ApplyLineSettings(dcb);
    EXPECT_EQ(FlagWord(dcb) & 0x7FFF, 0x2015u);
    EXPECT_EQ(dcb.BaudRate, 115200u);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    EXPECT_EQ(dcb.XonLim, 2048);
    EXPECT_EQ(dcb.XoffLim, 512);
    EXPECT_EQ(dcb.XonChar, 0x11);
    EXPECT_EQ(dcb.XoffChar, 0x13);
    EXPECT_EQ(dcb.ErrorChar, 0);
    EXPECT_EQ(dcb.EofChar, 0);
    EXPECT_EQ(dcb.EvtChar, 0);
}

TEST(LineSettings, ReadsNeverWaitAndWritesGiveUp)
{
    const COMMTIMEOUTS t = PhoneTimeouts();
    EXPECT_EQ(t.ReadIntervalTimeout, MAXDWORD);
    EXPECT_EQ(t.ReadTotalTimeoutMultiplier, 2u);
    EXPECT_EQ(t.ReadTotalTimeoutConstant, 1000u);
    EXPECT_EQ(t.WriteTotalTimeoutMultiplier, 2u);
    EXPECT_EQ(t.WriteTotalTimeoutConstant, 1000u);
}

TEST_F(SerialTest, AnOpenPortHasTheLineSettingsAndTimeOuts)
{
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    ASSERT_TRUE(GetCommState(TheSerialPort().Handle(), &dcb));
    EXPECT_EQ(dcb.BaudRate, 115200u);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    EXPECT_TRUE(dcb.fOutxCtsFlow);
    EXPECT_FALSE(dcb.fOutX);
    EXPECT_FALSE(dcb.fInX);
    COMMTIMEOUTS t{};
    ASSERT_TRUE(GetCommTimeouts(TheSerialPort().Handle(), &t));
    EXPECT_EQ(t.ReadIntervalTimeout, MAXDWORD);
    EXPECT_EQ(t.WriteTotalTimeoutConstant, 1000u);
}

TEST_F(SerialTest, AReadWithNothingWaitingReturnsAtOnce)
{
    char chunk[256];
    const DWORD start = GetTickCount();
    EXPECT_EQ(TheSerialPort().Read(chunk, sizeof chunk), 0u);
    EXPECT_LT(GetTickCount() - start, 100u);
}

TEST_F(SerialTest, AReadTakesNoMoreThanItsCapacityAndLeavesTheRestQueued)
{
    const std::string answer(1000, 'q');
    phone->SetRules({"raw,data=" + EscapedBytes(answer) + " AT+THOUSAND"});
    const char line[] = "AT+THOUSAND\r\n";
    ASSERT_EQ(TheSerialPort().Write(line, sizeof line - 1), sizeof line - 1);
    // Wait until the whole answer is queued.
    COMSTAT status{};
    DWORD errors = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
        ClearCommError(TheSerialPort().Handle(), &errors, &status);
        if (status.cbInQue >= answer.size())
            break;
        Sleep(20);
    }
    ASSERT_EQ(status.cbInQue, answer.size());
    char chunk[256];
    EXPECT_EQ(TheSerialPort().Read(chunk, sizeof chunk), 256u);
    ClearCommError(TheSerialPort().Handle(), &errors, &status);
    EXPECT_EQ(status.cbInQue, 744u);
    EXPECT_EQ(ReadBytes(744), std::string(744, 'q'));
}

TEST_F(SerialTest, AllByteValuesComeInUnchanged)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    phone->SetRules({"raw,data=" + EscapedBytes(all) + " AT+ALLBYTES"});
    const char line[] = "AT+ALLBYTES\r\n";
    TheSerialPort().Write(line, sizeof line - 1);
    EXPECT_EQ(ReadBytes(256), all);
}

TEST_F(SerialTest, AllByteValuesGoOutUnchanged)
{
    // CR and LF end the line the phone reads, so they go as the line end; a
    // second quote keeps the phone from waiting for the end of a quoted text.
    std::string command = "A";
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            command += static_cast<char>(b);
    command += '"';
    const std::string line = command + "\r\n";
    ASSERT_EQ(TheSerialPort().Write(line.data(), line.size()), line.size());
    ReadBytes(9, 3000);
    const auto commands = phone->Commands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back(), command);
}

TEST_F(SerialTest, PortTwelveOpensThroughItsDevicePath)
{
    TheSerialPort().Close();
    PhoneSimOptions options;
    options.port = 12;
    PhoneSimulator twelve("serial-com12", options);
    ASSERT_TRUE(twelve.Start());
    ASSERT_TRUE(TheSerialPort().Open(12));
    EXPECT_TRUE(session.SendAtCommand("AT", "OK", 1));
    TheSerialPort().Close();
    ASSERT_EQ(twelve.Commands(), std::vector<std::string>{"AT"});
}

TEST_F(SerialTest, AnUnmappedPortDoesNotOpenAndSaysNothing)
{
    TheSerialPort().Close();
    MessageBoxWatcher watcher;
    EXPECT_FALSE(TheSerialPort().Open(40));
    EXPECT_FALSE(TheSerialPort().IsOpen());
    EXPECT_FALSE(TheSerialPort().LineSettingsRefused());
    Sleep(300);
    EXPECT_TRUE(watcher.Seen().empty());
}

TEST_F(SerialTest, ALineClosedByThePhoneMakesExchangesFailByTimeOut)
{
    PhoneSimOptions options;
    options.port = 6;
    PhoneSimulator closing("serial-close", options);
    ASSERT_TRUE(closing.Start());
    closing.SetRules({"close AT+HANGUP"});
    TheSerialPort().Close();
    ASSERT_TRUE(TheSerialPort().Open(6));
    DWORD elapsed = 0;
    EXPECT_FALSE(TimedExchange("AT+HANGUP", 1, elapsed));
    EXPECT_NEAR(static_cast<double>(elapsed), 8000.0, 1000.0);
    EXPECT_EQ(session.ReplyBuffer[0], '\0');
    // The dead line neither takes bytes nor hands any out, and does not block.
    const char line[] = "AT\r\n";
    const DWORD start = GetTickCount();
    EXPECT_EQ(TheSerialPort().Write(line, sizeof line - 1), 0u);
    char chunk[256];
    EXPECT_EQ(TheSerialPort().Read(chunk, sizeof chunk), 0u);
    EXPECT_LT(GetTickCount() - start, 3000u);
    TheSerialPort().Close();
}

TEST_F(SerialTest, RefusedLineSettingsAreToldAndThePortStaysClosed)
{
    // The prefix maps COM16 to a link that nothing has made: Wine opens such
    // a port, but it is no serial device and refuses the line settings.
    const std::string link = WindowsPath(UnixEnv("VELARMON_PORTS") + "/COM16");
    ASSERT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES) << link;
    TheSerialPort().Close();
    EXPECT_FALSE(TheSerialPort().Open(16));
    EXPECT_FALSE(TheSerialPort().IsOpen());
    EXPECT_TRUE(TheSerialPort().LineSettingsRefused());
}
