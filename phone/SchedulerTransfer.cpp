#include "phone/SchedulerTransfer.h"

#include <windows.h>

#include "common/PhoneMessages.h"
#include "db/Database.h"
#include "phone/PhoneSession.h"
#include "phone/ReplyFields.h"
#include "phone/SchedulerRecord.h"
#include "phone/TransferHost.h"

namespace {
const char Table[] = "sched";
const char Melodies[] = "musik";
constexpr int Positions = 50;
constexpr DWORD RefusedRowPauseMs = 250;
constexpr size_t MelodyNumberDigits = 9;

bool Exchange(PhoneSession& session, const std::string& command, int timeoutUnits = 1)
{
    return session.SendAtCommand(command, "OK", timeoutUnits);
}

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
    if (!Exchange(session, "AT#PISHW=?", 2)) {
        session.Warn(PhoneMessages[PhoneExchangeFailed]);
        return;
    }
    choices = ParseSchedulerChoices(session.ReplyBuffer);
}

void ReadScheduler(PhoneSession& session, TransferHost& host)
{
    Database& database = TheDatabase();
    database.DeleteAllRows(Table);
    host.WaitForProgress();
    host.AnnounceRecordCount(Positions);
    std::vector<std::string> choices;
    QuerySchedulerChoices(session, choices);

    for (int i = 0; i < Positions; ++i) {
        // What was read so far stays in the table.
        if (host.StopRequested()) {
            host.Interrupted(StoppedWork::Read, i, Positions);
            return;
        }
        if (!Exchange(session, "AT#PISHR=" + std::to_string(i))) {
            host.ReadFailed();
            return;
        }
        host.ReportPosition(i);
        // An "OK" or a long text inside the entry may have ended the exchange early.
        session.CompleteRecordReply("#PISHR:");
        SchedulerEntry entry;
        const EntryParse parse = ParseSchedulerEntry(session.ReplyBuffer, entry);
        if (parse == EntryParse::Absent)
            continue;
        if (parse == EntryParse::Malformed) {
            host.ReadStopped(i);
            return;
        }
        TextRow row{entry.start, ChoiceForCode(choices, entry.code), entry.text, MelodyName(host, entry.melodyNumber),
                    std::to_string(i)};
        if (database.InsertRow(Table, row) != 1)
            host.DatabaseRefused();
    }
}

void WriteScheduler(PhoneSession& session, TransferHost& host)
{
    RowSet* active = host.ActiveRows(Table);
    if (!active)
        return;
    std::vector<std::string> choices;
    QuerySchedulerChoices(session, choices);
    // The phone's entries are still all there.
    if (host.StopRequested()) {
        host.Interrupted(StoppedWork::WriteNotBegun, 0, 0);
        return;
    }
    if (!Exchange(session, "AT#PISHW=D", 2)) {
        host.EraseFailed();
        return;
    }
    const RowSet& rows = *active;
    host.AnnounceRecordCount(static_cast<long long>(rows.size()));

    long long sent = 0;
    long long refused = 0;
    bool stopped = false;
    for (size_t r = 0; r < rows.size(); ++r) {
        // The phone still hears the end of the write.
        if (host.StopRequested()) {
            stopped = true;
            break;
        }
        host.ReportPosition(static_cast<long long>(r));
        const TextRow& row = rows[r];
        const std::string command = BuildSchedulerWrite(row, row.size() > 1 ? CodeForChoice(choices, row[1]) : 0,
                                                        row.size() > 3 ? MelodyNumber(host, row[3]) : 0);
        if (command.empty() || row.front().empty())
            continue;
        ++sent;
        // The phone needs a moment after refusing a record.
        if (!Exchange(session, command)) {
            ++refused;
            Sleep(RefusedRowPauseMs);
        }
    }
    // The phone wants this one in lower case.
    Exchange(session, "at#pissy=s");
    // The erase took every entry off the phone: a row it refused is gone
    // there, which the user must hear of (a stopped write says how many the
    // phone holds instead).
    if (stopped)
        host.Interrupted(StoppedWork::Write, sent - refused, 0);
    else if (refused > 0)
        host.RowsRefused(refused, sent);
}
