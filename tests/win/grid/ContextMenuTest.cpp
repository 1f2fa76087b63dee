#include "GridFixture.h"

// The context menus of a right click: which one opens where, for which table.

namespace {
std::vector<int>* openedMenu = nullptr;
HHOOK menuHook = nullptr;

// Notes the items of the popup the grid's window is about to show.
LRESULT CALLBACK WatchPopups(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITMENUPOPUP && openedMenu) {
        HMENU popup = reinterpret_cast<HMENU>(call->wParam);
        for (int i = 0; i < GetMenuItemCount(popup); ++i)
            openedMenu->push_back(static_cast<int>(GetMenuItemID(popup, i)));
    }
    return CallNextHookEx(menuHook, code, wParam, lParam);
}

// The menu's own loop runs timers: this one closes whatever menu is open.
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD)
{
    EndMenu();
}
}  // namespace

class ContextMenuTest : public GridTest {
protected:
    // The commands of the menu a right click at (x, y) opens; empty when none.
    std::vector<int> RightClick(int x, int y)
    {
        std::vector<int> items;
        openedMenu = &items;
        menuHook = SetWindowsHookExA(WH_CALLWNDPROC, WatchPopups, nullptr, GetCurrentThreadId());
        const UINT_PTR timer = SetTimer(nullptr, 0, 200, CloseMenu);
        Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
        KillTimer(nullptr, timer);
        UnhookWindowsHookEx(menuHook);
        openedMenu = nullptr;
        return items;
    }
};

TEST_F(ContextMenuTest, EachPartOfATextTableOpensItsMenu)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(5, 2), ColumnsOfDivisors({2, 2}), kPhoneBookKind));
    SizeClient(432, 336);
    EXPECT_EQ(RightClick(300, 8), (std::vector<int>{IDM_SEARCH, IDM_SORT}));
    EXPECT_EQ(grid->CurrentColumn(), 1);
    EXPECT_TRUE(grid->InCellMode());
    EXPECT_EQ(RightClick(10, 16 + 3 * 16 + 4), (std::vector<int>{IDM_ADD_RECORD, IDM_DELETE_RECORD}));
    EXPECT_EQ(grid->CurrentRow(), 3);
    EXPECT_FALSE(grid->InCellMode());
    EXPECT_EQ(RightClick(300, 60), (std::vector<int>{IDM_FONT, IDM_EXPORT, IDM_IMPORT}));
}

TEST_F(ContextMenuTest, APhotoTablesRowHeadingsOpenNoMenu)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(5, 2), ColumnsOfDivisors({2, 2}), kPhotoKind));
    SizeClient(432, 336);
    EXPECT_TRUE(RightClick(10, 16 + 3 * 16 + 4).empty());
    EXPECT_EQ(grid->CurrentRow(), 3);
    EXPECT_EQ(RightClick(300, 8), (std::vector<int>{IDM_SEARCH, IDM_SORT}));
}
