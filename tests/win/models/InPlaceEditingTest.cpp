#include "TableFixture.h"

#include <atomic>

// Cells edited in place through the real controls laid over them, stored
// through the models into the database.

namespace {
HWND Editor(const TableModel* model, int id)
{
    return GetDlgItem(GridOf(*model)->Handle(), id);
}

std::string WindowTextOf(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Makes a cell current in cell mode, then types `character` on the grid.
void TypeOn(const TableModel* model, int column, int row, char character)
{
    GridWindow* grid = GridOf(*model);
    grid->SetCurrentRow(row);
    grid->SetCurrentColumn(column);
    SendMessageA(grid->Handle(), WM_CHAR, static_cast<unsigned char>(character), 0);
}

void PressIn(HWND control, WPARAM key)
{
    SendMessageA(control, WM_KEYDOWN, key, 0);
    PumpMessages();
}

int ChildrenOfClass(HWND parent, const char* className)
{
    int count = 0;
    for (HWND child = FindWindowExA(parent, nullptr, className, nullptr); child;
         child = FindWindowExA(parent, child, className, nullptr))
        ++count;
    return count;
}
}  // namespace

TEST_F(TableTest, TheTextFieldReplacesOnTypingAndStoresOnEnterEscAndTab)
{
    database->Run({"INSERT INTO phbook VALUES ('Иванов', '0957001122', '', '', '', '', '', '', '', 1)"});
    ASSERT_TRUE(Start());
    TableModel* book = Open(IDM_PHONEBOOK);
    ASSERT_NE(book, nullptr);

    // A typed character replaces the old text; Enter stores it.
    TypeOn(book, 0, 0, '7');
    HWND field = Editor(book, IDC_EDITOR_TEXT);
    ASSERT_TRUE(field);
    EXPECT_EQ(WindowTextOf(field), "7");
    EXPECT_EQ(GetFocus(), field);
    PressIn(field, VK_RETURN);
    EXPECT_FALSE(IsWindow(field));
    EXPECT_EQ(book->Rows()[0][0], "7");
    EXPECT_EQ(Stored("SELECT name FROM phbook WHERE id=1"), "7");

    // A space only opens the field, with the old text selected.
    TypeOn(book, 1, 0, ' ');
    field = Editor(book, IDC_EDITOR_TEXT);
    ASSERT_TRUE(field);
    EXPECT_EQ(WindowTextOf(field), "0957001122");
    DWORD from = 1;
    DWORD to = 0;
    SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 10u);
    // Esc stores what was typed too.
    SendMessageA(field, WM_CHAR, '5', 0);
    PressIn(field, VK_ESCAPE);
    EXPECT_EQ(book->Rows()[0][1], "5");
    EXPECT_EQ(Stored("SELECT phone1 FROM phbook WHERE id=1"), "5");

    // Tab stores and moves on to the next column.
    TypeOn(book, 2, 0, '9');
    field = Editor(book, IDC_EDITOR_TEXT);
    ASSERT_TRUE(field);
    PressIn(field, VK_TAB);
    EXPECT_EQ(book->Rows()[0][2], "9");
    EXPECT_EQ(Stored("SELECT phone2 FROM phbook WHERE id=1"), "9");
    EXPECT_EQ(GridOf(*book)->CurrentColumn(), 3);
    EXPECT_FALSE(Editor(book, IDC_EDITOR_TEXT));

    // Enter on a selected cell opens its field without typing.
    Key(book, VK_RETURN);
    field = Editor(book, IDC_EDITOR_TEXT);
    ASSERT_TRUE(field);
    EXPECT_EQ(WindowTextOf(field), "");
    PressIn(field, VK_RETURN);
    EXPECT_EQ(book->Rows()[0][3], "");
}

TEST_F(TableTest, NoEditorOpensOnAReadOnlyGridOrAColumnWithoutOne)
{
    database->Run({"INSERT INTO phbook VALUES ('Иванов', '0957001122', '', '', '', '', '', '', '', 1)",
                   "UPDATE i_phbook SET editor=4 WHERE title='Номер 1'"});
    ASSERT_TRUE(Start());
    TableModel* book = Open(IDM_PHONEBOOK);
    ASSERT_NE(book, nullptr);
    TypeOn(book, 1, 0, '7');
    EXPECT_EQ(ChildrenOfClass(GridOf(*book)->Handle(), "Edit"), 0);
    GridOf(*book)->SetReadOnly(true);
    TypeOn(book, 0, 0, '7');
    GridOf(*book)->BeginEdit('7', 0);
    EXPECT_EQ(ChildrenOfClass(GridOf(*book)->Handle(), "Edit"), 0);
    EXPECT_EQ(book->Rows()[0][0], "Иванов");

    // A photo window is writable in memory once built.
    TableModel* photos = Open(IDM_PHOTOS);
    ASSERT_NE(photos, nullptr);
    ASSERT_FALSE(photos->Rows().empty());
    TypeOn(photos, 0, 0, 'x');
    HWND field = Editor(photos, IDC_EDITOR_TEXT);
    ASSERT_TRUE(field);
    PressIn(field, VK_RETURN);
    EXPECT_EQ(photos->Rows()[0][0], "x");
}

