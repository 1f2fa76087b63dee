#include "grid/GridWindow.h"

// Export to Excel and Word files is not built yet.
void GridWindow::Export() {}
