#include "worker/MediaDownloadQuery.h"

#include "models/TableCatalogue.h"

namespace {
constexpr std::size_t IdCell = 3;
}  // namespace

MediaDownloadQuery BuildMediaDownloadQuery(int kind, bool all, const TextRow* currentRow)
{
    MediaDownloadQuery query;
    if (kind != kPhotoKind && kind != kMovieKind)
        return query;
    if (!all) {
        if (!currentRow || currentRow->size() <= IdCell || (*currentRow)[IdCell].empty())
            return query;
        query.whereColumn = "id";
        query.whereValue = (*currentRow)[IdCell];
    }
    query.select = true;
    query.table = CatalogueEntryOf(kind).table;
    query.orderColumn = "id";
    return query;
}
