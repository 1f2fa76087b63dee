#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "worker/WorkerThread.h"

namespace {
// Runs `body` as the thread's work.
template <typename Body>
class Worker : public WorkerThread {
public:
    explicit Worker(Body body) : body_(body) {}
    ~Worker() override { Stop(); }
    int Run() override { return body_(*this); }

private:
    Body body_;
};
template <typename Body>
Worker(Body) -> Worker<Body>;
}  // namespace

TEST(WorkerThread, AThreadThatWillNotEndIsTerminatedWithMinusOneAfterAboutAHundredMs)
{
    std::atomic<bool> started{false};
    Worker worker([&](WorkerThread&) {
        started = true;
        Sleep(INFINITE);
        return 5;
    });
    ASSERT_TRUE(worker.Start());
    EXPECT_FALSE(worker.Start());
    while (!started)
        Sleep(1);
    const DWORD start = GetTickCount();
    EXPECT_EQ(worker.Stop(), -1);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 80u);
    EXPECT_LT(elapsed, 1500u);
    EXPECT_FALSE(worker.HasThread());
}

TEST(WorkerThread, AThreadThatSeesTheStopRequestEndsWithItsOwnCode)
{
    Worker worker([](WorkerThread& self) {
        while (!self.StopRequested())
            Sleep(1);
        return 3;
    });
    EXPECT_EQ(worker.Stop(), -1);
    ASSERT_TRUE(worker.Start());
    EXPECT_EQ(worker.Stop(), 3);
    EXPECT_FALSE(worker.StopRequested());
    EXPECT_EQ(worker.Stop(), -1);
}

TEST(WorkerThread, AnExceptionInRunEndsOnlyTheThread)
{
    Worker worker([](WorkerThread&) -> int { throw std::runtime_error("lost"); });
    ASSERT_TRUE(worker.Start());
    Sleep(50);
    EXPECT_EQ(worker.Stop(), -1);
}
