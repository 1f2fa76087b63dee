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

void ShowDownloadFailed(const TextRow& row)
{
    const std::string text = "Не удалось получить с телефона файл " + (row.size() > 1 ? row[1] : std::string()) + "_" +
                             (row.empty() ? std::string() : row[0]) + ": телефон не закончил его передачу.";
    MessageBoxA(nullptr, text.c_str(), AppMessages[0], MB_OK | MB_ICONERROR);
}

void ShowDatabaseMessage()
{
    MessageBoxA(nullptr, TheDatabase().LastMessage().c_str(), AppMessages[0], MB_OK);
}
