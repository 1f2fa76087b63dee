#pragma once
#include <windows.h>

#include <functional>

#include "phone/PhoneSettings.h"

// The modal port choice (COM1 to COM99), with the fast exchange check box,
// showing `settings`. Returns 1 when a port was chosen: `settings` then hold
// the choice and `save` has been called; 2 when cancelled.
INT_PTR RunPortDialog(HWND owner, PhoneSettings& settings, const std::function<void()>& save);
