#include "phone/UploadBoxes.h"

#include <windows.h>

#include "common/AppMessages.h"
#include "common/PhoneMessages.h"

void ShowFileReadFailed(const std::string& path)
{
    MessageBoxA(nullptr, path.c_str(), "Ошибка при чтении файла:", MB_OK);
}

void ShowUploadError(const char* text)
{
    MessageBoxA(nullptr, text, AppMessages[0], MB_OK | MB_ICONERROR);
}

bool ConfirmLargePicture()
{
    return MessageBoxA(nullptr, PhoneMessages[4], AppMessages[0], MB_YESNO | MB_ICONERROR) == IDYES;
}
