#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "phone/PhoneBookRecord.h"

// The scheduler on the wire: the list of choice values after "AT#PISHW=?",
// one entry after "AT#PISHR=", and the command that writes a row.

// Up to three choice values (runs of digits, possibly empty) in the phone's order.
std::vector<std::string> ParseSchedulerChoices(std::string_view reply);

struct SchedulerEntry {
    std::string start;
    int code = 0;
    std::string melodyNumber;  // as the phone sent it; look it up only when plain decimal
    std::string text;
};

EntryParse ParseSchedulerEntry(std::string_view reply, SchedulerEntry& entry);

// The choice an entry's code selects, or empty when the code is outside the list.
std::string ChoiceForCode(const std::vector<std::string>& choices, int code);
// The index of the first choice equal to `choice`, or 0.
int CodeForChoice(const std::vector<std::string>& choices, const std::string& choice);

// "AT#PISHW=<pos>,19800106T000000,<start>,<start>,<code>,<melody>,"<text>"" for
// a row of start, choice, text, melody, position. Empty for a short row.
std::string BuildSchedulerWrite(const TextRow& row, int code, int melodyNumber);
