#include "phone/MediaFile.h"

#include <windows.h>

#include "common/Handles.h"
#include "phone/MediaFileData.h"

bool SaveMediaFile(const std::string& assembled, const TextRow& row, bool movies, std::string& path)
{
    const std::string name = MediaFileName(row, movies);
    const char* folderName = movies ? "Moves" : "Images";
    // The current directory, as long as the program's path buffers allow.
    char current[256];
    const DWORD length = GetCurrentDirectoryA(sizeof current, current);
    if (length == 0 || length >= sizeof current) {
        path = std::string(folderName) + "\\" + name;
        return false;
    }
    const std::string folder = std::string(current, length) + "\\" + folderName;
    path = folder + "\\" + name;
    // An existing folder is fine; any other failure shows when the file is made.
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string bytes = DecodeMediaData(assembled, assembled.size());
    bool written = false;
    {
        const FileHandle file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
        DWORD count = 0;
        written = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr) &&
                  count == bytes.size();
    }
    // A file cut short (a full disk) would pass for the photo.
    if (!written)
        DeleteFileA(path.c_str());
    return written;
}
