#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/DbTypes.h"
#include "models/ColumnSpec.h"

class TableModel;

// What a table model asks of the window that shows its rows. The window
// reads the model's rows and column descriptions in place; the model owns
// the window object and closes it when it goes.
class TableWindow {
public:
    virtual ~TableWindow() = default;

    // Creates the window; none (after a message) when the system refuses.
    virtual HWND Create() = 0;
    virtual HWND Handle() const = 0;
    // Destroys the window; the object stays until its owner deletes it.
    virtual void Close() = 0;
    virtual bool IsActive() const = 0;
    virtual void Paint() = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetNote(const std::string& note) = 0;
    virtual int CurrentRow() const = 0;
    virtual void SetCurrentRow(int row) = 0;
    virtual void SetFirstVisibleRow(int row) = 0;
};

// Makes the window object of `owner` (not yet its window) over the model's
// rows and column descriptions, with the note drawn under the last row; none
// when there is nothing to open a window in any more.
using TableWindowMaker = std::function<std::unique_ptr<TableWindow>(
    TableModel& owner, RowSet* rows, std::vector<ColumnSpec>* columns, const std::string& note)>;
