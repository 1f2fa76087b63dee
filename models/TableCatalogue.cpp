#include "models/TableCatalogue.h"

namespace {
const CatalogueEntry Catalogue[kTableKindCount] = {
    {"phbook", "Телефонная книга"},
    {"sched", "Еженедельник"},
    {"memo", "Заметки"},
    {"photo", "Фотографии"},
    {"camera", "Фильмы"},
    {"musik", ""},
};
const CatalogueEntry NoEntry = {"", ""};
}  // namespace

const CatalogueEntry& CatalogueEntryOf(TableKind kind)
{
    return kind >= 0 && kind < kTableKindCount ? Catalogue[kind] : NoEntry;
}

bool HasTableWindow(TableKind kind)
{
    return kind >= kPhoneBookKind && kind <= kMovieKind;
}

bool IsStoredTable(TableKind kind)
{
    return kind >= kPhoneBookKind && kind <= kMemoKind;
}

long long FirstRecordIdOf(TableKind kind)
{
    return kind == kPhoneBookKind ? 1 : 0;
}

std::string DescriptionTableOf(const std::string& table)
{
    return "i_" + table;
}

std::string RowQueryOf(const std::string& table)
{
    return "q_" + table;
}
