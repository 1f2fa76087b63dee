#pragma once
#include <windows.h>

#include <string>

#include "db/DbTypes.h"
#include "phone/TransferHost.h"

// The message boxes of the transfers, shown from the exchange worker.

// A record exchange of a read failed: error box over the frame.
void ShowReadFailed(HWND frame);
// The phone did not empty its store before a write: error box with Yes and
// No; either answer ends the write.
void ShowEraseFailed();
// The database refused a statement: its message, no owner, no icon.
void ShowDatabaseMessage();
// A photo or movie (a download row: tag, name, size, index) did not arrive
// whole: error box naming it, no owner.
void ShowDownloadFailed(const TextRow& row);
// A read ended at `position` on a record it could not make out: error box
// over the frame saying that the table is incomplete.
void ShowReadStopped(HWND frame, long long position);
// The phone did not confirm `refused` of the `sent` rows of a write: error
// box, no owner.
void ShowRowsRefused(long long refused, long long sent);
// The user stopped an operation: what it leaves, with the program's
// caption and no owner (see StoppedWork for `done` and `total`).
void ShowInterrupted(StoppedWork work, long long done, long long total);
// A downloaded file could not be written: error box naming it, no owner.
void ShowMediaNotSaved(const std::string& path);
// The phone refused a row of a write: a box captioned "Отладка", no owner
// and no icon, every cell of the row on a line of its own.
void ShowRowNotWritten(const TextRow& row);
// A file to upload could not be read: its path, captioned "Ошибка при
// чтении файла:", no owner.
void ShowFileNotRead(const std::string& path);
// An upload failed: `text` as an error with the program's caption, no owner.
void ShowUploadFailed(const char* text);
// A picture over 64 kB: true when the user still wants it sent.
bool AskLargePicture();
// The phone did not take a message: warning with the program's caption.
void ShowSmsNotSent();
