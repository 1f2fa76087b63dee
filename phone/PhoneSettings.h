#pragma once
#include <atomic>

// How the program reaches the phone, as the user chose it in the port dialog
// and the registry keeps it. The application owns the one object; the phone
// session reads it.
struct PhoneSettings {
    static constexpr int DefaultCommPort = 3;

    // The number of the COM port the phone is reached through.
    int commPort = DefaultCommPort;
    // Whether exchanges end as soon as the phone's answer is complete instead
    // of on the slow, fixed polling: AT exchanges at their final result line
    // (CollectReplyFast), photo and movie blocks at their close, upload
    // blocks at their OK or ERROR line. Off unless the user ticked it. The
    // exchange worker reads it while the user-interface thread may not
    // change it (the port dialog opens only between exchanges).
    std::atomic<bool> fastExchange{false};
};
