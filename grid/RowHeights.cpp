#include "grid/RowHeights.h"

int RowHeights::Height(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= heights_.size())
        return kDefaultHeight;
    return heights_[row];
}

void RowHeights::SetFirst(int count, int height)
{
    heights_.assign(count > 0 ? count : 0, height);
}

int RowHeights::ForFont(int fontHeight)
{
    const long long size = fontHeight < 0 ? -static_cast<long long>(fontHeight) : fontHeight;
    const long long height = size * 3 / 2;
    if (height < 1)
        return 1;
    return height > kTallest ? kTallest : static_cast<int>(height);
}
