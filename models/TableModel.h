#pragma once
#include <memory>

class GridWindow;

// A table of the database shown in a window: owns its rows and its GridWindow.
class TableModel {
public:
    virtual ~TableModel();
    int Kind() const { return kind_; }
    // None when loading the table failed.
    GridWindow* Grid() const { return grid_.get(); }

protected:
    explicit TableModel(int kind);
    int kind_;
    std::unique_ptr<GridWindow> grid_;
};

// Builds the model of a TableKind 0..4, or nothing for another kind.
std::unique_ptr<TableModel> CreateTableModel(int kind);
