#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/Handles.h"

// A crash of any program in the test prefix must end that program at once
// instead of starting a debugger that holds the test until its time-out.
// Wine writes its report (exception, address, thread) to the Unix standard
// error the child shares with this test, so it lands in the test's log.
namespace {
constexpr char ProbeVariable[] = "VELARMON_CRASH_PROBE";
}

// Runs only as the child of the test below: reads through a null pointer.
TEST(CrashProbe, ReadsThroughANullPointer)
{
    if (GetEnvironmentVariableA(ProbeVariable, nullptr, 0) == 0)
        GTEST_SKIP() << "runs only as the crashing child";
    static volatile int* volatile nowhere = nullptr;
    std::printf("%d\n", *nowhere);
}

TEST(Crash, EndsTheProgramAtOnce)
{
    char self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    std::string command = std::string("\"") + self + "\" --gtest_filter=CrashProbe.* --gtest_catch_exceptions=0";

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    SetEnvironmentVariableA(ProbeVariable, "1");
    const BOOL started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child);
    SetEnvironmentVariableA(ProbeVariable, nullptr);
    ASSERT_TRUE(started);

    const KernelHandle thread(child.hThread);
    const KernelHandle process(child.hProcess);

    const DWORD waited = WaitForSingleObject(process.Get(), 10000);
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.Get(), 1);

    ASSERT_EQ(waited, WAIT_OBJECT_0) << "the crashed child still ran after 10 s";
    EXPECT_EQ(code, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
}
