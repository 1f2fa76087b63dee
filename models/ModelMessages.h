#pragma once
#include <string>

// Message boxes of the table models: no owner, the program's caption.
void ShowModelError(const std::string& text);
void ShowModelWarning(const std::string& text);
