#include "phone/MemoTransfer.h"

#include <string>

#include "db/Database.h"
#include "phone/MemoRecord.h"
#include "phone/PhoneSession.h"
#include "phone/PhoneStamp.h"
#include "phone/TransferHost.h"

namespace {
const char Table[] = "memo";
constexpr int Positions = 10;

bool Exchange(PhoneSession& session, const std::string& command, int timeoutUnits = 1)
{
    return session.SendAtCommand(command, "OK", timeoutUnits);
}
}  // namespace

void ReadMemos(PhoneSession& session, TransferHost& host)
{
    Database& database = TheDatabase();
    database.DeleteAllRows(Table);
    host.WaitForProgress();
    host.AnnounceRecordCount(Positions);

    for (int i = 0; i < Positions; ++i) {
        // What was read so far stays in the table.
        if (host.StopRequested()) {
            host.Interrupted(StoppedWork::Read, i, Positions);
            return;
        }
        if (!Exchange(session, "AT#PIMMR=" + std::to_string(i))) {
            host.ReadFailed();
            return;
        }
        host.ReportPosition(i);
        // An "OK" or a long text inside the entry may have ended the exchange early.
        session.CompleteRecordReply("#PIMMR:");
        MemoEntry entry;
        const EntryParse parse = ParseMemoEntry(session.ReplyBuffer, entry);
        if (parse == EntryParse::Absent)
            continue;
        if (parse == EntryParse::Malformed) {
            host.ReadStopped(i);
            return;
        }
        TextRow row{entry.stamp, entry.text, std::to_string(i)};
        if (database.InsertRow(Table, row) != 1)
            host.DatabaseRefused();
    }
}

void WriteMemos(PhoneSession& session, TransferHost& host)
{
    RowSet* active = host.ActiveRows(Table);
    if (!active)
        return;
    if (!Exchange(session, "AT#PIMMW=D", 2)) {
        host.EraseFailed();
        return;
    }
    RowSet& rows = *active;
    host.AnnounceRecordCount(static_cast<long long>(rows.size()));

    bool stampsFilled = false;
    bool stopped = false;
    long long written = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        // The phone still hears the end of the write.
        if (host.StopRequested()) {
            stopped = true;
            break;
        }
        host.ReportPosition(static_cast<long long>(r));
        TextRow& row = rows[r];
        if (row.size() < 2)
            continue;
        // Also a row that is not written gets its stamp.
        stampsFilled |= FillEmptyStamp(row[0]);
        if (row[1].empty())
            continue;
        const std::string command = BuildMemoWrite(row);
        if (command.empty())
            continue;
        if (Exchange(session, command))
            ++written;
        else
            host.RowNotWritten(row);
    }
    if (stampsFilled)
        host.RedrawActiveTable();
    Exchange(session, "AT#PIMSY=S");
    if (stopped)
        host.Interrupted(StoppedWork::Write, written, 0);
}
