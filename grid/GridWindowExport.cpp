#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/AppMessages.h"
#include "common/Handles.h"
#include "grid/GridWindow.h"
#include "grid/RtfWriter.h"
#include "grid/XlsWriter.h"

namespace {
void WriteBytes(const FileHandle& file, const std::string& bytes)
{
    DWORD written = 0;
    WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

const char ExportTitle[] = "Экспорт таблицы в MS Excel (*.xls) или MS Word (*.rtf):";
// Two filters, each a name and a pattern, ending in an empty pair.
const char ExportFilter[] = "Файлы Excel(*.xls)\0*.xls\0Файлы MS Word(*.rtf)\0*.rtf\0";
constexpr DWORD FileNameSize = 256;

// An Excel sheet ends at row 65,535; the rows past it are not in the file.
void ReportRowsLeftOut(std::size_t count)
{
    const std::string text =
        "Не все строки поместились в файл Excel: пропущено строк: " + std::to_string(count) + ".";
    MessageBoxA(nullptr, text.c_str(), AppMessages[0], MB_ICONWARNING);
}
}  // namespace

std::vector<std::string> GridWindow::ColumnTitles() const
{
    std::vector<std::string> titles;
    for (int k = 0; k < Shape().ColumnCount(); ++k)
        titles.push_back(ColumnTitle(k));
    return titles;
}

void GridWindow::Export()
{
    HWND window = Handle();
    char fileName[FileNameSize] = {};
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof directory, directory);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = ExportFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = FileNameSize;
    dialog.lpstrInitialDir = directory;
    dialog.lpstrTitle = ExportTitle;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    dialog.lpstrDefExt = "xls";
    if (!GetSaveFileNameA(&dialog) || fileName[0] == '\0')
        return;
    // The dialog has no owner, so the table stays usable while it is open:
    // the user may have closed this window (or had it reopened by receiving
    // the table again), and then there is nothing left to export.
    if (!StillShown(window))
        return;
    ExportTo(fileName, dialog.nFileExtension);
}

void GridWindow::ExportTo(const char* fileName, unsigned extensionOffset) const
{
    std::size_t rowsLeftOut = 0;
    {
        FileHandle file(
            CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid())
            return;
        // The kind comes from the three characters the dialog reports as the
        // extension, compared exactly: "XLS" leaves the file empty.
        const size_t length = std::strlen(fileName);
        const std::string extension =
            extensionOffset > 0 && extensionOffset < length ? std::string(fileName + extensionOffset, 0, 3) : "";
        WaitCursor wait;
        // The writers read the rows in place; nothing runs meanwhile that
        // could change them.
        const std::vector<std::string> titles = ColumnTitles();
        const TableContents table(Title(), Note(), titles, Rows());
        if (extension == "xls")
            rowsLeftOut = WriteXlsFile(table, [&file](const char* bytes, std::size_t count) {
                DWORD written = 0;
                WriteFile(file.Get(), bytes, static_cast<DWORD>(count), &written, nullptr);
            });
        else if (extension == "rtf")
            WriteBytes(file, BuildRtf(table));
    }
    // Told once the file is complete and closed.
    if (rowsLeftOut > 0)
        ReportRowsLeftOut(rowsLeftOut);
}
