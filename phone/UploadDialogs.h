#pragma once
#include <windows.h>

#include <string>

// The open-file dialogs of the three uploads: Explorer-style, over the
// frame, starting in the current directory, with an extra panel from the
// resources that the hooks fill. The chosen file's folder becomes the
// current directory. Each returns the chosen path, or an empty text when
// the user cancelled.
std::string ChooseMelodyFile();
std::string ChoosePictureFile();
std::string ChooseAnimationFile();

// The item data of the entry selected in combo box `box`; CB_ERR when none
// is selected.
LRESULT SelectedItemData(HWND box);

// The panel of the melody and picture dialogs: the OK button reads
// "Записать", and the box offers the melody places, or the picture sizes
// when the dialog's title names "jpg"; the choice goes to the session's
// MediaChoice.
UINT_PTR CALLBACK MediaDialogHook(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
// The panel of the animation dialog: frame count, width and height, kept in
// the session's AnimationParameters as they change.
UINT_PTR CALLBACK AnimationDialogHook(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
