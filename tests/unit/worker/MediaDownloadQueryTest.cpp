#include <gtest/gtest.h>

#include "models/TableCatalogue.h"
#include "worker/MediaDownloadQuery.h"

TEST(MediaDownloadQuery, AllTakesTheWholeTableSelectedTheFourthCellsIdBothById)
{
    const MediaDownloadQuery all = BuildMediaDownloadQuery(kPhotoKind, true, nullptr);
    EXPECT_TRUE(all.select);
    EXPECT_EQ(all.table, "photo");
    EXPECT_EQ(all.whereColumn + all.whereValue, "");
    EXPECT_EQ(all.orderColumn, "id");

    const TextRow row{"tag", "m.mp4", "1200", "17"};
    const MediaDownloadQuery one = BuildMediaDownloadQuery(kMovieKind, false, &row);
    EXPECT_TRUE(one.select);
    EXPECT_EQ(one.table, "camera");
    EXPECT_EQ(one.whereColumn, "id");
    EXPECT_EQ(one.whereValue, "17");
    EXPECT_EQ(one.orderColumn, "id");
}

// An empty filter selects the whole table: one chosen item must never turn
// into a download of everything.
TEST(MediaDownloadQuery, WithoutAnIdOrForOtherKindsNothingIsSelected)
{
    const TextRow noId{"tag", "p.jpg", "1200", ""};
    const TextRow shortRow{"tag", "p.jpg", "1200"};
    EXPECT_FALSE(BuildMediaDownloadQuery(kPhotoKind, false, nullptr).select);
    EXPECT_FALSE(BuildMediaDownloadQuery(kPhotoKind, false, &noId).select);
    EXPECT_FALSE(BuildMediaDownloadQuery(kMovieKind, false, &shortRow).select);
    for (int kind : {-1, kPhoneBookKind, kMemoKind, kMelodyKind})
        EXPECT_FALSE(BuildMediaDownloadQuery(kind, true, nullptr).select) << kind;
}
