#pragma once
#include <windows.h>

// One message of the program's loop, as every keystroke goes through it:
// the MDI client's window keys, the frame's accelerators, then
// TranslateMessage (which queues a key's WM_CHAR) and DispatchMessage.
void HandleLoopMessage(MSG& msg, HACCEL accelerators);
