// Shared declarations of the end-to-end driver: options, window references,
// text helpers and the verb table.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vmdrive {

using Lines = std::vector<std::string>;
using Args = std::vector<std::string>;

// Result of one attempt of a verb. Retry means "not there yet": the caller
// polls again until the time-out. Failed ends at once with exit code 1 (used
// after an action was already delivered and must not be repeated).
enum class Step { Done, Retry, Failed, Usage };

struct Options {
    DWORD timeoutMs = 10000;
    bool printHandle = false;
    bool haveExpect = false;
    std::string expect;
    std::string desktop;
};

// What a verb keeps between the attempts of one command. It is emptied as
// each command starts: one process may serve many commands (`serve`).
struct Attempts {
    bool posted = false;  // run, start: the command went out
    bool seen = false;    // run, start: the dialog was seen open
    HWND box = nullptr;   // msgbox: the box looked at, and since when
    ULONGLONG boxSince = 0;
    HWND raised = nullptr;  // the box already raised and repainted
};
Attempts& CurrentAttempts();

// Why the last attempt did not succeed; printed to stderr on time-out.
void SetWhy(const std::string& why);
const std::string& Why();
void StartClock(DWORD timeoutMs);
// Milliseconds left until the time-out of the current verb (at least 1).
DWORD RemainingMs();

// A window named on the command line: class:NAME, title:TEXT, 0xHEX or msgbox,
// optionally followed by /ID steps down to descendant controls.
struct WindowRef {
    enum class Kind { Class, Title, Handle, MsgBox } kind = Kind::Class;
    std::string name;
    HWND handle = nullptr;
    std::vector<int> path;
};

bool ParseWindowRef(const std::string& text, WindowRef& ref);
HWND Resolve(const WindowRef& ref);
HWND FindControl(HWND parent, int id);

bool ParseInt(const std::string& text, long long& value);
std::string HandleText(HWND hwnd);
std::string ClassOf(HWND hwnd);
// WM_GETTEXT across processes (Wine and Windows marshal it).
std::string WindowTextOf(HWND hwnd);
// Backslash, line breaks and tabs become \\, \n and \t so that each item stays on one line.
std::string Escape(const std::string& text);

// Delivers a message and waits a little for it to be handled; a handler that
// is still busy (usually because it runs a modal loop) counts as delivered.
bool Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr);
// Query messages without pointers: false when the target does not answer.
bool Query(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Message boxes (msgbox.cpp).
bool IsMessageBox(HWND hwnd);
HWND FindMessageBox();
// "warning", "error", "information", "question", "none", or empty when the icon
// cannot be told yet (not painted).
std::string IconKind(HWND msgbox);

struct Verb {
    const char* name;
    int minArgs;
    int maxArgs;
    bool query;  // output may be compared with --expect and the verb is retried
    Step (*run)(const Args& args, const Options& options, Lines& out);
};

const Verb* FindVerb(const std::string& name);

}  // namespace vmdrive
