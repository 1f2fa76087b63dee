#pragma once
#include <windows.h>

// The modal "about" box.
void ShowAboutDialog(HWND owner);
