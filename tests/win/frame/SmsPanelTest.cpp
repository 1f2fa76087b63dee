#include <string>

#include "FrameFixture.h"
#include "phone/PhoneSession.h"
#include "res/resource.h"

namespace {
// Typing goes through the selection, which notifies the panel as a key press would.
void Type(HWND panel, int id, const std::string& text)
{
    SendDlgItemMessageA(panel, id, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Text(HWND panel, int id)
{
    char text[256] = {};
    GetDlgItemTextA(panel, id, text, sizeof text);
    return text;
}
}  // namespace

TEST_F(FrameTest, SmsCounterCountsBytesWithLineBreaksAsTwo)
{
    ASSERT_TRUE(Start());
    app->session->OwnNumber = "0951234567";
    SendMessageA(frame, WM_COMMAND, IDM_SMS, 0);
    HWND panel = app->smsPanel;
    ASSERT_TRUE(panel);
    EXPECT_EQ(Text(panel, IDC_SMS_CHARS_LEFT), std::to_string(SMS_TEXT_LIMIT));
    EXPECT_EQ(Text(panel, IDC_SMS_OWN_NUMBER), "0951234567");
    EXPECT_EQ(Text(panel, IDC_SMS_RECIPIENT), "");
    EXPECT_EQ(IsDlgButtonChecked(panel, IDC_SMS_SAVE), BST_UNCHECKED);

    Type(panel, IDC_SMS_TEXT, "Привет\r\nмир");
    EXPECT_EQ(Text(panel, IDC_SMS_CHARS_LEFT), "69");

    // The edit takes SMS_TEXT_LIMIT characters and no more.
    SetDlgItemTextA(panel, IDC_SMS_TEXT, "");
    Type(panel, IDC_SMS_TEXT, std::string(100, 'ж'));
    EXPECT_EQ(Text(panel, IDC_SMS_TEXT), std::string(SMS_TEXT_LIMIT, 'ж'));
    EXPECT_EQ(Text(panel, IDC_SMS_CHARS_LEFT), "0");

    Type(panel, IDC_SMS_RECIPIENT, std::string(30, '9'));
    EXPECT_EQ(Text(panel, IDC_SMS_RECIPIENT).size(), 20u);
}

TEST_F(FrameTest, SmsPanelSitsBelowTheToolBarAndClosesWithCancel)
{
    ASSERT_TRUE(Start());
    SendMessageA(frame, WM_COMMAND, IDM_SMS, 0);
    HWND panel = app->smsPanel;
    ASSERT_TRUE(panel);
    RECT r{};
    GetWindowRect(panel, &r);
    POINT topLeft{r.left, r.top};
    ScreenToClient(frame, &topLeft);
    EXPECT_EQ(topLeft.x, 0);
    EXPECT_EQ(topLeft.y, 30);

    SendMessageA(panel, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(panel));
    EXPECT_EQ(app->smsPanel, nullptr);
}
