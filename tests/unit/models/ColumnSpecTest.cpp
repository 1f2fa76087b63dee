#include <gtest/gtest.h>

#include "models/ColumnSpec.h"

TEST(DescribeColumn, ReadsTitleEditorAndDivisorByPosition)
{
    const ColumnSpec column = DescribeColumn({"Мелодия", "3", "4", "musik"});
    EXPECT_EQ(column.title, "Мелодия");
    EXPECT_EQ(column.editorKind, 3);
    EXPECT_EQ(column.widthDivisor, 4);
    EXPECT_TRUE(column.choices.empty());
    EXPECT_EQ(LookupTableOf({"Мелодия", "3", "4", "musik"}), "musik");
}

TEST(DescribeColumn, ShortOrOddRowsGiveEmptyValuesWithoutReadingPastTheRow)
{
    const ColumnSpec column = DescribeColumn({"Имя"});
    EXPECT_EQ(column.title, "Имя");
    EXPECT_EQ(column.editorKind, 0);
    EXPECT_EQ(column.widthDivisor, 0);
    EXPECT_EQ(DescribeColumn({}).title, "");
    // A drop-down whose row has no fourth cell names no table.
    EXPECT_EQ(LookupTableOf({"Выбор", "3", "2"}), "");
}

TEST(DescribeColumn, OnlyDropDownColumnsNameALookupTable)
{
    EXPECT_EQ(LookupTableOf({"Имя", "0", "6", "musik"}), "");
    EXPECT_EQ(LookupTableOf({"Время", "5", "3", "musik"}), "");
}
