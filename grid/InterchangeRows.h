#pragma once
#include <functional>
#include <string>
#include <vector>

#include "db/DbTypes.h"

// What an import read from a file: rows for one table, each in the table's
// column order without its id (code page 1251 texts), or refused with the
// reason in words the user reads. `error` is set instead when the file as a
// whole cannot be read (not the expected format, no column known).
struct ImportedRow {
    TextRow cells;
    std::string refusal;
};
struct ImportedRows {
    std::vector<ImportedRow> rows;
    std::string error;
};

// Turns a UTC time stamp (YYYYMMDDTHHMMSS) into the same moment in the
// machine's local time; false when it cannot.
using UtcToLocal = std::function<bool(const std::string& utc, std::string& local)>;

// Phone book and scheduler columns, in table order (the id follows them).
enum PhoneBookColumn { BookName, BookNumber1, BookNumber5 = BookNumber1 + 4, BookText1, BookText2, BookStamp,
                       BookColumns };
enum SchedulerColumn { SchedStart, SchedChoice, SchedText, SchedMelody, SchedColumns };
