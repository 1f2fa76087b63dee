#include "phone/MediaUploads.h"

// The upload dialogs and transfers come with the media work; until then the
// commands do nothing.
void UploadMelody(HWND) {}
void UploadPicture(HWND) {}
void UploadAnimation(HWND) {}
