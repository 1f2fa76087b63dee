#include <gtest/gtest.h>

#include "worker/MediaDownloadQuery.h"

TEST(MediaDownloadQuery, AllSelectsEveryRowOfTheKindsTableById)
{
    const MediaDownloadQuery photos = BuildMediaDownloadQuery(3, true, nullptr);
    EXPECT_TRUE(photos.select);
    EXPECT_EQ(photos.table, "photo");
    EXPECT_EQ(photos.whereColumn, "");
    EXPECT_EQ(photos.whereValue, "");
    EXPECT_EQ(photos.orderColumn, "id");

    const TextRow row{"tag", "m.mp4", "10", "4"};
    const MediaDownloadQuery movies = BuildMediaDownloadQuery(4, true, &row);
    EXPECT_TRUE(movies.select);
    EXPECT_EQ(movies.table, "camera");
    EXPECT_EQ(movies.whereColumn, "");
}

TEST(MediaDownloadQuery, SelectedTakesTheIdFromTheFourthCell)
{
    const TextRow row{"tag", "p.jpg", "1200", "17"};
    const MediaDownloadQuery query = BuildMediaDownloadQuery(3, false, &row);
    EXPECT_TRUE(query.select);
    EXPECT_EQ(query.table, "photo");
    EXPECT_EQ(query.whereColumn, "id");
    EXPECT_EQ(query.whereValue, "17");
    EXPECT_EQ(query.orderColumn, "id");
}

// An empty filter would select the whole table: one chosen item must never
// turn into a download of everything.
TEST(MediaDownloadQuery, SelectedWithoutAnIdSelectsNothing)
{
    const TextRow noId{"tag", "p.jpg", "1200", ""};
    const TextRow shortRow{"tag", "p.jpg", "1200"};
    EXPECT_FALSE(BuildMediaDownloadQuery(3, false, nullptr).select);
    EXPECT_FALSE(BuildMediaDownloadQuery(3, false, &noId).select);
    EXPECT_FALSE(BuildMediaDownloadQuery(4, false, &shortRow).select);
}

TEST(MediaDownloadQuery, OtherKindsSelectNothing)
{
    const TextRow row{"a", "b", "c", "1"};
    for (int kind : {-1, 0, 1, 2, 5}) {
        EXPECT_FALSE(BuildMediaDownloadQuery(kind, true, &row).select) << kind;
        EXPECT_FALSE(BuildMediaDownloadQuery(kind, false, &row).select) << kind;
    }
}
