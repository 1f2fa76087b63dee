#pragma once
#include "grid/GridView.h"

// What keys, characters and clicks do to the grid's current cell and
// selection mode. The window then passes on the request for the model,
// brings the current cell into view and repaints.

// The virtual-key codes the grid handles.
enum GridKey : int {
    kKeyTab = 0x09,
    kKeyReturn = 0x0D,
    kKeyLeft = 0x25,
    kKeyUp = 0x26,
    kKeyRight = 0x27,
    kKeyDown = 0x28,
    kKeyInsert = 0x2D,
    kKeyDelete = 0x2E,
    kKeyZ = 'Z',
};

enum class ModelRequest { None, Undo, AddRow, DeleteRow };

// A key pressed in the grid. Enter only selects the current cell: it never
// stores anything.
ModelRequest ApplyKey(GridView& view, const GridShape& shape, int key, bool ctrl, bool shift);
// Ctrl+Z asks for undo and nothing else: no scrolling, no repaint.
bool IsUndoKey(int key, bool ctrl);

// A typed character; true when it starts in-place editing.
bool ApplyChar(GridView& view, int character, bool ctrl);

void ApplyLeftClick(GridView& view, const GridShape& shape, int x, int y);

enum class ContextMenuKind { None, Column, Row, Table };
// A right click; `rowMenu` tells whether the table offers the row menu.
ContextMenuKind ApplyRightClick(GridView& view, const GridShape& shape, int x, int y, bool rowMenu);

// A double click; true when it landed on a cell, which then is current and
// is to be edited.
bool ApplyDoubleClick(GridView& view, const GridShape& shape, int x, int y);
