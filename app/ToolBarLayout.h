#pragma once
#include <array>

// The 30 entries of the frame's tool bar, in order. A separator has
// command 0 and image -1; the customise dialog offers exactly these.
struct ToolBarEntry {
    int command;
    int image;
};

constexpr int ToolBarEntryCount = 30;
constexpr int ToolBarImageCount = 20;
extern const std::array<ToolBarEntry, ToolBarEntryCount> ToolBarEntries;
