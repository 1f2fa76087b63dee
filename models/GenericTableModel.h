#pragma once
#include "models/TableModel.h"

// A model built from the database the same way for every kind: column
// descriptions from the "i_" table, rows by id, a read-only window while it
// is built. Its add, edit and delete change only the rows in memory.
class GenericTableModel : public TableModel {
public:
    // The model of a media list (`kind` photos or movies) with its window
    // named and editable.
    static std::unique_ptr<TableModel> Open(TableKind kind, const ModelSources& sources);

    // A blank row sized by the table's "q_" query, at the end of the window.
    void AddRow() override;
    void CellEdited(const std::string& text, int column, int row, bool apply) override;
    void DeleteRow(int column, int row, bool cellMode) override;

protected:
    // Loads the table of `kind` and opens its window, still read-only and
    // titled "Новая таблица", made by `sources.makeWindow`. Without a window
    // afterwards, loading failed and the user was told.
    GenericTableModel(TableKind kind, const ModelSources& sources);
    // Names the window after the table and lets the user edit it.
    void Present();
    // Makes row `index` current and the first one shown.
    void ShowNewRow(int index);

private:
    bool LoadColumns();
    bool LoadRows();
    void OpenWindow(const TableWindowMaker& makeWindow);
};
