#include "grid/GridWindow.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "common/Decimal.h"
#include "common/ModuleInstance.h"
#include "calendar/DateTimeDialog.h"
#include "grid/EditorRules.h"
#include "grid/TableWindowHost.h"
#include "models/ColumnSpec.h"
#include "models/TableModel.h"
#include "phone/PhoneStamp.h"
#include "res/resource.h"

// The in-place editors: a control laid over the current cell, filled from the
// cell when it gets the focus, and storing its value through the model's
// CellEdited when it loses it. Each kind of control runs a replacement window
// procedure that hands everything it does not handle to the control's own.
namespace {
// The drop-down list is made this many cells high so that its list has room.
constexpr int DropDownRows = 6;

// The control's own procedure, one slot per replacement procedure.
WNDPROC textPrevious = nullptr;
WNDPROC checkPrevious = nullptr;
WNDPROC listPrevious = nullptr;
WNDPROC datePrevious = nullptr;
// The one open editor, if any.
HWND openEditor = nullptr;

// The grid window object behind the control's parent; none once the table
// window has gone (a control can outlive it for a moment).
GridWindow* GridOf(HWND control)
{
    HWND parent = GetParent(control);
    return GridWindow::FromHandle(parent);
}

// Stores the editor's value as it loses the focus and asks for its close.
// False when the control is gone: a box about a refused value runs a
// message loop, in which the user may close the table window.
bool Commit(HWND control, const std::string& text)
{
    if (GridWindow* grid = GridOf(control))
        grid->CommitEdit(text);
    if (!IsWindow(control))
        return false;
    PostMessageA(control, WM_CLOSE, 0, 0);
    return true;
}

std::string ControlText(HWND control)
{
    char text[kEditorTextLimit + 1] = {};
    GetWindowTextA(control, text, sizeof text);
    return text;
}

// The keys an editor hands on to the grid, and plain Enter, which ends the
// edit and then goes to the control itself. True when the key was dealt with.
bool HandleKey(HWND control, EditorKind kind, WNDPROC previous, WPARAM key, LPARAM keyData, LRESULT& result)
{
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    HWND grid = GetParent(control);
    if (ForwardsKey(static_cast<int>(kind), static_cast<int>(key), ctrl)) {
        // The grid takes the focus for the key, which ends the edit.
        SendMessageA(grid, WM_KEYDOWN, key, keyData);
        if (IsWindow(control))
            DefWindowProcA(control, WM_KEYDOWN, key, keyData);
        result = 0;
        return true;
    }
    if (key == VK_RETURN) {
        SetFocus(grid);
        result = IsWindow(control) ? CallWindowProcA(previous, control, WM_KEYDOWN, key, keyData) : 0;
        return true;
    }
    return false;
}

void ForgetEditor(HWND control)
{
    if (openEditor == control)
        openEditor = nullptr;
}

LRESULT CALLBACK TextEditorProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        if (GridWindow* grid = GridOf(control))
            SetWindowTextA(control, grid->CurrentCellText().c_str());
        break;
    case WM_KILLFOCUS:
        if (!Commit(control, ControlText(control)))
            return 0;
        break;
    case WM_KEYDOWN: {
        LRESULT result = 0;
        if (HandleKey(control, EditorKind::Text, textPrevious, wParam, lParam, result))
            return result;
        break;
    }
    case WM_NCDESTROY: ForgetEditor(control); break;
    default: break;
    }
    return CallWindowProcA(textPrevious, control, message, wParam, lParam);
}

LRESULT CALLBACK CheckEditorProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        if (GridWindow* grid = GridOf(control))
            SendMessageA(control, BM_SETCHECK, CheckStateOfText(grid->CurrentCellText()), 0);
        break;
    case WM_KILLFOCUS: {
        const LRESULT state = SendMessageA(control, BM_GETCHECK, 0, 0);
        if (!Commit(control, TextOfCheckState(state == BST_CHECKED ? 1 : state == BST_UNCHECKED ? 0 : 2)))
            return 0;
        break;
    }
    case WM_KEYDOWN: {
        LRESULT result = 0;
        if (HandleKey(control, EditorKind::Check, checkPrevious, wParam, lParam, result))
            return result;
        break;
    }
    case WM_NCDESTROY: ForgetEditor(control); break;
    default: break;
    }
    return CallWindowProcA(checkPrevious, control, message, wParam, lParam);
}

