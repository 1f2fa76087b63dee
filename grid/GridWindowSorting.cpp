#include "common/DialogCentring.h"
#include "common/Handles.h"
#include "grid/GridWindow.h"
#include "grid/RowSorting.h"
#include "grid/TableWindowHost.h"
#include "res/resource.h"

namespace {
// Where the next search starts: the row after the last match.
size_t SearchContinuation = 0;
constexpr int SearchTextLimit = 254;

void FindNext(HWND dialog, bool continuing)
{
    auto* grid = reinterpret_cast<GridWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!grid)
        return;
    char text[SearchTextLimit + 1] = {};
    GetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text, sizeof text);
    grid->FindNext(text, continuing);
}

INT_PTR CALLBACK SearchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        // The dialog is modal over the frame: its grid stays while it is open.
        const auto* grid = reinterpret_cast<const GridWindow*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        CentreAndShow(dialog, WindowRectOf(grid ? grid->Host().Frame() : nullptr));
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SEARCH_TEXT:
            if (HIWORD(wParam) == EN_CHANGE)
                FindNext(dialog, false);
            return TRUE;
        case IDC_SEARCH_NEXT:
            FindNext(dialog, true);
            return TRUE;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, 1);
            return TRUE;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return FALSE;
}
}  // namespace

void GridWindow::SortRows(int column)
{
    if (!rows_)
        return;
    if (column == -1)
        column = view_.currentColumn;
    if (column < 0 || column >= Shape().ColumnCount())
        return;
    WaitCursor wait;
    SortRowsByColumn(*rows_, static_cast<size_t>(column));
}

void GridWindow::FindNext(const std::string& text, bool continuing)
{
    if (!continuing)
        SearchContinuation = 0;
    const int column = view_.currentColumn;
    if (column < 0 || column >= Shape().ColumnCount())
        return;
    const auto found = FindRowWithPrefix(Rows(), static_cast<size_t>(column), text, SearchContinuation);
    if (!found)
        return;
    view_.currentRow = static_cast<int>(*found);
    if (view_.verticalOverflow) {
        const size_t first = CentredFirstRow(*found, static_cast<size_t>(view_.firstRow),
                                             static_cast<size_t>(view_.lastRow));
        SetFirstVisibleRow(static_cast<int>(first));
        MoveThumb(SB_VERT, view_.firstRow);
    }
    SearchContinuation = *found + 1;
    Paint();
}

void GridWindow::ShowSearch()
{
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SEARCH), Host().Frame(), SearchProc,
                    reinterpret_cast<LPARAM>(this));
}
