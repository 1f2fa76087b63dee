#include <windows.h>

#include "common/Handles.h"
#include "common/ModuleInstance.h"
#include "grid/GridInput.h"
#include "grid/GridScroll.h"
#include "grid/GridWindow.h"
#include "grid/InterchangeFormats.h"
#include "models/TableCatalogue.h"
#include "models/TableModel.h"
#include "res/resource.h"

namespace {
bool KeyHeld(int key)
{
    return GetKeyState(key) < 0;
}

// The loop's TranslateMessage has queued the Enter key's WM_CHAR for the
// window before the key itself arrives here. The key opens the editor; that
// character, reaching the window next, would take the focus back from the
// editor and so store the cell at once.
void DropQueuedEnterCharacter(HWND window)
{
    MSG queued;
    if (window && PeekMessageA(&queued, window, WM_CHAR, WM_CHAR, PM_NOREMOVE) && queued.wParam == VK_RETURN)
        PeekMessageA(&queued, window, WM_CHAR, WM_CHAR, PM_REMOVE);
}

ScrollStep StepOf(WPARAM request)
{
    switch (LOWORD(request)) {
    case SB_LINEUP: return ScrollStep::LineBack;
    case SB_LINEDOWN: return ScrollStep::LineForward;
    case SB_PAGEUP: return ScrollStep::PageBack;
    case SB_PAGEDOWN: return ScrollStep::PageForward;
    case SB_THUMBTRACK: return ScrollStep::Thumb;
    default: return ScrollStep::None;
    }
}

// The thumb position of a drag. The message carries 16 bits of it, enough
// for 65,536 rows; a longer table takes the full position from the scroll bar.
int ThumbPosition(HWND window, int bar, WPARAM request, int count)
{
    if (count - 1 > 0xFFFF) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(window, bar, &info))
            return info.nTrackPos;
    }
    return HIWORD(request);
}
}  // namespace

void GridWindow::OnKeyDown(WPARAM key, LPARAM)
{
    HWND window = Handle();
    // Enter on a selected cell opens its editor, as a double click does.
    if (key == VK_RETURN && view_.cellMode && !KeyHeld(VK_CONTROL)) {
        DropQueuedEnterCharacter(window);
        KeepCurrentInView();
        BeginEdit(0, 0);
        return;
    }
    const ModelRequest request =
        ApplyKey(view_, Shape(), static_cast<int>(key), KeyHeld(VK_CONTROL), KeyHeld(VK_SHIFT));
    TableModel* model = Model();
    switch (request) {
    case ModelRequest::Undo:
        if (model)
            model->UndoLastChange();
        return;
    case ModelRequest::AddRow:
        if (model)
            model->AddRow();
        break;
    case ModelRequest::DeleteRow:
        if (model)
            model->DeleteRow(view_.currentColumn, view_.currentRow, view_.cellMode);
        break;
    case ModelRequest::None: break;
    }
    if (StillShown(window))
        KeepCurrentInView();
}

void GridWindow::OnChar(WPARAM character, LPARAM keyData)
{
    if (KeyHeld(VK_CONTROL) || view_.readOnly)
        return;
    const bool edit = ApplyChar(view_, static_cast<int>(character), false);
    KeepCurrentInView();
    // The editor is laid over the cell once it is in view.
    if (edit)
        BeginEdit(static_cast<int>(character), keyData);
}

void GridWindow::KeepCurrentInView()
{
    HWND window = Handle();
    if (!window)
        return;
    const ViewCorrection correction = CorrectionToShowCurrent(view_, Shape());
    if (correction.columnStep != 0)
        SendMessageA(window, WM_HSCROLL, correction.columnStep < 0 ? SB_LINELEFT : SB_LINERIGHT, 0);
    if (correction.rowStep != 0)
        SendMessageA(window, WM_VSCROLL, correction.rowStep < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    if (correction.columnStep == 0 && correction.rowStep == 0)
        Paint();
}

void GridWindow::OnVScroll(WPARAM request, LPARAM)
{
    Scroll(SB_VERT, request);
}

void GridWindow::OnHScroll(WPARAM request, LPARAM)
{
    Scroll(SB_HORZ, request);
}

void GridWindow::Scroll(int bar, WPARAM request)
{
    HWND window = Handle();
    if (!window)
        return;
    // Taking the focus ends an open edit, whose refused value's box may let
    // the window be closed.
    SetFocus(window);
    if (!StillShown(window))
        return;
    RECT client{};
    GetClientRect(window, &client);
    const GridShape shape = Shape();
    const ScrollStep step = StepOf(request);
    if (bar == SB_VERT) {
        const int thumb = step == ScrollStep::Thumb ? ThumbPosition(window, bar, request, shape.rowCount) : 0;
        view_.firstRow = ScrolledFirstRow(view_, shape, client.bottom, step, thumb);
        SetScrollPos(window, SB_VERT, view_.firstRow, TRUE);
    } else {
        const int thumb = step == ScrollStep::Thumb ? ThumbPosition(window, bar, request, shape.ColumnCount()) : 0;
        view_.firstColumn = ScrolledFirstColumn(view_, shape, client.right, step, thumb);
        SetScrollPos(window, SB_HORZ, view_.firstColumn, TRUE);
    }
    Paint();
}

void GridWindow::OnLButtonDown(int x, int y)
{
    ApplyLeftClick(view_, Shape(), x, y);
    KeepCurrentInView();
}

void GridWindow::OnLButtonDblClk(int x, int y)
{
    if (!ApplyDoubleClick(view_, Shape(), x, y))
        return;
    KeepCurrentInView();
    BeginEdit(0, 0);
}

void GridWindow::OnRButtonDown(int x, int y)
{
    const TableModel* model = Model();
    const bool rowMenu = model && IsStoredTable(model->Kind());
    const ContextMenuKind menu = ApplyRightClick(view_, Shape(), x, y, rowMenu);
    KeepCurrentInView();
    switch (menu) {
    case ContextMenuKind::Column: ShowContextMenu(IDR_COLUMN_MENU, x, y); break;
    case ContextMenuKind::Row: ShowContextMenu(IDR_ROW_MENU, x, y); break;
    case ContextMenuKind::Table: ShowContextMenu(IDR_GRID_MENU, x, y); break;
    case ContextMenuKind::None: break;
    }
}

void GridWindow::ShowContextMenu(int resourceId, int x, int y)
{
    HWND window = Handle();
    if (!window)
        return;
    const MenuHandle menu(LoadMenuA(ModuleInstance(), MAKEINTRESOURCEA(resourceId)));
    if (!menu)
        return;
    // A table that takes no rows from files offers no import.
    if (ImportFilterOf(model_.Kind()).empty())
        EnableMenuItem(menu.Get(), IDM_IMPORT, MF_BYCOMMAND | MF_GRAYED);
    POINT at{x, y};
    ClientToScreen(window, &at);
    // The chosen command comes back to this window as WM_COMMAND.
    TrackPopupMenu(GetSubMenu(menu.Get(), 0), TPM_LEFTBUTTON, at.x, at.y, 0, window, nullptr);
}
