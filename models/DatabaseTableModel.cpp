#include "models/DatabaseTableModel.h"

#include "common/AppMessages.h"
#include "db/Database.h"
#include "models/ModelMessages.h"
#include "models/RowEdits.h"

std::unique_ptr<TableModel> DatabaseTableModel::Open(TableKind kind, const ModelSources& sources)
{
    std::unique_ptr<DatabaseTableModel> model(new DatabaseTableModel(kind, sources));
    model->Present();
    return model;
}

void DatabaseTableModel::AddRow()
{
    Database& database = TheDatabase();
    ColumnNameList names;
    if (!database.DescribeColumns(tableName_, names)) {
        ShowModelError(database.LastMessage(), EditBoxOwner());
        return;
    }
    TextRow row = BlankRow(names.size());
    RowSet stored;
    if (!database.SelectRows(tableName_, stored, {}, {}, "id")) {
        ShowModelError(AppMessages[DatabaseDataMissing], EditBoxOwner());
        return;
    }
    row.push_back(NextRecordId(stored, FirstRecordIdOf(kind_)));
    if (database.InsertRow(tableName_, row) != 1) {
        ShowModelError(database.LastMessage(), EditBoxOwner());
        return;
    }
    rows_.push_back(std::move(row));
    ShowNewRow(RowCountOf(rows_) - 1);
}

void DatabaseTableModel::CellEdited(const std::string& text, int column, int row, bool apply)
{
    if (!apply || !IsStoredCell(rows_, column, row))
        return;
    if (window_)
        window_->SetReadOnly(false);
    Database& database = TheDatabase();
    if (!database.UpdateCell(tableName_, column, rows_[row].back(), text)) {
        ShowModelError(database.LastMessage(), EditBoxOwner());
        return;
    }
    GenericTableModel::CellEdited(text, column, row, apply);
}

void DatabaseTableModel::DeleteRow(int column, int row, bool cellMode)
{
    if (!IsStoredCell(rows_, column, row))
        return;
    if (cellMode) {
        GenericTableModel::DeleteRow(column, row, true);
        return;
    }
    Database& database = TheDatabase();
    if (!database.DeleteRows(tableName_, rows_[row].back(), "id")) {
        ShowModelError(database.LastMessage(), EditBoxOwner());
        return;
    }
    GenericTableModel::DeleteRow(column, row, false);
}

bool DatabaseTableModel::ImportRows(RowSet offered, std::vector<ImportResult>& results, std::string& failure)
{
    results.clear();
    Database& database = TheDatabase();
    ColumnNameList names;
    if (!database.DescribeColumns(tableName_, names) || names.empty()) {
        failure = database.LastMessage();
        return false;
    }
    RowSet stored;
    if (!database.SelectRows(tableName_, stored, {}, {}, "id")) {
        failure = AppMessages[DatabaseDataMissing];
        return false;
    }
    results = PlanImport(rows_, offered, columns_, names.size() - 1);

    RowSet added;
    std::vector<std::size_t> from;
    for (std::size_t i = 0; i < offered.size(); ++i) {
        if (results[i].outcome == ImportOutcome::Added) {
            added.push_back(std::move(offered[i]));
            from.push_back(i);
        }
    }
    const std::vector<std::string> ids =
        ConsecutiveIds(NextRecordId(stored, FirstRecordIdOf(kind_)), added.size());
    for (std::size_t j = 0; j < added.size(); ++j)
        added[j].push_back(ids[j]);
    std::vector<std::string> refusals;
    if (!database.InsertRows(tableName_, added, refusals)) {
        failure = database.LastMessage();
        results.clear();
        return false;
    }
    const int firstNew = RowCountOf(rows_);
    for (std::size_t j = 0; j < added.size(); ++j) {
        if (!refusals[j].empty())
            results[from[j]] = {ImportOutcome::Refused, refusals[j]};
        else
            rows_.push_back(std::move(added[j]));
    }
    if (RowCountOf(rows_) > firstNew)
        ShowNewRow(firstNew);
    else if (window_)
        window_->Paint();
    return true;
}
