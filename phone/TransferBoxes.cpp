#include "phone/TransferBoxes.h"

#include <windows.h>

#include "app/AppMessages.h"
#include "app/Application.h"
#include "db/Database.h"
#include "phone/PhoneMessages.h"

void ShowReadFailed()
{
    Application* app = TheApp;
    MessageBoxA(app ? app->frame : nullptr, PhoneMessages[5], AppMessages[0], MB_OK | MB_ICONERROR);
}

void ShowEraseFailed()
{
    MessageBoxA(nullptr, PhoneMessages[5], AppMessages[0], MB_YESNO | MB_ICONERROR);
}

void ShowDatabaseMessage()
{
    MessageBoxA(nullptr, TheDatabase().LastMessage().c_str(), AppMessages[0], MB_OK);
}
