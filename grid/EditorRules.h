#pragma once
#include <cstddef>
#include <string>

// What the grid's in-place editors do, apart from the windows themselves:
// which control a column gets, how a check box reads and writes its cell,
// and which keys an editor hands on to the grid.

// The editor kinds a column description names.
enum class EditorKind : int {
    Text = 0,
    Check = 1,
    ThreeState = 2,
    DropDown = 3,
    None = 4,
    Date = 5,
};

// True for the kinds that lay a control over the cell (not 4, nor any
// value outside the list).
bool OpensEditor(int kind);

// The check state a cell text stands for: 0 unchecked (empty, "0", "Нет",
// "НЕТ", "нет"), 1 checked ("1", "Да", "ДА", "да"), 2 indeterminate (any
// other text).
int CheckStateOfText(const std::string& text);
// The text stored for a check state: "Нет", "Да" or "Пр".
const char* TextOfCheckState(int state);

// True when a key pressed in an editor of `kind` ends the edit and goes on
// to the grid (Ctrl+Enter for every kind; plain Enter is handled apart).
bool ForwardsKey(int kind, int key, bool ctrl);

// The editors read at most this many characters.
inline constexpr int kEditorTextLimit = 254;
// The characters the text field takes for a column whose database column
// holds `columnSize` (0: unknown): that size, never more than the editors
// read.
int TextEditorLimit(std::size_t columnSize);

// The virtual-key codes the editors look at.
enum EditorKey : int {
    kEditorTab = 0x09,
    kEditorReturn = 0x0D,
    kEditorEscape = 0x1B,
    kEditorLeft = 0x25,
    kEditorUp = 0x26,
    kEditorRight = 0x27,
    kEditorDown = 0x28,
};
