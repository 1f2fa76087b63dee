// A memo answer: a found entry's stamp and text keep the field limit, the
// text holds no quote or control byte, and the write command of the row
// carries them back in place. The memo and SMS commands built from any cells
// are one line with balanced quotes.
#include <string>

#include "FuzzCheck.h"
#include "WireLine.h"
#include "phone/MemoRecord.h"
#include "phone/ReplyFields.h"
#include "phone/SmsCommand.h"
#include "phone/WireText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string reply(reinterpret_cast<const char*>(data), size);
    const TextRow cells = CellsOf(reply, 4);
    FUZZ_CHECK(OneLineWithBalancedQuotes(BuildMemoWrite({cells[0], cells[1], cells[2]})));
    FUZZ_CHECK(OneLineWithBalancedQuotes(BuildSmsCommand({cells[0], cells[1], cells[2], cells[3]})));
    MemoEntry entry;
    if (ParseMemoEntry(reply, entry) != EntryParse::Found)
        return 0;
    FUZZ_CHECK(entry.stamp.size() <= reply::FieldLimit && entry.text.size() <= reply::FieldLimit);
    for (char c : entry.text)
        FUZZ_CHECK(c != '"' && static_cast<unsigned char>(c) > 0x13);
    FUZZ_CHECK(BuildMemoWrite({entry.stamp, entry.text, "12"}) ==
               "AT#PIMMW=12," + WireText(entry.stamp) + ",\"" + WireText(entry.text) + "\"");
    return 0;
}
