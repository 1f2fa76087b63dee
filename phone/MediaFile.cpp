#include "phone/MediaFile.h"

#include <windows.h>

#include <cstdio>
#include <memory>

#include "phone/MediaFileData.h"

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
}  // namespace

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
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    const std::string bytes = DecodeMediaData(assembled, assembled.size());
    return std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}
