#pragma once
#include <array>

// The 29 entries of the frame's tool bar, in order. A separator has
// command 0 and image -1; the customise dialog offers exactly these.
struct ToolBarEntry {
    int command;
    int image;
};

constexpr int ToolBarEntryCount = 29;
constexpr int ToolBarImageCount = 19;
extern const std::array<ToolBarEntry, ToolBarEntryCount> ToolBarEntries;
