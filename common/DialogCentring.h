#pragma once
#include <windows.h>

// Moves `dialog`, keeping its size, so that its centre falls on the centre
// of `reference` (screen coordinates), then shows it.
void CentreAndShow(HWND dialog, const RECT& reference);

// The rectangle of `window` on the screen.
RECT WindowRectOf(HWND window);
// The whole primary screen.
RECT ScreenRect();
