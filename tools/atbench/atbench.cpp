// Times AT exchanges of the program's own SendAtCommand against whatever
// answers on a COM port (run.sh starts the simulated phone at 115,200 baud).
//   atbench.exe PORT [COUNT]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "phone/PhoneSession.h"
#include "serial/SerialPort.h"

namespace {
// The benchmark prints what the session would show the user.
class PrintedNotices final : public PhoneNotices {
public:
    void Notify(const std::string& text, const char* caption, NoticeIcon) override
    {
        std::printf("%s: %s\n", caption, text.c_str());
    }
};
}  // namespace

int main(int argc, char** argv)
{
    const int port = argc > 1 ? std::atoi(argv[1]) : 3;
    const int count = argc > 2 ? std::atoi(argv[2]) : 20;
    if (!TheSerialPort().Open(port)) {
        std::printf("COM%d does not open\n", port);
        return 1;
    }
    PrintedNotices notices;
    PhoneSession session(notices);
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    double total = 0, slowest = 0, fastest = 1e9;
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        QueryPerformanceCounter(&begin);
        const bool ok = session.SendAtCommand("AT", "OK", 1);
        QueryPerformanceCounter(&end);
        const double seconds = static_cast<double>(end.QuadPart - begin.QuadPart) / frequency.QuadPart;
        total += seconds;
        slowest = seconds > slowest ? seconds : slowest;
        fastest = seconds < fastest ? seconds : fastest;
        failed += ok ? 0 : 1;
    }
    std::printf("%d \"AT\" exchanges on COM%d: %.3f s in all, %.3f s each on average (fastest %.3f s, slowest %.3f s), "
                "%d failed\n",
                count, port, total, total / count, fastest, slowest, failed);
    TheSerialPort().Close();
    return failed == 0 ? 0 : 1;
}
