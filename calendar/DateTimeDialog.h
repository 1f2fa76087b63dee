#pragma once
#include <windows.h>

#include <cstdint>

// Runs the date and time dialog modally over `owner`, starting at calendar
// time `start` (0: now), centred over `centreOn` (the frame) when given,
// else over the owner. Returns 1 for "Выбрать", 2 for "Отмена".
INT_PTR RunDateTimeDialog(HWND owner, int64_t start, HWND centreOn = nullptr);
// The choice of the latest dialog as a calendar time: local clock time,
// seconds 0; -1 when it cannot be converted.
int64_t ChosenDateTime();
