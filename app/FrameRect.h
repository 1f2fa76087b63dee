#pragma once
#include <cstdint>

// A frame rectangle saved at the last exit. It is reused only when every
// value, read as unsigned, lies strictly inside the screen; anything else
// (a minimised frame at -32000, a screen that got smaller, zeros) lets the
// system place the frame.
struct SavedRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

bool IsSavedRectUsable(const SavedRect& rect, int screenWidth, int screenHeight);
