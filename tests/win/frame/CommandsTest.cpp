#include "FrameFixture.h"
#include "app/ToolBarLayout.h"
#include "phone/PhoneSession.h"
#include "res/resource.h"

namespace {
std::string MenuText(HMENU menu, int position)
{
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}
}  // namespace

TEST_F(FrameTest, WithoutATableTheNoTableMenuShowsAndTableButtonsAreHidden)
{
    ASSERT_TRUE(Start());
    HMENU menu = GetMenu(frame);
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    EXPECT_EQ(MenuText(menu, MENU_NOTABLE_FILE), "&Файл");
    EXPECT_EQ(MenuText(menu, MENU_NOTABLE_OPERATIONS), "&Операции");
    EXPECT_EQ(MenuText(menu, MENU_NOTABLE_HELP), "&Справка");
    EXPECT_EQ(GetMenuState(menu, IDM_EXPORT, MF_BYCOMMAND), static_cast<UINT>(-1));
    for (int c : {IDM_INSERT, IDM_EDIT, IDM_DELETE, IDM_FONT, IDM_EXPORT, IDM_WRITE_PHONE, IDM_GET_SELECTED,
                  IDM_GET_ALL, IDM_RECEIVE_PHONE})
        EXPECT_TRUE(ButtonHidden(c)) << c;
    for (int c : {IDM_SMS, IDM_PHONEBOOK, IDM_MELODY, IDM_PICTURE, IDM_PHOTOS, IDM_ABOUT})
        EXPECT_FALSE(ButtonHidden(c)) << c;
    EXPECT_EQ(SendMessageA(app->toolBar, TB_BUTTONCOUNT, 0, 0), ToolBarEntryCount);
}

TEST_F(FrameTest, TheFrameHasItsTitleAndTheStatusBarTheSessionText)
{
    ASSERT_TRUE(Start());
    char text[128] = {};
    GetWindowTextA(frame, text, sizeof text);
    EXPECT_STREQ(text, "VelarMon: ПК-менеджер CDMA телефонов Samsung");
    EXPECT_TRUE(IsWindow(GetDlgItem(frame, IDC_MDI_CLIENT)));
    // A refresh shows the session's description.
    app->session->Description = "Samsung SCH-E250, порт COM3.";
    app->RefreshCommands();
    SendMessageA(app->statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Samsung SCH-E250, порт COM3.");
    app->SetStatusText("Чтение");
    SendMessageA(app->statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Чтение");
}

TEST_F(FrameTest, CustomisingTheToolBarOffersThirtyEntriesAndKeepsPositionZero)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(Notify(TBN_QUERYINSERT, 0), FALSE);
    EXPECT_EQ(Notify(TBN_QUERYDELETE, 0), FALSE);
    EXPECT_EQ(Notify(TBN_QUERYINSERT, 3), TRUE);
    EXPECT_EQ(Notify(TBN_QUERYDELETE, 3), TRUE);
    EXPECT_EQ(Notify(TBN_GETBUTTONINFOA, 0), TRUE);
    EXPECT_EQ(Notify(TBN_GETBUTTONINFOA, 29), TRUE);
    EXPECT_EQ(Notify(TBN_GETBUTTONINFOA, 30), FALSE);

    NMTOOLBARA info{};
    info.hdr.code = TBN_GETBUTTONINFOA;
    info.iItem = 29;
    SendMessageA(frame, WM_NOTIFY, IDC_TOOLBAR, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.tbButton.idCommand, IDM_ABOUT);
    EXPECT_EQ(info.tbButton.iBitmap, TBIMG_ABOUT);
}

TEST_F(FrameTest, ToolTipsComeFromTheStringTable)
{
    ASSERT_TRUE(Start());
    NMTTDISPINFOA info{};
    info.hdr.code = TTN_NEEDTEXTA;
    info.hdr.idFrom = IDM_WRITE_PHONE;
    SendMessageA(frame, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, "Записать в телефон активную таблицу.\nСтарые данные в телефоне будут стерты!");
}

TEST_F(FrameTest, TheE120LosesPictureAndMediaCommands)
{
    ASSERT_TRUE(Start());
    app->session->ModelName = "SCH-E120";
    app->RefreshCommands();
    for (int c : {IDM_PICTURE, IDM_PHOTOS, IDM_MOVIES})
        EXPECT_TRUE(MenuState(c) & MF_GRAYED) << c;
    EXPECT_FALSE(MenuState(IDM_MELODY) & MF_GRAYED);
    for (int c : {IDM_GET_SELECTED, IDM_GET_ALL, IDM_PHOTOS, IDM_MOVIES, IDM_PICTURE})
        EXPECT_TRUE(ButtonHidden(c)) << c;
    EXPECT_FALSE(ButtonHidden(IDM_MELODY));
}

TEST_F(FrameTest, TheSmsPanelNarrowsTheClientAndIsCheckedWhileOpen)
{
    ASSERT_TRUE(Start());
    RECT client{};
    GetWindowRect(app->mdiClient, &client);
    SendMessageA(frame, WM_COMMAND, IDM_SMS, 0);
    ASSERT_TRUE(app->smsPanel);
    EXPECT_TRUE(ButtonChecked(IDM_SMS));
    SendMessageA(frame, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(frame)), 0);
    EXPECT_TRUE(MenuState(IDM_SMS) & MF_CHECKED);

    RECT narrowed{}, panel{};
    GetWindowRect(app->mdiClient, &narrowed);
    GetClientRect(app->smsPanel, &panel);
    EXPECT_EQ(narrowed.left - client.left, panel.right);

    SendMessageA(frame, WM_COMMAND, IDM_SMS, 0);
    EXPECT_EQ(app->smsPanel, nullptr);
    EXPECT_FALSE(ButtonChecked(IDM_SMS));
    RECT widened{};
    GetWindowRect(app->mdiClient, &widened);
    EXPECT_EQ(widened.left, client.left);
}
