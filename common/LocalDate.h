#pragma once
#include <cstdint>
#include <optional>

// Dates and times to the minute on the local clock, shared by the phone's
// time stamps and the calendar: month lengths and the conversions between a
// date and the C library's calendar time.

constexpr int MonthCount = 12;

// Days of month `monthIndex` (0 January to 11); February has 29 in
// Gregorian leap years (divisible by 4, and by 400 when divisible by 100).
// 0 for an index out of range.
int DaysInMonth(int monthIndex, int year);

// A date and time to the minute.
struct CalendarDate {
    int day = 0;     // 1 to 31
    int month = 0;   // 1 to 12
    int year = 0;    // four digits
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59

    bool operator==(const CalendarDate&) const = default;
};

// `calendarTime` broken down into local time; nothing when the C library
// refuses it or its year does not fit an int.
std::optional<CalendarDate> LocalDateOf(int64_t calendarTime);

// The calendar time of `date`: its local clock time (summer time where it
// applies) with seconds 0; -1 when a field is out of range or the C library
// cannot convert it.
int64_t CalendarTimeOf(const CalendarDate& date);
