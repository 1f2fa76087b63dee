#pragma once

// The program's own message texts (code page 1251). Entry 0 is the caption of
// the program's message boxes. Entries no window shows are left empty.
extern const char* const AppMessages[14];
