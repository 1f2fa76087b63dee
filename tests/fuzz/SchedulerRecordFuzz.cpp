// The scheduler answers: the choice list and one entry. Choices are at most
// three runs of at most four digits; a found entry's fields keep their
// limits, its text holds no quote or control byte, and a code maps to its
// choice and back. The command of a row of any cells is one line with
// balanced quotes.
#include <string>

#include "FuzzCheck.h"
#include "WireLine.h"
#include "phone/ReplyFields.h"
#include "phone/SchedulerRecord.h"
#include "phone/WireText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string reply(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(OneLineWithBalancedQuotes(BuildSchedulerWrite(CellsOf(reply, 5), 1, 2)));
    const std::vector<std::string> choices = ParseSchedulerChoices(reply);
    FUZZ_CHECK(choices.size() <= 3);
    for (const std::string& choice : choices) {
        FUZZ_CHECK(choice.size() <= 4);
        FUZZ_CHECK(choice.find_first_not_of("0123456789") == std::string::npos);
    }

    SchedulerEntry entry;
    if (ParseSchedulerEntry(reply, entry) != EntryParse::Found)
        return 0;
    FUZZ_CHECK(entry.start.size() <= reply::FieldLimit && entry.melodyNumber.size() <= reply::FieldLimit);
    FUZZ_CHECK(entry.text.size() <= reply::FieldLimit);
    for (char c : entry.text)
        FUZZ_CHECK(c != '"' && static_cast<unsigned char>(c) > 0x13);
    FUZZ_CHECK(entry.code > -1000000000 && entry.code < 1000000000);

    const std::string choice = ChoiceForCode(choices, entry.code);
    if (entry.code >= 0 && static_cast<size_t>(entry.code) < choices.size())
        FUZZ_CHECK(ChoiceForCode(choices, CodeForChoice(choices, choice)) == choice);
    else
        FUZZ_CHECK(choice.empty());

    const TextRow row{entry.start, choice, entry.text, entry.melodyNumber, "1"};
    const std::string command = BuildSchedulerWrite(row, entry.code, 3);
    FUZZ_CHECK(command.rfind("AT#PISHW=1,19800106T000000," + WireText(entry.start) + ",", 0) == 0);
    return 0;
}
