#pragma once
#include <cstdint>
#include <string>

// The phone's date-time text YYYYMMDDTHHMMSS in local time, for a count of
// seconds since 1970-01-01 00:00:00 UTC; 0 means now. Never fails: a time the
// local conversion refuses (before 1970, for instance) is written in UTC.
std::string FormatPhoneStamp(int64_t calendarTime);
