#pragma once
#include <windows.h>

#include <utility>

// Sole owner of a font, pen or brush the program created: deleted when the
// owner goes. Move-only.
template <typename Handle>
class GdiHandle {
public:
    GdiHandle() = default;
    explicit GdiHandle(Handle handle) : handle_(handle) {}
    ~GdiHandle() { Reset(); }
    GdiHandle(GdiHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiHandle& operator=(GdiHandle&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    GdiHandle(const GdiHandle&) = delete;
    GdiHandle& operator=(const GdiHandle&) = delete;

    Handle Get() const { return handle_; }
    void Reset(Handle handle = nullptr)
    {
        if (handle_)
            DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using FontHandle = GdiHandle<HFONT>;
using PenHandle = GdiHandle<HPEN>;

// Selects an object into a device context and puts the previous one back
// when it goes, so that nothing still selected is ever deleted.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
