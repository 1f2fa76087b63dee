#pragma once
#include <string>
#include <string_view>

#include "phone/PhoneBookRecord.h"

// A memo on the wire: one entry after "AT#PIMMR=" and the command that
// writes a row of time stamp, text, position.
struct MemoEntry {
    std::string stamp;
    std::string text;
};

EntryParse ParseMemoEntry(std::string_view reply, MemoEntry& entry);
std::string BuildMemoWrite(const TextRow& row);
