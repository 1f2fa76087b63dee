#include "phone/MemoTransfer.h"

#include <string>

#include "phone/MemoRecord.h"
#include "phone/PhoneStamp.h"
#include "phone/RecordTransfer.h"

namespace {
const char Table[] = "memo";
constexpr int Positions = 10;
}  // namespace

void ReadMemos(PhoneSession& session, TransferHost& host)
{
    RecordRead kind;
    kind.table = Table;
    kind.positions = [] { return std::optional<int>(Positions); };
    kind.firstPosition = 0;
    kind.readCommand = "AT#PIMMR=";
    kind.replyMarker = "#PIMMR:";
    kind.parse = [](const char* reply, TextRow& row) {
        MemoEntry entry;
        const EntryParse parse = ParseMemoEntry(reply, entry);
        if (parse == EntryParse::Found)
            row = {entry.stamp, entry.text};
        return parse;
    };
    ReadRecords(session, host, kind);
}

void WriteMemos(PhoneSession& session, TransferHost& host)
{
    RecordWrite kind;
    kind.table = Table;
    kind.eraseCommand = "AT#PIMMW=D";
    kind.eraseTimeoutUnits = 2;
    kind.command = [](TextRow& row, bool& stampFilled) {
        if (row.size() < 2)
            return std::string();
        // Also a row that is not written gets its stamp.
        stampFilled = FillEmptyStamp(row[0]);
        if (row[1].empty())
            return std::string();
        return BuildMemoWrite(row);
    };
    kind.showRefusedRow = true;
    kind.closingCommands = {"AT#PIMSY=S"};
    WriteRecords(session, host, kind);
}
