#pragma once

// The texts the program shows about the phone (code page 1251). Entries no
// window shows yet are left empty.
extern const char* const PhoneMessages[10];
