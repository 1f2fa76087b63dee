#include "phone/SchedulerRecord.h"

#include "phone/ReplyFields.h"
#include "phone/WireText.h"

using namespace reply;

namespace {
constexpr int ChoiceCount = 3;
constexpr size_t ChoiceLimit = 4;
constexpr size_t CodeDigits = 9;
}  // namespace

std::vector<std::string> ParseSchedulerChoices(std::string_view reply)
{
    std::vector<std::string> choices;
    size_t position = reply.find("#PISHW:");
    if (position == npos)
        return choices;
    for (int i = 0; i < ChoiceCount; ++i) {
        const size_t lineFeed = Find(reply, "\n", position);
        if (lineFeed == npos)
            return choices;
        // Each value stands two bytes after the line feed that precedes it.
        const size_t start = lineFeed + 2;
        const size_t end = Find(reply, "\n", start);
        if (end == npos)
            return choices;
        size_t digitsEnd = start;
        while (digitsEnd < end && reply[digitsEnd] >= '0' && reply[digitsEnd] <= '9')
            ++digitsEnd;
        choices.push_back(Slice(reply, start, digitsEnd, ChoiceLimit));
        position = end;
    }
    return choices;
}

EntryParse ParseSchedulerEntry(std::string_view reply, SchedulerEntry& entry)
{
    const size_t prefix = reply.find("#PISHR:");
    if (prefix == npos)
        return EntryParse::Absent;
    size_t comma[7] = {prefix};
    for (int i = 1; i <= 6; ++i) {
        comma[i] = Find(reply, ",", comma[i - 1] + (i == 1 ? 0 : 1));
        if (comma[i] == npos)
            return EntryParse::Malformed;
    }
    const size_t open = Find(reply, ",\"", comma[6]);
    if (open == npos)
        return EntryParse::Malformed;
    entry.start = Slice(reply, comma[3] + 1, comma[4]);
    entry.code = LeadingInt(reply.substr(comma[4] + 1, comma[5] - comma[4] - 1), CodeDigits);
    entry.melodyNumber = Slice(reply, comma[5] + 1, comma[6]);
    entry.text = QuotedTextUntilControl(reply, open + 2);
    return EntryParse::Found;
}

std::string ChoiceForCode(const std::vector<std::string>& choices, int code)
{
    return code >= 0 && static_cast<size_t>(code) < choices.size() ? choices[code] : std::string();
}

int CodeForChoice(const std::vector<std::string>& choices, const std::string& choice)
{
    for (size_t i = 0; i < choices.size(); ++i)
        if (choices[i] == choice)
            return static_cast<int>(i);
    return 0;
}

std::string BuildSchedulerWrite(const TextRow& row, int code, int melodyNumber)
{
    if (row.size() < 5)
        return {};
    const std::string start = WireText(row[0]);
    return "AT#PISHW=" + WireText(row[4]) + ",19800106T000000," + start + "," + start + "," + std::to_string(code) +
           "," + std::to_string(melodyNumber) + ",\"" + WireText(row[2]) + "\"";
}
