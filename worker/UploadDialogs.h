#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "phone/MediaUploads.h"

class PhoneSession;

// The open-file dialogs of the three uploads: Explorer-style, over `owner`,
// starting in the current directory, with an extra panel from the resources
// that the hooks fill. The chosen file's folder becomes the current
// directory. Each fills its request and returns true, or returns false when
// the user cancelled. The session gives the melody places and the picture
// sizes before the dialog opens.
bool ChooseMelodyUpload(HWND owner, PhoneSession& session, MelodyUpload& request);
bool ChoosePictureUpload(HWND owner, PhoneSession& session, PictureUpload& request);
bool ChooseAnimationUpload(HWND owner, AnimationUpload& request);

// The item data of the entry selected in combo box `box`; CB_ERR when none
// is selected.
LRESULT SelectedItemData(HWND box);

// The choice in the panel of the melody and picture dialogs: the label over
// the box (none keeps the panel's own), the entries offered, and the index
// of the entry the user chose.
struct MediaChoicePanel {
    const char* label = nullptr;
    std::vector<std::string> items;
    int chosen = 0;
};

// The hooks find what they fill in the dialog's OPENFILENAME: lCustData
// points to a MediaChoicePanel or to an AnimationUpload.
// The melody and picture panel: the OK button reads "Записать", the box
// offers the panel's items, and the choice goes to the panel's `chosen`.
UINT_PTR CALLBACK MediaDialogHook(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
// The animation panel: frame count, width and height, kept in the request
// as they change.
UINT_PTR CALLBACK AnimationDialogHook(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
