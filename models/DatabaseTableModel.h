#pragma once
#include "models/GenericTableModel.h"

// A table the phone also holds (phone book, scheduler, memos): every
// accepted change goes to the database at once, addressed by the record's
// id in the row's last cell.
class DatabaseTableModel : public GenericTableModel {
public:
    // The model of a stored table (`kind` phone book, scheduler or memos)
    // with its window named and editable.
    static std::unique_ptr<TableModel> Open(TableKind kind, const ModelSources& sources);

    // Inserts a record with the next free id and shows it at the end.
    void AddRow() override;
    // Updates the cell in the database; the window keeps the text as typed.
    void CellEdited(const std::string& text, int column, int row, bool apply) override;
    // Deletes the record, or in cell mode stores the emptied cell.
    void DeleteRow(int column, int row, bool cellMode) override;
    // Inserts the new rows with the next free ids in one transaction and
    // shows them at the end.
    bool ImportRows(RowSet offered, std::vector<ImportResult>& results, std::string& failure) override;

protected:
    DatabaseTableModel(TableKind kind, const ModelSources& sources) : GenericTableModel(kind, sources) {}
};
