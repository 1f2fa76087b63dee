#include "phone/PhoneBookTransfer.h"

#include <optional>
#include <string>

#include "db/Database.h"
#include "phone/PhoneBookRecord.h"
#include "phone/PhoneSession.h"
#include "phone/PhoneStamp.h"
#include "phone/TransferHost.h"

namespace {
const char Table[] = "phbook";
// The start of an entry's prefix, far enough to tell an entry cut inside it.
const char EntryMark[] = "#PBOK";

bool Exchange(PhoneSession& session, const std::string& command, int timeoutUnits = 1)
{
    return session.SendAtCommand(command, "OK", timeoutUnits);
}
}  // namespace

void ReadPhoneBook(PhoneSession& session, TransferHost& host)
{
    Database& database = TheDatabase();
    database.DeleteAllRows(Table);
    // The phone shows its entries only to a program that returns its key.
    if (!Exchange(session, "AT#PCKEY=" + std::to_string(session.PhoneKey))) {
        host.ReadFailed();
        return;
    }
    if (host.StopRequested()) {
        host.Interrupted(StoppedWork::Read, 0, 0);
        return;
    }
    if (!Exchange(session, "AT#PBSEL?")) {
        host.ReadFailed();
        return;
    }
    // Without the count the read cannot know the phone book; an empty table
    // would pass for an empty phone.
    const std::optional<int> last = ParsePhoneBookCapacity(session.ReplyBuffer);
    if (!last) {
        host.ReadFailed();
        return;
    }
    host.WaitForProgress();
    host.AnnounceRecordCount(*last);

    for (int i = 1; i <= *last; ++i) {
        // What was read so far stays in the table.
        if (host.StopRequested()) {
            host.Interrupted(StoppedWork::Read, i - 1, *last);
            return;
        }
        if (!Exchange(session, "AT#PBOKR=" + std::to_string(i))) {
            host.ReadFailed();
            return;
        }
        host.ReportPosition(i);
        // "#PBOKR:" holds "OK", which ends the exchange as soon as it is in;
        // the rest of the entry may still be on its way.
        session.CompleteRecordReply(EntryMark);
        TextRow row;
        const EntryParse parse = ParsePhoneBookEntry(session.ReplyBuffer, row);
        if (parse == EntryParse::Absent && !ReplyContains(session.ReplyBuffer, EntryMark))
            continue;
        // An entry cut short or out of shape: the user must know that the
        // table does not hold the whole phone book before writing it back.
        if (parse != EntryParse::Found) {
            host.ReadStopped(i);
            return;
        }
        row.push_back(std::to_string(i));
        if (database.InsertRow(Table, row) != 1)
            host.DatabaseRefused();
    }
}

void WritePhoneBook(PhoneSession& session, TransferHost& host)
{
    RowSet* active = host.ActiveRows(Table);
    if (!active)
        return;
    if (!Exchange(session, "AT#PBOKW=D", 2)) {
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
        if (row.size() < 2 || row.front().empty())
            continue;
        // The stamp is the column before the position.
        stampsFilled |= FillEmptyStamp(row[row.size() - 2]);
        const std::string command = BuildPhoneBookWrite(row);
        if (command.empty())
            continue;
        if (Exchange(session, command))
            ++written;
        else
            host.RowNotWritten(row);
    }
    if (stampsFilled)
        host.RedrawActiveTable();

    // The phone wants these three in exactly this letter case.
    Exchange(session, "AT#PBEND=E");
    Exchange(session, "at#pbmnw=d");
    Exchange(session, "at#pbsyn=s");
    if (stopped)
        host.Interrupted(StoppedWork::Write, written, 0);
}
