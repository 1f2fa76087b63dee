#include "models/GenericTableModel.h"

#include <windows.h>

#include "common/AppMessages.h"
#include "common/Handles.h"
#include "common/ModuleInstance.h"
#include "db/Database.h"
#include "db/SqlText.h"
#include "phone/PhoneSession.h"
#include "models/ModelMessages.h"
#include "models/RowEdits.h"
#include "res/resource.h"

namespace {
const char NewTableTitle[] = "Новая таблица";
}  // namespace

GenericTableModel::GenericTableModel(TableKind kind, const ModelSources& sources) : TableModel(kind)
{
    {
        // The photo and movie lists come from the phone each time their
        // window opens; that is the slow part.
        CursorScope loading(LoadCursorA(ModuleInstance(), MAKEINTRESOURCEA(IDC_LOADING)));
        PhoneSession* session = sources.session;
        if (session && (kind == kPhotoKind || kind == kMovieKind))
            session->ReadMediaCatalogue(CatalogueEntryOf(kind).table, kind == kMovieKind);
    }
    tableName_ = CatalogueEntryOf(kind).table;
    if (!LoadColumns() || !LoadRows()) {
        ShowModelError(AppMessages[DatabaseDataMissing]);
        return;
    }
    title_ = NewTableTitle;
    note_.clear();
    OpenWindow(sources.makeWindow);
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
    // The text editors take no more than a column holds.
    ColumnNameList names;
    ColumnTypeList types;
    ColumnSizeList sizes;
    if (database.DescribeColumns(tableName_, names, &types, &sizes))
        for (std::size_t i = 0; i < columns_.size() && i < types.size() && i < sizes.size(); ++i)
            columns_[i].textSize = sql::TextColumnSize(types[i], sizes[i]);
    return true;
}

bool GenericTableModel::LoadRows()
{
    return TheDatabase().SelectRows(tableName_, rows_, {}, {}, "id");
}

void GenericTableModel::OpenWindow(const TableWindowMaker& makeWindow)
{
    // The loading's boxes have no owner: the user may have closed the frame
    // meanwhile, and then the maker has nothing to open a window in.
    if (!makeWindow)
        return;
    window_ = makeWindow(*this, &rows_, &columns_, note_);
    if (!window_)
        return;
    window_->SetReadOnly(true);
    // A window the system refused leaves the window object without one; the
    // model stays open all the same.
    if (HWND window = window_->Create())
        SetWindowTextA(window, title_.c_str());
}

std::unique_ptr<TableModel> GenericTableModel::Open(TableKind kind, const ModelSources& sources)
{
    std::unique_ptr<GenericTableModel> model(new GenericTableModel(kind, sources));
    model->Present();
    return model;
}

void GenericTableModel::Present()
{
    title_ = CatalogueEntryOf(kind_).caption;
    if (!window_)
        return;
    if (window_->Handle())
        SetWindowTextA(window_->Handle(), title_.c_str());
    window_->SetTitle(title_);
    window_->SetNote(note_);
    window_->SetReadOnly(false);
}

void GenericTableModel::ShowNewRow(int index)
{
    if (!window_)
        return;
    window_->SetCurrentRow(index);
    window_->SetFirstVisibleRow(index);
    if (window_->Handle())
        SendMessageA(window_->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, index & 0xFFFF), 0);
}

void GenericTableModel::AddRow()
{
    Database& database = TheDatabase();
    ColumnNameList names;
    if (!database.DescribeColumns(RowQueryOf(tableName_), names)) {
        ShowModelError(database.LastMessage(), EditBoxOwner());
        return;
    }
    TextRow row = BlankRow(names.size());
    changes_.push_back({ChangeKind::RowAdded, row, -1});
    rows_.push_back(std::move(row));
    ShowNewRow(RowCountOf(rows_) - 1);
}

void GenericTableModel::CellEdited(const std::string& text, int column, int row, bool apply)
{
    if (!apply || !StoreCellText(rows_, columns_.size(), column, row, text) || !window_)
        return;
    if (static_cast<std::size_t>(column) + 1 < columns_.size())
        window_->Paint();
    else if (window_->Handle())
        SendMessageA(window_->Handle(), WM_HSCROLL, SB_LINELEFT, 0);
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
    if (!window_)
        return;
    if (!lastRow) {
        window_->Paint();
        return;
    }
    window_->SetCurrentRow(window_->CurrentRow() > 0 ? window_->CurrentRow() - 1 : 0);
    if (window_->Handle())
        SendMessageA(window_->Handle(), WM_VSCROLL, SB_LINEUP, 0);
}
