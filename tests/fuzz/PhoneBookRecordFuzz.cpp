// The phone-book answers: the capacity and one entry. A found entry has its
// nine cells, each within the field limit, numbers only when they start with
// a digit; the write command of such a row starts as the phone expects, and
// the command of a row of any cells is one line with balanced quotes.
#include <string>

#include "FuzzCheck.h"
#include "WireLine.h"
#include "phone/PhoneBookRecord.h"
#include "phone/ReplyFields.h"
#include "phone/WireText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string reply(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(OneLineWithBalancedQuotes(BuildPhoneBookWrite(CellsOf(reply, 10))));
    if (const auto capacity = ParsePhoneBookCapacity(reply))
        FUZZ_CHECK(*capacity >= 0 && *capacity <= 9999);

    TextRow entry;
    if (ParsePhoneBookEntry(reply, entry) != EntryParse::Found)
        return 0;
    FUZZ_CHECK(entry.size() == 9);
    for (const std::string& cell : entry)
        FUZZ_CHECK(cell.size() <= reply::FieldLimit);
    for (size_t k = 1; k <= 5; ++k)
        FUZZ_CHECK(entry[k].empty() || (entry[k][0] >= '0' && entry[k][0] <= '9'));
    FUZZ_CHECK(entry[8].size() <= 15);

    entry.push_back("7");
    const std::string command = BuildPhoneBookWrite(entry);
    FUZZ_CHECK(command.rfind("AT#PBOKW=0,0,7,\"" + WireText(entry[0]) + "\",", 0) == 0);
    FUZZ_CHECK(RowDebugText(entry).size() >= 2 * entry.size());
    return 0;
}
