#pragma once
#include <windows.h>

// The modal "about" box, centred on its owner (or the desktop); returns 1.
INT_PTR ShowAboutDialog(HWND owner);
