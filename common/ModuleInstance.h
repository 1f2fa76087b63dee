#pragma once
#include <windows.h>

// The module that holds the program's resources: the executable itself (a
// test program links the same resources into its own executable).
HINSTANCE ModuleInstance();
