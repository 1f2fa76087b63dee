#include <new>

#include "models/DatabaseTableModel.h"

std::unique_ptr<TableModel> CreateTableModel(int kind, const ModelSources& sources)
{
    if (!HasTableWindow(kind))
        return nullptr;
    // A table too large for memory opens no window; the frame's window
    // procedure must not see the exception. A model that had made its window
    // closes it again as it unwinds.
    try {
        return IsStoredTable(kind) ? DatabaseTableModel::Open(kind, sources)
                                   : GenericTableModel::Open(kind, sources);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
