#pragma once
// Owners of the Win32 handles the program creates. Each owner is the one
// place its handle is released: non-copyable, movable, released once when the
// owner goes or is reset.
#include <windows.h>

#include <utility>

// Owns one handle of the kind `Traits` describes: its type, the value that
// means "none" and the call that releases it.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    bool IsValid() const { return handle_ != Traits::Empty(); }
    explicit operator bool() const { return IsValid(); }
    // Releases the handle held, if any, and takes `handle`.
    void Reset(Handle handle = Traits::Empty())
    {
        if (IsValid())
            Traits::Release(handle_);
        handle_ = handle;
    }
    // Gives the handle up without releasing it.
    Handle Release() { return std::exchange(handle_, Traits::Empty()); }

private:
    Handle handle_ = Traits::Empty();
};

// Threads, events and processes: none is a null handle.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Release(Handle handle) { CloseHandle(handle); }
};

// Files and devices opened with CreateFile: none is INVALID_HANDLE_VALUE.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle handle) { CloseHandle(handle); }
};

// Fonts, pens, brushes and bitmaps the program created.
template <typename Object>
struct GdiObjectTraits {
    using Handle = Object;
    static Handle Empty() { return nullptr; }
    static void Release(Handle handle) { DeleteObject(handle); }
};

// Device contexts made with CreateCompatibleDC.
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static void Release(Handle handle) { DeleteDC(handle); }
};

// Menus loaded or created by the program and not attached to a window that
// destroys them itself.
struct MenuTraits {
    using Handle = HMENU;
    static Handle Empty() { return nullptr; }
    static void Release(Handle handle) { DestroyMenu(handle); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Release(Handle handle) { RegCloseKey(handle); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
template <typename Object>
using GdiObject = UniqueHandle<GdiObjectTraits<Object>>;
using FontHandle = GdiObject<HFONT>;
using PenHandle = GdiObject<HPEN>;
using BrushHandle = GdiObject<HBRUSH>;
using BitmapHandle = GdiObject<HBITMAP>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

// The device context of a window, from GetDC, given back with ReleaseDC.
// A null window gives an owner of no context.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(window ? GetDC(window) : nullptr) {}
    ~WindowDc() { Reset(); }
    WindowDc(WindowDc&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr))
    {
    }
    WindowDc& operator=(WindowDc&& other) noexcept
    {
        if (this != &other) {
            Reset();
            window_ = std::exchange(other.window_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }
    void Reset()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
        window_ = nullptr;
        dc_ = nullptr;
    }

private:
    HWND window_;
    HDC dc_;
};

// A window's painting: BeginPaint when made, EndPaint when it goes, on every
// way out. Dc() is null when BeginPaint gave no context; nothing is ended then.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope()
    {
        if (dc_)
            EndPaint(window_, &paint_);
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back
// when it goes, so that nothing still selected is ever deleted. A null
// object selects nothing.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() { Restore(); }
    SelectedObject(SelectedObject&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr))
    {
    }
    SelectedObject& operator=(SelectedObject&& other) noexcept
    {
        if (this != &other) {
            Restore();
            dc_ = std::exchange(other.dc_, nullptr);
            previous_ = std::exchange(other.previous_, nullptr);
        }
        return *this;
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    void Restore()
    {
        if (previous_)
            SelectObject(dc_, previous_);
        previous_ = nullptr;
    }

    HDC dc_;
    HGDIOBJ previous_;
};

// Shows a cursor for as long as it lives, then `restored`, or the cursor
// shown before when none is given.
class CursorScope {
public:
    explicit CursorScope(HCURSOR shown, HCURSOR restored = nullptr)
        : restored_(restored), previous_(SetCursor(shown))
    {
    }
    ~CursorScope()
    {
        if (active_)
            SetCursor(restored_ ? restored_ : previous_);
    }
    CursorScope(CursorScope&& other) noexcept
        : restored_(other.restored_), previous_(other.previous_), active_(std::exchange(other.active_, false))
    {
    }
    CursorScope& operator=(CursorScope&&) = delete;
    CursorScope(const CursorScope&) = delete;
    CursorScope& operator=(const CursorScope&) = delete;

private:
    HCURSOR restored_;
    HCURSOR previous_;
    bool active_ = true;
};

// The wait cursor during a slow command, then the arrow again.
class WaitCursor : public CursorScope {
public:
    WaitCursor() : CursorScope(LoadCursorA(nullptr, IDC_WAIT), LoadCursorA(nullptr, IDC_ARROW)) {}
};
