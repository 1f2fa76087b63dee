#include "grid/GridWindow.h"

// The in-place editors are not built yet: a cell is selected but not opened.
void GridWindow::BeginEdit(int, LPARAM) {}
