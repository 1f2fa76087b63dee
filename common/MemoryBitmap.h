#pragma once
#include <windows.h>

#include <optional>

#include "common/Handles.h"

// A bitmap selected into its own memory device context: the tile and logo
// pictures of the frame background and the back buffers of windows. One owner
// releases both (bitmap deselected first, then both deleted).
class MemoryBitmap {
public:
    MemoryBitmap() = default;
    ~MemoryBitmap() { Reset(); }
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;

    // A blank bitmap compatible with `reference`, of the given size.
    bool Create(HDC reference, int width, int height);
    // A bitmap resource of the module.
    bool Load(HINSTANCE instance, int resourceId);
    void Reset();

    bool IsValid() const { return dc_.IsValid(); }
    HDC Dc() const { return dc_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    bool Adopt(HBITMAP bitmap, int width, int height, HDC reference);

    MemoryDc dc_;
    BitmapHandle bitmap_;
    std::optional<SelectedObject> selection_;
    int width_ = 0;
    int height_ = 0;
};
