#pragma once
#include <optional>
#include <type_traits>
#include <variant>

#include "db/DbTypes.h"
#include "phone/MediaUploads.h"
#include "phone/SmsCommand.h"
#include "worker/ExchangeOperation.h"

// One type per phone operation, carrying what the operation needs. The
// table reads and writes work on the active table window and carry nothing.
struct PhoneBookRead {};
struct SchedulerRead {};
struct MemoRead {};
struct PhoneBookWrite {};
struct SchedulerWrite {};
struct MemoWrite {};
// The download rows (tag, name, size, index); their size cells receive the
// lengths fetched. The starter keeps them while the worker runs.
struct PhotoDownload {
    RowSet* rows = nullptr;
};
struct MovieDownload {
    RowSet* rows = nullptr;
};
struct SmsSending {
    SmsRequest message;
};

// The operations in the order of their codes (ExchangeOperation), so that an
// operation's index is its code.
using ExchangeRequest = std::variant<PhoneBookRead, SchedulerRead, MemoRead, PhotoDownload, MovieDownload,
                                     MelodyUpload, PictureUpload, PhoneBookWrite, SchedulerWrite, MemoWrite,
                                     SmsSending, AnimationUpload>;

template <ExchangeOperation code>
using OperationOf = std::variant_alternative_t<static_cast<std::size_t>(code), ExchangeRequest>;
static_assert(std::is_same_v<OperationOf<ExchangeOperation::ReadMemos>, MemoRead>);
static_assert(std::is_same_v<OperationOf<ExchangeOperation::DownloadMovies>, MovieDownload>);
static_assert(std::is_same_v<OperationOf<ExchangeOperation::UploadPicture>, PictureUpload>);
static_assert(std::is_same_v<OperationOf<ExchangeOperation::WritePhoneBook>, PhoneBookWrite>);
static_assert(std::is_same_v<OperationOf<ExchangeOperation::SendSms>, SmsSending>);
static_assert(std::is_same_v<OperationOf<ExchangeOperation::UploadAnimation>, AnimationUpload>);

// The code of the operation, which decides the progress dialog's look.
inline int OperationCode(const ExchangeRequest& request)
{
    return static_cast<int>(request.index());
}

// The read or the write of a table kind; none for a kind the phone does not
// hold (only the phone book, the scheduler and the memos).
std::optional<ExchangeRequest> TableReadOf(int kind);
std::optional<ExchangeRequest> TableWriteOf(int kind);