void FillList(HWND control, const GridWindow& grid)
{
    SendMessageA(control, CB_RESETCONTENT, 0, 0);
    const ColumnSpec* column = grid.CurrentColumnSpec();
    if (!column || column->choices.empty())
        return;
    for (const TextRow& choice : column->choices) {
        const std::string text = choice.size() > 1 ? choice[1] : std::string();
        const LRESULT index = SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0)
            SendMessageA(control, CB_SETITEMDATA, index, ReadDecimalInt(choice.empty() ? "" : choice[0]));
    }
    // The search starts after the first item and wraps around to it.
    SendMessageA(control, CB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(grid.CurrentCellText().c_str()));
}

std::string SelectedItemText(HWND control)
{
    const LRESULT index = SendMessageA(control, CB_GETCURSEL, 0, 0);
    if (index < 0)
        return {};
    const LRESULT length = SendMessageA(control, CB_GETLBTEXTLEN, index, 0);
    if (length < 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(control, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::min<size_t>(text.find('\0'), kEditorTextLimit));
    return text;
}

LRESULT CALLBACK ListEditorProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        if (GridWindow* grid = GridOf(control))
            FillList(control, *grid);
        break;
    case WM_KILLFOCUS:
        if (!Commit(control, SelectedItemText(control)))
            return 0;
        break;
    case WM_KEYDOWN: {
        LRESULT result = 0;
        if (HandleKey(control, EditorKind::DropDown, listPrevious, wParam, lParam, result))
            return result;
        break;
    }
    case WM_NCDESTROY: ForgetEditor(control); break;
    default: break;
    }
    return CallWindowProcA(listPrevious, control, message, wParam, lParam);
}

// Runs the date and time dialog for the cell under the button and stores the
// choice. The button loses the focus to the dialog and closes meanwhile; the
// grid shows the result afterwards.
void ChooseDate(HWND control)
{
    GridWindow* grid = GridOf(control);
    if (!grid)
        return;
    HWND gridWindow = grid->Handle();
    const std::string& text = grid->CurrentCellText();
    // A cell that holds no stamp opens at the current time, as an empty one.
    int64_t start = text.empty() ? 0 : ParsePhoneStamp(text);
    if (start < 0)
        start = 0;
    if (RunDateTimeDialog(control, start, grid->Host().Frame()) != IDOK)
        return;
    // The table window may have gone while the dialog was open.
    grid = GridWindow::FromHandle(gridWindow);
    const int64_t chosen = ChosenDateTime();
    if (!grid || chosen < 0)
        return;
    const std::string stamp = FormatPhoneStamp(chosen);
    grid->CommitEdit(stamp);
    if (IsWindow(control))
        SetWindowTextA(control, stamp.c_str());
}

LRESULT CALLBACK DateEditorProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS: {
        const LRESULT result = CallWindowProcA(datePrevious, control, message, wParam, lParam);
        ChooseDate(control);
        return result;
    }
    case WM_KILLFOCUS: PostMessageA(control, WM_CLOSE, 0, 0); break;
    case WM_KEYDOWN: {
        LRESULT result = 0;
        if (HandleKey(control, EditorKind::Date, datePrevious, wParam, lParam, result))
            return result;
        break;
    }
    case WM_NCDESTROY: ForgetEditor(control); break;
    default: break;
    }
    return CallWindowProcA(datePrevious, control, message, wParam, lParam);
}

struct EditorClass {
    const char* className;
    DWORD style;
    int id;
    WNDPROC procedure;
    WNDPROC* previous;
};

