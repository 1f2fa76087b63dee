#include "TableFixture.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>


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

// A key pressed in an editor, as the keyboard delivers it.
void PressIn(HWND control, WPARAM key)
{
    SetFocus(control);
    Keystroke(key);
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

// Keys arrive as the user types them, through the program's loop, so that
// each key's WM_CHAR follows it.
TEST_F(TableTest, KeystrokesOpenTheTextFieldAndOnlyTheEndOfTheEditStoresIt)
{
    database->Run({"INSERT INTO phbook VALUES ('Иванов', '0957001122', '', '', '', '', '', '', '', 1)"});
    ASSERT_TRUE(Start());
    TableModel* book = Open(IDM_PHONEBOOK);
    ASSERT_NE(book, nullptr);
    HWND grid = GridOf(*book)->Handle();

    // Enter opens the field and leaves it open; nothing is stored yet.
    EnterOn(book, 0, 0);
    HWND field = Editor(book, IDC_EDITOR_TEXT);
    ASSERT_TRUE(field);
    EXPECT_EQ(GetFocus(), field);
    EXPECT_EQ(WindowTextOf(field), "Иванов");
    EXPECT_EQ(SendMessageA(field, EM_GETLIMITTEXT, 0, 0), 32);
    EXPECT_EQ(Stored("SELECT name FROM phbook WHERE id=1"), "Иванов");
    // Typing replaces the text; an apostrophe stays one.
    for (WPARAM key : {WPARAM('O'), WPARAM(VK_OEM_7), WPARAM('B')})
        Keystroke(key);
    EXPECT_EQ(WindowTextOf(field), "o'b");
    Keystroke(VK_RETURN);
    EXPECT_FALSE(IsWindow(field));
    EXPECT_EQ(GetFocus(), grid);
    EXPECT_EQ(Stored("SELECT name FROM phbook WHERE id=1"), "o'b");

    // A typed character opens the field with it; Esc stores.
    Keystroke(VK_TAB);
    Keystroke('7');
    field = Editor(book, IDC_EDITOR_TEXT);
    ASSERT_TRUE(field);
    EXPECT_EQ(WindowTextOf(field), "7");
    Keystroke(VK_ESCAPE);
    EXPECT_EQ(Stored("SELECT phone1 FROM phbook WHERE id=1"), "7");

    // A space only opens it; Tab stores and moves on.
    Keystroke(VK_TAB);
    Keystroke(VK_SPACE);
    Keystroke('9');
    Keystroke(VK_TAB);
    EXPECT_EQ(Stored("SELECT phone2 FROM phbook WHERE id=1"), "9");
    EXPECT_EQ(GridOf(*book)->CurrentColumn(), 3);
    EXPECT_FALSE(Editor(book, IDC_EDITOR_TEXT));

    // A click elsewhere stores too.
    Keystroke(VK_RETURN);
    Keystroke('5');
    const CellBox other = GridOf(*book)->CellRect(0, 0);
    SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(other.left + 2, other.top + 2));
    PumpProgramLoop();
    EXPECT_EQ(Stored("SELECT phone3 FROM phbook WHERE id=1"), "5");

    // Delete on a selected cell empties it.
    SelectCell(book, 1, 0);
    Keystroke(VK_DELETE);
    EXPECT_EQ(book->Rows()[0][1], "");
    EXPECT_EQ(Stored("SELECT phone1 FROM phbook WHERE id=1"), "-");

    // A menu or tool bar command leaves the focus in an open editor: the
    // edit is stored before the command acts (a write's worker reads the rows).
    Keystroke('6');
    ASSERT_TRUE(Editor(book, IDC_EDITOR_TEXT));
    Command(IDM_CASCADE);
    EXPECT_FALSE(Editor(book, IDC_EDITOR_TEXT));
    EXPECT_EQ(Stored("SELECT phone1 FROM phbook WHERE id=1"), "6");

    // The apostrophe comes back in the reopened table and its export.
    Command(IDM_CLOSE_ACTIVE);
    book = Open(IDM_PHONEBOOK);
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->Rows()[0][0], "o'b");
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + "velarmon_apostrophe.xls";
    GridOf(*book)->ExportTo(path.c_str(), static_cast<unsigned>(path.size() - 3));
    std::ifstream in(path, std::ios::binary);
    const std::string xls{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    EXPECT_NE(xls.find(std::string("\x03\x00o'b", 5)), std::string::npos);
    std::remove(path.c_str());
}

