#pragma once
#include <windows.h>

// The table window of one open table (an MDI child).
class GridWindow {
public:
    explicit GridWindow(HWND window = nullptr) : window_(window) {}
    virtual ~GridWindow() = default;

    HWND Handle() const { return window_; }
    // It is the MDI client's active child.
    bool IsActive() const;
    // Destroys the MDI child window.
    void Close();

protected:
    HWND window_;
};
