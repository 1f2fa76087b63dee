#include <windows.h>
#include <commctrl.h>

#include "app/Application.h"
#include "app/ToolBarLayout.h"
#include "res/resource.h"

namespace {
// Tool tips point into this buffer until the next one is asked for.
char ToolTipText[128];

TBBUTTON ToButton(const ToolBarEntry& entry)
{
    TBBUTTON button{};
    button.iBitmap = entry.command ? entry.image : 0;
    button.idCommand = entry.command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = entry.command ? BTNS_BUTTON : BTNS_SEP;
    return button;
}
}  // namespace

void Application::CreateBars()
{
    InitCommonControls();
    TBBUTTON buttons[ToolBarEntryCount];
    for (int i = 0; i < ToolBarEntryCount; ++i)
        buttons[i] = ToButton(ToolBarEntries[i]);
    toolBar = CreateToolbarEx(frame,
                              WS_CHILD | WS_VISIBLE | WS_BORDER | CCS_TOP | CCS_ADJUSTABLE | TBSTYLE_TOOLTIPS |
                                  TBSTYLE_WRAPABLE | TBSTYLE_ALTDRAG,
                              IDC_TOOLBAR, ToolBarImageCount, instance, IDB_TOOLBAR, buttons, ToolBarEntryCount, 16,
                              16, 16, 16, sizeof(TBBUTTON));
    statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | WS_BORDER | SBARS_SIZEGRIP, "", frame, IDC_STATUSBAR);
    if (!toolBar || !statusBar)
        return;
    RefreshCommands();
    tile.Load(instance, IDB_FRAME_TILE);
    logo.Load(instance, IDB_LOGO);
}

LRESULT Application::OnNotify(NMHDR* header)
{
    if (!header)
        return FALSE;
    switch (header->code) {
    case TTN_NEEDTEXTA: {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        ToolTipText[0] = '\0';
        LoadStringA(instance, static_cast<UINT>(header->idFrom), ToolTipText, sizeof ToolTipText);
        info->lpszText = ToolTipText;
        return FALSE;
    }
    case TBN_TOOLBARCHANGE:
        SendMessageA(toolBar, TB_AUTOSIZE, 0, 0);
        return TRUE;
    case TBN_QUERYINSERT:
    case TBN_QUERYDELETE:
        return reinterpret_cast<NMTOOLBARA*>(header)->iItem != 0;
    case TBN_GETBUTTONINFOA: {
        auto* info = reinterpret_cast<NMTOOLBARA*>(header);
        if (info->iItem < 0 || info->iItem >= ToolBarEntryCount)
            return FALSE;
        info->tbButton = ToButton(ToolBarEntries[info->iItem]);
        return TRUE;
    }
    default:
        return FALSE;
    }
}
