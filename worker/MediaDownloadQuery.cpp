#include "worker/MediaDownloadQuery.h"

namespace {
constexpr std::size_t IdCell = 3;

const char* MediaTable(int kind)
{
    switch (kind) {
    case 3: return "photo";
    case 4: return "camera";
    default: return nullptr;
    }
}
}  // namespace

MediaDownloadQuery BuildMediaDownloadQuery(int kind, bool all, const TextRow* currentRow)
{
    MediaDownloadQuery query;
    const char* table = MediaTable(kind);
    if (!table)
        return query;
    if (!all) {
        if (!currentRow || currentRow->size() <= IdCell || (*currentRow)[IdCell].empty())
            return query;
        query.whereColumn = "id";
        query.whereValue = (*currentRow)[IdCell];
    }
    query.select = true;
    query.table = table;
    query.orderColumn = "id";
    return query;
}
