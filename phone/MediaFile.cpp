#include "phone/MediaFile.h"

#include <windows.h>

#include "common/Handles.h"
#include "phone/MediaFileData.h"

bool SaveMediaFile(const std::string& assembled, const TextRow& row, bool movies)
{
    // The current directory, as long as the program's path buffers allow.
    char current[256];
    const DWORD length = GetCurrentDirectoryA(sizeof current, current);
    if (length == 0 || length >= sizeof current)
        return false;
    const std::string folder = std::string(current, length) + "\\" + (movies ? "Moves" : "Images");
    // An existing folder is fine; any other failure shows when the file is made.
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + MediaFileName(row, movies);
    const FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    const std::string bytes = DecodeMediaData(assembled, assembled.size());
    DWORD written = 0;
    return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}
