#include "worker/ExchangeOperations.h"

#include "models/TableCatalogue.h"
#include "phone/MediaDownload.h"
#include "phone/MemoTransfer.h"
#include "phone/PhoneBookTransfer.h"
#include "phone/PhoneSession.h"
#include "phone/SchedulerTransfer.h"
#include "phone/SmsSend.h"

namespace {
// The phone's side of each operation.
struct Operations {
    PhoneSession& session;
    TransferHost& host;

    void operator()(PhoneBookRead) const { ReadPhoneBook(session, host); }
    void operator()(SchedulerRead) const { ReadScheduler(session, host); }
    void operator()(MemoRead) const { ReadMemos(session, host); }
    void operator()(PhoneBookWrite) const { WritePhoneBook(session, host); }
    void operator()(SchedulerWrite) const { WriteScheduler(session, host); }
    void operator()(MemoWrite) const { WriteMemos(session, host); }
    void operator()(PhotoDownload& download) const
    {
        if (download.rows)
            DownloadPhotos(session, *download.rows, host);
    }
    void operator()(MovieDownload& download) const
    {
        if (download.rows)
            DownloadMovies(session, *download.rows, host);
    }
    void operator()(const MelodyUpload& upload) const { UploadMelody(session, upload, host); }
    void operator()(const PictureUpload& upload) const { UploadPicture(session, upload, host); }
    void operator()(const AnimationUpload& upload) const { UploadAnimation(session, upload, host); }
    void operator()(const SmsSending& sms) const { SendSms(session, sms.message, host); }
};
}  // namespace

void RunExchangeOperation(PhoneSession& session, ExchangeRequest& request, TransferHost& host)
{
    std::visit(Operations{session, host}, request);
}

std::optional<ExchangeRequest> TableReadOf(int kind)
{
    switch (kind) {
    case kPhoneBookKind: return PhoneBookRead{};
    case kSchedulerKind: return SchedulerRead{};
    case kMemoKind: return MemoRead{};
    default: return std::nullopt;
    }
}

std::optional<ExchangeRequest> TableWriteOf(int kind)
{
    switch (kind) {
    case kPhoneBookKind: return PhoneBookWrite{};
    case kSchedulerKind: return SchedulerWrite{};
    case kMemoKind: return MemoWrite{};
    default: return std::nullopt;
    }
}
