#include "common/MemoryBitmap.h"

#include <utility>

bool MemoryBitmap::Adopt(HBITMAP bitmap, int width, int height, HDC reference)
{
    BitmapHandle owned(bitmap);
    if (!owned)
        return false;
    MemoryDc dc(CreateCompatibleDC(reference));
    if (!dc)
        return false;
    dc_ = std::move(dc);
    bitmap_ = std::move(owned);
    selection_.emplace(dc_.Get(), bitmap_.Get());
    width_ = width;
    height_ = height;
    return true;
}

bool MemoryBitmap::Create(HDC reference, int width, int height)
{
    Reset();
    if (width <= 0 || height <= 0)
        return false;
    return Adopt(CreateCompatibleBitmap(reference, width, height), width, height, reference);
}

bool MemoryBitmap::Load(HINSTANCE instance, int resourceId)
{
    Reset();
    HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(resourceId));
    if (!bitmap)
        return false;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return Adopt(bitmap, info.bmWidth, info.bmHeight, nullptr);
}

void MemoryBitmap::Reset()
{
    // The bitmap leaves the context before either is deleted.
    selection_.reset();
    dc_.Reset();
    bitmap_.Reset();
    width_ = height_ = 0;
}
