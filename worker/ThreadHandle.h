#pragma once
#include <windows.h>

// Owns one kernel handle and closes it; move-only.
class ThreadHandle {
public:
    ThreadHandle() = default;
    explicit ThreadHandle(HANDLE handle) : handle_(handle) {}
    ~ThreadHandle() { Reset(); }
    ThreadHandle(const ThreadHandle&) = delete;
    ThreadHandle& operator=(const ThreadHandle&) = delete;
    ThreadHandle(ThreadHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    ThreadHandle& operator=(ThreadHandle&& other) noexcept
    {
        if (this != &other) {
            Reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }

    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset()
    {
        if (handle_)
            CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};
