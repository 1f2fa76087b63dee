// Verbs on tool bars and status bars.
#include "remote.h"
#include "verbs.h"

#include <commctrl.h>

#include <cstdio>

namespace vmdrive {

namespace {

Step ToolBar(const std::string& text, HWND& hwnd)
{
    Step step = Target(text, hwnd);
    if (step == Step::Done && lstrcmpiA(ClassOf(hwnd).c_str(), TOOLBARCLASSNAMEA) != 0) {
        SetWhy("not a tool bar: " + ClassOf(hwnd));
        return Step::Retry;
    }
    return step;
}

Step StatusBar(const std::string& text, HWND& hwnd)
{
    Step step = Target(text, hwnd);
    if (step == Step::Done && lstrcmpiA(ClassOf(hwnd).c_str(), STATUSCLASSNAMEA) != 0) {
        SetWhy("not a status bar: " + ClassOf(hwnd));
        return Step::Retry;
    }
    return step;
}

const char* Bit(LRESULT value)
{
    return value ? "1" : "0";
}

}  // namespace

VMDRIVE_VERB(VerbTbState)
{
    (void)options;
    long long command = 0;
    if (!NumberArg(args[1], command, "command"))
        return Step::Usage;
    HWND bar = nullptr;
    Step step = ToolBar(args[0], bar);
    if (step != Step::Done)
        return step;
    WPARAM id = static_cast<WPARAM>(command);
    LRESULT index = 0;
    if (!Query(bar, TB_COMMANDTOINDEX, id, 0, index))
        return Step::Retry;
    if (index < 0) {
        SetWhy("no button with command " + args[1]);
        return Step::Retry;
    }
    LRESULT hidden = 0;
    LRESULT checked = 0;
    LRESULT enabled = 0;
    if (!Query(bar, TB_ISBUTTONHIDDEN, id, 0, hidden) || !Query(bar, TB_ISBUTTONCHECKED, id, 0, checked) ||
        !Query(bar, TB_ISBUTTONENABLED, id, 0, enabled))
        return Step::Retry;
    out.push_back(std::string(Bit(hidden)) + " " + Bit(checked) + " " + Bit(enabled));
    return Step::Done;
}

VMDRIVE_VERB(VerbTbCount)
{
    (void)options;
    HWND bar = nullptr;
    Step step = ToolBar(args[0], bar);
    if (step != Step::Done)
        return step;
    LRESULT count = 0;
    if (!Query(bar, TB_BUTTONCOUNT, 0, 0, count))
        return Step::Retry;
    out.push_back(std::to_string(static_cast<long long>(count)));
    return Step::Done;
}

// One line per entry: command, image, hidden, checked, enabled, separator.
VMDRIVE_VERB(VerbTbButtons)
{
    (void)options;
    HWND bar = nullptr;
    Step step = ToolBar(args[0], bar);
    if (step != Step::Done)
        return step;
    LRESULT count = 0;
    if (!Query(bar, TB_BUTTONCOUNT, 0, 0, count))
        return Step::Retry;
    // TB_GETBUTTON writes through a pointer that nobody marshals, so the
    // structure lives in the tool bar's own process.
    RemoteBuffer remote(bar, sizeof(TBBUTTON));
    if (!remote.Ok()) {
        SetWhy("cannot reach the tool bar's process memory");
        return Step::Retry;
    }
    for (LRESULT i = 0; i < count; ++i) {
        TBBUTTON button{};
        LRESULT ok = 0;
        if (!Query(bar, TB_GETBUTTON, static_cast<WPARAM>(i), remote.Address(), ok) || !ok ||
            !remote.Read(&button, sizeof button)) {
            SetWhy("TB_GETBUTTON failed");
            return Step::Retry;
        }
        char line[128];
        std::snprintf(line, sizeof line, "%d %d %s %s %s %s", button.idCommand, button.iBitmap,
                      Bit(button.fsState & TBSTATE_HIDDEN), Bit(button.fsState & TBSTATE_CHECKED),
                      Bit(button.fsState & TBSTATE_ENABLED), Bit(button.fsStyle & BTNS_SEP));
        out.push_back(line);
    }
    return Step::Done;
}

VMDRIVE_VERB(VerbSbText)
{
    (void)options;
    long long part = 0;
    if (args.size() > 1 && (!NumberArg(args[1], part, "part") || part < 0 || part > 255))
        return Step::Usage;
    HWND bar = nullptr;
    Step step = StatusBar(args[0], bar);
    if (step != Step::Done)
        return step;
    // Part 0 is what WM_GETTEXT returns, and that message is marshalled.
    if (part == 0) {
        out.push_back(Escape(WindowTextOf(bar)));
        return Step::Done;
    }
    LRESULT parts = 0;
    if (!Query(bar, SB_GETPARTS, 0, 0, parts))
        return Step::Retry;
    if (part >= parts) {
        SetWhy("the status bar has " + std::to_string(static_cast<long long>(parts)) + " parts");
        return Step::Retry;
    }
    LRESULT info = 0;
    if (!Query(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part), 0, info))
        return Step::Retry;
    size_t length = LOWORD(info);
    RemoteBuffer remote(bar, length + 16);
    if (!remote.Ok()) {
        SetWhy("cannot reach the status bar's process memory");
        return Step::Retry;
    }
    std::vector<char> buf(remote.Size(), '\0');
    LRESULT ignored = 0;
    if (!Query(bar, SB_GETTEXTA, static_cast<WPARAM>(part), remote.Address(), ignored) ||
        !remote.Read(buf.data(), buf.size())) {
        SetWhy("SB_GETTEXT failed");
        return Step::Retry;
    }
    buf.back() = '\0';
    out.push_back(Escape(buf.data()));
    return Step::Done;
}

VMDRIVE_VERB(VerbSbParts)
{
    (void)options;
    HWND bar = nullptr;
    Step step = StatusBar(args[0], bar);
    if (step != Step::Done)
        return step;
    LRESULT parts = 0;
    if (!Query(bar, SB_GETPARTS, 0, 0, parts))
        return Step::Retry;
    out.push_back(std::to_string(static_cast<long long>(parts)));
    return Step::Done;
}

}  // namespace vmdrive
