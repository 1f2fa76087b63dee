#pragma once
#include <windows.h>

// The modal port choice (COM1 to COM99). Returns 1 when a port was chosen:
// CommPort then holds it and the settings have been saved; 2 when cancelled.
INT_PTR RunPortDialog(HWND owner);
