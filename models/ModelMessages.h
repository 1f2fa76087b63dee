#pragma once
#include <string>

#include <windows.h>

// Message boxes of the table models, with the program's caption. While a
// table is being loaded they have no owner; a refused edit's box is owned
// by the frame, so that nothing reaches the table while it is up.
void ShowModelError(const std::string& text, HWND owner = nullptr);
void ShowModelWarning(const std::string& text);
