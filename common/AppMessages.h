#pragma once

// The program's own message texts (code page 1251). Entries no window shows
// are left empty.
extern const char* const AppMessages[14];

// The entries the program shows, by name.
enum AppMessage : int {
    AppCaption = 0,  // the caption of the program's message boxes
    AlreadyRunning = 1,
    NoDatabaseConnection = 2,
    DatabaseDataMissing = 3,
    PortOpenFailed = 4,
    EmptySmsRecipient = 13,
};
