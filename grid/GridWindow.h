#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/Handles.h"
#include "grid/MDIChild.h"
#include "db/DbTypes.h"
#include "grid/GridLayout.h"
#include "grid/GridView.h"
#include "models/ColumnSpec.h"
#include "models/TableWindow.h"

class TableModel;
class TableWindowHost;

// The table window: shows a model's rows in place as a grid with column
// headings, numbered rows, a current row or cell and scroll bars, and sends
// every add, edit, delete and undo request to the model. The model owns the
// rows, the column descriptions and this object.
class GridWindow : public MDIChild, public TableWindow {
public:
    GridWindow(TableModel& model, TableWindowHost& host, RowSet* rows, std::vector<ColumnSpec>* columns,
               std::string note);
    ~GridWindow() override;

    // The grid behind a window; none for any other window, or once the grid
    // has gone.
    static GridWindow* FromHandle(HWND window);

    HWND Handle() const override { return MDIChild::Handle(); }
    void Close() override { MDIChild::Close(); }
    bool IsActive() const override { return MDIChild::IsActive(); }
    void Paint() override { MDIChild::Paint(); }

    // Creates the window with the system's default placement, or at the given
    // place; none (after a message) when the system refuses.
    HWND Create() override;
    HWND Create(int left, int top, int width, int height);

    void OnKeyDown(WPARAM key, LPARAM keyData) override;
    void OnChar(WPARAM character, LPARAM keyData) override;
    void OnVScroll(WPARAM request, LPARAM scrollBar) override;
    void OnHScroll(WPARAM request, LPARAM scrollBar) override;
    void OnLButtonDown(int x, int y) override;
    void OnRButtonDown(int x, int y) override;
    void OnLButtonDblClk(int x, int y) override;
    void SetReadOnly(bool readOnly) override;
    void OnCommand(int command) override;
    void DrawContent() override;
    void AfterPaint() override;

    // Position and state the model and the other grid operations use.
    const GridView& View() const { return view_; }
    int CurrentRow() const override { return view_.currentRow; }
    int CurrentColumn() const { return view_.currentColumn; }
    int FirstVisibleRow() const { return view_.firstRow; }
    void SetCurrentRow(int row) override { view_.currentRow = row; }
    void SetCurrentColumn(int column) { view_.currentColumn = column; }
    void SetFirstVisibleRow(int row) override { view_.firstRow = row < 0 ? 0 : row; }
    bool IsReadOnly() const { return view_.readOnly; }
    bool InCellMode() const { return view_.cellMode; }
    const std::string& Title() const { return title_; }
    const std::string& Note() const { return note_; }
    void SetTitle(const std::string& title) override { title_ = title; }
    void SetNote(const std::string& note) override { note_ = note; }
    const RowSet& Rows() const;
    const std::vector<ColumnSpec>& Columns() const;

    // Accessors that tolerate indexes out of range.
    const std::string& CellText(int row, int column) const;
    const std::string& CurrentCellText() const { return CellText(view_.currentRow, view_.currentColumn); }
    const std::string& ColumnTitle(int column) const;
    int ColumnWidth(int column) const { return Shape().ColumnWidth(column); }
    int RowHeight(int row) const { return Shape().RowHeight(view_, row); }
    CellBox CellRect(int column, int row) const { return CellRectangle(view_, Shape(), column, row); }

    HFONT NormalFont() const { return normalFont_.Get(); }
    COLORREF TextColor() const { return textColor_; }
    // The font dialog's choice: new fonts, row and heading heights of one and
    // a half times the character height, the text colour; then a repaint.
    void ApplyFont(const LOGFONTA& chosen, COLORREF color);

    // In-place editing of the current cell, started by a typed character or
    // (with 0) by a double click or Enter.
    void BeginEdit(int character, LPARAM keyData);
    // An editor's value for the current cell, handed to the model.
    void CommitEdit(const std::string& text);
    // The description of the current column; none outside the columns.
    const ColumnSpec* CurrentColumnSpec() const;
    // Sorts the rows by a column (-1: the current one).
    void SortRows(int column);
    // Makes the next row whose cell in the current column begins with `text`
    // current; `continuing` goes on after the last match, else from the top.
    void FindNext(const std::string& text, bool continuing);
    // Writes the table to `fileName` as an Excel sheet, a Word table, vCards,
    // an iCalendar or CSV, chosen by the three characters at
    // `extensionOffset`; other names stay empty.
    void ExportTo(const char* fileName, unsigned extensionOffset) const;
    // Adds the rows of the vCard, iCalendar or CSV file `fileName` to the
    // table and tells the user how many went in, were already there or were
    // refused and why.
    void ImportFrom(const char* fileName);
    // The column titles in the window's order.
    std::vector<std::string> ColumnTitles() const;

private:
    GridShape Shape() const;
    TableModel* Model() const { return &model_; }
    // True while this object still stands behind `window`: a model request
    // can run a message loop (a message box) in which the window may close.
    bool StillShown(HWND window) const;
    void KeepCurrentInView();
    void Scroll(int bar, WPARAM request);
    void ShowContextMenu(int resourceId, int x, int y);
    void ChooseTableFont();
    void ShowSearch();
    void Export();
    void Import();
    void SortByCurrentColumn();

    void DrawColumnHeadings(HDC dc, const GridLayout& layout, int width, int height);
    void DrawRowHeadings(HDC dc, const GridLayout& layout, int width, int height);
    void DrawCells(HDC dc, const GridLayout& layout, COLORREF textColor, HBRUSH selection);
    void DrawNote(HDC dc, const GridLayout& layout, int width);
    void ShowScrollBarFor(int bar, bool shown, int count, int position);
    // Puts the scroll bar's thumb at `position`, drawing the bar only when
    // the thumb moves.
    void MoveThumb(int bar, int position);

    TableModel& model_;
    GridView view_;
    std::string title_;
    std::string note_;
    RowSet* rows_;
    std::vector<ColumnSpec>* columns_;
    FontHandle normalFont_;
    FontHandle boldFont_;
    COLORREF textColor_;
};

// The grid that shows a model's rows; none when the model has no window.
GridWindow* GridOf(const TableModel& model);

// Ends the edit of the one open in-place editor, if any, as a click
// elsewhere does: its value is stored before a command acts on the table.
// A refused value shows a box meanwhile, in which windows may be closed.
void EndOpenEdit();
