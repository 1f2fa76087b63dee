#pragma once
#include <windows.h>

// A key pressed and released as the keyboard delivers it: WM_KEYDOWN posted
// to the window with the focus and taken through the program's own loop,
// whose TranslateMessage queues the key's WM_CHAR behind it; then WM_KEYUP.
// Everything queued meanwhile is dispatched the same way.
void Keystroke(WPARAM key);
// Dispatches this thread's queued messages through the program's loop.
void PumpProgramLoop();
