#include "common/AppLink.h"

#include "app/Application.h"
#include "worker/RunExchange.h"

HINSTANCE ModuleInstance()
{
    return TheApp && TheApp->instance ? TheApp->instance : GetModuleHandleA(nullptr);
}

HWND AppFrame()
{
    return TheApp ? TheApp->frame : nullptr;
}

HWND AppMdiClient()
{
    return TheApp ? TheApp->mdiClient : nullptr;
}

PhoneSession* AppSession()
{
    return TheApp ? TheApp->session.get() : nullptr;
}

TableModel* AppActiveModel()
{
    return TheApp ? TheApp->ActiveModel() : nullptr;
}

GridWindow* AppFindGrid(HWND window)
{
    return TheApp ? TheApp->FindGridWindow(window) : nullptr;
}

TableModel* AppFindModel(const GridWindow* grid)
{
    return TheApp ? TheApp->FindModel(grid) : nullptr;
}

void AppOpenTable(int kind)
{
    if (TheApp)
        TheApp->OpenTable(kind);
}

void AppForgetTable(HWND window)
{
    if (TheApp)
        TheApp->ForgetTable(window);
}

void AppRefreshCommands()
{
    if (TheApp)
        TheApp->RefreshCommands();
}

bool AppExchangeRunning()
{
    return ExchangeRunning();
}
