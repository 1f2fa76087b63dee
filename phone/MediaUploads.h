#pragma once
#include <windows.h>

// Loading a melody, a picture or an animation into the phone; each asks the
// user for a file first.
void UploadMelody(HWND owner);
void UploadPicture(HWND owner);
void UploadAnimation(HWND owner);
