#pragma once
#include <memory>
#include <string>
#include <vector>

#include "db/DbTypes.h"
#include "models/ChangeRecord.h"
#include "models/ColumnSpec.h"
#include "models/RowImport.h"
#include "models/TableCatalogue.h"
#include "models/TableWindow.h"

// A database table shown in a window. The model reads the table and its
// column descriptions, owns the rows, the descriptions and the window
// that draws them in place, and carries out the grid's add, edit and delete
// requests. The frame makes one per open table window and deletes it when
// the window is destroyed.
class TableModel {
public:
    virtual ~TableModel();
    TableModel(const TableModel&) = delete;
    TableModel& operator=(const TableModel&) = delete;

    virtual void ClearModified();
    virtual void AddRow();
    // A cell's new text; nothing happens unless `apply` is set.
    virtual void CellEdited(const std::string& text, int column, int row, bool apply);
    // Deletes the row, or in cell mode empties the one cell.
    virtual void DeleteRow(int column, int row, bool cellMode);
    virtual void UndoLastChange();
    // Adds rows read from a file (cells in column order, without the id)
    // after those shown, leaving out the ones already there: one result per
    // offered row. False, with the reason in `failure` and nothing added,
    // when the table takes no imports or cannot be written.
    virtual bool ImportRows(RowSet offered, std::vector<ImportResult>& results, std::string& failure);
    virtual int ChangeCount() const;

    TableKind Kind() const { return kind_; }
    // The table's window, or none when the table could not be loaded.
    TableWindow* Window() const { return window_.get(); }
    // The rows in window order; the phone transfers read (and may complete)
    // them while the user waits for the exchange.
    RowSet& Rows() { return rows_; }
    const RowSet& Rows() const { return rows_; }
    const std::vector<ColumnSpec>& Columns() const { return columns_; }
    const std::string& Title() const { return title_; }
    const std::string& TableName() const { return tableName_; }
    bool IsModified() const { return modified_; }

protected:
    // The empty model of a kind: no rows, no columns, no window yet.
    explicit TableModel(TableKind kind);
    // The owner of a box about an edit: the frame the window stands in, or
    // none without a window.
    HWND EditBoxOwner() const;

    RowSet rows_;
    std::unique_ptr<TableWindow> window_;
    std::vector<ColumnSpec> columns_;
    std::vector<ChangeRecord> changes_;
    TableKind kind_;
    std::string title_;
    // Drawn under the last row when not empty; the program's tables have none.
    std::string note_;
    bool modified_ = false;
    std::string tableName_;
};

class PhoneSession;

// What a model is made with: the maker of its window object, and the phone
// session that refills the photo and movie lists (none without a phone).
struct ModelSources {
    TableWindowMaker makeWindow;
    PhoneSession* session = nullptr;
};

// Builds the model of a TableKind 0..4, or nothing for another kind; its
// window object comes from `sources.makeWindow`. The model has no window
// when its table could not be loaded.
std::unique_ptr<TableModel> CreateTableModel(int kind, const ModelSources& sources);
