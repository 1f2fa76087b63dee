#pragma once
#include <windows.h>

#include "common/MemoryBitmap.h"

// Base of the document windows inside the frame's MDI client. Routes the
// window's messages to the virtual handlers of the object that owns the
// window (found through the application by window handle) and paints
// through a back buffer, so that nothing flickers.
class MDIChild {
public:
    MDIChild();
    virtual ~MDIChild();
    MDIChild(const MDIChild&) = delete;
    MDIChild& operator=(const MDIChild&) = delete;

    // Creates the MDI child with the system's default placement and shows it.
    virtual HWND Create();
    // Focuses the window and asks the MDI client to destroy it.
    virtual void Close();
    // The window is the MDI client's active child.
    virtual bool IsActive() const;
    virtual void Paint();
    virtual void CreateBackBuffer(HDC dc);
    virtual void ReleaseBackBuffer();
    virtual void OnKeyDown(WPARAM key, LPARAM keyData);
    virtual void OnChar(WPARAM character, LPARAM keyData);
    virtual void OnVScroll(WPARAM request, LPARAM scrollBar);
    virtual void OnHScroll(WPARAM request, LPARAM scrollBar);
    virtual void OnLButtonDown(int x, int y);
    virtual void OnRButtonDown(int x, int y);
    virtual void OnLButtonDblClk(int x, int y);
    virtual void SetReadOnly(bool readOnly);
    virtual void OnCommand(int command);
    // Fills the back buffer; the base tiles it with the table background.
    virtual void DrawContent();
    // Runs after the back buffer reached the screen.
    virtual void AfterPaint();

    HWND Handle() const { return window_; }

    static const char ClassName[];

protected:
    // A window of this class in the frame's MDI client, titled "MDIChild окно"
    // until its owner names it; none on failure (the system's error code then
    // stays for GetLastError).
    static HWND CreateChildWindow(DWORD style, int left, int top, int width, int height);
    // Keeps and shows a window made by CreateChildWindow.
    HWND Adopt(HWND window);
    const MemoryBitmap& BackBuffer() const { return backBuffer_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    MemoryBitmap backBuffer_;
    MemoryBitmap tile_;
    // Set once the window is being destroyed, so that nothing asks for its
    // destruction a second time.
    bool destroying_ = false;
    bool painting_ = false;
    bool repaint_ = false;
};
