#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/AboutDialog.h"
#include "common/CentreRule.h"
#include "app/SplashDialog.h"
#include "res/resource.h"
#include "support/MessageBoxWatcher.h"
#include "support/Pump.h"

namespace {
RECT RectOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

bool IsCentredOn(const RECT& own, const RECT& reference)
{
    const WindowOrigin o = CentredOrigin(reference.left, reference.top, reference.right, reference.bottom,
                                         own.right - own.left, own.bottom - own.top);
    return own.left == o.x && own.top == o.y;
}
}  // namespace

TEST(SplashDialog, IsCentredOnTheDesktopAndItsBarEndsAtStepTwelve)
{
    HWND splash = CreateSplashDialog(GetModuleHandleA(nullptr));
    ASSERT_TRUE(splash);
    EXPECT_TRUE(IsWindowVisible(splash));
    EXPECT_FALSE(GetWindowLongA(splash, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(GetWindow(splash, GW_OWNER), nullptr);
    EXPECT_TRUE(IsCentredOn(RectOf(splash), RectOf(GetDesktopWindow())));
    HWND bar = GetDlgItem(splash, IDC_SPLASH_PROGRESS);
    ASSERT_TRUE(bar);
    PBRANGE range{};
    SendMessageA(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 12);
    for (int step = 1; step <= SplashStepCount; ++step) {
        SplashStep(splash, step);
        EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), step);
    }
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), range.iHigh);
    // The picture is shown at its own size.
    HWND picture = nullptr;
    for (HWND child = GetWindow(splash, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
            picture = child;
    ASSERT_TRUE(picture);
    HBITMAP image = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    ASSERT_TRUE(GetObjectA(image, sizeof info, &info));
    EXPECT_GT(info.bmWidth, 100);
    DestroyWindow(splash);
}

namespace {
struct AboutSeen {
    std::string caption;
    RECT rect{};
    bool hasPicture = false;
};

INT_PTR RunAbout(HWND owner, AboutSeen& seen, int button)
{
    MessageBoxWatcher watcher;
    watcher.OnDialog([&seen, button](HWND dialog) {
        if (WindowText(dialog) != "О программе")
            return false;
        seen.caption = WindowText(dialog);
        seen.rect = RectOf(dialog);
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            seen.hasPicture = seen.hasPicture || (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
        PressButton(dialog, button);
        return true;
    });
    return ShowAboutDialog(owner);
}
}  // namespace

TEST(AboutDialog, IsCentredOnItsOwnerAndEndsWithOneFromOkOrEscape)
{
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 100, 40, 700, 500, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(owner);
    AboutSeen seen;
    EXPECT_EQ(RunAbout(owner, seen, IDOK), 1);
    EXPECT_EQ(seen.caption, "О программе");
    EXPECT_TRUE(seen.hasPicture);
    EXPECT_TRUE(IsCentredOn(seen.rect, RectOf(owner)));
    EXPECT_EQ(RunAbout(owner, seen, IDCANCEL), 1);
    DestroyWindow(owner);
}

TEST(AboutDialog, WithoutAnOwnerIsCentredOnTheDesktop)
{
    AboutSeen seen;
    EXPECT_EQ(RunAbout(nullptr, seen, IDOK), 1);
    EXPECT_TRUE(IsCentredOn(seen.rect, RectOf(GetDesktopWindow())));
}
