#pragma once
#include <cstdint>
#include <optional>

// A date and time to the minute as the date and time dialog holds it.
struct CalendarDate {
    int day = 0;     // 1 to 31
    int month = 0;   // 1 to 12
    int year = 0;    // four digits
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59

    bool operator==(const CalendarDate&) const = default;
};

// The program's one date and time choice: set while the dialog is open and
// read by its caller afterwards. All zero until a dialog has run.
extern CalendarDate SelectedDate;

// `calendarTime` broken down into local time; nothing when the C library
// refuses it or its year does not fit an int.
std::optional<CalendarDate> LocalDateOf(int64_t calendarTime);

// The date the dialog opens at: `start` in local time, or `now` when start is
// 0 or cannot be broken down. The year is taken into the dialog's range and
// the day into that month.
CalendarDate StartDate(int64_t start, int64_t now);

// The calendar time of `date`: its local clock time (summer time where it
// applies) with seconds 0; -1 when a field is out of range or the C library
// cannot convert it.
int64_t CalendarTimeOf(const CalendarDate& date);
