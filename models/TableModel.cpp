#include "models/TableModel.h"

TableModel::TableModel(TableKind kind) : kind_(kind) {}

TableModel::~TableModel()
{
    // The window reads the rows and columns in place, so it goes first. It is
    // taken out of the model before it closes, so that its destruction does
    // not find this model again.
    std::unique_ptr<TableWindow> window = std::move(window_);
    if (window)
        window->Close();
}

void TableModel::ClearModified()
{
    modified_ = false;
}

void TableModel::AddRow()
{
    modified_ = true;
}

void TableModel::CellEdited(const std::string&, int, int, bool) {}

void TableModel::DeleteRow(int, int, bool) {}

void TableModel::UndoLastChange() {}

bool TableModel::ImportRows(RowSet, std::vector<ImportResult>& results, std::string& failure)
{
    results.clear();
    failure = "В эту таблицу строки из файла не добавляются.";
    return false;
}

HWND TableModel::EditBoxOwner() const
{
    HWND window = window_ ? window_->Handle() : nullptr;
    return window && IsWindow(window) ? GetAncestor(window, GA_ROOT) : nullptr;
}

int TableModel::ChangeCount() const
{
    return static_cast<int>(changes_.size());
}
