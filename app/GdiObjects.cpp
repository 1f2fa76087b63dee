#include "app/GdiObjects.h"

bool MemoryBitmap::Adopt(HBITMAP bitmap, int width, int height, HDC reference)
{
    if (!bitmap)
        return false;
    HDC dc = CreateCompatibleDC(reference);
    if (!dc) {
        DeleteObject(bitmap);
        return false;
    }
    dc_ = dc;
    bitmap_ = bitmap;
    previous_ = SelectObject(dc_, bitmap_);
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
    if (dc_) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    if (bitmap_)
        DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    width_ = height_ = 0;
}
