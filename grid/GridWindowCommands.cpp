#include <windows.h>
#include <commdlg.h>

#include "common/Handles.h"
#include "grid/GridWindow.h"
#include "models/TableModel.h"
#include "res/resource.h"

void GridWindow::OnCommand(int command)
{
    switch (command) {
    case IDM_DELETE_RECORD: OnKeyDown(VK_DELETE, 0); break;
    case IDM_ADD_RECORD: OnKeyDown(VK_INSERT, 0); break;
    case IDM_SEARCH: ShowSearch(); break;
    case IDM_FONT: ChooseTableFont(); break;
    case IDM_EXPORT: Export(); break;
    case IDM_IMPORT: Import(); break;
    case IDM_SORT: SortByCurrentColumn(); break;
    case IDM_UNDO:
        if (TableModel* model = Model())
            model->UndoLastChange();
        break;
    default: break;
    }
}

void GridWindow::SortByCurrentColumn()
{
    const GridShape shape = Shape();
    if (view_.currentColumn < 0 || view_.currentColumn >= shape.ColumnCount() || shape.rowCount == 0)
        return;
    SortRows(-1);
    Paint();
}

void GridWindow::ChooseTableFont()
{
    HWND window = Handle();
    if (!window)
        return;
    LOGFONTA font{};
    GetObjectA(normalFont_.Get(), sizeof font, &font);
    // The dialog lists the fonts of the back buffer; before the first paint
    // there is none and the window's own context stands in.
    WindowDc windowDc(BackBuffer().IsValid() ? nullptr : window);
    CHOOSEFONTA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = window;
    choice.hDC = BackBuffer().IsValid() ? BackBuffer().Dc() : windowDc.Get();
    choice.lpLogFont = &font;
    choice.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_WYSIWYG |
                   CF_SCALABLEONLY;
    choice.rgbColors = textColor_;
    choice.nFontType = SCREEN_FONTTYPE;
    if (!ChooseFontA(&choice))
        return;
    if (StillShown(window))
        ApplyFont(font, choice.rgbColors);
}
