#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/AppMessages.h"
#include "common/Handles.h"
#include "grid/GridWindow.h"
#include "grid/ImportSummary.h"
#include "grid/InterchangeFormats.h"
#include "models/TableModel.h"

namespace {
const char ImportTitle[] = "Импорт из файла vCard (*.vcf), iCalendar (*.ics) или CSV (*.csv):";
// Larger files are not address books or diaries; reading one whole would
// only hold the program up.
constexpr LONGLONG LargestImport = 64LL << 20;

bool ReadWholeFile(const char* fileName, std::string& bytes, bool& tooLarge)
{
    tooLarge = false;
    FileHandle file(CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.IsValid() || !GetFileSizeEx(file.Get(), &size))
        return false;
    if (size.QuadPart > LargestImport) {
        tooLarge = true;
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), &bytes[done], static_cast<DWORD>(bytes.size() - done), &read, nullptr) ||
            read == 0)
            return false;
        done += read;
    }
    return true;
}

// A UTC time stamp (YYYYMMDDTHHMMSS) as the same moment on this machine's
// clock, by the machine's time zone rules for that date.
bool UtcToLocalTime(const std::string& utc, std::string& local)
{
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char separator = 0;
    if (utc.size() != 15 ||
        std::sscanf(utc.c_str(), "%4u%2u%2u%c%2u%2u%2u", &year, &month, &day, &separator, &hour, &minute,
                    &second) != 7 ||
        separator != 'T')
        return false;
    SYSTEMTIME universal{};
    universal.wYear = static_cast<WORD>(year);
    universal.wMonth = static_cast<WORD>(month);
    universal.wDay = static_cast<WORD>(day);
    universal.wHour = static_cast<WORD>(hour);
    universal.wMinute = static_cast<WORD>(minute);
    universal.wSecond = static_cast<WORD>(second);
    SYSTEMTIME clock{};
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &universal, &clock))
        return false;
    char text[32] = {};
    std::snprintf(text, sizeof text, "%04u%02u%02uT%02u%02u%02u", clock.wYear, clock.wMonth, clock.wDay,
                  clock.wHour, clock.wMinute, clock.wSecond);
    local = text;
    return true;
}

void ShowImportError(const std::string& text, HWND owner)
{
    MessageBoxA(owner, text.c_str(), AppMessages[AppCaption], MB_ICONERROR);
}
}  // namespace

void GridWindow::Import()
{
    HWND window = Handle();
    const std::string filter = ImportFilterOf(model_.Kind());
    if (!window || filter.empty())
        return;
    char fileName[MAX_PATH] = {};
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof directory, directory);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetAncestor(window, GA_ROOT);
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = sizeof fileName;
    dialog.lpstrInitialDir = directory;
    dialog.lpstrTitle = ImportTitle;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&dialog) || fileName[0] == '\0')
        return;
    // The dialog's own loop ran: the window may have gone meanwhile.
    if (!StillShown(window))
        return;
    ImportFrom(fileName);
}

void GridWindow::ImportFrom(const char* fileName)
{
    HWND owner = Handle() ? GetAncestor(Handle(), GA_ROOT) : nullptr;
    std::string bytes;
    bool tooLarge = false;
    if (!ReadWholeFile(fileName, bytes, tooLarge)) {
        ShowImportError(std::string(tooLarge ? "Файл слишком велик для импорта: " : "Не удалось прочитать файл ") +
                            fileName + ".",
                        owner);
        return;
    }
    ImportedRows read;
    std::vector<ImportResult> results;
    std::string failure;
    {
        WaitCursor wait;
        read = ReadInterchangeFile(bytes, model_.Kind(), ColumnTitles(), UtcToLocalTime);
        if (read.error.empty()) {
            RowSet offered;
            for (ImportedRow& row : read.rows) {
                if (row.refusal.empty())
                    offered.push_back(row.cells);
            }
            if (!model_.ImportRows(std::move(offered), results, failure) && failure.empty())
                failure = "Строки не добавлены.";
        }
    }
    if (!read.error.empty()) {
        ShowImportError(read.error, owner);
        return;
    }
    if (!failure.empty()) {
        ShowImportError(failure, owner);
        return;
    }
    const ImportSummary summary = SummariseImport(read, results);
    MessageBoxA(owner, summary.text.c_str(), AppMessages[AppCaption],
                summary.anyRefused ? MB_ICONWARNING : MB_ICONINFORMATION);
}
