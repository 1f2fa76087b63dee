#pragma once
#include <cstdint>
#include <string>

// The phone's date-time text YYYYMMDDTHHMMSS in local time, for a count of
// seconds since 1970-01-01 00:00:00 UTC; 0 means now. Never fails: a time the
// local conversion refuses (before 1970, for instance) is written in UTC.
std::string FormatPhoneStamp(int64_t calendarTime);

// The calendar time of a stamp YYYYMMDDTHHMMSS read as local clock time
// (summer time where it applies); the seconds are ignored and taken as 0.
// -1 when the text is not such a stamp (exactly 15 characters, digits
// around a "T", fields within their ranges) or the conversion refuses it.
int64_t ParsePhoneStamp(const std::string& stamp);

// An empty time stamp cell of a row about to be written gets the current
// time; only the window's row changes, the database keeps its empty cell.
// True when the cell was filled.
bool FillEmptyStamp(std::string& cell);
