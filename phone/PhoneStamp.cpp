#include "phone/PhoneStamp.h"

#include <cstdio>
#include <ctime>
#include <string_view>

#include "common/LocalDate.h"

// Stamps run past 2038: the C library's time must be 64 bits on every target,
// the 32-bit Windows build included.
static_assert(sizeof(std::time_t) == 8, "64-bit time_t required");

namespace {
// Civil date from a count of days since 1970-01-01 (proleptic Gregorian).
void CivilFromDays(int64_t days, int64_t& year, int& month, int& day)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

bool LocalFields(int64_t t, std::tm& fields)
{
    const auto value = static_cast<std::time_t>(t);
    if (static_cast<int64_t>(value) != t)
        return false;
#ifdef _WIN32
    return localtime_s(&fields, &value) == 0;
#else
    return localtime_r(&value, &fields) != nullptr;
#endif
}
}  // namespace

std::string FormatPhoneStamp(int64_t calendarTime)
{
    if (calendarTime == 0)
        calendarTime = static_cast<int64_t>(std::time(nullptr));

    int64_t year;
    int month, day, hour, minute, second;
    std::tm fields{};
    if (calendarTime >= 0 && LocalFields(calendarTime, fields)) {
        year = fields.tm_year + 1900LL;
        month = fields.tm_mon + 1;
        day = fields.tm_mday;
        hour = fields.tm_hour;
        minute = fields.tm_min;
        second = fields.tm_sec;
    } else {
        int64_t days = calendarTime / 86400;
        int64_t rest = calendarTime % 86400;
        if (rest < 0) {
            rest += 86400;
            --days;
        }
        CivilFromDays(days, year, month, day);
        hour = static_cast<int>(rest / 3600);
        minute = static_cast<int>(rest / 60 % 60);
        second = static_cast<int>(rest % 60);
    }
    char text[48];
    std::snprintf(text, sizeof text, "%04lld%02d%02dT%02d%02d%02d", static_cast<long long>(year), month, day, hour,
                  minute, second);
    return text;
}

namespace {
constexpr std::size_t StampLength = 15;
constexpr std::size_t StampSeparator = 8;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The decimal number of `count` digits at `offset`; the caller has checked
// that they are digits.
int Field(std::string_view stamp, std::size_t offset, std::size_t count)
{
    int value = 0;
    for (std::size_t i = offset; i < offset + count; ++i)
        value = value * 10 + (stamp[i] - '0');
    return value;
}

bool IsStampShape(std::string_view stamp)
{
    if (stamp.size() != StampLength || stamp[StampSeparator] != 'T')
        return false;
    for (std::size_t i = 0; i < StampLength; ++i)
        if (i != StampSeparator && !IsDigit(stamp[i]))
            return false;
    return true;
}
}  // namespace

int64_t ParsePhoneStamp(const std::string& stamp)
{
    if (!IsStampShape(stamp))
        return -1;
    // Fields out of range (a 30th of February, hour 24) give -1 rather than
    // being carried into the next day or month.
    const CalendarDate date{Field(stamp, 6, 2), Field(stamp, 4, 2), Field(stamp, 0, 4), Field(stamp, 9, 2),
                            Field(stamp, 11, 2)};
    return CalendarTimeOf(date);
}

bool FillEmptyStamp(std::string& cell)
{
    if (!cell.empty())
        return false;
    cell = FormatPhoneStamp(0);
    return true;
}
