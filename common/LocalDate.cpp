#include "common/LocalDate.h"

#include <climits>
#include <ctime>

// Dates run past 2038: the C library's time must be 64 bits on every target,
// the 32-bit Windows build included.
static_assert(sizeof(std::time_t) == 8, "64-bit time_t required");

namespace {
constexpr int DaysPerMonth[MonthCount] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}

int DaysInMonth(int monthIndex, int year)
{
    if (monthIndex < 0 || monthIndex >= MonthCount)
        return 0;
    // The Gregorian rule: the phone's stamps reach past the dialog's years,
    // and 1900 or 2100 has no 29th of February to read or write.
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (monthIndex == 1 && leap)
        return 29;
    return DaysPerMonth[monthIndex];
}

std::optional<CalendarDate> LocalDateOf(int64_t calendarTime)
{
    const auto value = static_cast<std::time_t>(calendarTime);
    std::tm fields{};
#ifdef _WIN32
    if (localtime_s(&fields, &value) != 0)
        return std::nullopt;
#else
    if (!localtime_r(&value, &fields))
        return std::nullopt;
#endif
    // The C library counts years from 1900 in an int, so a year near the
    // end of that range does not fit the date's int: refused like the rest.
    const long long year = fields.tm_year + 1900LL;
    if (year > INT_MAX)
        return std::nullopt;
    return CalendarDate{fields.tm_mday, fields.tm_mon + 1, static_cast<int>(year), fields.tm_hour, fields.tm_min};
}

int64_t CalendarTimeOf(const CalendarDate& date)
{
    if (date.month < 1 || date.month > MonthCount || date.day < 1 ||
        date.day > DaysInMonth(date.month - 1, date.year) || date.hour < 0 || date.hour > 23 || date.minute < 0 ||
        date.minute > 59 || date.year < 1900)
        return -1;
    std::tm fields{};
    fields.tm_year = date.year - 1900;
    fields.tm_mon = date.month - 1;
    fields.tm_mday = date.day;
    fields.tm_hour = date.hour;
    fields.tm_min = date.minute;
    fields.tm_sec = 0;
    // The clock time the user picked, summer time included: with no
    // daylight-saving correction a July choice would come back an hour off
    // once written as a stamp in local time.
    fields.tm_isdst = -1;
    const std::time_t result = std::mktime(&fields);
    return result == static_cast<std::time_t>(-1) ? -1 : static_cast<int64_t>(result);
}
