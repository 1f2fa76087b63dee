#pragma once
#include <string_view>
#include <vector>

// What the frame's menu and tool bar show for a given active table, as a plain
// description; the frame applies it to the real menu and tool bar.
struct MenuItemRef {
    int popup;  // index of the popup in the menu bar
    int command;
};

enum class FrameMenu { NoTable, Table };

struct CommandState {
    FrameMenu menu = FrameMenu::NoTable;
    std::vector<int> uncheckedButtons;
    std::vector<int> checkedButtons;
    std::vector<MenuItemRef> grayedItems;       // in the table menu, by popup
    std::vector<int> grayedAnywhere;             // by command, anywhere in the frame menu
    std::vector<int> shownButtons;
    std::vector<int> hiddenButtons;              // applied after shownButtons
};

// activeKind is the TableKind of the active table window, or -1 for none.
CommandState ComputeCommandState(int activeKind, bool smsPanelOpen, std::string_view modelName);

// The SCH-E120 has no camera and takes no pictures: only that exact name counts.
bool IsModelWithoutMedia(std::string_view modelName);
