#include "phone/RecordTransfer.h"

#include "db/Database.h"
#include "phone/PhoneSession.h"
#include "phone/PortTiming.h"
#include "phone/TransferHost.h"

bool ExchangeForOk(PhoneSession& session, const std::string& command, int timeoutUnits)
{
    return session.SendAtCommand(command, "OK", timeoutUnits);
}

void ReadRecords(PhoneSession& session, TransferHost& host, const RecordRead& kind)
{
    Database& database = TheDatabase();
    database.DeleteAllRows(kind.table);
    const std::optional<int> count = kind.positions();
    if (!count)
        return;
    host.WaitForProgress();
    host.AnnounceRecordCount(*count);
    if (kind.beforeFirst)
        kind.beforeFirst();

    const int end = kind.firstPosition + *count;
    for (int i = kind.firstPosition; i < end; ++i) {
        // What was read so far stays in the table.
        if (host.StopRequested()) {
            host.Interrupted(StoppedWork::Read, i - kind.firstPosition, *count);
            return;
        }
        if (!ExchangeForOk(session, kind.readCommand + std::to_string(i))) {
            host.ReadFailed();
            return;
        }
        host.ReportPosition(i);
        // An "OK" or a long text inside the record may have ended the
        // exchange before the rest of the record was in.
        session.CompleteRecordReply(kind.replyMarker);
        TextRow row;
        const EntryParse parse = kind.parse(session.ReplyBuffer, row);
        if (parse == EntryParse::Absent)
            continue;
        // A record cut short or out of shape: the user must know that the
        // table does not hold all the phone's records before writing it back.
        if (parse != EntryParse::Found) {
            host.ReadStopped(i);
            return;
        }
        row.push_back(std::to_string(i));
        if (database.InsertRow(kind.table, row) != 1)
            host.DatabaseRefused();
    }
}

void WriteRecords(PhoneSession& session, TransferHost& host, const RecordWrite& kind)
{
    RowSet* active = host.ActiveRows(kind.table);
    if (!active)
        return;
    if (kind.beforeErase && !kind.beforeErase())
        return;
    if (!ExchangeForOk(session, kind.eraseCommand, kind.eraseTimeoutUnits)) {
        host.EraseFailed();
        return;
    }
    RowSet& rows = *active;
    host.AnnounceRecordCount(static_cast<long long>(rows.size()));

    bool stampsFilled = false;
    bool stopped = false;
    long long sent = 0;
    long long refused = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        // The phone still hears the end of the write.
        if (host.StopRequested()) {
            stopped = true;
            break;
        }
        host.ReportPosition(static_cast<long long>(r));
        TextRow& row = rows[r];
        bool stampFilled = false;
        const std::string command = kind.command(row, stampFilled);
        stampsFilled |= stampFilled;
        if (command.empty())
            continue;
        ++sent;
        if (ExchangeForOk(session, command))
            continue;
        ++refused;
        if (kind.showRefusedRow)
            host.RowNotWritten(row);
        // Some kinds give the phone a moment after it refused a record.
        if (kind.refusedRowPauseMs > 0)
            PauseFor(kind.refusedRowPauseMs);
    }
    if (stampsFilled)
        host.RedrawActiveTable();

    for (const char* command : kind.closingCommands)
        ExchangeForOk(session, command);
    // The erase took every record off the phone: a stopped write says how
    // many the phone holds; otherwise the rows it refused are gone there.
    if (stopped)
        host.Interrupted(StoppedWork::Write, sent - refused, 0);
    else if (refused > 0 && !kind.showRefusedRow)
        host.RowsRefused(refused, sent);
}
