#include "phone/SchedulerTransfer.h"

#include "common/PhoneMessages.h"
#include "db/Database.h"
#include "phone/PhoneSession.h"
#include "phone/RecordTransfer.h"
#include "phone/ReplyFields.h"
#include "phone/SchedulerRecord.h"
#include "phone/TransferHost.h"

namespace {
const char Table[] = "sched";
const char Melodies[] = "musik";
constexpr int Positions = 50;
// The phone needs a moment after refusing a record.
constexpr int RefusedRowPauseMs = 250;
constexpr size_t MelodyNumberDigits = 9;

// The name of the melody the phone calls `number`; empty when there is none.
// Only a plain number from the phone ever reaches the statement.
std::string MelodyName(TransferHost& host, const std::string& number)
{
    if (!reply::IsPlainInteger(number))
        return {};
    Database& database = TheDatabase();
    RowSet found;
    if (!database.SelectRows(Melodies, found, "mus_id", number)) {
        host.DatabaseRefused();
        return {};
    }
    return !found.empty() && found.front().size() > 1 ? found.front()[1] : std::string();
}

// The phone's number of the melody called `name`; 0, the phone's default
// sound, when there is none.
int MelodyNumber(TransferHost& host, const std::string& name)
{
    // An empty name would filter nothing and pick the first melody of all.
    if (name.empty())
        return 0;
    Database& database = TheDatabase();
    RowSet found;
    if (!database.SelectRows(Melodies, found, "name", name)) {
        host.DatabaseRefused();
        return 0;
    }
    return !found.empty() && !found.front().empty() ? reply::LeadingInt(found.front()[0], MelodyNumberDigits) : 0;
}
}  // namespace

void QuerySchedulerChoices(PhoneSession& session, std::vector<std::string>& choices)
{
    choices.clear();
    if (!ExchangeForOk(session, "AT#PISHW=?", 2)) {
        session.Warn(PhoneMessages[PhoneExchangeFailed]);
        return;
    }
    choices = ParseSchedulerChoices(session.ReplyBuffer);
}

void ReadScheduler(PhoneSession& session, TransferHost& host)
{
    std::vector<std::string> choices;
    RecordRead kind;
    kind.table = Table;
    kind.positions = [] { return std::optional<int>(Positions); };
    kind.beforeFirst = [&] { QuerySchedulerChoices(session, choices); };
    kind.firstPosition = 0;
    kind.readCommand = "AT#PISHR=";
    kind.replyMarker = "#PISHR:";
    kind.parse = [&](const char* reply, TextRow& row) {
        SchedulerEntry entry;
        const EntryParse parse = ParseSchedulerEntry(reply, entry);
        if (parse == EntryParse::Found)
            row = {entry.start, ChoiceForCode(choices, entry.code), entry.text, MelodyName(host, entry.melodyNumber)};
        return parse;
    };
    ReadRecords(session, host, kind);
}

void WriteScheduler(PhoneSession& session, TransferHost& host)
{
    std::vector<std::string> choices;
    RecordWrite kind;
    kind.table = Table;
    kind.beforeErase = [&] {
        QuerySchedulerChoices(session, choices);
        // The phone's entries are still all there.
        if (host.StopRequested()) {
            host.Interrupted(StoppedWork::WriteNotBegun, 0, 0);
            return false;
        }
        return true;
    };
    kind.eraseCommand = "AT#PISHW=D";
    kind.eraseTimeoutUnits = 2;
    kind.command = [&](TextRow& row, bool&) {
        std::string command = BuildSchedulerWrite(row, row.size() > 1 ? CodeForChoice(choices, row[1]) : 0,
                                                  row.size() > 3 ? MelodyNumber(host, row[3]) : 0);
        if (command.empty() || row.front().empty())
            return std::string();
        return command;
    };
    // One box at the end names how many rows the phone refused.
    kind.showRefusedRow = false;
    kind.refusedRowPauseMs = RefusedRowPauseMs;
    // The phone wants this one in lower case.
    kind.closingCommands = {"at#pissy=s"};
    WriteRecords(session, host, kind);
}
