#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "worker/WorkerThread.h"

namespace {
// Waits for an event nobody sets.
class Stubborn : public WorkerThread {
public:
    Stubborn() : never_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Stubborn() override
    {
        Stop();
        CloseHandle(never_);
    }
    int Run() override
    {
        started = true;
        WaitForSingleObject(never_, INFINITE);
        return 5;
    }
    std::atomic<bool> started{false};

private:
    HANDLE never_;
};

// Works until it is asked to stop.
class Obedient : public WorkerThread {
public:
    ~Obedient() override { Stop(); }
    int Run() override
    {
        while (!StopRequested())
            Sleep(1);
        return 3;
    }
};

class Quick : public WorkerThread {
public:
    ~Quick() override { Stop(); }
    int Run() override
    {
        done = true;
        return 7;
    }
    std::atomic<bool> done{false};
};

class Throwing : public WorkerThread {
public:
    ~Throwing() override { Stop(); }
    int Run() override { throw std::runtime_error("lost"); }
};

bool WaitFor(const std::atomic<bool>& flag)
{
    for (int i = 0; i < 500 && !flag; ++i)
        Sleep(10);
    return flag;
}
}  // namespace

TEST(WorkerThread, AThreadThatWillNotEndIsTerminatedAfterAboutAHundredMs)
{
    Stubborn worker;
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(WaitFor(worker.started));
    const DWORD start = GetTickCount();
    EXPECT_EQ(worker.Stop(), -1);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 80u);
    EXPECT_LT(elapsed, 1500u);
    EXPECT_FALSE(worker.HasThread());
    EXPECT_FALSE(worker.StopRequested());
}

TEST(WorkerThread, ForcedStopTerminatesWithoutWaiting)
{
    Stubborn worker;
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(WaitFor(worker.started));
    const DWORD start = GetTickCount();
    EXPECT_EQ(worker.Stop(true), -1);
    EXPECT_LT(GetTickCount() - start, 80u);
}

TEST(WorkerThread, AThreadThatSeesTheStopRequestEndsWithItsOwnCode)
{
    Obedient worker;
    ASSERT_TRUE(worker.Start());
    EXPECT_EQ(worker.Stop(), 3);
}

TEST(WorkerThread, StopReturnsTheExitCodeOnceAndMinusOneWithoutAThread)
{
    Quick worker;
    EXPECT_EQ(worker.Stop(), -1);
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(WaitFor(worker.done));
    EXPECT_EQ(worker.Stop(), 7);
    EXPECT_EQ(worker.Stop(), -1);
}

TEST(WorkerThread, OnlyOneThreadRunsAtATimeAndItCanBeStartedAgainAfterStop)
{
    Stubborn worker;
    ASSERT_TRUE(worker.Start());
    EXPECT_FALSE(worker.Start());
    worker.Stop(true);
    EXPECT_TRUE(worker.Start());
    EXPECT_TRUE(worker.HasThread());
    EXPECT_NE(worker.ThreadId(), 0u);
}

TEST(WorkerThread, AnExceptionInRunEndsOnlyTheThread)
{
    Throwing worker;
    ASSERT_TRUE(worker.Start());
    Sleep(50);
    EXPECT_EQ(worker.Stop(), -1);
}

TEST(WorkerThread, DeletingARunningWorkerStopsItsThread)
{
    auto* worker = new Obedient;
    ASSERT_TRUE(worker->Start());
    const DWORD id = worker->ThreadId();
    delete worker;
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id);
    // Either the thread is gone entirely or its handle is already signalled.
    if (thread) {
        EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
        CloseHandle(thread);
    }
}
