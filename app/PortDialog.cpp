#include "app/PortDialog.h"

#include "app/Application.h"
#include "common/DialogCentring.h"
#include "app/PortList.h"
#include "phone/FastExchangeSetting.h"
#include "res/resource.h"
#include "serial/CommPortSetting.h"

namespace {
void FillPortList(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_PORT_LIST);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int port = 1; port <= PortListCount; ++port) {
        const LRESULT index =
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PortListText(port).c_str()));
        SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(index), port);
    }
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(PortListSelection(CommPort)), 0);
}

void OnInitDialog(HWND dialog)
{
    HWND parent = GetParent(dialog);
    const RECT reference = parent ? WindowRectOf(parent) : ScreenRect();
    FillPortList(dialog);
    CheckDlgButton(dialog, IDC_FAST_EXCHANGE, FastExchange ? BST_CHECKED : BST_UNCHECKED);
    CentreAndShow(dialog, reference);
}

// Takes the selected port and the exchange choice; without a selection the
// dialog stays open and neither changes.
void OnOk(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_PORT_LIST);
    const LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return;
    const LRESULT port = SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    if (port == CB_ERR)
        return;
    CommPort = static_cast<int>(port);
    FastExchange = IsDlgButtonChecked(dialog, IDC_FAST_EXCHANGE) == BST_CHECKED;
    if (TheApp)
        TheApp->SaveSettings();
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK PortProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnOk(dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}
}  // namespace

INT_PTR RunPortDialog(HWND owner)
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PORT), owner, PortProc, 0);
}
