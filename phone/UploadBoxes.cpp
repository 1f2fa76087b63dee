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
    MessageBoxA(nullptr, text, AppMessages[AppCaption], MB_OK | MB_ICONERROR);
}

bool ConfirmLargePicture()
{
    return MessageBoxA(nullptr, PhoneMessages[LargePictureWarning], AppMessages[AppCaption], MB_YESNO | MB_ICONERROR) == IDYES;
}
