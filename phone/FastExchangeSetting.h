#pragma once
#include <atomic>

// Whether AT exchanges end as soon as the phone's final result line is in
// (CollectReplyFast) instead of on the slow, fixed polling. Off unless the
// user ticked it in the port dialog; the settings load and save it.
extern std::atomic<bool> FastExchange;
