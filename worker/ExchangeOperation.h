#pragma once

// The codes of the phone operations the exchange worker runs; each has its
// type in ExchangeRequest, and its code decides the progress dialog's look.
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

