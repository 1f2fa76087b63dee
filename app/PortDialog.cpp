#include "app/PortDialog.h"

#include "app/PortList.h"
#include "common/DialogCentring.h"
#include "res/resource.h"

namespace {
// What the open dialog shows and changes; it lives on the stack of the call
// that runs the dialog.
struct PortChoice {
    PhoneSettings& settings;
    const std::function<void()>& save;
};

PortChoice* ChoiceOf(HWND dialog)
{
    return reinterpret_cast<PortChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void FillPortList(HWND dialog, int current)
{
    HWND list = GetDlgItem(dialog, IDC_PORT_LIST);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int port = 1; port <= PortListCount; ++port) {
        const LRESULT index =
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PortListText(port).c_str()));
        SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(index), port);
    }
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(PortListSelection(current)), 0);
}

void OnInitDialog(HWND dialog, PortChoice& choice)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&choice));
    HWND parent = GetParent(dialog);
    const RECT reference = parent ? WindowRectOf(parent) : ScreenRect();
    FillPortList(dialog, choice.settings.commPort);
    CheckDlgButton(dialog, IDC_FAST_EXCHANGE, choice.settings.fastExchange ? BST_CHECKED : BST_UNCHECKED);
    CentreAndShow(dialog, reference);
}

// Takes the selected port and the exchange choice; without a selection the
// dialog stays open and neither changes.
void OnOk(HWND dialog)
{
    PortChoice* choice = ChoiceOf(dialog);
    if (!choice)
        return;
    HWND list = GetDlgItem(dialog, IDC_PORT_LIST);
    const LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return;
    const LRESULT port = SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    if (port == CB_ERR)
        return;
    choice->settings.commPort = static_cast<int>(port);
    choice->settings.fastExchange = IsDlgButtonChecked(dialog, IDC_FAST_EXCHANGE) == BST_CHECKED;
    if (choice->save)
        choice->save();
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK PortProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, *reinterpret_cast<PortChoice*>(lParam));
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

INT_PTR RunPortDialog(HWND owner, PhoneSettings& settings, const std::function<void()>& save)
{
    PortChoice choice{settings, save};
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PORT), owner, PortProc,
                           reinterpret_cast<LPARAM>(&choice));
}
