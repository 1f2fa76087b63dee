#include "phone/RowDebug.h"

#include <windows.h>

#include "phone/PhoneBookRecord.h"

void ShowRowDebug(const TextRow& row)
{
    MessageBoxA(nullptr, RowDebugText(row).c_str(), "Отладка", MB_OK);
}
