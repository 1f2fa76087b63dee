#include "ExchangeFixture.h"
#include "db/DbTypes.h"
#include "worker/RunExchange.h"

namespace {
// Keeps its dialog open until the user acts, then until it is released.
struct Held {
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ~Held() { CloseHandle(release); }
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
        EXPECT_FALSE(app->session->worker) << code;
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
        EXPECT_FALSE(app->session->worker) << code;
    }
    RunExchange(3, &noRows);
    RunExchange(5, &oneText);
    EXPECT_FALSE(app->session->worker);
}

TEST_F(ExchangeTest, OnlyEnterClosesTheDialogAndTheLateCompletionStillDeletesTheWorker)
{
    Held held;
    std::atomic<bool> deleted{false};
    bool openAfterEscAndClose = false;
    HWND waitedAfterClose = reinterpret_cast<HWND>(1);
    DWORD secondWaitMs = 0;
    RunExchangeWorker(std::make_unique<ScriptedWorker>(
        0,
        [&](HWND dialog) {
            PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            Sleep(300);
            openAfterEscAndClose = IsWindowVisible(dialog) != FALSE;
            PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
            WaitForSingleObject(held.release, 10000);
            // An operation that waits for the dialog now must not wait forever.
            const DWORD start = GetTickCount();
            waitedAfterClose = WaitForProgressDialog();
            secondWaitMs = GetTickCount() - start;
        },
        &deleted));
    // The caller resumes while the worker still runs.
    EXPECT_TRUE(openAfterEscAndClose);
    EXPECT_FALSE(deleted);
    ASSERT_TRUE(app->session->worker);
    EXPECT_TRUE(app->session->worker->HasThread());
    EXPECT_EQ(ProgressDialogHandle(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(frame));

    SetEvent(held.release);
    EXPECT_TRUE(PumpUntil([&] { return deleted.load(); }));
    EXPECT_FALSE(app->session->worker);
    EXPECT_EQ(waitedAfterClose, nullptr);
    EXPECT_LT(secondWaitMs, 1000u);
}

TEST_F(ExchangeTest, ANewExchangeFirstEndsTheOneLeftRunningInTheBackground)
{
    Held held;
    std::atomic<bool> firstDeleted{false};
    RunExchangeWorker(std::make_unique<ScriptedWorker>(
        0,
        [&](HWND dialog) {
            PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
            WaitForSingleObject(held.release, 10000);
        },
        &firstDeleted));
    ASSERT_FALSE(firstDeleted);

    DialogWatch watch;
    RunExchange(12, nullptr);
    EXPECT_TRUE(firstDeleted);
    EXPECT_EQ(watch.ProgressDialogs(), 1u);
    EXPECT_FALSE(app->session->worker);
    SetEvent(held.release);
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
