#include "pixels.h"

#include <cstdlib>
#include <cstring>

namespace vmdrive {

namespace {

constexpr int kMaxSide = 512;

// A memory device context with a top-down 32-bit DIB selected into it.
class DibCanvas {
public:
    DibCanvas(int width, int height) : width_(width), height_(height)
    {
        if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
            return;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (dc_ && bitmap_)
            old_ = SelectObject(dc_, bitmap_);
    }
    ~DibCanvas()
    {
        if (old_)
            SelectObject(dc_, old_);
        if (bitmap_)
            DeleteObject(bitmap_);
        if (dc_)
            DeleteDC(dc_);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    bool Ok() const { return old_ && bits_; }
    HDC Dc() const { return dc_; }
    void CopyTo(Pixels& out) const
    {
        GdiFlush();
        out.width = width_;
        out.height = height_;
        out.data.assign(static_cast<size_t>(width_) * height_, 0);
        std::memcpy(out.data.data(), bits_, out.data.size() * sizeof(DWORD));
        for (DWORD& pixel : out.data)
            pixel &= 0x00FFFFFF;
    }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

}  // namespace

COLORREF Pixels::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    DWORD pixel = data[static_cast<size_t>(y) * width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool CaptureScreen(HWND hwnd, const RECT& rect, Pixels& out)
{
    POINT origin{rect.left, rect.top};
    if (!ClientToScreen(hwnd, &origin))
        return false;
    DibCanvas canvas(rect.right - rect.left, rect.bottom - rect.top);
    if (!canvas.Ok())
        return false;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return false;
    BOOL copied =
        BitBlt(canvas.Dc(), 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    if (!copied)
        return false;
    canvas.CopyTo(out);
    return true;
}

bool DrawStandardIcon(HICON icon, int width, int height, COLORREF background, Pixels& out)
{
    DibCanvas canvas(width, height);
    if (!icon || !canvas.Ok())
        return false;
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, width, height};
    FillRect(canvas.Dc(), &all, brush);
    DeleteObject(brush);
    if (!DrawIconEx(canvas.Dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL))
        return false;
    canvas.CopyTo(out);
    return true;
}

unsigned long long Difference(const Pixels& a, const Pixels& b)
{
    if (a.width != b.width || a.height != b.height || a.data.size() != b.data.size())
        return ~0ull;
    unsigned long long sum = 0;
    for (size_t i = 0; i < a.data.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            sum += static_cast<unsigned long long>(std::abs(static_cast<int>((a.data[i] >> shift) & 0xFF) -
                                                            static_cast<int>((b.data[i] >> shift) & 0xFF)));
    return sum;
}

}  // namespace vmdrive
