#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "db/DbTypes.h"
#include "phone/PhoneBookRecord.h"

class PhoneSession;
class TransferHost;

// The record read and write shared by the phone book, the scheduler and the
// memos, on the exchange worker behind the progress dialog. Each kind
// describes what differs; the loops keep the order of the exchanges and of
// the host's calls the same for all three.

// One AT exchange that succeeds on "OK".
bool ExchangeForOk(PhoneSession& session, const std::string& command, int timeoutUnits = 1);

struct RecordRead {
    const char* table = nullptr;
    // The positions the phone holds, before the progress dialog is waited
    // for; none ends the read (having said why).
    std::function<std::optional<int>()> positions;
    // Runs once the count is announced, before the first position.
    std::function<void()> beforeFirst;
    int firstPosition = 0;
    // The command that reads a position, the position's number following it.
    const char* readCommand = nullptr;
    // Where a record starts in the reply (see PhoneSession::CompleteRecordReply).
    const char* replyMarker = nullptr;
    // Turns the reply into a row without its position; Absent skips the
    // position, Malformed ends the read there.
    std::function<EntryParse(const char* reply, TextRow& row)> parse;
};

// Empties the table and fills it from the phone's positions, each row with
// its position as the last cell. A failed exchange or a record it cannot
// make out ends the read; the rows read so far stay.
void ReadRecords(PhoneSession& session, TransferHost& host, const RecordRead& kind);

struct RecordWrite {
    const char* table = nullptr;
    // Runs before the erase; false ends the write (having said why).
    std::function<bool()> beforeErase;
    const char* eraseCommand = nullptr;
    int eraseTimeoutUnits = 1;
    // The command writing `row`; empty skips the row. Sets `stampFilled`
    // when it filled an empty stamp of the row.
    std::function<std::string(TextRow& row, bool& stampFilled)> command;
    // A refused row: listed in a box at once, or counted and reported in one
    // box at the end.
    bool showRefusedRow = false;
    // The pause after a refused row; 0 for none.
    int refusedRowPauseMs = 0;
    // Sent after the rows, also after a stop, each in its exact letter case.
    std::vector<const char*> closingCommands;
};

// Erases the phone's records of the kind and writes the rows of the active
// window of its table back, then sends the closing commands.
void WriteRecords(PhoneSession& session, TransferHost& host, const RecordWrite& kind);
