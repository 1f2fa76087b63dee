#include <windows.h>
#include <commdlg.h>

#include <string>

#include "res/resource.h"
#include "worker/UploadDialogs.h"

namespace {
// Width and height are three digits at most.
constexpr int SizeDigits = 3;

std::string ControlText(HWND panel, int id)
{
    char text[SizeDigits + 1] = {};
    GetDlgItemTextA(panel, id, text, sizeof text);
    return text;
}

AnimationUpload* RequestOf(HWND panel)
{
    return reinterpret_cast<AnimationUpload*>(GetWindowLongPtrA(panel, DWLP_USER));
}

// The dialog hands the hook its OPENFILENAME, whose lCustData is the request.
void Initialise(HWND panel, const OPENFILENAMEA* dialog)
{
    SetWindowLongPtrA(panel, DWLP_USER, dialog ? dialog->lCustData : 0);
    SetWindowTextA(GetParent(panel), "Выбор файла анимации или картинки (*.bmp)");
    HWND frames = GetDlgItem(panel, IDC_ANIMATION_FRAMES);
    SendMessageA(frames, CB_RESETCONTENT, 0, 0);
    for (int count = 1; count <= 4; ++count) {
        const std::string text = std::to_string(count);
        const LRESULT at = SendMessageA(frames, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (at >= 0)
            SendMessageA(frames, CB_SETITEMDATA, static_cast<WPARAM>(at), count);
    }
    SendMessageA(frames, CB_SETCURSEL, 3, 0);
    for (const int id : {IDC_ANIMATION_WIDTH, IDC_ANIMATION_HEIGHT}) {
        SendDlgItemMessageA(panel, id, EM_LIMITTEXT, SizeDigits, 0);
        SetDlgItemTextA(panel, id, "128");
    }
}

void OnCommand(HWND panel, int id, int code)
{
    AnimationUpload* request = RequestOf(panel);
    if (!request)
        return;
    if (code == EN_CHANGE && id == IDC_ANIMATION_WIDTH) {
        request->width = ControlText(panel, IDC_ANIMATION_WIDTH);
        request->height = ControlText(panel, IDC_ANIMATION_HEIGHT);
    } else if (code == EN_CHANGE && id == IDC_ANIMATION_HEIGHT) {
        request->height = ControlText(panel, IDC_ANIMATION_HEIGHT);
    } else if (code == CBN_SELCHANGE && id == IDC_ANIMATION_FRAMES) {
        const LRESULT data = SelectedItemData(GetDlgItem(panel, IDC_ANIMATION_FRAMES));
        if (data != CB_ERR)
            request->frames = std::to_string(data);
    }
}
}  // namespace

UINT_PTR CALLBACK AnimationDialogHook(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        Initialise(panel, reinterpret_cast<const OPENFILENAMEA*>(lParam));
        return 1;
    case WM_COMMAND:
        OnCommand(panel, LOWORD(wParam), HIWORD(wParam));
        return 0;
    default:
        return 0;
    }
}
