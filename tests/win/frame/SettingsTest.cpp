#include "FrameFixture.h"
#include "res/resource.h"

TEST_F(FrameTest, WithoutAKeyTheDefaultsApplyAndTheKeyIsCreated)
{
    ASSERT_FALSE(SettingsKeyExists());
    ASSERT_TRUE(Start());
    EXPECT_TRUE(SettingsKeyExists());
    EXPECT_EQ(app->settings.phone.commPort, 3);
    EXPECT_FALSE(app->settings.phone.fastExchange);
    EXPECT_TRUE(IsWindowVisible(app->toolBar));
    EXPECT_TRUE(IsWindowVisible(app->statusBar));
    EXPECT_FALSE(IsZoomed(frame));

    Close();
    for (const char* name : {"WinXPos", "WinYPos", "WinWidth", "WinHeight", "ShowStatusBar", "ShowToolBar", "CommPort"})
        EXPECT_TRUE(ReadSetting(name).has_value()) << name;
    EXPECT_EQ(ReadSetting("FastExchange"), 0u);
    EXPECT_FALSE(ReadSetting("CmdShow").has_value());
}

TEST_F(FrameTest, StoredShowCommandWinsOverTheSystemOne)
{
    WriteSetting("CmdShow", SW_SHOWMAXIMIZED);
    ASSERT_TRUE(Start(SW_SHOWNORMAL));
    EXPECT_TRUE(IsZoomed(frame));
}

TEST_F(FrameTest, OnlyTheValueOneShowsABar)
{
    for (DWORD value : {0u, 5u}) {
        WriteSetting("ShowToolBar", value);
        WriteSetting("ShowStatusBar", 1);
        ASSERT_TRUE(Start());
        EXPECT_FALSE(IsWindowVisible(app->toolBar)) << value;
        EXPECT_FALSE(MenuState(IDM_TOOLBAR) & MF_CHECKED) << value;
        EXPECT_TRUE(MenuState(IDM_STATUSBAR) & MF_CHECKED);
        Close();
    }
}

TEST_F(FrameTest, SavedPlacementIsReusedWhenItFitsTheScreen)
{
    WriteSetting("WinXPos", 40);
    WriteSetting("WinYPos", 30);
    WriteSetting("WinWidth", 700);
    WriteSetting("WinHeight", 500);
    ASSERT_TRUE(Start());
    RECT r{};
    GetWindowRect(frame, &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.right - r.left, 700);

    MoveWindow(frame, 60, 70, 640, 480, TRUE);
    Close();
    EXPECT_EQ(ReadSetting("WinXPos"), 60u);
    EXPECT_EQ(ReadSetting("WinHeight"), 480u);
}

TEST_F(FrameTest, TogglesFlipTheBarsAndAreRememberedAtTheNextStart)
{
    ASSERT_TRUE(Start());
    RECT before = app->LayoutClientArea();
    SendMessageA(frame, WM_COMMAND, IDM_TOOLBAR, 0);
    SendMessageA(frame, WM_COMMAND, IDM_STATUSBAR, 0);
    EXPECT_FALSE(IsWindowVisible(app->toolBar));
    EXPECT_FALSE(IsWindowVisible(app->statusBar));
    EXPECT_FALSE(MenuState(IDM_TOOLBAR) & MF_CHECKED);
    RECT after = app->LayoutClientArea();
    EXPECT_LT(after.top, before.top);
    EXPECT_GT(after.bottom, before.bottom);
    Close();
    EXPECT_EQ(ReadSetting("ShowToolBar"), 0u);
    EXPECT_EQ(ReadSetting("ShowStatusBar"), 0u);

    ASSERT_TRUE(Start());
    EXPECT_FALSE(IsWindowVisible(app->toolBar));
    SendMessageA(frame, WM_COMMAND, IDM_TOOLBAR, 0);
    EXPECT_TRUE(IsWindowVisible(app->toolBar));
    EXPECT_TRUE(MenuState(IDM_TOOLBAR) & MF_CHECKED);
    Close();
    EXPECT_EQ(ReadSetting("ShowToolBar"), 1u);
}
