#pragma once
#include <memory>
#include <string>

#include "TableDatabase.h"
#include "frame/FrameFixture.h"
#include "grid/GridWindow.h"
#include "models/TableModel.h"
#include "support/Keystroke.h"

// The frame of FrameTest over a fresh copy of the database, with helpers to
// open table windows through the frame's commands and to drive them.
class TableTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        database = std::make_unique<TableDatabase>();
        ASSERT_TRUE(database->Ready()) << TheDatabase().LastMessage();
    }

    void TearDown() override
    {
        FrameTest::TearDown();
        database.reset();
    }

    void Command(int command)
    {
        SendMessageA(frame, WM_COMMAND, command, 0);
        PumpMessages();
    }

    // Opens a table through its frame command; the active model afterwards.
    TableModel* Open(int command)
    {
        Command(command);
        return app->ActiveModel();
    }

    // The table windows in the MDI client.
    int WindowCount() const
    {
        int count = 0;
        for (HWND child = FindWindowExA(app->mdiClient, nullptr, "MDIChild", nullptr); child;
             child = FindWindowExA(app->mdiClient, child, "MDIChild", nullptr))
            ++count;
        return count;
    }

    // A key pressed on the model's grid, as the keyboard delivers it.
    static void Key(const TableModel* model, WPARAM key)
    {
        SetFocus(GridOf(*model)->Handle());
        Keystroke(key);
    }

    // Makes a cell current in cell mode, as a click on it does.
    static void SelectCell(const TableModel* model, int column, int row)
    {
        GridWindow* grid = GridOf(*model);
        grid->SetCurrentRow(row);
        grid->SetCurrentColumn(column);
        if (!grid->InCellMode())
            SendMessageA(grid->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    }

    // The memo table with a numeric third column "Важность" and one record
    // (id 4) of priority 3: a text typed there is refused by the database.
    void UseMemoWithPriority()
    {
        database->Run({"DROP TABLE memo",
                       "CREATE TABLE memo (stamp VARCHAR(15), content VARCHAR(32), priority INTEGER, id INTEGER)",
                       "INSERT INTO memo VALUES ('', 'x', 3, 4)", "INSERT INTO i_memo VALUES ('Важность', 0, 6, '')"});
    }

    // Makes a cell current in cell mode, gives the grid the focus and
    // presses Enter there, as a user does to open the cell's editor.
    static void EnterOn(const TableModel* model, int column, int row)
    {
        SelectCell(model, column, row);
        SetFocus(GridOf(*model)->Handle());
        Keystroke(VK_RETURN);
    }

    std::string Stored(const std::string& sql) const
    {
        const RowSet rows = database->Query(sql);
        return rows.empty() || rows[0].empty() ? "<no row>" : rows[0][0];
    }

    std::unique_ptr<TableDatabase> database;
};
