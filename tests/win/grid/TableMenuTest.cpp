#include "GridFixture.h"

// The frame's table menu for the active table window, read through the menu
// bar by command.

namespace {
bool Grayed(UINT state)
{
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) != 0;
}

bool Enabled(UINT state)
{
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

std::string PopupText(HMENU menu, int position)
{
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}
}  // namespace

TEST_F(GridTest, AMaximisedPhotoTableOffersDownloadsOnlyThoughItsSystemMenuComesFirst)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(3, 2), ColumnsOfDivisors({2, 2}), kPhotoKind));
    SendMessageA(app->mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(grid->Handle()), 0);
    PumpMessages();
    ASSERT_TRUE(IsZoomed(grid->Handle()));
    // As every change of the active window does: a fresh table menu, with
    // the maximised window's system menu put in front of "&Файл".
    app->RefreshCommands();
    HMENU bar = GetMenu(frame);
    ASSERT_TRUE(GetSubMenu(bar, 0));
    ASSERT_NE(PopupText(bar, 0), "&Файл");
    ASSERT_EQ(PopupText(bar, 1), "&Файл");

    for (int c : {IDM_GET_SELECTED, IDM_GET_ALL})
        EXPECT_TRUE(Enabled(MenuState(c))) << c;
    for (int c : {IDM_INSERT, IDM_EDIT, IDM_DELETE, IDM_WRITE_PHONE, IDM_RECEIVE_PHONE})
        EXPECT_TRUE(Grayed(MenuState(c))) << c;
    EXPECT_TRUE(Enabled(MenuState(IDM_EXPORT)));
    EXPECT_TRUE(Enabled(MenuState(IDM_PORT)));
}
