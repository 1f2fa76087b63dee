#include "app/Application.h"

#include <algorithm>

#include "grid/GridWindow.h"
#include "models/TableCatalogue.h"
#include "models/TableModel.h"
#include "phone/PhoneSession.h"
#include "worker/RunExchange.h"

Application* TheApp = nullptr;

Application::Application(HINSTANCE moduleInstance) : instance(moduleInstance)
{
    SessionDescription.clear();
    LoadSettings();
}

Application::~Application()
{
    closing = true;
    // A worker still running reads the tables and the database: it ends
    // before anything is taken down.
    if (session)
        EndExchangeForExit(*session);
    if (frame)
        SaveSettings();
    // The frame gives up its menu first so that nothing refers to a
    // destroyed one while the window finishes dying.
    if (frame)
        SetMenu(frame, nullptr);
    noTableMenu.Reset();
    tableMenu.Reset();
    CloseAllTables();
    ReleaseBackBuffer();
    if (smsPanel)
        DestroyWindow(smsPanel);
    smsPanel = nullptr;
    logo.Reset();
    tile.Reset();
    RestoreClientProc();
    session.reset();
    if (TheApp == this)
        TheApp = nullptr;
}

void Application::OpenTable(int kind)
{
    for (const auto& model : OpenTables) {
        if (model->Kind() == kind && model->Grid()) {
            SendMessageA(mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(model->Grid()->Handle()), 0);
            RefreshCommands();
            return;
        }
    }
    if (!HasTableWindow(kind))
        return;
    Application* const self = this;
    std::unique_ptr<TableModel> model = CreateTableModel(kind);
    // Building the model may show boxes without an owner, and meanwhile the
    // user may close the frame (this object is then gone) or open the same
    // table: the new model is then dropped, and its window with it.
    if (TheApp != self || !model || !model->Grid())
        return;
    for (const auto& open : OpenTables) {
        if (open->Kind() == kind && open->Grid()) {
            SendMessageA(mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(open->Grid()->Handle()), 0);
            RefreshCommands();
            return;
        }
    }
    OpenTables.push_back(std::move(model));
    RefreshCommands();
}

void Application::CloseActiveTable()
{
    for (const auto& model : OpenTables) {
        if (model->Grid() && model->Grid()->IsActive()) {
            model->Grid()->Close();
            break;
        }
    }
    RefreshCommands();
}

void Application::CloseAllTables()
{
    while (!OpenTables.empty()) {
        const size_t before = OpenTables.size();
        GridWindow* grid = OpenTables.front()->Grid();
        if (grid)
            grid->Close();
        // A window that did not take its model with it is dropped here, so
        // the loop always ends.
        if (OpenTables.size() == before)
            OpenTables.erase(OpenTables.begin());
    }
    OpenTables.clear();
}

void Application::ForgetTable(HWND window)
{
    auto it = std::find_if(OpenTables.begin(), OpenTables.end(), [window](const auto& model) {
        return model->Grid() && model->Grid()->Handle() == window;
    });
    if (it == OpenTables.end())
        return;
    OpenTables.erase(it);
    if (!closing)
        RefreshCommands();
}

GridWindow* Application::FindGridWindow(HWND window) const
{
    for (const auto& model : OpenTables)
        if (model->Grid() && model->Grid()->Handle() == window)
            return model->Grid();
    return nullptr;
}

TableModel* Application::FindModel(const GridWindow* grid) const
{
    for (const auto& model : OpenTables)
        if (grid && model->Grid() == grid)
            return model.get();
    return nullptr;
}

TableModel* Application::ActiveModel() const
{
    if (!mdiClient)
        return nullptr;
    HWND active = reinterpret_cast<HWND>(SendMessageA(mdiClient, WM_MDIGETACTIVE, 0, 0));
    return active ? FindModel(FindGridWindow(active)) : nullptr;
}
