#include <gtest/gtest.h>

#include "models/RowImport.h"

namespace {
ColumnSpec Column(const char* title, std::size_t size)
{
    ColumnSpec column;
    column.title = title;
    column.textSize = size;
    return column;
}

std::vector<ImportOutcome> Outcomes(const std::vector<ImportResult>& results)
{
    std::vector<ImportOutcome> outcomes;
    for (const ImportResult& result : results)
        outcomes.push_back(result.outcome);
    return outcomes;
}
}  // namespace

// Rows already shown (ids aside), rows repeated in the file, cells too long
// for their column and rows wider than the table: each decided before
// anything is stored, the rows to add padded to the table's cells.
TEST(RowImport, SkipsWhatIsThereRefusesWhatDoesNotFitAndPadsTheRest)
{
    const RowSet existing{{"Мама", "0951110000", "7"}, {"Такси", "", "8"}};
    RowSet offered{{"Мама", "0951110000"},
                   {"Такси"},
                   {"Петров", "0957"},
                   {"Петров", "0957"},
                   {"Длинное имя", "1"},
                   {"Сидоров", "", "лишнее"},
                   {"Сидоров", "", ""}};
    const std::vector<ColumnSpec> columns{Column("Имя", 10), Column("Номер", 0)};
    const std::vector<ImportResult> results = PlanImport(existing, offered, columns, 2);
    using O = ImportOutcome;
    EXPECT_EQ(Outcomes(results),
              (std::vector<O>{O::Skipped, O::Skipped, O::Added, O::Skipped, O::Refused, O::Refused, O::Added}));
    EXPECT_EQ(results[4].reason, "«Имя»: знаков 11, в столбце помещается 10");
    EXPECT_EQ(results[5].reason, "столбцов больше, чем в таблице");
    EXPECT_EQ(offered[6], (TextRow{"Сидоров", ""}));
    EXPECT_EQ(offered[1], (TextRow{"Такси", ""}));
}

TEST(RowImport, IdsCountUpFromTheNextFreeOne)
{
    EXPECT_EQ(ConsecutiveIds("8", 3), (std::vector<std::string>{"8", "9", "10"}));
    EXPECT_TRUE(ConsecutiveIds("0", 0).empty());
}
