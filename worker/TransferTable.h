#pragma once
#include "phone/TransferHost.h"

// The exchange worker's side of a table transfer: the active table window's
// rows, the progress dialog, the transfer's boxes and the stop request. Used
// on the worker thread while the modal progress dialog keeps the user out of
// the table.
class TransferTable : public TransferHost {
public:
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
};
