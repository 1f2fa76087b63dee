#include "phone/MemoTransfer.h"

#include <string>

#include "db/Database.h"
#include "models/TableModel.h"
#include "phone/MemoRecord.h"
#include "phone/PhoneSession.h"
#include "phone/RowDebug.h"
#include "phone/TransferBoxes.h"
#include "phone/TransferTable.h"
#include "worker/ProgressDialog.h"

namespace {
const char Table[] = "memo";
constexpr int Positions = 10;

bool Exchange(PhoneSession& session, const std::string& command, int timeoutUnits = 1)
{
    return session.SendAtCommand(command, "OK", timeoutUnits);
}
}  // namespace

void ReadMemos(PhoneSession& session)
{
    Database& database = TheDatabase();
    database.DeleteAllRows(Table);
    WaitForProgressDialog();
    AnnounceRecordCount(Positions);

    for (int i = 0; i < Positions; ++i) {
        // The program is closing: what was read so far stays in the table.
        if (session.StopRequested())
            return;
        if (!Exchange(session, "AT#PIMMR=" + std::to_string(i))) {
            ShowReadFailed();
            return;
        }
        PostProgressPosition(static_cast<WPARAM>(i));
        MemoEntry entry;
        const EntryParse parse = ParseMemoEntry(session.ReplyBuffer, entry);
        if (parse == EntryParse::Absent)
            continue;
        if (parse == EntryParse::Malformed)
            return;
        TextRow row{entry.stamp, entry.text, std::to_string(i)};
        if (database.InsertRow(Table, row) != 1)
            ShowDatabaseMessage();
    }
}

void WriteMemos(PhoneSession& session)
{
    TableModel* model = ActiveTableOf(kMemoKind);
    if (!model)
        return;
    if (!Exchange(session, "AT#PIMMW=D", 2)) {
        ShowEraseFailed();
        return;
    }
    RowSet& rows = model->Rows();
    AnnounceRecordCount(static_cast<long long>(rows.size()));

    bool stampsFilled = false;
    for (size_t r = 0; r < rows.size(); ++r) {
        // The program is closing: the phone still hears the end of the write.
        if (session.StopRequested())
            break;
        PostProgressPosition(r);
        TextRow& row = rows[r];
        if (row.size() < 2)
            continue;
        // Also a row that is not written gets its stamp.
        stampsFilled |= FillEmptyStamp(row[0]);
        if (row[1].empty())
            continue;
        const std::string command = BuildMemoWrite(row);
        if (!command.empty() && !Exchange(session, command))
            ShowRowDebug(row);
    }
    if (stampsFilled)
        RedrawTable(*model);
    Exchange(session, "AT#PIMSY=S");
}
