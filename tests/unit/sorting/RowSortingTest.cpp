#include <gtest/gtest.h>

#include "grid/RowSorting.h"

namespace {
std::vector<std::string> Column(const RowSet& rows, size_t k)
{
    std::vector<std::string> out;
    for (const auto& r : rows)
        out.push_back(r[k]);
    return out;
}
}  // namespace

TEST(SortRows, FirstCellDecidesBetweenNumbersAndText)
{
    RowSet numbers{{"a", "12"}, {"b", "100"}, {"c", "2"}, {"d", "10"}};
    SortRowsByColumn(numbers, 1);
    EXPECT_EQ(Column(numbers, 1), (std::vector<std::string>{"2", "10", "12", "100"}));
    EXPECT_EQ(Column(numbers, 0), (std::vector<std::string>{"c", "d", "a", "b"}));  // rows move whole

    RowSet text{{"abc"}, {"2"}, {"10"}};
    SortRowsByColumn(text, 0);
    EXPECT_EQ(Column(text, 0), (std::vector<std::string>{"10", "2", "abc"}));

    RowSet mixed{{"12abc"}, {"2"}, {"100"}};
    SortRowsByColumn(mixed, 0);
    EXPECT_EQ(Column(mixed, 0), (std::vector<std::string>{"100", "12abc", "2"}));
}

TEST(SortRows, CyrillicNamesSortAsTextInCodePageOrder)
{
    // "Я" (0xDF) before "а" (0xE0): upper case before lower case; Latin before Cyrillic.
    RowSet rows{{"Яков"}, {"Анна"}, {"анна"}, {"Zoe"}, {"Ан"}};
    SortRowsByColumn(rows, 0);
    EXPECT_EQ(Column(rows, 0), (std::vector<std::string>{"Zoe", "Ан", "Анна", "Яков", "анна"}));
}

TEST(SortRows, EqualKeysAreOrderedByTheOtherCellsWithTheKeyInFront)
{
    // While sorting, cell 0 stands where the key was: ties go by cell 1, then by cell 0.
    RowSet rows{{"x", "b", "k"}, {"y", "a", "k"}, {"z", "a", "k"}};
    SortRowsByColumn(rows, 2);
    EXPECT_EQ(Column(rows, 0), (std::vector<std::string>{"y", "z", "x"}));
    EXPECT_EQ(Column(rows, 2), (std::vector<std::string>{"k", "k", "k"}));
}

TEST(SortRows, NumbersUseTheLeadingDecimalValue)
{
    EXPECT_DOUBLE_EQ(LeadingNumber("  -3.5e1x"), -35.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("3,5"), 3.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("+7"), 7.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("nan"), 0.0);

    RowSet rows{{"5"}, {"nan"}, {"-1"}, {"inf"}, {"0"}, {""}};
    SortRowsByColumn(rows, 0);  // must not trip the sort over a NaN
    EXPECT_EQ(rows.front()[0], "-1");
    EXPECT_EQ(rows.back()[0], "inf");
}

TEST(SortRows, MissingColumnOrNoRowsChangesNothing)
{
    RowSet rows{{"b"}, {"a"}};
    SortRowsByColumn(rows, 3);
    EXPECT_EQ(Column(rows, 0), (std::vector<std::string>{"b", "a"}));
    RowSet none;
    SortRowsByColumn(none, 0);
    EXPECT_TRUE(none.empty());
}

TEST(FindRow, PrefixMatchContinuesAfterTheLastFind)
{
    RowSet rows{{"Петров"}, {"Иванов"}, {"Ивлев"}, {"иван"}};
    EXPECT_EQ(FindRowWithPrefix(rows, 0, "Ив", 0), 1u);
    EXPECT_EQ(FindRowWithPrefix(rows, 0, "Ив", 2), 2u);
    EXPECT_EQ(FindRowWithPrefix(rows, 0, "Ив", 3), std::nullopt);
    EXPECT_EQ(FindRowWithPrefix(rows, 0, "ив", 0), 3u);  // case matters
    EXPECT_EQ(FindRowWithPrefix(rows, 0, "", 0), 0u);
    EXPECT_EQ(FindRowWithPrefix(rows, 0, "Петрова", 0), std::nullopt);
    EXPECT_EQ(FindRowWithPrefix(rows, 5, "", 0), std::nullopt);
}

TEST(FindRow, FoundRowIsCentredButNeverAboveTheTop)
{
    EXPECT_EQ(CentredFirstRow(50, 0, 20), 40u);
    EXPECT_EQ(CentredFirstRow(3, 0, 20), 0u);
    EXPECT_EQ(CentredFirstRow(7, 5, 5), 7u);
}
