// A block of memory inside the process that owns a window, for control
// messages whose pointers no platform marshals between processes.
#pragma once

#include <windows.h>

#include <cstddef>

namespace vmdrive {

class RemoteBuffer {
public:
    RemoteBuffer(HWND owner, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Ok() const { return address_ != nullptr; }
    LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
    size_t Size() const { return size_; }
    // Copies up to Size() bytes; false when the copy fails or n is too large.
    bool Read(void* destination, size_t n) const;
    bool Write(const void* source, size_t n);

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    size_t size_ = 0;
};

}  // namespace vmdrive
