#pragma once
#include <windows.h>

class Application;
class GridWindow;
class PhoneSession;
class TableModel;

// The way from the lower layers up to the one application object. The
// object itself is built and destroyed by the application shell; code below
// it sees only these few questions, answered by the shell.

// The application object; none before start-up and once the frame is
// destroyed. Code that ran a message loop compares it with the value it had
// before, to learn whether what it holds still exists.
extern Application* TheApp;

// The module holding the program's resources.
HINSTANCE ModuleInstance();
// The frame window and its MDI client; none without an application.
HWND AppFrame();
HWND AppMdiClient();
// The phone session; none without an application or before it is made.
PhoneSession* AppSession();
// The model of the active table window; none when no table window is active.
TableModel* AppActiveModel();
// The grid whose window is `window`, and the model a grid belongs to.
GridWindow* AppFindGrid(HWND window);
TableModel* AppFindModel(const GridWindow* grid);
// Opens (or activates) the table window of a kind.
void AppOpenTable(int kind);
// A table window is being destroyed: its model is dropped.
void AppForgetTable(HWND window);
// Greys and enables the frame's commands for the current state.
void AppRefreshCommands();
// True while a phone operation runs on the exchange worker; the user's
// actions in table windows are dropped meanwhile.
bool AppExchangeRunning();
