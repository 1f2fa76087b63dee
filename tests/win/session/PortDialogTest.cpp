#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "app/Application.h"
#include "common/CentreRule.h"
#include "app/PortDialog.h"
#include "res/resource.h"
#include "support/MessageBoxWatcher.h"
#include "support/Registry.h"

namespace {
// What the watcher read in the port dialog before it answered.
struct Seen {
    int selected = -2;
    int count = 0;
    std::string first, last, caption;
    LRESULT firstData = 0, lastData = 0;
    RECT rect{};
    bool stillOpenAfterOk = false;
    bool fastTicked = false;
};

// Answers the port dialog: selects `select` (an index, -1 for none, -2 to
// leave it), clicks the fast exchange box when `clickFast` is set, presses
// OK, and when the dialog is still there, Cancel.
class PortDialogTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteSettingsKey(); }
    // A port saved here must not be what later tests of the prefix open.
    void TearDown() override { DeleteSettingsKey(); }

    INT_PTR Run(int select, bool ok, HWND owner = nullptr, bool clickFast = false)
    {
        watcher.OnDialog([this, select, ok, clickFast](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_PORT_LIST);
            if (!list)
                return false;
            char text[32] = {};
            seen.selected = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
            seen.count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
            SendMessageA(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
            seen.first = text;
            SendMessageA(list, CB_GETLBTEXT, 98, reinterpret_cast<LPARAM>(text));
            seen.last = text;
            seen.firstData = SendMessageA(list, CB_GETITEMDATA, 0, 0);
            seen.lastData = SendMessageA(list, CB_GETITEMDATA, 98, 0);
            seen.caption = WindowText(dialog);
            GetWindowRect(dialog, &seen.rect);
            seen.fastTicked = IsDlgButtonChecked(dialog, IDC_FAST_EXCHANGE) == BST_CHECKED;
            if (clickFast)
                SendMessageA(GetDlgItem(dialog, IDC_FAST_EXCHANGE), BM_CLICK, 0, 0);
            if (select != -2)
                SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(select), 0);
            if (ok) {
                PressButton(dialog, IDOK);
                Sleep(300);
                seen.stillOpenAfterOk = IsWindow(dialog) != FALSE;
                if (!seen.stillOpenAfterOk)
                    return true;
            }
            PressButton(dialog, IDCANCEL);
            return true;
        });
        // With an application the dialog works on its settings and saves them.
        PhoneSettings& settings = TheApp ? TheApp->settings.phone : phone;
        return RunPortDialog(owner, settings, [] {
            if (TheApp)
                TheApp->SaveSettings();
        });
    }

    PhoneSettings& Settings() { return TheApp ? TheApp->settings.phone : phone; }

    MessageBoxWatcher watcher;
    Seen seen;
    PhoneSettings phone;
};
}  // namespace

TEST_F(PortDialogTest, ListsCom1ToCom99WithTheCurrentPortSelected)
{
    Settings().commPort = 3;
    EXPECT_EQ(Run(-2, false), IDCANCEL);
    EXPECT_EQ(seen.caption, "Порт");
    EXPECT_EQ(seen.count, 99);
    EXPECT_EQ(seen.first, "COM1");
    EXPECT_EQ(seen.last, "COM99");
    EXPECT_EQ(seen.firstData, 1);
    EXPECT_EQ(seen.lastData, 99);
    EXPECT_EQ(seen.selected, 2);
}

TEST_F(PortDialogTest, APortOutsideTheListSelectsCom1)
{
    for (int port : {0, 150}) {
        Settings().commPort = port;
        EXPECT_EQ(Run(-2, false), IDCANCEL);
        EXPECT_EQ(seen.selected, 0) << port;
        EXPECT_EQ(Settings().commPort, port);
    }
}

TEST_F(PortDialogTest, CancelChangesNeitherThePortNorTheRegistry)
{
    CreateApplication(GetModuleHandleA(nullptr));
    Settings().commPort = 3;
    DeleteSettingsKey();
    Settings().fastExchange = false;
    EXPECT_EQ(Run(6, false, nullptr, true), IDCANCEL);
    EXPECT_EQ(Settings().commPort, 3);
    EXPECT_FALSE(Settings().fastExchange);
    DestroyApplication();
    EXPECT_FALSE(SettingsKeyExists());
}

TEST_F(PortDialogTest, OkWithoutASelectionKeepsTheDialogOpen)
{
    Settings().commPort = 3;
    EXPECT_EQ(Run(-1, true), IDCANCEL);
    EXPECT_TRUE(seen.stillOpenAfterOk);
    EXPECT_EQ(Settings().commPort, 3);
}

TEST_F(PortDialogTest, OkStoresTheChosenPortAndSavesTheSettings)
{
    CreateApplication(GetModuleHandleA(nullptr));
    Settings().commPort = 3;
    DeleteSettingsKey();
    EXPECT_EQ(Run(6, true), IDOK);
    EXPECT_FALSE(seen.stillOpenAfterOk);
    EXPECT_EQ(Settings().commPort, 7);
    EXPECT_EQ(ReadSetting("CommPort"), 7u);
    EXPECT_TRUE(ReadSetting("ShowToolBar").has_value());
    DestroyApplication();
}

TEST_F(PortDialogTest, TheFastExchangeBoxShowsTheSettingAndOkKeepsItsState)
{
    CreateApplication(GetModuleHandleA(nullptr));
    Settings().commPort = 3;
    Settings().fastExchange = false;
    DeleteSettingsKey();
    EXPECT_EQ(Run(2, true, nullptr, true), IDOK);
    EXPECT_FALSE(seen.fastTicked);
    EXPECT_TRUE(Settings().fastExchange);
    EXPECT_EQ(ReadSetting("FastExchange"), 1u);

    EXPECT_EQ(Run(2, true, nullptr, true), IDOK);
    EXPECT_TRUE(seen.fastTicked);
    EXPECT_FALSE(Settings().fastExchange);
    EXPECT_EQ(ReadSetting("FastExchange"), 0u);
    DestroyApplication();
}

TEST_F(PortDialogTest, WithoutAnOwnerItIsCentredOnTheScreen)
{
    Run(-2, false);
    const int width = seen.rect.right - seen.rect.left;
    const int height = seen.rect.bottom - seen.rect.top;
    const WindowOrigin expected =
        CentredOrigin(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height);
    EXPECT_EQ(seen.rect.left, expected.x);
    EXPECT_EQ(seen.rect.top, expected.y);
}

TEST_F(PortDialogTest, WithAnOwnerItIsCentredOnTheOwner)
{
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 50, 60, 500, 300, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(owner);
    Run(-2, false, owner);
    DestroyWindow(owner);
    const WindowOrigin expected = CentredOrigin(50, 60, 550, 360, seen.rect.right - seen.rect.left,
                                                seen.rect.bottom - seen.rect.top);
    EXPECT_EQ(seen.rect.left, expected.x);
    EXPECT_EQ(seen.rect.top, expected.y);
}