TEST_F(TableTest, CheckBoxesReadTheirTextsAndStoreDaNetOrPr)
{
    database->Run({"UPDATE i_memo SET editor=2 WHERE title='Текст'",
                   "INSERT INTO memo VALUES ('20050305T121500', 'ДА', 0)",
                   "INSERT INTO memo VALUES ('20050306T121500', '?', 1)"});
    ASSERT_TRUE(Start());
    TableModel* memo = Open(IDM_MEMO);
    ASSERT_NE(memo, nullptr);

    TypeOn(memo, 1, 0, ' ');
    HWND box = Editor(memo, IDC_EDITOR_CHECK);
    ASSERT_TRUE(box);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
    PressIn(box, VK_TAB);
    EXPECT_EQ(memo->Rows()[0][1], "Нет");
    EXPECT_EQ(Stored("SELECT content FROM memo WHERE id=0"), "Нет");

    TypeOn(memo, 1, 1, ' ');
    box = Editor(memo, IDC_EDITOR_CHECK);
    ASSERT_TRUE(box);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    PressIn(box, VK_TAB);
    EXPECT_EQ(Stored("SELECT content FROM memo WHERE id=1"), "Пр");
}

TEST_F(TableTest, TheMelodyListOffersTheMelodiesAndStoresTheChosenName)
{
    database->Run({"INSERT INTO sched VALUES ('20050307T140509', '0', 'Встреча', 'Звонок', 0)"});
    ASSERT_TRUE(Start());
    // The session start refilled the melody list from the phone.
    database->Run({"DELETE FROM musik", "INSERT INTO musik VALUES (1, 'Звонок')",
                   "INSERT INTO musik VALUES (2, 'Мелодия 2')", "INSERT INTO musik VALUES (3, 'Мелодия 3')"});
    TableModel* scheduler = Open(IDM_SCHEDULER);
    ASSERT_NE(scheduler, nullptr);
    TypeOn(scheduler, 3, 0, ' ');
    HWND list = Editor(scheduler, IDC_EDITOR_LIST);
    ASSERT_TRUE(list);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, CB_GETITEMDATA, 2, 0), 3);
    SendMessageA(list, CB_SETCURSEL, 2, 0);
    PressIn(list, VK_TAB);
    EXPECT_EQ(scheduler->Rows()[0][3], "Мелодия 3");
    EXPECT_EQ(Stored("SELECT melody FROM sched WHERE id=0"), "Мелодия 3");
}

TEST_F(TableTest, TwoQuickDoubleClicksLeaveOneEditor)
{
    database->Run({"INSERT INTO phbook VALUES ('Иванов', '0957001122', '', '', '', '', '', '', '', 1)"});
    ASSERT_TRUE(Start());
    TableModel* book = Open(IDM_PHONEBOOK);
    ASSERT_NE(book, nullptr);
    HWND grid = GridOf(*book)->Handle();
    const CellBox cell = GridOf(*book)->CellRect(0, 0);
    const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    SendMessageA(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PumpMessages();
    EXPECT_EQ(ChildrenOfClass(grid, "Edit"), 1);
    EXPECT_EQ(book->Rows()[0][0], "Иванов");
}

TEST_F(TableTest, TheDateButtonStoresTheDialogsChoiceAndCancelKeepsTheCell)
{
    database->Run({"INSERT INTO sched VALUES ('20050307T140509', '0', 'Встреча', '', 0)",
                   "INSERT INTO sched VALUES ('garbage', '0', 'Обед', '', 1)"});
    ASSERT_TRUE(Start());
    TableModel* scheduler = Open(IDM_SCHEDULER);
    ASSERT_NE(scheduler, nullptr);

    // "Выбрать" after the 8th, 09:30 are chosen.
    MessageBoxWatcher watcher;
    std::atomic<int> shownYear{0};
    std::atomic<int> shownDay{0};
    std::atomic<int> action{IDOK};
    watcher.OnDialog([&](HWND dialog) {
        if (WindowTextOf(dialog) != "Дата и время")
            return false;
        char year[8] = {};
        GetDlgItemTextA(dialog, IDC_DATETIME_YEAR, year, sizeof year);
        shownYear = std::atoi(year);
        HWND slider = GetDlgItem(dialog, IDC_DATETIME_DAY);
        shownDay = static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0));
        if (action == IDOK) {
            SendMessageA(slider, TBM_SETPOS, TRUE, 8);
            SendMessageA(dialog, WM_HSCROLL, SB_THUMBPOSITION, reinterpret_cast<LPARAM>(slider));
            SendDlgItemMessageA(dialog, IDC_DATETIME_HOUR, CB_SETCURSEL, 9, 0);
            SendDlgItemMessageA(dialog, IDC_DATETIME_MINUTE, CB_SETCURSEL, 30, 0);
        }
        PressButton(dialog, action);
        return true;
    });
    TypeOn(scheduler, 0, 0, ' ');
    PumpMessages();
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(shownYear, 2005);
    EXPECT_EQ(shownDay, 7);
    EXPECT_EQ(scheduler->Rows()[0][0], "20050308T093000");
    EXPECT_EQ(Stored("SELECT starts FROM sched WHERE id=0"), "20050308T093000");
    EXPECT_FALSE(Editor(scheduler, IDC_EDITOR_DATE));

    // "Отмена" changes nothing; a cell without a stamp opens at today.
    action = IDCANCEL;
    TypeOn(scheduler, 0, 1, ' ');
    PumpMessages();
    ASSERT_EQ(watcher.Seen().size(), 2u);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_EQ(shownYear, now.wYear);
    EXPECT_EQ(shownDay, now.wDay);
    EXPECT_EQ(Stored("SELECT starts FROM sched WHERE id=1"), "garbage");
}
