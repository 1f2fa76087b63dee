#include "ExchangeFixture.h"
#include "common/Handles.h"
#include "db/DbTypes.h"
#include "worker/RunExchange.h"

namespace {
// Keeps its dialog open until the user acts, then until it is released.
struct Held {
    KernelHandle release{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};
}  // namespace

TEST_F(ExchangeTest, AnUnknownCodeClosesTheDialogAtOnce)
{
    for (int code : {12, 1000, -1}) {
        DialogWatch watch;
        const DWORD start = GetTickCount();
        RunExchange(code, nullptr);
        EXPECT_LT(GetTickCount() - start, 3000u) << code;
        EXPECT_EQ(watch.ProgressDialogs(), 1u) << code;
        EXPECT_FALSE(CurrentExchangeWorker()) << code;
        EXPECT_EQ(ProgressDialogHandle(), nullptr) << code;
    }
}

TEST_F(ExchangeTest, EveryOperationCodeEndsItsExchangeEvenWithoutData)
{
    RowSet noRows;
    TextRow oneText{"1"};
    // The table transfers take no data and talk to the phone at once; the
    // starters' tests run them.
    for (int code : {3, 4, 5, 6, 10, 11}) {
        RunExchange(code, nullptr);
        EXPECT_FALSE(CurrentExchangeWorker()) << code;
    }
    RunExchange(3, &noRows);
    RunExchange(5, &oneText);
    EXPECT_FALSE(CurrentExchangeWorker());
}

TEST_F(ExchangeTest, EnterClosesTheDialogButTheCallerWaitsForTheWorkerWithTheFrameDisabled)
{
    Held held;
    std::atomic<bool> deleted{false};
    bool openAfterEscAndClose = false;
    bool frameEnabledMeanwhile = true;
    HWND waitedAfterClose = reinterpret_cast<HWND>(1);
    DWORD secondWaitMs = 0;
    const DWORD toolBarShown = app->settings.showToolBar;
    RunExchangeWorker(std::make_unique<ScriptedWorker>(
        0,
        [&](HWND dialog) {
            PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            Sleep(300);
            openAfterEscAndClose = IsWindowVisible(dialog) != FALSE;
            PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
            for (int i = 0; i < 200 && ProgressDialogHandle(); ++i)
                Sleep(10);
            // The caller disables the frame as soon as the dialog has gone.
            for (int i = 0; i < 200 && IsWindowEnabled(TheApp->frame); ++i)
                Sleep(10);
            frameEnabledMeanwhile = IsWindowEnabled(TheApp->frame) != FALSE;
            // A command the user gives meanwhile does not act.
            PostMessageA(TheApp->frame, WM_COMMAND, IDM_TOOLBAR, 0);
            Sleep(300);
            SetEvent(held.release.Get());
            // An operation that waits for the dialog now must not wait forever.
            const DWORD start = GetTickCount();
            waitedAfterClose = WaitForProgressDialog();
            secondWaitMs = GetTickCount() - start;
        },
        &deleted));
    EXPECT_TRUE(openAfterEscAndClose);
    EXPECT_FALSE(frameEnabledMeanwhile);
    // The caller resumes only after the worker has ended and is deleted.
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(CurrentExchangeWorker());
    EXPECT_EQ(ProgressDialogHandle(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_EQ(waitedAfterClose, nullptr);
    EXPECT_LT(secondWaitMs, 1000u);
    PumpMessages();
    EXPECT_EQ(app->settings.showToolBar, toolBarShown);
}

TEST_F(ExchangeTest, ACompletionMessageOfAnEarlierWorkerDoesNotEndTheRunningOne)
{
    RunExchange(12, nullptr);
    const WPARAM earlier = 1;  // any run number but the running worker's
    bool openAfterStaleMessage = false;
    bool workerKept = false;
    std::atomic<bool> deleted{false};
    RunExchangeWorker(std::make_unique<ScriptedWorker>(
        0,
        [&](HWND dialog) {
            PostMessageA(TheApp->frame, VM_EXCHANGE_DONE, earlier, 0);
            PostMessageA(TheApp->frame, VM_EXCHANGE_DONE, 0, 0);
            Sleep(400);
            openAfterStaleMessage = ProgressDialogHandle() == dialog && IsWindow(dialog);
            workerKept = CurrentExchangeWorker() != nullptr;
        },
        &deleted));
    EXPECT_TRUE(openAfterStaleMessage);
    EXPECT_TRUE(workerKept);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(CurrentExchangeWorker());
}

TEST_F(ExchangeTest, ClosingTheFrameDuringAnExchangeStopsTheWorkerAndThenCloses)
{
    bool sawStopRequest = false;
    DWORD stoppedAfterMs = 0;
    const DWORD start = GetTickCount();
    const bool goOn = RunExchangeWorker(std::make_unique<ScriptedWorker>(0, [&](HWND) {
        PostMessageA(TheApp->frame, WM_CLOSE, 0, 0);
        // As the transfers do: look at the request between two records.
        for (int i = 0; i < 1000 && !sawStopRequest; ++i) {
            sawStopRequest = ExchangeStopRequested();
            Sleep(10);
        }
        stoppedAfterMs = GetTickCount() - start;
    }));
    EXPECT_FALSE(goOn);
    EXPECT_TRUE(sawStopRequest);
    EXPECT_LT(stoppedAfterMs, 3000u);
    // The close waited for the worker; it comes now.
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(frame); }));
    EXPECT_EQ(TheApp, nullptr);
    frame = nullptr;
}

TEST_F(ExchangeTest, WithoutASessionTheWorkerReturnsMinusOneAndTellsNobody)
{
    app->session.reset();
    ExchangeWorker worker(12, nullptr);
    ASSERT_TRUE(worker.Start());
    Sleep(200);
    // The thread ended by itself: Stop does not have to wait and terminate.
    const DWORD start = GetTickCount();
    EXPECT_EQ(worker.Stop(), -1);
    EXPECT_LT(GetTickCount() - start, 80u);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, frame, VM_EXCHANGE_DONE, VM_EXCHANGE_DONE, PM_REMOVE));

    // Nor does an exchange start: no dialog appears.
    DialogWatch watch;
    RunExchange(12, nullptr);
    EXPECT_EQ(watch.ProgressDialogs(), 0u);
}
