#include "models/ModelMessages.h"

#include <windows.h>

#include "common/AppMessages.h"

void ShowModelError(const std::string& text, HWND owner)
{
    MessageBoxA(owner, text.c_str(), AppMessages[AppCaption], MB_ICONERROR);
}

void ShowModelWarning(const std::string& text)
{
    MessageBoxA(nullptr, text.c_str(), AppMessages[AppCaption], MB_ICONWARNING);
}
