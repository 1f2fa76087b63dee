#include "app/SmsPanel.h"

#include <string>

#include "common/AppMessages.h"
#include "app/Application.h"
#include "phone/PhoneSession.h"
#include "worker/SmsSending.h"
#include "res/resource.h"

namespace {
constexpr int PanelTop = 30;
// Room for the longest text any of the panel's edits hands out, and its terminator.
constexpr int ReadLimit = SMS_TEXT_LIMIT + 1;

std::string ItemText(HWND panel, int id)
{
    char text[ReadLimit] = {};
    GetDlgItemTextA(panel, id, text, ReadLimit);
    return text;
}

void OnInitDialog(HWND panel)
{
    RECT client{};
    GetClientRect(GetParent(panel), &client);
    SetWindowPos(panel, nullptr, client.left, client.top + PanelTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendDlgItemMessageA(panel, IDC_SMS_TEXT, EM_LIMITTEXT, SMS_TEXT_LIMIT, 0);
    SendDlgItemMessageA(panel, IDC_SMS_OWN_NUMBER, EM_LIMITTEXT, SMS_NUMBER_LIMIT, 0);
    SendDlgItemMessageA(panel, IDC_SMS_RECIPIENT, EM_LIMITTEXT, SMS_NUMBER_LIMIT, 0);
    const std::string own = TheApp && TheApp->session ? TheApp->session->OwnNumber : std::string();
    SetDlgItemTextA(panel, IDC_SMS_OWN_NUMBER, own.c_str());
    ShowWindow(panel, SW_SHOW);
}

void UpdateCounter(HWND panel)
{
    SetDlgItemTextA(panel, IDC_SMS_CHARS_LEFT,
                    std::to_string(SmsCharactersLeft(ItemText(panel, IDC_SMS_TEXT))).c_str());
}

void Send(HWND panel)
{
    SmsRequest request;
    request[0] = ItemText(panel, IDC_SMS_RECIPIENT);
    if (request[0].empty()) {
        MessageBoxA(panel, AppMessages[EmptySmsRecipient], AppMessages[AppCaption], MB_ICONWARNING | MB_OK);
        SetFocus(GetDlgItem(panel, IDC_SMS_RECIPIENT));
        return;
    }
    request[1] = ItemText(panel, IDC_SMS_OWN_NUMBER);
    request[2] = ItemText(panel, IDC_SMS_TEXT);
    request[3].assign(1, IsDlgButtonChecked(panel, IDC_SMS_SAVE) == BST_CHECKED ? '1' : '0');
    if (TheApp)
        SendSmsThroughWorker(*TheApp, request);
}

INT_PTR CALLBACK SmsPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(panel);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            DestroyWindow(panel);
            return TRUE;
        case IDC_SMS_TEXT:
            if (HIWORD(wParam) == EN_CHANGE)
                UpdateCounter(panel);
            return TRUE;
        case IDC_SMS_SEND:
            Send(panel);
            return TRUE;
        default:
            break;
        }
        break;
    case WM_DESTROY:
        // The MDI client takes the panel's width back.
        if (TheApp && TheApp->smsPanel == panel) {
            TheApp->smsPanel = nullptr;
            SendMessageA(TheApp->frame, WM_SIZE, 0, 0);
        }
        return TRUE;
    default:
        break;
    }
    return FALSE;
}
}  // namespace

HWND CreateSmsPanel(HINSTANCE instance, HWND frame)
{
    return CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_SMS), frame, SmsPanelProc, 0);
}
