#pragma once
#include <windows.h>

// The whole life of the program: refuses a second instance, connects the
// database, builds the frame, runs the message loop and cleans up.
// Returns the exit code.
int RunApplication(HINSTANCE instance, int showCommand);
