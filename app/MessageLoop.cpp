#include "app/MessageLoop.h"

#include "app/Application.h"

void HandleLoopMessage(MSG& msg, HACCEL accelerators)
{
    HWND client = TheApp ? TheApp->mdiClient : nullptr;
    HWND frame = TheApp ? TheApp->frame : nullptr;
    if (client && TranslateMDISysAccel(client, &msg))
        return;
    if (frame && accelerators && TranslateAcceleratorA(frame, accelerators, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}
