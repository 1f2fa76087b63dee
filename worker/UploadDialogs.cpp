#include "worker/UploadDialogs.h"

#include <commdlg.h>

#include "common/ModuleInstance.h"
#include "phone/MelodySlots.h"
#include "phone/PhoneSession.h"
#include "phone/UploadCommands.h"
#include "res/resource.h"

namespace {
// Room for a path of 255 characters, as for the start folder.
constexpr DWORD PathRoom = 256;

struct FileDialog {
    const char* title;
    // Pairs of a shown name and a pattern, ending in an empty pair.
    const char* filter;
    const char* extension;
    int panel;
    LPOFNHOOKPROC hook;
    // What the hook fills.
    void* panelData;
};

std::string ChooseFile(HWND owner, const FileDialog& dialog)
{
    char folder[PathRoom] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder)
        folder[0] = '\0';
    char path[PathRoom] = {};
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.hInstance = ModuleInstance();
    request.lpstrFilter = dialog.filter;
    request.nFilterIndex = 1;
    request.lpstrFile = path;
    request.nMaxFile = sizeof path;
    request.lpstrInitialDir = folder[0] ? folder : nullptr;
    request.lpstrTitle = dialog.title;
    request.lpstrDefExt = dialog.extension;
    // Without OFN_NOCHANGEDIR the chosen file's folder becomes the current one.
    request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLEHOOK |
                    OFN_ENABLETEMPLATE;
    request.lpfnHook = dialog.hook;
    request.lCustData = reinterpret_cast<LPARAM>(dialog.panelData);
    request.lpTemplateName = MAKEINTRESOURCEA(dialog.panel);
    if (!GetOpenFileNameA(&request))
        return {};
    path[sizeof path - 1] = '\0';
    return path;
}
}  // namespace

LRESULT SelectedItemData(HWND box)
{
    const LRESULT selected = SendMessageA(box, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return CB_ERR;
    return SendMessageA(box, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
}

bool ChooseMelodyUpload(HWND owner, PhoneSession& session, MelodyUpload& request)
{
    MediaChoicePanel panel{nullptr, MelodySlotItems(session.MelodySlotNames())};
    const std::string path =
        ChooseFile(owner, {"Выбор музыкального файла *.mmf или *.ma2:", "Файлы мелодий(*.mmf)\0*.mmf\0(*.ma2)\0*.ma2\0",
                           "mmf", IDD_MEDIA_OPEN, MediaDialogHook, &panel});
    if (path.empty())
        return false;
    request = MelodyUpload{panel.chosen, path};
    return true;
}

bool ChoosePictureUpload(HWND owner, PhoneSession& session, PictureUpload& request)
{
    MediaChoicePanel panel{"Размер рис:", PictureSizeChoices(session.ModelName)};
    const std::string path = ChooseFile(owner, {"Выбор файла картинки *.jpg", "Файлы изображений(*.jpg)\0*.jpg\0",
                                                "jpg", IDD_MEDIA_OPEN, MediaDialogHook, &panel});
    if (path.empty())
        return false;
    request = PictureUpload{panel.chosen, path};
    return true;
}

bool ChooseAnimationUpload(HWND owner, AnimationUpload& request)
{
    AnimationUpload chosen;
    const std::string path =
        ChooseFile(owner, {"Выбор файла картинки *.bmp", "Файлы MS Windows BMP(*.bmp)\0*.bmp\0Все файлы(*.*)\0*.*\0",
                           "bmp", IDD_ANIMATION_OPEN, AnimationDialogHook, &chosen});
    if (path.empty())
        return false;
    chosen.path = path;
    request = chosen;
    return true;
}
