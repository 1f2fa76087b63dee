#include "worker/ExchangeOperations.h"

#include <string>

#include "db/DbTypes.h"
#include "phone/MediaDownload.h"
#include "phone/MediaUploads.h"
#include "phone/MemoTransfer.h"
#include "phone/PhoneBookTransfer.h"
#include "phone/PhoneSession.h"
#include "phone/SchedulerTransfer.h"
#include "worker/SmsSending.h"
#include "worker/ExchangeOperation.h"
#include "worker/TransferTable.h"

void RunExchangeOperation(PhoneSession& session, int code, void* data)
{
    TransferTable table;
    switch (static_cast<ExchangeOperation>(code)) {
    case ExchangeOperation::ReadPhoneBook: ReadPhoneBook(session, table); break;
    case ExchangeOperation::ReadScheduler: ReadScheduler(session, table); break;
    case ExchangeOperation::ReadMemos: ReadMemos(session, table); break;
    // Data: the download rows; their size cells receive the lengths fetched.
    case ExchangeOperation::DownloadPhotos:
        if (data)
            DownloadPhotos(session, *static_cast<RowSet*>(data), table);
        break;
    case ExchangeOperation::DownloadMovies:
        if (data)
            DownloadMovies(session, *static_cast<RowSet*>(data), table);
        break;
    case ExchangeOperation::UploadMelody: {
        // Data: the melody place and the file path.
        const auto* texts = static_cast<const TextRow*>(data);
        if (texts && texts->size() >= 2)
            UploadMelody(session, (*texts)[0], (*texts)[1], table);
        break;
    }
    case ExchangeOperation::UploadPicture:
        if (data)
            UploadPicture(session, *static_cast<const std::string*>(data), table);
        break;
    // The table writers take no data: they write the active table window.
    case ExchangeOperation::WritePhoneBook: WritePhoneBook(session, table); break;
    case ExchangeOperation::WriteScheduler: WriteScheduler(session, table); break;
    case ExchangeOperation::WriteMemos: WriteMemos(session, table); break;
    case ExchangeOperation::SendSms:
        if (data)
            SendSms(session, *static_cast<const SmsRequest*>(data));
        break;
    // Data: the path, the frame count, the width and the height.
    case ExchangeOperation::UploadAnimation:
        if (data)
            UploadAnimation(session, *static_cast<const TextRow*>(data), table);
        break;
    default: break;
    }
}
