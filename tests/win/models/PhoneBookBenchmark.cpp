#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "BenchmarkTiming.h"
#include "TableFixture.h"
#include "common/Handles.h"
#include "grid/XlsWriter.h"

// Not a test: times what the grid does with a phone book of 65,536 records
// beside the bare work on the same data, and prints one line per operation:
//   grid <operation> <ms> ms bare <ms> ms ratio <grid / bare>
// Run it with
//   win_models.exe --gtest_also_run_disabled_tests --gtest_filter=*Benchmark*
// (tools/bench/grid.sh builds it and prints only those lines).

namespace {
constexpr int kRecords = 65536;

// The bare export: the column titles and the first `rowCount` rows' cells as
// tab-separated lines, in one buffer written with one WriteFile.
void WriteTabSeparated(const std::string& path, const std::vector<std::string>& titles, const RowSet& rows,
                       std::size_t rowCount)
{
    std::string text;
    auto line = [&text](const std::vector<std::string>& cells, std::size_t count) {
        for (std::size_t k = 0; k < count; ++k) {
            if (k > 0)
                text += '\t';
            if (k < cells.size())
                text += cells[k];
        }
        text += "\r\n";
    };
    line(titles, titles.size());
    for (std::size_t r = 0; r < rowCount && r < rows.size(); ++r)
        line(rows[r], titles.size());
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
}  // namespace

TEST_F(TableTest, DISABLED_BenchmarkOfTheGridOverALargePhoneBook)
{
    database->Run("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < " +
                  std::to_string(kRecords) +
                  ") INSERT INTO phbook SELECT 'Абонент ' || x, '095' || x, '', '', '', '', 'Работа', '', "
                  "'20050301T093000', x FROM n");
    ASSERT_TRUE(Start());

    // Open: the frame's command makes the model, which reads the column
    // descriptions and every row and opens the grid window; the messages it
    // leaves (the first paint among them) are handled inside the timing.
    // Bare: the program's own select of the same rows, in the same order,
    // through the same connection into a row set.
    const double open = MedianMs(3, 1, [&] { Command(IDM_CLOSE_ACTIVE); }, [&] { Command(IDM_PHONEBOOK); });
    RowSet selected;
    const double bareOpen = MedianMs(3, 1, [&] { RowSet().swap(selected); },
                                     [&] { TheDatabase().SelectRows("phbook", selected, {}, {}, "id"); });
    ASSERT_EQ(selected.size(), static_cast<std::size_t>(kRecords));
    Report("open", open, bareOpen);

    TableModel* book = app->ActiveModel();
    ASSERT_NE(book, nullptr);
    ASSERT_EQ(book->Rows().size(), static_cast<std::size_t>(kRecords));
    GridWindow* grid = GridOf(*book);
    ASSERT_NE(grid, nullptr);
    HWND window = grid->Handle();
    SendMessageA(app->mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(window), 0);
    SetFocus(window);
    PumpMessages();
    grid->Paint();
    const RowSet original = book->Rows();

    // Paint: one whole paint of the maximised grid (back buffer, headings,
    // lines, cells, copy to the window, scroll bars). Bare: the visible
    // cells' texts drawn as the grid draws them (DrawText, same format and
    // font) into a memory bitmap of the client's size, after one fill.
    const double paint = MedianMs(5, 20, [&] { grid->Paint(); });
    RECT client{};
    GetClientRect(window, &client);
    struct Cell {
        RECT box;
        const std::string* text;
    };
    std::vector<Cell> cells;
    const int columnCount = static_cast<int>(book->Columns().size());
    for (int r = grid->FirstVisibleRow(); r < kRecords && grid->CellRect(0, r).top < client.bottom; ++r) {
        for (int c = grid->View().firstColumn; c < columnCount && grid->CellRect(c, r).left < client.right; ++c) {
            const CellBox box = grid->CellRect(c, r);
            cells.push_back({RECT{box.left, box.top, box.right, box.bottom}, &grid->CellText(r, c)});
        }
    }
    ASSERT_GT(cells.size(), 100u);
    double barePaint = 0;
    {
        WindowDc screen(window);
        MemoryDc memory(CreateCompatibleDC(screen.Get()));
        BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
        ASSERT_TRUE(memory.IsValid() && bitmap.IsValid());
        HDC dc = memory.Get();
        SelectedObject useBitmap(dc, bitmap.Get());
        SelectedObject useFont(dc, grid->NormalFont());
        SetBkMode(dc, TRANSPARENT);
        barePaint = MedianMs(5, 20, [&] {
            FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
            for (const Cell& cell : cells) {
                RECT box = cell.box;
                DrawTextA(dc, cell.text->c_str(), static_cast<int>(cell.text->size()), &box,
                          DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXTERNALLEADING);
            }
            GdiFlush();
        });
    }
    Report("paint", paint, barePaint);

    // Sort: the grid's sort command on the name column, as its context menu
    // sends it (the repaint that shows the result included), each time from
    // the order the table was read in. Bare: std::sort of the same names.
    // The grid compares such a column as text, bytes as unsigned, which is
    // std::string's operator<; no two names are equal, so the further cells
    // the grid would compare never count.
    grid->SetCurrentColumn(0);
    const double sort = MedianMs(5, 1, [&] { book->Rows() = original; },
                                 [&] { SendMessageA(window, WM_COMMAND, IDM_SORT, 0); });
    std::vector<std::string> names;
    for (const TextRow& row : original)
        names.push_back(row[0]);
    std::vector<std::string> sortedNames;
    const double bareSort = MedianMs(5, 1, [&] { sortedNames = names; },
                                     [&] { std::sort(sortedNames.begin(), sortedNames.end()); });
    ASSERT_TRUE(std::is_sorted(book->Rows().begin(), book->Rows().end(),
                               [](const TextRow& a, const TextRow& b) { return a[0] < b[0]; }));
    Report("sort", sort, bareSort);

    // Prefix search on the sorted names for the one that sorts last, as the
    // search dialog starts it on every change of its text (which also brings
    // the found row into view and repaints). Bare: the same prefix looked for
    // over the sorted names from the first, the way the grid must look: the
    // order it shows is whatever the user made it, so nothing less than a
    // scan finds the first match; then the bare paint above, since showing
    // the found row is part of the search's work.
    const std::string prefix = "Абонент 9999";
    const double search = MedianMs(5, 10, [&] { grid->FindNext(prefix, false); });
    ASSERT_EQ(grid->CurrentRow(), kRecords - 1);
    std::size_t found = 0;
    const double bareSearch = MedianMs(5, 100, [&] {
        Consume(&sortedNames);
        found = sortedNames.size();
        for (std::size_t i = 0; i < sortedNames.size(); ++i) {
            if (sortedNames[i].compare(0, prefix.size(), prefix) == 0) {
                found = i;
                break;
            }
        }
        Consume(&found);
    });
    ASSERT_EQ(found, static_cast<std::size_t>(kRecords - 1));
    Report("search", search, bareSearch + barePaint);

    // Export: the grid's own writing of the Excel and the Word file, as the
    // export command does once the file dialog has given the name (the note
    // about the two rows past the sheet's end is refused, not waited for).
    // Bare: the same cells' texts (the rows the file gets and the column
    // titles) as tab-separated text, built in memory and written at once.
    // Every run starts with no file there.
    const std::string xls = TempFile("velarmon_bench.xls");
    const std::string rtf = TempFile("velarmon_bench.rtf");
    const std::string tsv = TempFile("velarmon_bench.txt");
    auto removeFiles = [&] {
        for (const std::string& path : {xls, rtf, tsv})
            DeleteFileA(path.c_str());
    };
    std::vector<std::string> titles;
    for (const ColumnSpec& column : book->Columns())
        titles.push_back(column.title);
    {
        DialogRefusal refusal;
        ASSERT_TRUE(refusal.IsActive());
        // The offset of the extension, as the file dialog reports it.
        auto extensionOf = [](const std::string& path) { return static_cast<unsigned>(path.size() - 3); };
        const auto [exportXls, bareXls] = ShortestInTurns(
            5, removeFiles, [&] { grid->ExportTo(xls.c_str(), extensionOf(xls)); },
            [&] { WriteTabSeparated(tsv, titles, book->Rows(), XlsMaxDataRows); });
        Report("export-xls", exportXls, bareXls);

        const auto [exportRtf, bareRtf] = ShortestInTurns(
            5, removeFiles, [&] { grid->ExportTo(rtf.c_str(), extensionOf(rtf)); },
            [&] { WriteTabSeparated(tsv, titles, book->Rows(), kRecords); });
        Report("export-rtf", exportRtf, bareRtf);

        // Once more, untimed, to see that the files were written.
        WriteTabSeparated(tsv, titles, book->Rows(), kRecords);
        grid->ExportTo(xls.c_str(), extensionOf(xls));
        grid->ExportTo(rtf.c_str(), extensionOf(rtf));
        EXPECT_EQ(DialogRefusal::refused, 6);
        EXPECT_GT(FileSize(xls), FileSize(tsv));
        EXPECT_GT(FileSize(rtf), FileSize(tsv));
    }
    removeFiles();
    Command(IDM_CLOSE_ACTIVE);
}