bool ClassOf(EditorKind kind, EditorClass& editor)
{
    constexpr DWORD Base = WS_CHILD | WS_VISIBLE;
    switch (kind) {
    case EditorKind::Text:
        editor = {"edit", Base | WS_BORDER | ES_AUTOHSCROLL | ES_CENTER, IDC_EDITOR_TEXT, TextEditorProc, &textPrevious};
        return true;
    case EditorKind::Check:
        editor = {"button", Base | BS_AUTOCHECKBOX, IDC_EDITOR_CHECK, CheckEditorProc, &checkPrevious};
        return true;
    case EditorKind::ThreeState:
        editor = {"button", Base | BS_AUTO3STATE, IDC_EDITOR_CHECK, CheckEditorProc, &checkPrevious};
        return true;
    case EditorKind::DropDown:
        editor = {"combobox", Base | WS_VSCROLL | CBS_DROPDOWNLIST, IDC_EDITOR_LIST, ListEditorProc, &listPrevious};
        return true;
    case EditorKind::Date:
        editor = {"button", Base | BS_PUSHBUTTON, IDC_EDITOR_DATE, DateEditorProc, &datePrevious};
        return true;
    default: return false;
    }
}
}  // namespace

void GridWindow::BeginEdit(int character, LPARAM)
{
    HWND window = Handle();
    if (!window || view_.readOnly || view_.currentRow < 0 || view_.currentColumn < 0)
        return;
    const GridShape shape = Shape();
    if (view_.currentRow >= shape.rowCount || !columns_ || static_cast<size_t>(view_.currentColumn) >= columns_->size())
        return;
    const int kind = (*columns_)[static_cast<size_t>(view_.currentColumn)].editorKind;
    EditorClass editor{};
    if (!OpensEditor(kind) || !ClassOf(static_cast<EditorKind>(kind), editor))
        return;

    // At most one editor: one left over has already stored its value when it
    // lost the focus, and only waits for its close.
    if (openEditor && IsWindow(openEditor))
        DestroyWindow(openEditor);
    openEditor = nullptr;

    const CellBox cell = CellRect(view_.currentColumn, view_.currentRow);
    const int cellHeight = cell.bottom - cell.top;
    const int height = kind == static_cast<int>(EditorKind::DropDown) ? cellHeight * DropDownRows : cellHeight;
    HWND control = CreateWindowExA(0, editor.className, "", editor.style, cell.left, cell.top, cell.right - cell.left,
                                   height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(editor.id)),
                                   ModuleInstance(), nullptr);
    if (!control)
        return;
    openEditor = control;
    *editor.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editor.procedure)));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(NormalFont()), TRUE);
    // The control fills itself from the cell as it gets the focus; the date
    // button runs its dialog there.
    SetFocus(control);
    if (kind != static_cast<int>(EditorKind::Text) || !IsWindow(control))
        return;
    // A text never longer than its database column holds, so that a typed
    // value is neither refused nor cut after the fact.
    const ColumnSpec* column = CurrentColumnSpec();
    const int limit = TextEditorLimit(column ? column->textSize : 0);
    SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
    SendMessageA(control, EM_SETSEL, 0, -1);
    // A typed character replaces the old text; a space only opens the field.
    if (character != 0 && character != ' ')
        SendMessageA(control, WM_CHAR, static_cast<WPARAM>(character), 0);
}

void EndOpenEdit()
{
    if (openEditor && IsWindow(openEditor) && GetFocus() == openEditor)
        SetFocus(GetParent(openEditor));
}

void GridWindow::CommitEdit(const std::string& text)
{
    if (TableModel* model = Model())
        model->CellEdited(text, view_.currentColumn, view_.currentRow, view_.cellMode);
}

const ColumnSpec* GridWindow::CurrentColumnSpec() const
{
    if (!columns_ || view_.currentColumn < 0 || static_cast<size_t>(view_.currentColumn) >= columns_->size())
        return nullptr;
    return &(*columns_)[static_cast<size_t>(view_.currentColumn)];
}
