#include "grid/GridInput.h"

#include "grid/GridLayout.h"

namespace {
constexpr int kBackspace = 8;
constexpr int kTab = 9;
constexpr int kEnter = 13;
constexpr int kEscape = 27;

bool IsRow(const GridShape& shape, int row)
{
    return row >= 0 && row < shape.rowCount;
}

bool IsColumn(const GridShape& shape, int column)
{
    return column >= 0 && column < shape.ColumnCount();
}

void SelectCell(GridView& view)
{
    if (!view.readOnly)
        view.cellMode = true;
}

// An arrow key: one step, or at the table's edge back to row mode. An index
// left beyond the end by deleted rows comes back to the last one.
void Step(int& index, int delta, int count, bool& cellMode)
{
    const int target = index + delta;
    if (target >= 0 && target < count) {
        index = target;
        return;
    }
    cellMode = false;
    if (count > 0 && index > count - 1)
        index = count - 1;
}
}  // namespace

bool IsUndoKey(int key, bool ctrl)
{
    return ctrl && key == kKeyZ;
}

ModelRequest ApplyKey(GridView& view, const GridShape& shape, int key, bool ctrl, bool shift)
{
    if (IsUndoKey(key, ctrl))
        return ModelRequest::Undo;
    const int columns = shape.ColumnCount();
    switch (key) {
    case kKeyTab:
        if (shift && view.currentColumn > 0)
            --view.currentColumn;
        else if (!shift && view.currentColumn < columns - 1)
            ++view.currentColumn;
        break;
    case kKeyReturn: SelectCell(view); break;
    case kKeyLeft: Step(view.currentColumn, -1, columns, view.cellMode); break;
    case kKeyRight: Step(view.currentColumn, 1, columns, view.cellMode); break;
    case kKeyUp: Step(view.currentRow, -1, shape.rowCount, view.cellMode); break;
    case kKeyDown: Step(view.currentRow, 1, shape.rowCount, view.cellMode); break;
    case kKeyInsert: return ModelRequest::AddRow;
    // Without columns nothing is selected, so there is nothing to delete.
    case kKeyDelete: return shape.rowCount > 0 && columns > 0 ? ModelRequest::DeleteRow : ModelRequest::None;
    default: break;
    }
    return ModelRequest::None;
}

bool ApplyChar(GridView& view, int character, bool ctrl)
{
    if (ctrl || view.readOnly)
        return false;
    view.cellMode = true;
    return character != kBackspace && character != kTab && character != kEnter && character != kEscape;
}

void ApplyLeftClick(GridView& view, const GridShape& shape, int x, int y)
{
    view.cellMode = false;
    const int row = RowAt(view, shape, y);
    if (!IsRow(shape, row))
        return;
    if (x > 0 && x < view.rowHeadingWidth) {
        view.currentRow = row;
        return;
    }
    const int column = ColumnAt(view, shape, x);
    if (!IsColumn(shape, column))
        return;
    view.currentRow = row;
    view.currentColumn = column;
    SelectCell(view);
}

ContextMenuKind ApplyRightClick(GridView& view, const GridShape& shape, int x, int y, bool rowMenu)
{
    view.cellMode = false;
    if (y > 0 && y < view.headingHeight) {
        const int column = ColumnAt(view, shape, x);
        if (IsColumn(shape, column)) {
            view.currentColumn = column;
            SelectCell(view);
            return ContextMenuKind::Column;
        }
    }
    if (x > 0 && x < view.rowHeadingWidth) {
        const int row = RowAt(view, shape, y);
        if (IsRow(shape, row)) {
            view.currentRow = row;
            return rowMenu ? ContextMenuKind::Row : ContextMenuKind::None;
        }
    }
    return ContextMenuKind::Table;
}

bool ApplyDoubleClick(GridView& view, const GridShape& shape, int x, int y)
{
    const int row = RowAt(view, shape, y);
    const int column = ColumnAt(view, shape, x);
    if (!IsRow(shape, row) || !IsColumn(shape, column))
        return false;
    SelectCell(view);
    view.currentRow = row;
    view.currentColumn = column;
    return true;
}
