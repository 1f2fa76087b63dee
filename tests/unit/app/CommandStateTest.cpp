#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/CommandState.h"
#include "app/ToolBarLayout.h"
#include "models/TableCatalogue.h"
#include "res/resource.h"

namespace {
bool Has(const std::vector<int>& v, int command)
{
    return std::find(v.begin(), v.end(), command) != v.end();
}

// Hidden buttons are applied after shown ones, so "hidden" wins.
bool Hidden(const CommandState& s, int command)
{
    return Has(s.hiddenButtons, command);
}
bool Shown(const CommandState& s, int command)
{
    return Has(s.shownButtons, command) && !Hidden(s, command);
}
bool Grayed(const CommandState& s, int command)
{
    return Has(s.grayedCommands, command);
}
}  // namespace

TEST(CommandState, NoTableShowsTheNoTableMenuAndHidesEveryTableButton)
{
    const CommandState s = ComputeCommandState(-1, false, "SCH-E250");
    EXPECT_EQ(s.menu, FrameMenu::NoTable);
    for (int c : {IDM_INSERT, IDM_EDIT, IDM_DELETE, IDM_FONT, IDM_EXPORT, IDM_IMPORT, IDM_WRITE_PHONE,
                  IDM_GET_SELECTED, IDM_GET_ALL, IDM_RECEIVE_PHONE})
        EXPECT_TRUE(Hidden(s, c)) << c;
    EXPECT_TRUE(s.checkedButtons.empty());
}

TEST(CommandState, TextTableEnablesEditingAndTransfersButNotMediaDownloads)
{
    const CommandState s = ComputeCommandState(kSchedulerKind, true, "SCH-E250");
    EXPECT_EQ(s.menu, FrameMenu::Table);
    EXPECT_EQ(s.checkedButtons, (std::vector<int>{IDM_SMS, IDM_SCHEDULER}));
    for (int c : {IDM_INSERT, IDM_EDIT, IDM_DELETE, IDM_IMPORT, IDM_WRITE_PHONE, IDM_RECEIVE_PHONE})
        EXPECT_TRUE(Shown(s, c)) << c;
    EXPECT_TRUE(Hidden(s, IDM_GET_ALL));
    EXPECT_TRUE(Grayed(s, IDM_GET_SELECTED));
    EXPECT_FALSE(Grayed(s, IDM_WRITE_PHONE));
}

TEST(CommandState, MediaTableOffersDownloadsOnly)
{
    const CommandState s = ComputeCommandState(kPhotoKind, false, "SCH-E250");
    EXPECT_EQ(s.checkedButtons, (std::vector<int>{IDM_PHOTOS}));
    for (int c : {IDM_INSERT, IDM_EDIT, IDM_DELETE, IDM_IMPORT, IDM_WRITE_PHONE, IDM_RECEIVE_PHONE}) {
        EXPECT_TRUE(Hidden(s, c)) << c;
        EXPECT_TRUE(Grayed(s, c)) << c;
    }
    EXPECT_TRUE(Shown(s, IDM_GET_SELECTED));
    EXPECT_TRUE(Shown(s, IDM_GET_ALL));
    EXPECT_FALSE(Grayed(s, IDM_GET_ALL));
}

TEST(CommandState, OnlyTheExactModelE120LosesPictureAndMediaCommands)
{
    const CommandState s = ComputeCommandState(kMovieKind, false, "SCH-E120");
    for (int c : {IDM_GET_SELECTED, IDM_GET_ALL, IDM_PHOTOS, IDM_MOVIES, IDM_PICTURE})
        EXPECT_TRUE(Hidden(s, c)) << c;
    for (int c : {IDM_PICTURE, IDM_PHOTOS, IDM_MOVIES})
        EXPECT_TRUE(Grayed(s, c)) << c;
    EXPECT_FALSE(Grayed(s, IDM_MELODY));

    for (const char* other : {"SCH-E120 ", "SCH-E12", "sch-e120", ""})
        EXPECT_FALSE(Grayed(ComputeCommandState(-1, false, other), IDM_PHOTOS)) << other;
}

TEST(ToolBarLayout, ThirtyEntriesUseEachOfTheTwentyImagesOnce)
{
    std::set<int> images, commands;
    int separators = 0;
    for (const ToolBarEntry& e : ToolBarEntries) {
        if (e.command == 0) {
            ++separators;
            continue;
        }
        images.insert(e.image);
        commands.insert(e.command);
    }
    EXPECT_EQ(separators, ToolBarEntryCount - ToolBarImageCount);
    EXPECT_EQ(images.size(), static_cast<size_t>(ToolBarImageCount));
    EXPECT_EQ(*images.rbegin(), ToolBarImageCount - 1);
    EXPECT_EQ(commands.size(), static_cast<size_t>(ToolBarImageCount));
    EXPECT_EQ(ToolBarEntries.front().command, 0);  // position 0 is the fixed separator
}
