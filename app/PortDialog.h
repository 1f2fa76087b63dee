#pragma once
#include <windows.h>

// The modal port choice (COM1 to COM99), with the fast exchange check box.
// Returns 1 when a port was chosen: CommPort and FastExchange then hold the
// choice and the settings have been saved; 2 when cancelled.
INT_PTR RunPortDialog(HWND owner);
