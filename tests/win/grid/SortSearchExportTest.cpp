#include <windows.h>
#include <dlgs.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "GridFixture.h"
#include "grid/XlsWriter.h"
#include "res/resource.h"

namespace {
std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

RowSet Names()
{
    return {{"Петров", "12"}, {"Иванов", "100"}, {"Сидоров", "2"}, {"Ивлев", "10"}, {"иван", "7"}};
}

std::string TempPath(const std::string& name)
{
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + name;
}

const char ExportDialogTitle[] = "Экспорт таблицы в MS Excel (*.xls) или MS Word (*.rtf):";
}  // namespace

TEST_F(GridTest, SortCommandOrdersTheCurrentColumnAndKeepsTheCurrentRowIndex)
{
    ASSERT_TRUE(Start());
    RecordingModel* model = Show(Names(), ColumnsOfDivisors({4, 4}));
    ASSERT_TRUE(model);
    grid->SetCurrentRow(2);
    grid->SetCurrentColumn(1);
    Send(WM_COMMAND, IDM_SORT);
    EXPECT_EQ(grid->CellText(0, 1), "2");
    EXPECT_EQ(grid->CellText(4, 1), "100");
    EXPECT_EQ(grid->CellText(0, 0), "Сидоров");
    EXPECT_EQ(grid->CurrentRow(), 2);

    grid->SetCurrentColumn(0);
    Send(WM_COMMAND, IDM_SORT);
    EXPECT_EQ(grid->CellText(0, 0), "Иванов");
    EXPECT_EQ(grid->CellText(4, 0), "иван");
    EXPECT_TRUE(model->requests.empty());  // the database is not asked
}

TEST_F(GridTest, SearchDialogFindsByPrefixAndContinues)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(Names(), ColumnsOfDivisors({4, 4})));
    std::vector<int> found;
    MessageBoxWatcher watcher;
    watcher.OnDialog([&](HWND dialog) {
        if (!GetDlgItem(dialog, IDC_SEARCH_TEXT))
            return false;
        SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, "Ив");
        found.push_back(grid->CurrentRow());
        for (int i = 0; i < 2; ++i) {
            // Sent, not posted: the row is read once the dialog has handled it.
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_NEXT, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_SEARCH_NEXT)));
            found.push_back(grid->CurrentRow());
        }
        SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, "");
        found.push_back(grid->CurrentRow());
        PressButton(dialog, IDOK);
        return true;
    });
    Send(WM_COMMAND, IDM_SEARCH);
    // The last "next" finds nothing more and leaves the selection.
    EXPECT_EQ(found, (std::vector<int>{1, 3, 3, 0}));
}

TEST_F(GridTest, FoundRowIsBroughtToTheMiddleOfALongTable)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(300, 2), ColumnsOfDivisors({4, 4})));
    grid->FindNext("r200c", false);
    EXPECT_EQ(grid->CurrentRow(), 200);
    const int shown = grid->View().lastRow - grid->View().firstRow;
    EXPECT_GT(grid->FirstVisibleRow(), 150);
    EXPECT_LE(grid->FirstVisibleRow(), 200 - shown / 2 + 1);
}

TEST_F(GridTest, ExportWritesExcelOrWordByTheExactExtension)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(Names(), ColumnsOfDivisors({4, 4})));
    grid->SetTitle("Телефонная книга");
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    const std::string base = std::string(dir) + "velarmon_export";

    grid->ExportTo((base + ".xls").c_str(), static_cast<unsigned>(base.size() + 1));
    const std::string xls = FileBytes(base + ".xls");
    ASSERT_GT(xls.size(), 378u);
    EXPECT_EQ(xls.substr(0, 4), std::string("\x09\x02\x06\x00", 4));
    EXPECT_EQ(xls.substr(xls.size() - 4), std::string("\x0A\x00\x00\x00", 4));
    EXPECT_NE(xls.find("Телефонная книга"), std::string::npos);

    grid->ExportTo((base + ".rtf").c_str(), static_cast<unsigned>(base.size() + 1));
    const std::string rtf = FileBytes(base + ".rtf");
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1251", 0), 0u);
    EXPECT_NE(rtf.find("\\cellx980\\cellx1960"), std::string::npos);

    // File names do not tell case apart, so the capitals get a name of their own.
    const std::string upper = base + "_upper.XLS";
    std::ofstream(upper) << "old contents";
    grid->ExportTo(upper.c_str(), static_cast<unsigned>(upper.size() - 3));
    EXPECT_EQ(FileBytes(upper), "");
    for (const std::string& path : {base + ".xls", base + ".rtf", upper})
        std::remove(path.c_str());
}

