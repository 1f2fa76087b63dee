#include <gtest/gtest.h>

#include "models/RowEdits.h"
#include "models/TableCatalogue.h"

TEST(NextRecordId, StartsAtTheKindsFirstIdInAnEmptyTable)
{
    EXPECT_EQ(NextRecordId({}, FirstRecordIdOf(kPhoneBookKind)), "1");
    EXPECT_EQ(NextRecordId({}, FirstRecordIdOf(kSchedulerKind)), "0");
    EXPECT_EQ(NextRecordId({}, FirstRecordIdOf(kMemoKind)), "0");
}

TEST(NextRecordId, FollowsTheLastRowsIdInItsLastCell)
{
    const RowSet rows = {{"Иван", "", "1"}, {"Мама", "", "2"}, {"Такси", "", "7"}};
    EXPECT_EQ(NextRecordId(rows, 1), "8");
    EXPECT_EQ(NextRecordId({{"x", "0"}}, 0), "1");
}

TEST(NextRecordId, AnUnreadableLastIdCountsAsZero)
{
    EXPECT_EQ(NextRecordId({{"x", "abc"}}, 1), "1");
    EXPECT_EQ(NextRecordId({{}}, 1), "1");
}

TEST(BlankRow, LeavesOutTheIdColumn)
{
    EXPECT_EQ(BlankRow(4), TextRow(3));
    EXPECT_EQ(BlankRow(1), TextRow());
    // Nothing described must not wrap around to a huge row.
    EXPECT_EQ(BlankRow(0), TextRow());
}

TEST(IsStoredCell, RefusesEveryCellOutsideTheRows)
{
    const RowSet rows = {{"a", "b", "1"}, {"c", "d", "2"}};
    EXPECT_TRUE(IsStoredCell(rows, 0, 0));
    EXPECT_TRUE(IsStoredCell(rows, 2, 1));
    EXPECT_FALSE(IsStoredCell(rows, 3, 0));
    EXPECT_FALSE(IsStoredCell(rows, -1, 0));
    EXPECT_FALSE(IsStoredCell(rows, 0, 2));
    EXPECT_FALSE(IsStoredCell(rows, 0, -1));
    EXPECT_FALSE(IsStoredCell({}, 0, 0));
    EXPECT_FALSE(IsStoredCell({{}}, 0, 0));
    // A row without cells has no id to address it by.
    EXPECT_FALSE(IsStoredCell({{"a", "1"}, {}}, 0, 1));
}

TEST(StoreCellText, StoresInsideTheDescribedColumnsOnly)
{
    RowSet rows = {{"a", "b", "1"}};
    EXPECT_TRUE(StoreCellText(rows, 2, 1, 0, "new"));
    EXPECT_EQ(rows[0][1], "new");
    EXPECT_FALSE(StoreCellText(rows, 2, 2, 0, "id"));
    EXPECT_FALSE(StoreCellText(rows, 2, -1, 0, "x"));
    EXPECT_FALSE(StoreCellText(rows, 2, 0, 1, "x"));
    EXPECT_FALSE(StoreCellText(rows, 2, 0, -1, "x"));
    EXPECT_EQ(rows, (RowSet{{"a", "new", "1"}}));
}

TEST(StoreCellText, AShortRowGrowsToHoldTheCell)
{
    RowSet rows = {{"a"}};
    EXPECT_TRUE(StoreCellText(rows, 3, 2, 0, "c"));
    EXPECT_EQ(rows[0], (TextRow{"a", "", "c"}));
}

TEST(RemoveRow, RecordsTheRowAndItsIndex)
{
    RowSet rows = {{"a", "1"}, {"b", "2"}, {"c", "3"}};
    const auto record = RemoveRow(rows, 1);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->kind, ChangeKind::RowDeleted);
    EXPECT_EQ(record->cells, (TextRow{"b", "2"}));
    EXPECT_EQ(record->index, 1);
    EXPECT_EQ(rows, (RowSet{{"a", "1"}, {"c", "3"}}));
    EXPECT_FALSE(RemoveRow(rows, 2));
    EXPECT_FALSE(RemoveRow(rows, -1));
    EXPECT_EQ(rows.size(), 2u);
}

TEST(TableCatalogue, NamesTheTablesAndRefusesKindsOutsideTheList)
{
    EXPECT_STREQ(CatalogueEntryOf(kPhoneBookKind).table, "phbook");
    EXPECT_STREQ(CatalogueEntryOf(kMovieKind).table, "camera");
    EXPECT_STREQ(CatalogueEntryOf(kMovieKind).caption, "Фильмы");
    EXPECT_STREQ(CatalogueEntryOf(kMelodyKind).table, "musik");
    EXPECT_STREQ(CatalogueEntryOf(6).table, "");
    EXPECT_STREQ(CatalogueEntryOf(-1).caption, "");
    EXPECT_FALSE(HasTableWindow(kMelodyKind));
    EXPECT_TRUE(HasTableWindow(kMovieKind));
    EXPECT_TRUE(IsStoredTable(kMemoKind));
    EXPECT_FALSE(IsStoredTable(kPhotoKind));
    EXPECT_EQ(DescriptionTableOf("phbook"), "i_phbook");
    EXPECT_EQ(RowQueryOf("photo"), "q_photo");
}
