// Small 32-bit pixel blocks: read from the screen or drawn here, and compared.
#pragma once

#include <windows.h>

#include <vector>

namespace vmdrive {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> data;  // 0x00RRGGBB, rows from the top

    COLORREF At(int x, int y) const;
};

// The client area `rect` of `hwnd` as it is on the screen now.
bool CaptureScreen(HWND hwnd, const RECT& rect, Pixels& out);
// `icon` stretched to width x height over a filled background, as a static control paints it.
bool DrawStandardIcon(HICON icon, int width, int height, COLORREF background, Pixels& out);
// Sum of the absolute channel differences; maximal when the sizes differ.
unsigned long long Difference(const Pixels& a, const Pixels& b);

}  // namespace vmdrive
