#include "worker/TransferTable.h"

#include <windows.h>

#include <string>

#include "models/TableModel.h"
#include "worker/ProgressDialog.h"
#include "worker/RunExchange.h"
#include "worker/TransferBoxes.h"

RowSet* TransferTable::ActiveRows(const std::string& table)
{
    return active_ && active_->TableName() == table ? &active_->Rows() : nullptr;
}

void TransferTable::RedrawActiveTable()
{
    if (const TableWindow* window = active_ ? active_->Window() : nullptr)
        InvalidateRect(window->Handle(), nullptr, FALSE);
}

void TransferTable::WaitForProgress()
{
    WaitForProgressDialog();
}

void TransferTable::AnnounceRecordCount(long long count)
{
    SendProgressItem(TextRow{"", "", std::to_string(count)});
}

void TransferTable::ReportPosition(long long position)
{
    PostProgressPosition(static_cast<WPARAM>(position));
}

bool TransferTable::StopRequested() const
{
    return ExchangeStopRequested();
}

void TransferTable::Interrupted(StoppedWork work, long long done, long long total)
{
    if (!ExchangeClosing())
        ShowInterrupted(work, done, total);
}

void TransferTable::AnnounceItem(const TextRow& row)
{
    SendProgressItem(row);
}

void TransferTable::ReadFailed()
{
    ShowReadFailed(frame_);
}

void TransferTable::EraseFailed()
{
    ShowEraseFailed();
}

void TransferTable::DatabaseRefused()
{
    ShowDatabaseMessage();
}

void TransferTable::DownloadFailed(const TextRow& row)
{
    ShowDownloadFailed(row);
}

void TransferTable::ReadStopped(long long position)
{
    ShowReadStopped(frame_, position);
}

void TransferTable::RowsRefused(long long refused, long long sent)
{
    ShowRowsRefused(refused, sent);
}

void TransferTable::MediaNotSaved(const std::string& path)
{
    ShowMediaNotSaved(path);
}

void TransferTable::RowNotWritten(const TextRow& row)
{
    ShowRowNotWritten(row);
}

void TransferTable::FileNotRead(const std::string& path)
{
    ShowFileNotRead(path);
}

void TransferTable::UploadFailed(const char* text)
{
    ShowUploadFailed(text);
}

bool TransferTable::ConfirmLargePicture()
{
    return AskLargePicture();
}

void TransferTable::SmsNotSent()
{
    ShowSmsNotSent();
}
