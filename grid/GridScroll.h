#pragma once
#include "grid/GridView.h"

// Scrolling moves the first visible row or column in whole rows and columns.
enum class ScrollStep { None, LineBack, LineForward, PageBack, PageForward, Thumb };

// The first visible row after `step` in a client area `clientHeight` high;
// `thumb` is the thumb position for ScrollStep::Thumb. Stays within the rows.
int ScrolledFirstRow(const GridView& view, const GridShape& shape, int clientHeight, ScrollStep step, int thumb);
// The same for columns and the client width.
int ScrolledFirstColumn(const GridView& view, const GridShape& shape, int clientWidth, ScrollStep step, int thumb);

// One line of scrolling per axis that brings the current cell back into
// view: -1 back, +1 forward, 0 none. Nothing without rows or columns.
struct ViewCorrection {
    int columnStep = 0;
    int rowStep = 0;
};
ViewCorrection CorrectionToShowCurrent(const GridView& view, const GridShape& shape);
