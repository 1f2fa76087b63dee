#pragma once
#include <windows.h>

#include "common/MemoryBitmap.h"

class TableWindowHost;

// Base of the document windows inside the frame's MDI client. Routes the
// window's messages to the virtual handlers of the object behind the window
// (kept in the window's GWLP_USERDATA while both exist) and paints through
// a back buffer, so that nothing flickers.
class MDIChild {
public:
    explicit MDIChild(TableWindowHost& host);
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
    TableWindowHost& Host() const { return host_; }

    // The object behind a window of this class; none for another window, or
    // once the object has gone.
    static MDIChild* FromHandle(HWND window);

    static const char ClassName[];

protected:
    // A window of this class in the host's MDI client, titled "MDIChild окно"
    // until its owner names it; none on failure (the system's error code then
    // stays for GetLastError).
    HWND CreateChildWindow(DWORD style, int left, int top, int width, int height) const;
    // Keeps and shows a window made by CreateChildWindow; from here on the
    // window's messages reach this object.
    HWND Adopt(HWND window);
    const MemoryBitmap& BackBuffer() const { return backBuffer_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    TableWindowHost& host_;
    HWND window_ = nullptr;
    MemoryBitmap backBuffer_;
    MemoryBitmap tile_;
    // Set once the window is being destroyed, so that nothing asks for its
    // destruction a second time.
    bool destroying_ = false;
    bool painting_ = false;
    bool repaint_ = false;
};
