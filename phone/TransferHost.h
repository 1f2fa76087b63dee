#pragma once
#include <string>

#include "db/DbTypes.h"

// What an operation the user stopped leaves behind, for the box that says so.
enum class StoppedWork {
    // A read: `done` positions of `total` were read, and the table keeps
    // their records (`total` 0: not known yet).
    Read,
    // A write after the phone emptied its store: the phone holds the `done`
    // rows it confirmed, and no others.
    Write,
    // A write stopped before anything on the phone changed.
    WriteNotBegun,
    // A download: `done` files of `total` were saved whole; none in part.
    Download,
    // An upload: the phone drops the file it received only in part.
    Upload,
};

// What a transfer needs around it while it runs on the exchange worker: the
// rows of the table window it writes, the progress dialog, the user's boxes
// and the request to stop. The worker supplies it; the modal progress dialog
// keeps the user out of the table meanwhile. The phone floor shows nothing
// itself: every box goes through here, with no owner unless said.
class TransferHost {
public:
    virtual ~TransferHost() = default;

    // The rows of the active table window when that window shows database
    // table `table`; none otherwise (a write of one table never sends
    // another table's rows).
    virtual RowSet* ActiveRows(const std::string& table) = 0;
    // The active table's rows changed in place (filled stamps): the window
    // draws its cells again.
    virtual void RedrawActiveTable() = 0;

    // Waits until the progress dialog exists (or has already closed).
    virtual void WaitForProgress() = 0;
    // How many records the operation walks through.
    virtual void AnnounceRecordCount(long long count) = 0;
    // The record the operation has reached.
    virtual void ReportPosition(long long position) = 0;
    // True when the operation should end at its next check, between two
    // exchanges: the user stopped it, or the program is closing.
    virtual bool StopRequested() const = 0;
    // The operation ended early on a stop request: one box says what it
    // leaves (none while the program is closing).
    virtual void Interrupted(StoppedWork work, long long done, long long total) = 0;
    // A media row is about to be fetched: the dialog shows its name and tag
    // and takes its size as the end of the range (the row is read in place).
    virtual void AnnounceItem(const TextRow& row) = 0;

    // A record exchange of a read failed: error box over the frame.
    virtual void ReadFailed() = 0;
    // The phone did not empty its store before a write: error box with Yes
    // and No; either answer ends the write.
    virtual void EraseFailed() = 0;
    // The database refused a statement: its message, no owner, no icon.
    virtual void DatabaseRefused() = 0;
    // A read ended at `position` on a record it could not make out: the
    // table holds only the records before it. Error box over the frame.
    virtual void ReadStopped(long long position) = 0;
    // The phone did not confirm `refused` of the `sent` rows of a write,
    // which may therefore be missing on the phone: error box.
    virtual void RowsRefused(long long refused, long long sent) = 0;
    // A media row could not be fetched whole (the phone refused it, never
    // ended it or fell silent): error box naming it; no file was saved.
    virtual void DownloadFailed(const TextRow& row) = 0;
    // A fetched photo or movie could not be written to `path`: error box
    // naming the file.
    virtual void MediaNotSaved(const std::string& path) = 0;

    // The phone refused a row of a phone-book or memo write: a box listing
    // its cells, captioned "Отладка".
    virtual void RowNotWritten(const TextRow& row) = 0;
    // A file to upload could not be read: its path, captioned "Ошибка при
    // чтении файла:".
    virtual void FileNotRead(const std::string& path) = 0;
    // An upload failed: `text` as an error with the program's caption.
    virtual void UploadFailed(const char* text) = 0;
    // A picture over 64 kB: true when the user still wants it sent.
    virtual bool ConfirmLargePicture() = 0;
    // The phone did not take a message to send: a warning.
    virtual void SmsNotSent() = 0;
};
