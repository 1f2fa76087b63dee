#pragma once
#include <string>

#include "db/DbTypes.h"
#include "phone/TransferHost.h"

// The message boxes of the table transfers, shown from the exchange worker.

// A record exchange of a read failed: error box over the frame.
void ShowReadFailed();
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
void ShowReadStopped(long long position);
// The phone did not confirm `refused` of the `sent` rows of a write: error
// box, no owner.
void ShowRowsRefused(long long refused, long long sent);
// The user stopped an operation: what it leaves, with the program's
// caption and no owner (see StoppedWork for `done` and `total`).
void ShowInterrupted(StoppedWork work, long long done, long long total);
// A downloaded file could not be written: error box naming it, no owner.
void ShowMediaNotSaved(const std::string& path);
