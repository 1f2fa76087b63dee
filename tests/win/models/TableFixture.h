#pragma once
#include <memory>
#include <string>

#include "TableDatabase.h"
#include "frame/FrameFixture.h"
#include "grid/GridWindow.h"
#include "models/TableModel.h"

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

    static void Key(const TableModel* model, WPARAM key)
    {
        SendMessageA(GridOf(*model)->Handle(), WM_KEYDOWN, key, 0);
        PumpMessages();
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

    std::string Stored(const std::string& sql) const
    {
        const RowSet rows = database->Query(sql);
        return rows.empty() || rows[0].empty() ? "<no row>" : rows[0][0];
    }

    std::unique_ptr<TableDatabase> database;
};
