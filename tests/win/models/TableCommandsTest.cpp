#include "TableFixture.h"
#include "phone/PhoneSession.h"

// The frame's table commands: one window per kind, menus and tool bar in
// step with the active table.

TEST_F(TableTest, OpeningThePhoneBookTwiceGivesOneWindow)
{
    ASSERT_TRUE(Start());
    TableModel* first = Open(IDM_PHONEBOOK);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Kind(), kPhoneBookKind);
    TableModel* again = Open(IDM_PHONEBOOK);
    EXPECT_EQ(again, first);
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(app->OpenTables.size(), 1u);
    char caption[64] = {};
    GetWindowTextA(GridOf(*first)->Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Телефонная книга");
    EXPECT_FALSE(GridOf(*first)->IsReadOnly());
}

TEST_F(TableTest, TheFileMenuChecksEveryOpenTableAndTheToolBarOnlyTheActiveOne)
{
    ASSERT_TRUE(Start());
    Open(IDM_PHONEBOOK);
    TableModel* scheduler = Open(IDM_SCHEDULER);
    ASSERT_NE(scheduler, nullptr);
    EXPECT_EQ(scheduler->Kind(), kSchedulerKind);
    SendMessageA(frame, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(frame)), 0);
    EXPECT_TRUE(MenuState(IDM_PHONEBOOK) & MF_CHECKED);
    EXPECT_TRUE(MenuState(IDM_SCHEDULER) & MF_CHECKED);
    EXPECT_TRUE(ButtonChecked(IDM_SCHEDULER));
    EXPECT_FALSE(ButtonChecked(IDM_PHONEBOOK));

    // Bringing the phone book back to the front moves the tool bar's check.
    Open(IDM_PHONEBOOK);
    EXPECT_TRUE(ButtonChecked(IDM_PHONEBOOK));
    EXPECT_FALSE(ButtonChecked(IDM_SCHEDULER));
    EXPECT_EQ(WindowCount(), 2);
}

TEST_F(TableTest, APhotoTableGraysEditingAndPhoneWritesButOffersDownloads)
{
    ASSERT_TRUE(Start());
    app->session->ModelName = "SCH-E250";
    TableModel* photos = Open(IDM_PHOTOS);
    ASSERT_NE(photos, nullptr);
    EXPECT_EQ(photos->Kind(), kPhotoKind);
    for (int c : {IDM_INSERT, IDM_EDIT, IDM_DELETE, IDM_WRITE_PHONE, IDM_RECEIVE_PHONE}) {
        EXPECT_TRUE(MenuState(c) & MF_GRAYED) << c;
        EXPECT_TRUE(ButtonHidden(c)) << c;
    }
    for (int c : {IDM_GET_SELECTED, IDM_GET_ALL}) {
        EXPECT_FALSE(MenuState(c) & MF_GRAYED) << c;
        EXPECT_FALSE(ButtonHidden(c)) << c;
    }
    EXPECT_TRUE(ButtonChecked(IDM_PHOTOS));
}

TEST_F(TableTest, ClosingTheLastTableBringsBackTheNoTableMenu)
{
    ASSERT_TRUE(Start());
    Open(IDM_MEMO);
    Open(IDM_MOVIES);
    EXPECT_NE(MenuState(IDM_EXPORT), static_cast<UINT>(-1));
    Command(IDM_CLOSE_ACTIVE);
    EXPECT_EQ(WindowCount(), 1);
    ASSERT_NE(app->ActiveModel(), nullptr);
    EXPECT_EQ(app->ActiveModel()->Kind(), kMemoKind);
    Command(IDM_CLOSE_ACTIVE);
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_TRUE(app->OpenTables.empty());
    EXPECT_EQ(GetMenuItemCount(GetMenu(frame)), 4);
    EXPECT_EQ(MenuState(IDM_EXPORT), static_cast<UINT>(-1));
    for (int c : {IDM_INSERT, IDM_EDIT, IDM_DELETE, IDM_FONT, IDM_EXPORT, IDM_WRITE_PHONE, IDM_GET_SELECTED,
                  IDM_GET_ALL, IDM_RECEIVE_PHONE})
        EXPECT_TRUE(ButtonHidden(c)) << c;
}

TEST_F(TableTest, CloseAllEmptiesTheClientAndTheList)
{
    ASSERT_TRUE(Start());
    for (int c : {IDM_PHONEBOOK, IDM_SCHEDULER, IDM_MEMO, IDM_PHOTOS, IDM_MOVIES})
        Open(c);
    EXPECT_EQ(WindowCount(), 5);
    Command(IDM_CLOSE_ALL);
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_TRUE(app->OpenTables.empty());
}

TEST_F(TableTest, TheE120LosesPictureAndMediaCommandsWhateverIsActive)
{
    ASSERT_TRUE(Start());
    app->session->ModelName = "SCH-E120";
    for (int table : {IDM_PHONEBOOK, IDM_PHOTOS}) {
        Open(table);
        for (int c : {IDM_PICTURE, IDM_PHOTOS, IDM_MOVIES})
            EXPECT_TRUE(MenuState(c) & MF_GRAYED) << table << " " << c;
        for (int c : {IDM_PICTURE, IDM_PHOTOS, IDM_MOVIES, IDM_GET_SELECTED, IDM_GET_ALL})
            EXPECT_TRUE(ButtonHidden(c)) << table << " " << c;
    }
}

TEST_F(TableTest, TheToolBarsDeleteAddAndEditReachTheActiveTableAsKeys)
{
    database->Run("INSERT INTO memo VALUES ('20050305T121500', 'Купить хлеб', 0)");
    ASSERT_TRUE(Start());
    TableModel* memo = Open(IDM_MEMO);
    ASSERT_NE(memo, nullptr);
    Command(IDM_INSERT);
    ASSERT_EQ(memo->Rows().size(), 2u);
    EXPECT_EQ(memo->Rows()[1].back(), "1");
    Command(IDM_EDIT);
    EXPECT_TRUE(GridOf(*memo)->InCellMode());
    Command(IDM_DELETE);
    EXPECT_EQ(memo->Rows()[1][0], "");
    EXPECT_EQ(Stored("SELECT stamp FROM memo WHERE id=1"), "-");
}
