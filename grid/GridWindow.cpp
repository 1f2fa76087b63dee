#include "grid/GridWindow.h"

#include <string>

#include "models/RowEdits.h"
#include "models/TableModel.h"

namespace {
const char CreateFailedCaption[] = "Ошибка создания окна.";
constexpr int kNormalWeight = 400;
constexpr int kBoldWeight = 700;

const std::string& EmptyText()
{
    static const std::string empty;
    return empty;
}

LOGFONTA DefaultFont()
{
    LOGFONTA font{};
    font.lfHeight = -11;
    font.lfWeight = kNormalWeight;
    font.lfCharSet = RUSSIAN_CHARSET;
    lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
    return font;
}

HFONT FontOfWeight(LOGFONTA font, int weight)
{
    font.lfWeight = weight;
    return CreateFontIndirectA(&font);
}
}  // namespace

GridWindow::GridWindow(TableModel& model, TableWindowHost& host, RowSet* rows, std::vector<ColumnSpec>* columns,
                       std::string note)
    : MDIChild(host),
      model_(model),
      note_(std::move(note)),
      rows_(rows),
      columns_(columns),
      textColor_(GetSysColor(COLOR_WINDOWTEXT))
{
    const LOGFONTA font = DefaultFont();
    normalFont_.Reset(FontOfWeight(font, kNormalWeight));
    boldFont_.Reset(FontOfWeight(font, kBoldWeight));
}

GridWindow::~GridWindow() = default;

GridWindow* GridWindow::FromHandle(HWND window)
{
    return dynamic_cast<GridWindow*>(MDIChild::FromHandle(window));
}

GridWindow* GridOf(const TableModel& model)
{
    return dynamic_cast<GridWindow*>(model.Window());
}

HWND GridWindow::Create()
{
    return Create(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
}

HWND GridWindow::Create(int left, int top, int width, int height)
{
    // The grid paints its whole client; its in-place editors stay on top.
    HWND window = CreateChildWindow(WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN, left, top, width, height);
    if (!window) {
        const DWORD error = GetLastError();
        MessageBoxA(nullptr, std::to_string(error).c_str(), CreateFailedCaption, MB_OK);
        return nullptr;
    }
    Adopt(window);
    SetScrollPos(window, SB_VERT, view_.firstRow, TRUE);
    SetScrollPos(window, SB_HORZ, view_.firstColumn, TRUE);
    return window;
}

void GridWindow::SetReadOnly(bool readOnly)
{
    view_.readOnly = readOnly;
    if (readOnly)
        view_.cellMode = false;
}

const RowSet& GridWindow::Rows() const
{
    static const RowSet none;
    return rows_ ? *rows_ : none;
}

const std::vector<ColumnSpec>& GridWindow::Columns() const
{
    static const std::vector<ColumnSpec> none;
    return columns_ ? *columns_ : none;
}

const std::string& GridWindow::CellText(int row, int column) const
{
    const RowSet& rows = Rows();
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        return EmptyText();
    const TextRow& cells = rows[row];
    if (column < 0 || static_cast<std::size_t>(column) >= cells.size())
        return EmptyText();
    return cells[column];
}

const std::string& GridWindow::ColumnTitle(int column) const
{
    const std::vector<ColumnSpec>& columns = Columns();
    if (column < 0 || static_cast<std::size_t>(column) >= columns.size())
        return EmptyText();
    return columns[column].title;
}

GridShape GridWindow::Shape() const
{
    return GridShape{columns_, rows_ ? RowCountOf(*rows_) : 0};
}

bool GridWindow::StillShown(HWND window) const
{
    return window && FromHandle(window) == this;
}

void GridWindow::ApplyFont(const LOGFONTA& chosen, COLORREF color)
{
    LOGFONTA font{};
    font.lfHeight = chosen.lfHeight;
    font.lfWeight = chosen.lfWeight;
    font.lfItalic = chosen.lfItalic;
    font.lfUnderline = chosen.lfUnderline;
    font.lfStrikeOut = chosen.lfStrikeOut;
    font.lfPitchAndFamily = chosen.lfPitchAndFamily;
    font.lfCharSet = RUSSIAN_CHARSET;
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    lstrcpynA(font.lfFaceName, chosen.lfFaceName, LF_FACESIZE);
    normalFont_.Reset(CreateFontIndirectA(&font));
    boldFont_.Reset(FontOfWeight(font, kBoldWeight));

    // Rows added later keep the default height.
    const int height = RowHeights::ForFont(chosen.lfHeight);
    view_.rowHeights.SetFirst(Shape().rowCount, height);
    view_.headingHeight = height;
    textColor_ = color;
    Paint();
}
