#include "ExchangeFixture.h"

#include <thread>

#include "db/DbTypes.h"
#include "worker/RunExchange.h"

TEST_F(ExchangeTest, AnOperationWithNothingToDoClosesTheDialogAtOnce)
{
    RowSet noRows;
    for (ExchangeRequest request : {ExchangeRequest{PhotoDownload{&noRows}}, ExchangeRequest{MovieDownload{}}}) {
        DialogWatch watch;
        const DWORD start = GetTickCount();
        RunExchange(*app, request);
        EXPECT_LT(GetTickCount() - start, 3000u);
        EXPECT_EQ(watch.ProgressDialogs(), 1u);
        EXPECT_FALSE(CurrentExchangeWorker());
        EXPECT_EQ(ProgressDialogHandle(), nullptr);
    }
}

TEST_F(ExchangeTest, TheButtonEnterAndEscAskTheWorkerToStopAndTheDialogStaysUntilItHas)
{
    // The button as a click delivers it, and the two keys through the loop.
    const std::vector<std::function<void(HWND)>> presses{
        [](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDC_PROGRESS_STOP), BM_CLICK, 0, 0); },
        [](HWND dialog) { PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0); },
        [](HWND dialog) { PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0); },
    };
    for (size_t way = 0; way < presses.size(); ++way) {
        std::atomic<bool> deleted{false};
        bool stopSeen = false;
        std::string text;
        bool buttonEnabled = true;
        bool dialogOpen = false;
        bool frameEnabled = true;
        const DWORD toolBarShown = app->settings.showToolBar;
        RunExchangeWorker(*app, std::make_unique<ScriptedWorker>(
            0,
            [&](HWND dialog) {
                SendProgressItem({"", "", "50"});
                presses[way](dialog);
                for (int i = 0; i < 300 && !stopSeen; ++i, Sleep(10))
                    stopSeen = ExchangeStopRequested();
                // The operation's next item does not hide that it is stopping.
                SendProgressItem({"", "", "50"});
                text = ControlText(dialog, IDC_PROGRESS_TEXT);
                buttonEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_PROGRESS_STOP)) != FALSE;
                // Pressed again, nothing more happens.
                presses[way](dialog);
                Sleep(200);
                dialogOpen = ProgressDialogHandle() == dialog && IsWindowVisible(dialog);
                frameEnabled = IsWindowEnabled(TheApp->frame) != FALSE;
                // A command the user gives meanwhile does not act.
                PostMessageA(TheApp->frame, WM_COMMAND, IDM_TOOLBAR, 0);
                Sleep(200);
                EXPECT_FALSE(ExchangeClosing());
            },
            &deleted));
        EXPECT_TRUE(stopSeen) << way;
        EXPECT_EQ(text, "Остановка...") << way;
        EXPECT_FALSE(buttonEnabled) << way;
        EXPECT_TRUE(dialogOpen) << way;
        EXPECT_FALSE(frameEnabled) << way;
        // The caller resumes only after the worker has ended and is deleted.
        EXPECT_TRUE(deleted) << way;
        EXPECT_FALSE(CurrentExchangeWorker());
        EXPECT_EQ(ProgressDialogHandle(), nullptr);
        EXPECT_TRUE(IsWindowEnabled(frame));
        PumpMessages();
        EXPECT_EQ(app->settings.showToolBar, toolBarShown);
    }
}

TEST_F(ExchangeTest, WithoutAWorkerTheStopEndsTheDialogAndNobodyWaitsForIt)
{
    // As if no thread had started: the dialog opens over nothing.
    ExpectProgressDialog();
    std::thread presser([] {
        HWND dialog = WaitForProgressDialog();
        PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(ShowProgressDialog(frame, 0, RequestExchangeStop), 1);
    presser.join();
    // An operation that waits for the dialog now does not wait at all.
    const DWORD start = GetTickCount();
    EXPECT_EQ(WaitForProgressDialog(), nullptr);
    EXPECT_LT(GetTickCount() - start, 100u);
}

TEST_F(ExchangeTest, ACompletionMessageOfAnEarlierWorkerDoesNotEndTheRunningOne)
{
    RowSet noRows;
    RunExchange(*app, PhotoDownload{&noRows});
    const WPARAM earlier = 1;  // any run number but the running worker's
    bool openAfterStaleMessage = false;
    bool workerKept = false;
    std::atomic<bool> deleted{false};
    RunExchangeWorker(*app, std::make_unique<ScriptedWorker>(
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
    int boxAnswer = 0;
    bool closing = false;
    const bool goOn = RunExchangeWorker(*app, std::make_unique<ScriptedWorker>(0, [&](HWND) {
        PostMessageA(TheApp->frame, WM_CLOSE, 0, 0);
        // As the transfers do: look at the request between two exchanges.
        for (int i = 0; i < 1000 && !sawStopRequest; ++i) {
            sawStopRequest = ExchangeStopRequested();
            Sleep(10);
        }
        stoppedAfterMs = GetTickCount() - start;
        closing = ExchangeClosing();
        // A box of the worker's own, which ignores a close request, is
        // answered with No.
        boxAnswer = MessageBoxA(nullptr, "?", "VelarMon", MB_YESNO | MB_ICONERROR);
    }));
    EXPECT_FALSE(goOn);
    EXPECT_TRUE(sawStopRequest);
    EXPECT_TRUE(closing);
    EXPECT_LT(stoppedAfterMs, 3000u);
    EXPECT_EQ(boxAnswer, IDNO);
    // The close waited for the worker; it comes now.
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(frame); }));
    EXPECT_EQ(TheApp, nullptr);
    frame = nullptr;
}

TEST_F(ExchangeTest, TheEndOfTheSessionStopsTheWorkerAndClosesTheProgramAtOnce)
{
    bool sawStopRequest = false;
    const bool goOn = RunExchangeWorker(*app, std::make_unique<ScriptedWorker>(0, [&](HWND) {
        PostMessageA(TheApp->frame, WM_ENDSESSION, TRUE, 0);
        for (int i = 0; i < 1000 && !sawStopRequest; ++i, Sleep(10))
            sawStopRequest = ExchangeStopRequested();
    }));
    EXPECT_FALSE(goOn);
    EXPECT_TRUE(sawStopRequest);
    // No message loop is needed any more: the system ends the process next.
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(TheApp, nullptr);
    frame = nullptr;
}

TEST_F(ExchangeTest, WithoutASessionTheWorkerReturnsMinusOneAndTellsNobody)
{
    app->session.reset();
    ExchangeWorker worker(PhotoDownload{});
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
    RowSet noRows;
    RunExchange(*app, PhotoDownload{&noRows});
    EXPECT_EQ(watch.ProgressDialogs(), 0u);
}