TEST_F(GridTest, ExportOfMoreRowsThanASheetHoldsWarnsHowManyWereLeftOut)
{
    ASSERT_TRUE(Start());
    // One row more than sheet rows 2 to 65,535 hold.
    ASSERT_TRUE(Show(RowSet(65535, TextRow{"7"}), ColumnsOfDivisors({4})));
    grid->SetTitle("Заметки");
    const std::string base = TempPath("velarmon_long_export");
    {
        MessageBoxWatcher watcher;
        grid->ExportTo((base + ".xls").c_str(), static_cast<unsigned>(base.size() + 1));
        const std::vector<SeenWindow> boxes = watcher.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, "Сообщение программы VelarMon:");
        EXPECT_EQ(boxes[0].text, "Не все строки поместились в файл Excel: пропущено строк: 1.");
        EXPECT_EQ(boxes[0].icon, "warning");
        // What fits is written, up to the end record.
        const std::string xls = FileBytes(base + ".xls");
        ASSERT_GT(xls.size(), XlsPrologueSize + 65534 * 19);
        EXPECT_EQ(xls.substr(xls.size() - 4), std::string("\x0A\x00\x00\x00", 4));
        std::remove((base + ".xls").c_str());
    }
    {
        // The same table in a Word file loses nothing and says nothing.
        MessageBoxWatcher watcher;
        grid->ExportTo((base + ".rtf").c_str(), static_cast<unsigned>(base.size() + 1));
        EXPECT_TRUE(watcher.Boxes().empty());
        std::remove((base + ".rtf").c_str());
    }
}

TEST_F(GridTest, ExportWritesNothingWhenTheTableClosedWhileTheDialogWasOpen)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(Names(), ColumnsOfDivisors({4, 4})));
    HWND table = grid->Handle();
    // A file that is there already: the export would empty and rewrite it.
    const std::string path = TempPath("velarmon_closed_export.xls");
    std::ofstream(path, std::ios::binary) << "old contents";

    bool closedMeanwhile = false;
    bool nameEntered = false;
    MessageBoxWatcher watcher;
    watcher.OnDialog([&](HWND dialog) {
        if (WindowText(dialog) != ExportDialogTitle)
            return false;
        // The dialog has no owner: the table window can still be closed.
        SendMessageA(table, WM_CLOSE, 0, 0);
        closedMeanwhile = !IsWindow(table);
        HWND name = GetDlgItem(dialog, edt1);
        if (!name)
            name = GetDlgItem(dialog, cmb13);
        nameEntered = name && SetWindowTextA(name, path.c_str());
        PressButton(dialog, nameEntered ? IDOK : IDCANCEL);
        return true;
    });
    SendMessageA(frame, WM_COMMAND, IDM_EXPORT, 0);
    PumpMessages();

    ASSERT_EQ(watcher.Seen().size(), 1u) << "the export dialog did not show";
    EXPECT_TRUE(closedMeanwhile);
    EXPECT_TRUE(nameEntered);
    EXPECT_TRUE(app->OpenTables.empty());
    EXPECT_EQ(FileBytes(path), "old contents");
    EXPECT_TRUE(watcher.Boxes().empty());
    std::remove(path.c_str());
}

TEST_F(GridTest, AnExportThatCannotBeWrittenSaysSoAndLeavesTheFileAsItWas)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(Names(), ColumnsOfDivisors({4, 4})));
    const std::string missing = TempPath("velarmon_no_such_folder\\book.xls");
    // Open in another program, without sharing.
    const std::string held = TempPath("velarmon_held_export.rtf");
    std::ofstream(held, std::ios::binary) << "old contents";
    HANDLE other = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);

    MessageBoxWatcher watcher;
    grid->ExportTo(missing.c_str(), static_cast<unsigned>(missing.size() - 3));
    grid->ExportTo(held.c_str(), static_cast<unsigned>(held.size() - 3));
    CloseHandle(other);
    const std::vector<SeenWindow> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Не удалось записать файл " + missing + ".");
    EXPECT_EQ(boxes[1].text, "Не удалось записать файл " + held + ".");
    for (const SeenWindow& box : boxes) {
        EXPECT_EQ(box.caption, "Сообщение программы VelarMon:");
        EXPECT_EQ(box.icon, "error");
        EXPECT_EQ(box.owner, frame);
    }
    EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(FileBytes(held), "old contents");
    std::remove(held.c_str());
}
