#pragma once
#include <windows.h>

// What a table window needs from the program around it: the MDI client it
// stands in, the frame its dialogs belong to, whether the phone exchange
// keeps the user out, and whom to tell that it closed or that the commands
// for the active table changed. The application implements it; each window
// holds its host from creation on.
class TableWindowHost {
public:
    virtual HWND MdiClient() const = 0;
    virtual HWND Frame() const = 0;
    // True while the user's actions in table windows are dropped: a phone
    // operation runs on the exchange worker and reads the tables.
    virtual bool TableActionsBlocked() const = 0;
    // The window is being destroyed: its model (and with it the window's
    // object) may be deleted here.
    virtual void TableWindowDestroyed(HWND window) = 0;
    // The active table window changed: the frame's commands follow it.
    virtual void CommandsChanged() = 0;

protected:
    ~TableWindowHost() = default;
};
