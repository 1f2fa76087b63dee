#include "support/Keystroke.h"

#include "app/MessageLoop.h"
#include "res/resource.h"

void PumpProgramLoop()
{
    static HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        HandleLoopMessage(msg, accelerators);
}

void Keystroke(WPARAM key)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(GetFocus(), WM_KEYDOWN, key, scan | 1);
    PumpProgramLoop();
    PostMessageA(GetFocus(), WM_KEYUP, key, scan | 1 | 0xC0000000);
    PumpProgramLoop();
}
