#pragma once
#include <windows.h>

#include "phone/TransferHost.h"

class TableModel;

// The exchange worker's side of a transfer: the active table window's rows,
// the progress dialog, the transfer's boxes and the stop request. Used on the
// worker thread while the modal progress dialog keeps the user out of the
// table.
class TransferTable : public TransferHost {
public:
    // `frame`: the owner of the boxes shown over the frame; `active`: the
    // active table window's model, none when no table window is active.
    TransferTable(HWND frame, TableModel* active) : frame_(frame), active_(active) {}

    RowSet* ActiveRows(const std::string& table) override;
    void RedrawActiveTable() override;
    void WaitForProgress() override;
    void AnnounceRecordCount(long long count) override;
    void ReportPosition(long long position) override;
    bool StopRequested() const override;
    void Interrupted(StoppedWork work, long long done, long long total) override;
    void AnnounceItem(const TextRow& row) override;
    void ReadFailed() override;
    void EraseFailed() override;
    void DatabaseRefused() override;
    void ReadStopped(long long position) override;
    void RowsRefused(long long refused, long long sent) override;
    void DownloadFailed(const TextRow& row) override;
    void MediaNotSaved(const std::string& path) override;
    void RowNotWritten(const TextRow& row) override;
    void FileNotRead(const std::string& path) override;
    void UploadFailed(const char* text) override;
    bool ConfirmLargePicture() override;
    void SmsNotSent() override;

private:
    HWND frame_;
    TableModel* active_;
};
