#pragma once
#include <windows.h>

class PhoneSession;
class TableModel;

// What the phone operations need from the program around them: the frame
// that the progress dialog and the boxes stand over, the phone session, the
// active table window's model, and the opening of a table window. The
// application implements it.
class ExchangeHost {
public:
    ExchangeHost(const ExchangeHost&) = delete;
    ExchangeHost& operator=(const ExchangeHost&) = delete;

    virtual HWND Frame() const = 0;
    // None before the session is made.
    virtual PhoneSession* Session() const = 0;
    // None when no table window is active.
    virtual TableModel* ActiveModel() const = 0;
    // Opens (or activates) the table window of a kind.
    virtual void OpenTable(int kind) = 0;

    // True while `host` exists. Code that ran a message loop (a dialog, a
    // wait that pumps messages) asks this before it goes on with the host it
    // held: the user may have closed the program meanwhile.
    static bool Exists(const ExchangeHost* host);

protected:
    ExchangeHost();
    ~ExchangeHost();
};
