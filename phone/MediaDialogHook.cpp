#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/AppLink.h"
#include "phone/MelodySlots.h"
#include "phone/PhoneSession.h"
#include "phone/UploadCommands.h"
#include "phone/UploadDialogs.h"
#include "res/resource.h"

namespace {
// Fills the box with `items`, item data 0, 1, 2 ..., and selects the first.
void FillChoices(HWND panel, const std::vector<std::string>& items)
{
    HWND box = GetDlgItem(panel, IDC_MEDIA_CHOICE);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const LRESULT at = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i].c_str()));
        if (at >= 0)
            SendMessageA(box, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
    }
    SendMessageA(box, CB_SETCURSEL, 0, 0);
}

void Initialise(HWND panel)
{
    HWND dialog = GetParent(panel);
    SetDlgItemTextA(dialog, IDOK, "Записать");
    char title[64] = {};
    GetWindowTextA(dialog, title, sizeof title);
    PhoneSession* session = AppSession();
    if (!std::strstr(title, "jpg")) {
        FillChoices(panel, MelodySlotItems(session ? session->MelodySlotNames() : std::vector<std::string>{}));
        return;
    }
    SetDlgItemTextA(panel, IDC_MEDIA_LABEL, "Размер рис:");
    FillChoices(panel, PictureSizeChoices(session ? session->ModelName : std::string()));
}

void ChoiceChanged(HWND panel)
{
    const LRESULT data = SelectedItemData(GetDlgItem(panel, IDC_MEDIA_CHOICE));
    PhoneSession* session = AppSession();
    if (data != CB_ERR && session)
        session->MediaChoice = static_cast<int>(data);
}
}  // namespace

UINT_PTR CALLBACK MediaDialogHook(HWND panel, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        Initialise(panel);
        return 1;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_MEDIA_CHOICE && HIWORD(wParam) == CBN_SELCHANGE)
            ChoiceChanged(panel);
        return 0;
    default:
        return 0;
    }
}
