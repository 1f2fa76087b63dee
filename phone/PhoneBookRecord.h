#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "db/DbTypes.h"

// The phone book on the wire: the answer to "AT#PBSEL?" (how many positions
// to read), one entry after "AT#PBOKR=", and the command that writes a row.

// The last position to read, or nothing when the answer lacks the parts the
// count needs (the read then ends quietly).
std::optional<int> ParsePhoneBookCapacity(std::string_view reply);

enum class EntryParse { Absent, Malformed, Found };

// Nine texts: name, numbers 1 to 5, first text, second text, time stamp.
// Absent when the answer holds no entry (an empty position); Malformed when a
// separator the layout needs is missing.
EntryParse ParsePhoneBookEntry(std::string_view reply, TextRow& entry);

// "AT#PBOKW=0,0,<position>,"<name>",<n1>,,<n2>,, ... "<t1>","<t2>",<stamp>" for
// a row whose last column is the position. Empty for a row too short to write.
std::string BuildPhoneBookWrite(const TextRow& row);

// The text of the "Отладка" box: every cell followed by CR LF.
std::string RowDebugText(const TextRow& row);
