#pragma once
#include <windows.h>

// The window shown while the phone is being prepared: a picture and a
// progress bar of 12 steps. Created modeless, centred on the desktop.
HWND CreateSplashDialog(HINSTANCE instance);
// Moves the progress bar to `step` (0 to 12).
void SplashStep(HWND splash, int step);

// The steps of the phone's preparation.
constexpr int SplashStepCount = 12;

class PhoneSession;

// Starts the phone session behind the splash window: every start-up step
// moves its progress bar, and a failed port or phone offers the port dialog
// over it. Returns what StartSession returns.
bool StartSessionWithSplash(PhoneSession& session);
