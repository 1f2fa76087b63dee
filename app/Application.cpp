#include "app/Application.h"

#include <algorithm>

#include "grid/GridWindow.h"
#include "models/TableCatalogue.h"
#include "models/TableModel.h"
#include "phone/PhoneSession.h"
#include "worker/RunExchange.h"

Application* TheApp = nullptr;

// Deletes the application object for its one owner below.
struct ApplicationDeleter {
    void operator()(Application* app) const { delete app; }
};

namespace {
std::unique_ptr<Application, ApplicationDeleter> owner;
}  // namespace

Application* CreateApplication(HINSTANCE instance)
{
    DestroyApplication();
    owner.reset(new Application(instance));
    TheApp = owner.get();
    return TheApp;
}

void DestroyApplication()
{
    // Taken out of its owner first: what the destruction sets off (the
    // frame's own destruction among it) finds no object to destroy again.
    std::unique_ptr<Application, ApplicationDeleter> gone = std::move(owner);
    gone.reset();
    TheApp = nullptr;
}

Application::Application(HINSTANCE moduleInstance) : instance(moduleInstance)
{
    LoadSettings();
}

Application::~Application()
{
    closing = true;
    // A worker still running reads the tables and the database: it ends
    // before anything is taken down.
    EndExchangeForExit();
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
        if (model->Kind() == kind && model->Window()) {
            SendMessageA(mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(model->Window()->Handle()), 0);
            RefreshCommands();
            return;
        }
    }
    if (!HasTableWindow(kind))
        return;
    Application* const self = this;
    // The model's loading shows boxes without an owner: the window is made
    // only while this application still stands.
    const auto makeWindow = [self](TableModel& owner, RowSet* rows, std::vector<ColumnSpec>* columns,
                                   const std::string& note) -> std::unique_ptr<TableWindow> {
        if (TheApp != self)
            return nullptr;
        return std::make_unique<GridWindow>(owner, *self, rows, columns, note);
    };
    std::unique_ptr<TableModel> model = CreateTableModel(kind, ModelSources{makeWindow, session.get()});
    // Building the model may show boxes without an owner, and meanwhile the
    // user may close the frame (this object is then gone) or open the same
    // table: the new model is then dropped, and its window with it.
    if (TheApp != self || !model || !model->Window())
        return;
    for (const auto& open : OpenTables) {
        if (open->Kind() == kind && open->Window()) {
            SendMessageA(mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(open->Window()->Handle()), 0);
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
        if (model->Window() && model->Window()->IsActive()) {
            model->Window()->Close();
            break;
        }
    }
    RefreshCommands();
}

void Application::CloseAllTables()
{
    while (!OpenTables.empty()) {
        const size_t before = OpenTables.size();
        if (TableWindow* window = OpenTables.front()->Window())
            window->Close();
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
        return model->Window() && model->Window()->Handle() == window;
    });
    if (it == OpenTables.end())
        return;
    OpenTables.erase(it);
    if (!closing)
        RefreshCommands();
}

TableModel* Application::ActiveModel() const
{
    if (!mdiClient)
        return nullptr;
    HWND active = reinterpret_cast<HWND>(SendMessageA(mdiClient, WM_MDIGETACTIVE, 0, 0));
    if (!active)
        return nullptr;
    for (const auto& model : OpenTables)
        if (model->Window() && model->Window()->Handle() == active)
            return model.get();
    return nullptr;
}

bool Application::TableActionsBlocked() const
{
    return ::ExchangeRunning();
}
