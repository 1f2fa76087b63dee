#include <windows.h>

#include <string>
#include <vector>

#include "BenchmarkTiming.h"
#include "TableFixture.h"
#include "grid/CsvFile.h"
#include "grid/ICalendarFile.h"
#include "grid/VCardFile.h"

// Not a test: times the export of a 10,000-row phone book to vCard and CSV
// and of a 10,000-row scheduler to iCalendar, and the import of each file
// back into the emptied table, printing
//   grid export-<kind> <ms> ms bare <ms> ms ratio <grid / bare>
//   grid import-<kind> <ms> ms bare <ms> ms ratio <grid / bare>
// Bare: the file's text built in memory (export), the same rows inserted
// through the database alone (import). tools/bench/grid.sh runs it.

namespace {
constexpr int kRows = 10000;

RowSet WithoutIds(const RowSet& rows)
{
    RowSet cells;
    for (const TextRow& row : rows)
        cells.emplace_back(row.begin(), row.end() - 1);
    return cells;
}
}  // namespace

TEST_F(TableTest, DISABLED_BenchmarkOfInterchangeFilesOfTenThousandRows)
{
    const std::string numbers = "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < " +
                                std::to_string(kRows) + ") ";
    database->Run(numbers +
                  "INSERT INTO phbook SELECT 'Абонент ' || x, '095' || x, '8916' || x, '', '', '', "
                  "'Работа, офис \"Б\"', 'Заметка; ' || x, '20050301T093000', x FROM n");
    database->Run(numbers +
                  "INSERT INTO sched SELECT '2005030' || (x % 9 + 1) || 'T0930' || substr('0' || (x % 60), -2), "
                  "CAST(x % 3 * 5 AS TEXT), 'Встреча ' || x, '', x FROM n");
    ASSERT_TRUE(Start());
    DialogRefusal refusal;
    ASSERT_TRUE(refusal.IsActive());

    struct Kind {
        int command;
        const char* table;
        const char* extension;
    };
    for (const Kind& kind : {Kind{IDM_PHONEBOOK, "phbook", "vcf"}, Kind{IDM_PHONEBOOK, "phbook", "csv"},
                             Kind{IDM_SCHEDULER, "sched", "ics"}}) {
        TableModel* model = Open(kind.command);
        ASSERT_NE(model, nullptr);
        ASSERT_EQ(model->Rows().size(), static_cast<std::size_t>(kRows));
        const RowSet original = model->Rows();
        const std::string path = TempFile(std::string("velarmon_bench.") + kind.extension);
        const double exported = MedianMs(3, 1, [&] { DeleteFileA(path.c_str()); }, [&] {
            GridOf(*model)->ExportTo(path.c_str(), static_cast<unsigned>(path.size() - 3));
        });
        std::vector<std::string> titles = GridOf(*model)->ColumnTitles();
        std::size_t bytes = 0;
        const double bareExport = MedianMs(3, 1, [&] {
            const TableContents table("", "", titles, original);
            const std::string ext = kind.extension;
            bytes = ext == "vcf"   ? BuildVCards(original).size()
                    : ext == "ics" ? BuildICalendar(original, "20261209T050000").text.size()
                                   : BuildCsv(table).size();
            Consume(&bytes);
        });
        const std::string name = kind.extension;
        Report(("export-" + name).c_str(), exported, bareExport);

        const std::string empty = std::string("DELETE FROM ") + kind.table;
        const double imported = MedianMs(
            3, 1,
            [&] {
                Command(IDM_CLOSE_ACTIVE);
                database->Run(empty);
                Open(kind.command);
            },
            [&] { GridOf(*app->ActiveModel())->ImportFrom(path.c_str()); });
        model = app->ActiveModel();
        EXPECT_EQ(WithoutIds(model->Rows()), WithoutIds(original)) << kind.extension;
        const double bareImport = MedianMs(3, 1, [&] { database->Run(empty); }, [&] {
            RowSet rows = original;
            std::vector<std::string> refusals;
            TheDatabase().InsertRows(kind.table, rows, refusals);
        });
        Report(("import-" + name).c_str(), imported, bareImport);
        Command(IDM_CLOSE_ACTIVE);
        DeleteFileA(path.c_str());
    }
}
