#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "worker/UploadDialogs.h"

namespace {
MediaChoicePanel* PanelOf(HWND panel)
{
    return reinterpret_cast<MediaChoicePanel*>(GetWindowLongPtrA(panel, DWLP_USER));
}

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

// The dialog hands the hook its OPENFILENAME, whose lCustData is the panel.
void Initialise(HWND panel, const OPENFILENAMEA* dialog)
{
    auto* choice = dialog ? reinterpret_cast<MediaChoicePanel*>(dialog->lCustData) : nullptr;
    SetWindowLongPtrA(panel, DWLP_USER, reinterpret_cast<LONG_PTR>(choice));
    SetDlgItemTextA(GetParent(panel), IDOK, "Записать");
    if (!choice)
        return;
    if (choice->label)
        SetDlgItemTextA(panel, IDC_MEDIA_LABEL, choice->label);
    FillChoices(panel, choice->items);
}

void ChoiceChanged(HWND panel)
{
    const LRESULT data = SelectedItemData(GetDlgItem(panel, IDC_MEDIA_CHOICE));
    MediaChoicePanel* choice = PanelOf(panel);
    if (data != CB_ERR && choice)
        choice->chosen = static_cast<int>(data);
}
}  // namespace

UINT_PTR CALLBACK MediaDialogHook(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        Initialise(panel, reinterpret_cast<const OPENFILENAMEA*>(lParam));
        return 1;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_MEDIA_CHOICE && HIWORD(wParam) == CBN_SELCHANGE)
            ChoiceChanged(panel);
        return 0;
    default:
        return 0;
    }
}
