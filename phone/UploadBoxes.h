#pragma once
#include <string>

// The boxes of the uploads. They run on the exchange worker and have no
// owner, so the frame stays as the progress dialog left it.

// The file could not be read: its path, captioned "Ошибка при чтении файла:".
void ShowFileReadFailed(const std::string& path);
// An upload failed: `text` as an error with the program's caption.
void ShowUploadError(const char* text);
// A picture over 64 kB: true when the user still wants it sent.
bool ConfirmLargePicture();
