#pragma once
#include <memory>
#include <string>
#include <vector>

#include "frame/FrameFixture.h"
#include "grid/GridWindow.h"
#include "models/TableDatabase.h"
#include "models/TableModel.h"

// A table model that holds given rows and columns and records what its grid
// asks of it, so that the grid window can be driven on its own.
class RecordingModel : public TableModel {
public:
    struct Request {
        std::string what;
        std::string text;
        int column;
        int row;
        bool flag;
        bool operator==(const Request&) const = default;
    };

    RecordingModel(TableKind kind, RowSet rows, std::vector<ColumnSpec> columns, TableWindowHost& host)
        : TableModel(kind)
    {
        rows_ = std::move(rows);
        columns_ = std::move(columns);
        window_ = std::make_unique<GridWindow>(*this, host, &rows_, &columns_, std::string());
    }

    void AddRow() override { requests.push_back({"add", "", 0, 0, false}); }
    void CellEdited(const std::string& text, int column, int row, bool apply) override
    {
        requests.push_back({"edit", text, column, row, apply});
    }
    void DeleteRow(int column, int row, bool cellMode) override
    {
        requests.push_back({"delete", "", column, row, cellMode});
    }
    void UndoLastChange() override { requests.push_back({"undo", "", 0, 0, false}); }

    RowSet& RowsToChange() { return rows_; }

    std::vector<Request> requests;
};

// Numbered rows of `columns` cells ("r0c0", "r0c1", ...).
inline RowSet NumberedRows(int rows, int columns)
{
    RowSet result;
    for (int r = 0; r < rows; ++r) {
        TextRow row;
        for (int c = 0; c < columns; ++c)
            row.push_back("r" + std::to_string(r) + "c" + std::to_string(c));
        result.push_back(row);
    }
    return result;
}

inline std::vector<ColumnSpec> ColumnsOfDivisors(std::vector<int> divisors)
{
    std::vector<ColumnSpec> columns;
    for (std::size_t i = 0; i < divisors.size(); ++i) {
        ColumnSpec column;
        column.title = "Колонка " + std::to_string(i);
        column.widthDivisor = divisors[i];
        columns.push_back(column);
    }
    return columns;
}

// The frame with one grid window over a recording model. The session start
// writes the phone's melodies, so a database copy is connected too.
class GridTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        database = std::make_unique<TableDatabase>();
        ASSERT_TRUE(database->Ready());
    }

    void TearDown() override
    {
        FrameTest::TearDown();
        database.reset();
    }

    // Opens the grid window as the frame opens tables: the window first,
    // then the model joins the open tables.
    RecordingModel* Show(RowSet rows, std::vector<ColumnSpec> columns, TableKind kind = kPhoneBookKind)
    {
        auto owned = std::make_unique<RecordingModel>(kind, std::move(rows), std::move(columns), *app);
        RecordingModel* model = owned.get();
        grid = GridOf(*model);
        if (!grid->Create(0, 0, 500, 400))
            return nullptr;
        app->OpenTables.push_back(std::move(owned));
        app->RefreshCommands();
        Paint();
        return model;
    }

    // Resizes the window until its client area is width x height (the scroll
    // bars come and go with the size).
    void SizeClient(int width, int height)
    {
        for (int round = 0; round < 4; ++round) {
            RECT outer{}, client{};
            GetWindowRect(grid->Handle(), &outer);
            GetClientRect(grid->Handle(), &client);
            if (client.right == width && client.bottom == height)
                return;
            SetWindowPos(grid->Handle(), nullptr, 0, 0, outer.right - outer.left + width - client.right,
                         outer.bottom - outer.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
            Paint();
        }
    }

    void Paint()
    {
        grid->Paint();
        PumpMessages();
    }

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam = 0)
    {
        const LRESULT result = SendMessageA(grid->Handle(), message, wParam, lParam);
        PumpMessages();
        return result;
    }

    void Click(int x, int y) { Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

    bool ScrollBarShown(int bar) const
    {
        return (GetWindowLongA(grid->Handle(), GWL_STYLE) & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
    }

    std::unique_ptr<TableDatabase> database;
    GridWindow* grid = nullptr;
};
