#include "phone/MemoRecord.h"

#include "phone/ReplyFields.h"
#include "phone/WireText.h"

using namespace reply;

EntryParse ParseMemoEntry(std::string_view reply, MemoEntry& entry)
{
    const size_t prefix = reply.find("#PIMMR:");
    if (prefix == npos)
        return EntryParse::Absent;
    const size_t c1 = Find(reply, ",", prefix);
    const size_t c2 = c1 == npos ? npos : Find(reply, ",", c1 + 1);
    const size_t open = c2 == npos ? npos : Find(reply, ",\"", c2);
    if (open == npos)
        return EntryParse::Malformed;
    entry.stamp = Slice(reply, c1 + 1, c2);
    entry.text = QuotedTextUntilControl(reply, open + 2);
    return EntryParse::Found;
}

std::string BuildMemoWrite(const TextRow& row)
{
    if (row.size() < 3)
        return {};
    return "AT#PIMMW=" + WireText(row[2]) + "," + WireText(row[0]) + ",\"" + WireText(row[1]) + "\"";
}
