#pragma once

// The texts the program shows about the phone (code page 1251). Entries no
// window shows yet are left empty.
extern const char* const PhoneMessages[10];

// The entries the program shows, by name.
enum PhoneMessage : int {
    PhoneInitFailed = 0,
    MelodyUploadFailed = 2,  // also shown when an animation block is refused
    PictureUploadFailed = 3,
    LargePictureWarning = 4,
    PhoneExchangeFailed = 5,
    NotAnAnimation = 8,
    AnimationTooLarge = 9,
};
