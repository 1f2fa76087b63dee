#pragma once

// Where a window of the given size goes so that its centre falls on the
// centre of the reference rectangle (integer halves, as the dialogs place
// themselves).
struct WindowOrigin {
    int x;
    int y;
};

WindowOrigin CentredOrigin(int refLeft, int refTop, int refRight, int refBottom, int width, int height);
