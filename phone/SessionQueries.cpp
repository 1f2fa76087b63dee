#include "common/AppMessages.h"
#include "db/Database.h"
#include "common/PhoneMessages.h"
#include "phone/MelodySlots.h"
#include "phone/PhoneSession.h"
#include "phone/SessionReplies.h"

namespace {
const char MelodyTable[] = "musik";
}  // namespace

void PhoneSession::Warn(const char* text)
{
    Notify(text, AppMessages[AppCaption], NoticeIcon::Warning);
}

bool PhoneSession::QueryModel()
{
    if (!SendAtCommand("AT+GMM", "OK", 1))
        return false;
    ModelName = ParseModelName(ReplyBuffer);
    return true;
}

bool PhoneSession::LoadMelodyList()
{
    if (!SendAtCommand("AT#PUGSN?", "OK", 1)) {
        Warn(PhoneMessages[PhoneExchangeFailed]);
        return false;
    }
    // The old list stays until a new one has been read: the scheduler's
    // melody names are looked up in it.
    const auto melodies = ParseMelodyList(ReplyBuffer);
    if (!melodies) {
        Warn(PhoneMessages[PhoneExchangeFailed]);
        return false;
    }
    Database& database = TheDatabase();
    database.DeleteAllRows(MelodyTable);
    for (const MelodyEntry& melody : *melodies) {
        TextRow row{melody.number, melody.name};
        if (database.InsertRow(MelodyTable, row) != 1) {
            Notify(database.LastMessage(), AppMessages[AppCaption], NoticeIcon::None);
            break;
        }
    }
    return true;
}

std::vector<std::string> PhoneSession::MelodySlotNames()
{
    Database& database = TheDatabase();
    RowSet rows;
    if (!database.SelectRows(MelodyTable, rows, {}, {}, "mus_id"))
        Notify(database.LastMessage(), AppMessages[AppCaption], NoticeIcon::None);
    return ::MelodySlotNames(rows);
}