TEST_F(TableTest, EnterKeepsEveryOtherEditorOpenAndItsEndStoresAsTheKindSays)
{
    database->Run({"UPDATE i_memo SET editor=1 WHERE title='Текст'",
                   "UPDATE i_sched SET editor=2 WHERE title='Выбор'",
                   "INSERT INTO memo VALUES ('20050305T121500', 'ДА', 0)",
                   "INSERT INTO sched VALUES ('20050307T140509', '?', 'Встреча', '', 0)"});
    ASSERT_TRUE(Start());
    database->Run({"DELETE FROM musik", "INSERT INTO musik VALUES (1, 'Звонок')",
                   "INSERT INTO musik VALUES (2, 'Мелодия 2')", "INSERT INTO musik VALUES (3, 'Мелодия 3')"});

    // Check box: Enter opens it as the cell says, Space unticks, Tab stores.
    TableModel* memo = Open(IDM_MEMO);
    ASSERT_NE(memo, nullptr);
    EnterOn(memo, 1, 0);
    HWND box = Editor(memo, IDC_EDITOR_CHECK);
    ASSERT_TRUE(box);
    EXPECT_EQ(GetFocus(), box);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Stored("SELECT content FROM memo WHERE id=0"), "ДА");
    Keystroke(VK_SPACE);
    Keystroke(VK_TAB);
    EXPECT_EQ(Stored("SELECT content FROM memo WHERE id=0"), "Нет");

    TableModel* scheduler = Open(IDM_SCHEDULER);
    ASSERT_NE(scheduler, nullptr);
    // Three states: Enter opens it undecided, Esc stores that.
    EnterOn(scheduler, 1, 0);
    box = Editor(scheduler, IDC_EDITOR_CHECK);
    ASSERT_TRUE(box);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(Stored("SELECT choice FROM sched WHERE id=0"), "?");
    Keystroke(VK_ESCAPE);
    EXPECT_EQ(Stored("SELECT choice FROM sched WHERE id=0"), "Пр");

    // Drop-down list: Enter opens it without storing its first pick; the
    // user's pick is stored by Tab.
    EnterOn(scheduler, 3, 0);
    HWND list = Editor(scheduler, IDC_EDITOR_LIST);
    ASSERT_TRUE(list);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(Stored("SELECT melody FROM sched WHERE id=0"), "");
    SendMessageA(list, CB_SETCURSEL, 2, 0);
    Keystroke(VK_TAB);
    EXPECT_EQ(Stored("SELECT melody FROM sched WHERE id=0"), "Мелодия 3");

    // Date button: Enter opens the dialog once; "Отмена" keeps the cell.
    MessageBoxWatcher watcher;
    watcher.OnDialog([](HWND dialog) {
        if (WindowTextOf(dialog) != "Дата и время")
            return false;
        PressButton(dialog, IDCANCEL);
        return true;
    });
    EnterOn(scheduler, 0, 0);
    EXPECT_EQ(watcher.Seen().size(), 1u);
    EXPECT_FALSE(Editor(scheduler, IDC_EDITOR_DATE));
    EXPECT_EQ(Stored("SELECT starts FROM sched WHERE id=0"), "20050307T140509");
}

// The refused value's box is owned by the frame; a close that reaches the
// frame meanwhile (sent by the system) frees the table under it.
TEST_F(TableTest, ATableClosedUnderARefusedValuesBoxIsLeftAlone)
{
    UseMemoWithPriority();
    ASSERT_TRUE(Start());
    TableModel* memo = Open(IDM_MEMO);
    ASSERT_NE(memo, nullptr);
    SelectCell(memo, 2, 0);
    SetFocus(GridOf(*memo)->Handle());
    Keystroke('X');
    ASSERT_TRUE(Editor(memo, IDC_EDITOR_TEXT));

    MessageBoxWatcher watcher;
    watcher.OnBox([this](const SeenWindow&) { SendMessageA(frame, WM_COMMAND, IDM_CLOSE_ACTIVE, 0); });
    Keystroke(VK_TAB);
    const std::vector<SeenWindow> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, frame);
    EXPECT_EQ(boxes[0].icon, "error");
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_TRUE(app->OpenTables.empty());

    memo = Open(IDM_MEMO);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Rows()[0][2], "3");
    EXPECT_EQ(Stored("SELECT priority FROM memo"), "3");
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
