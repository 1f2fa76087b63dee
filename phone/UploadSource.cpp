#include "phone/UploadSource.h"

#include <windows.h>

bool UploadSource::Open(const std::string& path)
{
    file_ = FileHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_)
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_.Get(), &size) || size.QuadPart < 0)
        return false;
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    return true;
}

bool UploadSource::Read(std::size_t count, std::string& bytes)
{
    bytes.resize(count);
    return count == 0 || Read(count, &bytes[0]);
}

bool UploadSource::Read(std::size_t count, char* buffer)
{
    std::size_t done = 0;
    while (done < count) {
        DWORD got = 0;
        if (!ReadFile(file_.Get(), buffer + done, static_cast<DWORD>(count - done), &got, nullptr) || got == 0)
            return false;
        done += got;
    }
    return true;
}
