#include "app/FrameRect.h"

namespace {
bool Inside(int32_t value, int limit)
{
    const auto v = static_cast<uint32_t>(value);
    return v > 0 && v < static_cast<uint32_t>(limit);
}
}  // namespace

bool IsSavedRectUsable(const SavedRect& rect, int screenWidth, int screenHeight)
{
    return Inside(rect.left, screenWidth) && Inside(rect.top, screenHeight) && Inside(rect.width, screenWidth) &&
           Inside(rect.height, screenHeight);
}
