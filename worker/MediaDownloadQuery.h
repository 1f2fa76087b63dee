#pragma once
// Which database rows a photo or movie download command copies to the PC.

#include <string>

#include "db/DbTypes.h"

struct MediaDownloadQuery {
    // False: nothing is to be selected, so nothing is downloaded.
    bool select = false;
    std::string table;
    std::string whereColumn;
    std::string whereValue;
    std::string orderColumn;
};

// For a table of kind 3 (photos) or 4 (movies): every row when `all` is set,
// otherwise the row whose id is the fourth cell of `currentRow`, ordered by
// id. A selected download without a current row or without its id selects
// nothing, since an empty filter would mean every row.
MediaDownloadQuery BuildMediaDownloadQuery(int kind, bool all, const TextRow* currentRow);
