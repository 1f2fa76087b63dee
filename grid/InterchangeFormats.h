#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "grid/InterchangeRows.h"

// The file kinds a table window writes and reads, beside the Excel sheet
// and the Word table.
enum class ExportFormat { None, Xls, Rtf, VCard, ICalendar, Csv };

// The save dialog's file types for a table of `kind` (each a name and a
// pattern, ending in an empty pair): Excel and Word first, then vCard for
// the phone book, iCalendar for the scheduler and CSV for every table.
std::string ExportFilterOf(int kind);
// What a name with `extension` (the three characters after the dot) is
// written as in a table of `kind`. "xls" and "rtf" count only in small
// letters; the newer kinds in any case, and only where offered.
ExportFormat ExportFormatOf(std::string_view extension, int kind);

// The open dialog's file types for importing into a table of `kind`; empty
// for a table that takes no imports.
std::string ImportFilterOf(int kind);

// Reads the rows of an interchange file for a table of `kind` with the
// column titles `columnTitles`: a vCard or iCalendar file as its first line
// shows it, anything else as CSV. A file of a kind the table cannot take
// comes back with `error` set.
ImportedRows ReadInterchangeFile(std::string_view bytes, int kind, const std::vector<std::string>& columnTitles,
                                 const UtcToLocal& toLocal);
