#include "models/TableModel.h"

#include "grid/GridWindow.h"

TableModel::TableModel(int kind) : kind_(kind) {}

TableModel::~TableModel() = default;

std::unique_ptr<TableModel> CreateTableModel(int)
{
    // The per-kind models are not there yet.
    return nullptr;
}
