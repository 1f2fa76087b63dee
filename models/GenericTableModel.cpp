#include "models/GenericTableModel.h"

#include <windows.h>

#include "app/AppMessages.h"
#include "app/Application.h"
#include "app/MDIChild.h"
#include "common/Handles.h"
#include "db/Database.h"
#include "grid/GridWindow.h"
#include "models/MediaCatalogue.h"
#include "models/ModelMessages.h"
#include "models/RowEdits.h"
#include "res/resource.h"

namespace {
const char NewTableTitle[] = "Новая таблица";
}  // namespace

GenericTableModel::GenericTableModel(TableKind kind) : TableModel(kind)
{
    {
        // The photo and movie lists come from the phone each time their
        // window opens; that is the slow part.
        CursorScope loading(LoadCursorA(ModuleInstance(), MAKEINTRESOURCEA(IDC_LOADING)));
        if (kind == kPhotoKind)
            ReadMediaCatalogue(CatalogueEntryOf(kind).table, false);
        else if (kind == kMovieKind)
            ReadMediaCatalogue(CatalogueEntryOf(kind).table, true);
    }
    tableName_ = CatalogueEntryOf(kind).table;
    if (!LoadColumns() || !LoadRows()) {
        ShowModelError(AppMessages[3]);
        return;
    }
    title_ = NewTableTitle;
    note_.clear();
    OpenWindow();
    changes_.clear();
}

bool GenericTableModel::LoadColumns()
{
    Database& database = TheDatabase();
    RowSet descriptions;
    if (!database.SelectRows(DescriptionTableOf(tableName_), descriptions))
        return false;
    for (const TextRow& description : descriptions) {
        ColumnSpec column = DescribeColumn(description);
        // A drop-down column without its choices is still shown.
        if (column.editorKind == kDropDownEditor &&
            !database.SelectRows(LookupTableOf(description), column.choices))
            ShowModelWarning(database.LastMessage());
        columns_.push_back(std::move(column));
    }
    return true;
}

bool GenericTableModel::LoadRows()
{
    return TheDatabase().SelectRows(tableName_, rows_, {}, {}, "id");
}

void GenericTableModel::OpenWindow()
{
    // The loading's boxes have no owner: the user may have closed the frame
    // meanwhile, and then there is nothing to open a window in.
    if (!TheApp)
        return;
    grid_ = std::make_unique<GridWindow>(&rows_, &columns_, note_);
    grid_->SetReadOnly(true);
    // A window the system refused leaves the grid object without one; the
    // model stays open all the same.
    if (HWND window = grid_->Create())
        SetWindowTextA(window, title_.c_str());
}

void GenericTableModel::Present()
{
    title_ = CatalogueEntryOf(kind_).caption;
    if (!grid_)
        return;
    if (grid_->Handle())
        SetWindowTextA(grid_->Handle(), title_.c_str());
    grid_->SetTitle(title_);
    grid_->SetNote(note_);
    grid_->SetReadOnly(false);
}

void GenericTableModel::ShowNewRow(int index)
{
    if (!grid_)
        return;
    grid_->SetCurrentRow(index);
    grid_->SetFirstVisibleRow(index);
    if (grid_->Handle())
        SendMessageA(grid_->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, index & 0xFFFF), 0);
}

void GenericTableModel::AddRow()
{
    Database& database = TheDatabase();
    ColumnNameList names;
    if (!database.DescribeColumns(RowQueryOf(tableName_), names)) {
        ShowModelError(database.LastMessage());
        return;
    }
    TextRow row = BlankRow(names.size());
    changes_.push_back({ChangeKind::RowAdded, row, -1});
    rows_.push_back(std::move(row));
    ShowNewRow(RowCountOf(rows_) - 1);
}

void GenericTableModel::CellEdited(const std::string& text, int column, int row, bool apply)
{
    if (!apply || !StoreCellText(rows_, columns_.size(), column, row, text) || !grid_)
        return;
    if (static_cast<std::size_t>(column) + 1 < columns_.size())
        grid_->Paint();
    else if (grid_->Handle())
        SendMessageA(grid_->Handle(), WM_HSCROLL, SB_LINELEFT, 0);
}

void GenericTableModel::DeleteRow(int column, int row, bool cellMode)
{
    if (cellMode) {
        // Through the virtual call, so that a stored table writes the emptied
        // cell to the database.
        CellEdited({}, column, row, true);
        return;
    }
    const bool lastRow = row == RowCountOf(rows_) - 1;
    std::optional<ChangeRecord> record = RemoveRow(rows_, row);
    if (!record)
        return;
    changes_.push_back(std::move(*record));
    if (!grid_)
        return;
    if (!lastRow) {
        grid_->Paint();
        return;
    }
    grid_->SetCurrentRow(grid_->CurrentRow() > 0 ? grid_->CurrentRow() - 1 : 0);
    if (grid_->Handle())
        SendMessageA(grid_->Handle(), WM_VSCROLL, SB_LINEUP, 0);
}
