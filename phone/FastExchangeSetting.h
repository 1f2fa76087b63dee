#pragma once
#include <atomic>

// Whether exchanges end as soon as the phone's answer is complete instead of
// on the slow, fixed polling: AT exchanges at their final result line
// (CollectReplyFast), photo and movie blocks at their close, upload blocks
// at their OK or ERROR line. Off unless the user ticked it in the port
// dialog; the settings load and save it.
extern std::atomic<bool> FastExchange;
