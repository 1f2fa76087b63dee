#pragma once
#include <vector>

// Heights of the grid's rows in pixels, row i using entry i. Rows never
// given a height are kDefaultHeight high; the entries grow with the rows
// that are sized, so any number of rows can be held.
class RowHeights {
public:
    static constexpr int kDefaultHeight = 16;
    // No font makes a row taller than this.
    static constexpr int kTallest = 10000;

    // Row height for a font of `fontHeight` (logical units, either sign): one
    // and a half times the character height, at least one pixel.
    static int ForFont(int fontHeight);

    int Height(int row) const;
    // Rows 0 to count - 1 become `height` high; rows after them keep or
    // return to the default.
    void SetFirst(int count, int height);

private:
    std::vector<int> heights_;
};
