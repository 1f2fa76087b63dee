#pragma once

// The phone operations the exchange worker runs, by the code that selects
// them. Any other code runs nothing and still reports completion.
enum class ExchangeOperation : int {
    ReadPhoneBook = 0,
    ReadScheduler = 1,
    ReadMemos = 2,
    DownloadPhotos = 3,
    DownloadMovies = 4,
    UploadMelody = 5,
    UploadPicture = 6,
    WritePhoneBook = 7,
    WriteScheduler = 8,
    WriteMemos = 9,
    SendSms = 10,
    UploadAnimation = 11,
};

// A table's kind is the code of its read; the write of kind k is k + 7.
inline constexpr int WriteCodeOffset = 7;
