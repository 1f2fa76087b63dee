#pragma once
#include <string_view>
#include <vector>

// What the frame's menu and tool bar show for a given active table, as a plain
// description; the frame applies it to the real menu and tool bar.
enum class FrameMenu { NoTable, Table };

struct CommandState {
    FrameMenu menu = FrameMenu::NoTable;
    std::vector<int> uncheckedButtons;
    std::vector<int> checkedButtons;
    // Menu items grayed by command, searched through the whole menu bar: the
    // popups move along by one when a maximised table window puts its system
    // menu in front of them, the command numbers do not.
    std::vector<int> grayedCommands;
    std::vector<int> shownButtons;
    std::vector<int> hiddenButtons;              // applied after shownButtons
};

// activeKind is the TableKind of the active table window, or -1 for none.
CommandState ComputeCommandState(int activeKind, bool smsPanelOpen, std::string_view modelName);

// The SCH-E120 has no camera and takes no pictures: only that exact name counts.
bool IsModelWithoutMedia(std::string_view modelName);
