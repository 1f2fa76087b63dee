#include <cstring>

#include "common/AppMessages.h"
#include "db/Database.h"
#include "phone/MediaListing.h"
#include "phone/PhoneSession.h"

int PhoneSession::ReadMediaCatalogue(const std::string& table, bool movies)
{
    Database& database = TheDatabase();
    // The old list goes whatever the phone answers.
    database.DeleteAllRows(table);
    if (!SendAtCommand(movies ? "AT#PMMGL?" : "AT#PMCGL?", "OK", 1))
        return 0;
    int count = 0;
    for (TextRow& row : ParseMediaListing(ReplyBuffer, strnlen(ReplyBuffer, sizeof ReplyBuffer), movies)) {
        if (database.InsertRow(table, row) != 1) {
            Notify(database.LastMessage(), AppMessages[AppCaption], NoticeIcon::None);
            continue;
        }
        ++count;
    }
    return count;
}
