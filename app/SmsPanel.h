#pragma once
#include <windows.h>

// The SMS panel docked at the frame's left edge; returns its handle or none.
HWND CreateSmsPanel(HINSTANCE instance, HWND frame);
