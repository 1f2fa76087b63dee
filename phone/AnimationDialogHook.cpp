#include <windows.h>

#include <string>
#include <vector>

#include "common/AppLink.h"
#include "phone/PhoneSession.h"
#include "phone/UploadDialogs.h"
#include "res/resource.h"

namespace {
// Width and height are three digits at most.
constexpr int SizeDigits = 3;

std::string ControlText(HWND panel, int id)
{
    char text[SizeDigits + 1] = {};
    GetDlgItemTextA(panel, id, text, sizeof text);
    return text;
}

std::vector<std::string>* Parameters()
{
    PhoneSession* session = AppSession();
    if (!session)
        return nullptr;
    session->AnimationParameters.resize(3);
    return &session->AnimationParameters;
}

void Initialise(HWND panel)
{
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
    std::vector<std::string>* parameters = Parameters();
    if (!parameters)
        return;
    if (code == EN_CHANGE && id == IDC_ANIMATION_WIDTH) {
        (*parameters)[1] = ControlText(panel, IDC_ANIMATION_WIDTH);
        (*parameters)[2] = ControlText(panel, IDC_ANIMATION_HEIGHT);
    } else if (code == EN_CHANGE && id == IDC_ANIMATION_HEIGHT) {
        (*parameters)[2] = ControlText(panel, IDC_ANIMATION_HEIGHT);
    } else if (code == CBN_SELCHANGE && id == IDC_ANIMATION_FRAMES) {
        const LRESULT data = SelectedItemData(GetDlgItem(panel, IDC_ANIMATION_FRAMES));
        if (data != CB_ERR)
            (*parameters)[0] = std::to_string(data);
    }
}
}  // namespace

UINT_PTR CALLBACK AnimationDialogHook(HWND panel, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        Initialise(panel);
        return 1;
    case WM_COMMAND:
        OnCommand(panel, LOWORD(wParam), HIWORD(wParam));
        return 0;
    default:
        return 0;
    }
}
