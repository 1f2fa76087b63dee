#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/AppMessages.h"
#include "common/Handles.h"
#include "grid/CsvFile.h"
#include "grid/GridWindow.h"
#include "grid/ICalendarFile.h"
#include "grid/InterchangeFormats.h"
#include "grid/RtfWriter.h"
#include "grid/VCardFile.h"
#include "grid/XlsWriter.h"
#include "models/TableModel.h"

namespace {
// True when all `count` bytes went into the file.
bool WriteBytes(const FileHandle& file, const char* bytes, std::size_t count)
{
    while (count > 0) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(count, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes, piece, &written, nullptr) || written == 0)
            return false;
        bytes += written;
        count -= written;
    }
    return true;
}

const char ExportTitle[] = "Экспорт таблицы в MS Excel (*.xls) или MS Word (*.rtf):";
constexpr DWORD FileNameSize = 256;

// The time now in UTC, as the calendar's DTSTAMP wants it.
std::string NowUtc()
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    char text[32] = {};
    std::snprintf(text, sizeof text, "%04u%02u%02uT%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}

// An Excel sheet ends at row 65,535; the rows past it are not in the file.
void ReportRowsLeftOut(std::size_t count)
{
    const std::string text =
        "Не все строки поместились в файл Excel: пропущено строк: " + std::to_string(count) + ".";
    MessageBoxA(nullptr, text.c_str(), AppMessages[AppCaption], MB_ICONWARNING);
}

// An event needs its start: rows without a time stamp there stay out.
void ReportEventsLeftOut(std::size_t count)
{
    const std::string text = "Не все строки попали в файл iCalendar: пропущено строк без даты начала: " +
                             std::to_string(count) + ".";
    MessageBoxA(nullptr, text.c_str(), AppMessages[AppCaption], MB_ICONWARNING);
}

// The file could not be made or written whole (open in another program, a
// full disk, a folder gone); nothing of it is left.
void ReportNotWritten(const char* fileName, HWND owner)
{
    const std::string text = std::string("Не удалось записать файл ") + fileName + ".";
    MessageBoxA(owner, text.c_str(), AppMessages[AppCaption], MB_ICONERROR);
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
    const std::string filter = ExportFilterOf(model_.Kind());
    dialog.lpstrFilter = filter.c_str();
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
    HWND owner = Handle() ? GetAncestor(Handle(), GA_ROOT) : nullptr;
    std::size_t rowsLeftOut = 0;
    std::size_t eventsLeftOut = 0;
    bool whole = true;
    {
        FileHandle file(
            CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid()) {
            ReportNotWritten(fileName, owner);
            return;
        }
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
        switch (ExportFormatOf(extension, model_.Kind())) {
        case ExportFormat::Xls:
            rowsLeftOut = WriteXlsFile(table, [&file, &whole](const char* bytes, std::size_t count) {
                whole = whole && WriteBytes(file, bytes, count);
            });
            break;
        case ExportFormat::Rtf: {
            const std::string rtf = BuildRtf(table);
            whole = WriteBytes(file, rtf.data(), rtf.size());
            break;
        }
        case ExportFormat::VCard: {
            const std::string cards = BuildVCards(Rows());
            whole = WriteBytes(file, cards.data(), cards.size());
            break;
        }
        case ExportFormat::ICalendar: {
            const ICalendarText calendar = BuildICalendar(Rows(), NowUtc());
            eventsLeftOut = calendar.rowsLeftOut;
            whole = WriteBytes(file, calendar.text.data(), calendar.text.size());
            break;
        }
        case ExportFormat::Csv: {
            const std::string csv = BuildCsv(table);
            whole = WriteBytes(file, csv.data(), csv.size());
            break;
        }
        case ExportFormat::None: break;
        }
    }
    if (!whole) {
        DeleteFileA(fileName);
        ReportNotWritten(fileName, owner);
        return;
    }
    // Told once the file is complete and closed.
    if (rowsLeftOut > 0)
        ReportRowsLeftOut(rowsLeftOut);
    if (eventsLeftOut > 0)
        ReportEventsLeftOut(eventsLeftOut);
}
