#include "remote.h"

namespace vmdrive {

RemoteBuffer::RemoteBuffer(HWND owner, size_t size)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    if (!pid || size == 0)
        return;
    process_ =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process_)
        return;
    address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (address_)
        size_ = size;
}

RemoteBuffer::~RemoteBuffer()
{
    if (address_)
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_)
        CloseHandle(process_);
}

bool RemoteBuffer::Read(void* destination, size_t n) const
{
    SIZE_T done = 0;
    return address_ && n <= size_ && ReadProcessMemory(process_, address_, destination, n, &done) && done == n;
}

bool RemoteBuffer::Write(const void* source, size_t n)
{
    SIZE_T done = 0;
    return address_ && n <= size_ && WriteProcessMemory(process_, address_, source, n, &done) && done == n;
}

}  // namespace vmdrive
