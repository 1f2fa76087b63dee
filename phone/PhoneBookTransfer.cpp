#include "phone/PhoneBookTransfer.h"

#include <optional>
#include <string>

#include "phone/AtExchange.h"
#include "phone/PhoneBookRecord.h"
#include "phone/PhoneSession.h"
#include "phone/PhoneStamp.h"
#include "phone/RecordTransfer.h"
#include "phone/TransferHost.h"

namespace {
const char Table[] = "phbook";
// The start of an entry's prefix, far enough to tell an entry cut inside it.
// "#PBOKR:" holds "OK", which ends the exchange as soon as it is in.
const char EntryMark[] = "#PBOK";
}  // namespace

void ReadPhoneBook(PhoneSession& session, TransferHost& host)
{
    RecordRead kind;
    kind.table = Table;
    kind.positions = [&]() -> std::optional<int> {
        // The phone shows its entries only to a program that returns its key.
        if (!ExchangeForOk(session, "AT#PCKEY=" + std::to_string(session.PhoneKey))) {
            host.ReadFailed();
            return std::nullopt;
        }
        if (host.StopRequested()) {
            host.Interrupted(StoppedWork::Read, 0, 0);
            return std::nullopt;
        }
        if (!ExchangeForOk(session, "AT#PBSEL?")) {
            host.ReadFailed();
            return std::nullopt;
        }
        // Without the count the read cannot know the phone book; an empty
        // table would pass for an empty phone.
        const std::optional<int> last = ParsePhoneBookCapacity(session.ReplyBuffer);
        if (!last)
            host.ReadFailed();
        return last;
    };
    kind.firstPosition = 1;
    kind.readCommand = "AT#PBOKR=";
    kind.replyMarker = EntryMark;
    kind.parse = [](const char* reply, TextRow& row) {
        const EntryParse parse = ParsePhoneBookEntry(reply, row);
        // No entry, yet the start of one: it was cut short.
        if (parse == EntryParse::Absent && ReplyContains(reply, EntryMark))
            return EntryParse::Malformed;
        return parse;
    };
    ReadRecords(session, host, kind);
}

void WritePhoneBook(PhoneSession& session, TransferHost& host)
{
    RecordWrite kind;
    kind.table = Table;
    kind.eraseCommand = "AT#PBOKW=D";
    kind.eraseTimeoutUnits = 2;
    kind.command = [](TextRow& row, bool& stampFilled) {
        if (row.size() < 2 || row.front().empty())
            return std::string();
        // The stamp is the column before the position.
        stampFilled = FillEmptyStamp(row[row.size() - 2]);
        return BuildPhoneBookWrite(row);
    };
    kind.showRefusedRow = true;
    // The phone wants these three in exactly this letter case.
    kind.closingCommands = {"AT#PBEND=E", "at#pbmnw=d", "at#pbsyn=s"};
    WriteRecords(session, host, kind);
}
