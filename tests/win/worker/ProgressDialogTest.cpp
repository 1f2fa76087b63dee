#include "ExchangeFixture.h"

#include <commctrl.h>

#include "worker/RunExchange.h"

namespace {
HWND Bar(HWND dialog)
{
    return GetDlgItem(dialog, IDC_PROGRESS_BAR);
}

int RangeEnd(HWND dialog)
{
    return static_cast<int>(SendMessageA(Bar(dialog), PBM_GETRANGE, FALSE, 0));
}
}  // namespace

TEST_F(ExchangeTest, TheDialogIsModalOverTheFramePlaysItsClipAndHasNoCloseBox)
{
    char caption[128] = {};
    LONG_PTR style = 0;
    HWND owner = nullptr;
    RECT rect{};
    int range = -1;
    bool clipOpen = false;
    bool frameEnabled = true;
    bool framePainted = false;
    RunExchangeWorker(*app, std::make_unique<ScriptedWorker>(0, [&](HWND dialog) {
        GetWindowTextA(dialog, caption, sizeof caption);
        style = GetWindowLongPtrA(dialog, GWL_STYLE);
        owner = GetWindow(dialog, GW_OWNER);
        GetWindowRect(dialog, &rect);
        range = RangeEnd(dialog);
        // Playing needs an open clip.
        clipOpen = SendDlgItemMessageA(dialog, IDC_PROGRESS_ANIMATION, ACM_PLAY, static_cast<WPARAM>(-1),
                                       MAKELONG(0, -1)) != FALSE;
        frameEnabled = IsWindowEnabled(frame) != FALSE;
        InvalidateRect(app->mdiClient, nullptr, TRUE);
        for (int i = 0; i < 300 && !framePainted; ++i, Sleep(10))
            framePainted = !GetUpdateRect(app->mdiClient, nullptr, FALSE);
    }));
    EXPECT_STREQ(caption, "Обмен данных с телефоном");
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_EQ(owner, frame);
    EXPECT_EQ(range, 100);
    EXPECT_TRUE(clipOpen);
    // The user cannot start a second exchange, yet the frame keeps painting.
    EXPECT_FALSE(frameEnabled);
    EXPECT_TRUE(framePainted);
    EXPECT_TRUE(IsWindowEnabled(frame));

    RECT frameRect{};
    GetWindowRect(frame, &frameRect);
    EXPECT_NEAR(rect.left + rect.right, frameRect.left + frameRect.right, 2);
    EXPECT_NEAR(rect.top + rect.bottom, frameRect.top + frameRect.bottom, 2);
}

TEST_F(ExchangeTest, AFileItemShowsNameAndTagSetsTheRangeAndPositionsFollow)
{
    std::string text;
    int range = -1;
    bool positioned = false;
    RunExchangeWorker(*app, std::make_unique<ScriptedWorker>(3, [&](HWND dialog) {
        SendProgressItem({"12", "a.jpg", "2500"});
        text = ControlText(dialog, IDC_PROGRESS_TEXT);
        range = RangeEnd(dialog);
        PostProgressPosition(1200);
        for (int i = 0; i < 300 && !positioned; ++i, Sleep(10))
            positioned = SendMessageA(Bar(dialog), PBM_GETPOS, 0, 0) == 1200;
    }));
    EXPECT_EQ(text, "Процесс загрузки файла a.jpg_12");
    EXPECT_EQ(range, 2500);
    EXPECT_TRUE(positioned);
}

TEST_F(ExchangeTest, AWriteStartsWithDeletingOldRecordsUntilItsFirstItem)
{
    std::string first;
    std::string then;
    RunExchangeWorker(*app, std::make_unique<ScriptedWorker>(8, [&](HWND dialog) {
        first = ControlText(dialog, IDC_PROGRESS_TEXT);
        SendProgressItem({"", "", "40"});
        then = ControlText(dialog, IDC_PROGRESS_TEXT);
    }));
    EXPECT_EQ(first, "Удаление старых записей");
    EXPECT_EQ(then, "Процесс обмена данными с телефоном...");
}

TEST_F(ExchangeTest, TheSmsShowsItsTextWithoutTheBar)
{
    std::string text;
    bool barVisible = true;
    RunExchangeWorker(*app, std::make_unique<ScriptedWorker>(10, [&](HWND dialog) {
        text = ControlText(dialog, IDC_PROGRESS_TEXT);
        barVisible = IsWindowVisible(Bar(dialog)) != FALSE;
        // A missing row changes nothing.
        SendMessageA(dialog, VM_PROGRESS_ITEM, 0, 0);
    }));
    EXPECT_EQ(text, "Процесс отправки SMS...");
    EXPECT_FALSE(barVisible);
}
