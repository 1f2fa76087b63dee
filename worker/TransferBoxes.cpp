#include "worker/TransferBoxes.h"

#include <windows.h>

#include "common/AppLink.h"
#include "common/AppMessages.h"
#include "common/PhoneMessages.h"
#include "db/Database.h"

void ShowReadFailed()
{
    MessageBoxA(AppFrame(), PhoneMessages[5], AppMessages[0], MB_OK | MB_ICONERROR);
}

void ShowEraseFailed()
{
    MessageBoxA(nullptr, PhoneMessages[5], AppMessages[0], MB_YESNO | MB_ICONERROR);
}

void ShowDatabaseMessage()
{
    MessageBoxA(nullptr, TheDatabase().LastMessage().c_str(), AppMessages[0], MB_OK);
}
