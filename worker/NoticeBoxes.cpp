#include "worker/NoticeBoxes.h"

#include <windows.h>

void NoticeBoxes::Notify(const std::string& text, const char* caption, NoticeIcon icon)
{
    UINT style = MB_OK;
    if (icon == NoticeIcon::Warning)
        style |= MB_ICONWARNING;
    else if (icon == NoticeIcon::Error)
        style |= MB_ICONERROR;
    MessageBoxA(nullptr, text.c_str(), caption, style);
}
