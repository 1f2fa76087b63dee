#pragma once
#include <cstdint>

#include "common/LocalDate.h"

// The program's one date and time choice: set while the dialog is open and
// read by its caller afterwards. All zero until a dialog has run.
extern CalendarDate SelectedDate;

// The date the dialog opens at: `start` in local time, or `now` when start is
// 0 or cannot be broken down. The year is taken into the dialog's range and
// the day into that month.
CalendarDate StartDate(int64_t start, int64_t now);
