// Verbs on windows in general.
#include "verbs.h"

#include <cstdio>

namespace vmdrive {

namespace {

struct TopLevels {
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param)
{
    reinterpret_cast<TopLevels*>(param)->windows.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> AllTopLevel()
{
    TopLevels list;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&list));
    return list.windows;
}

std::string Numbers(long a, long b, long c = 0, long d = 0, int count = 2)
{
    char buf[96];
    if (count == 4)
        std::snprintf(buf, sizeof buf, "%ld %ld %ld %ld", a, b, c, d);
    else
        std::snprintf(buf, sizeof buf, "%ld %ld", a, b);
    return buf;
}

Step PostCommand(const Args& args, UINT msg, bool withCommand)
{
    long long command = 0;
    if (withCommand && !NumberArg(args[1], command, "command"))
        return Step::Usage;
    HWND hwnd = nullptr;
    Step step = Target(args[0], hwnd);
    if (step != Step::Done)
        return step;
    if (!PostMessageA(hwnd, msg, static_cast<WPARAM>(command), 0)) {
        SetWhy("PostMessage failed");
        return Step::Retry;
    }
    return Step::Done;
}

}  // namespace

VMDRIVE_VERB(VerbWait)
{
    (void)options;
    HWND hwnd = nullptr;
    Step step = Target(args[0], hwnd);
    if (step == Step::Done)
        out.push_back(HandleText(hwnd));
    return step;
}

VMDRIVE_VERB(VerbGone)
{
    (void)options;
    (void)out;
    HWND hwnd = nullptr;
    Step step = Target(args[0], hwnd);
    if (step == Step::Usage)
        return step;
    if (step == Step::Done) {
        SetWhy("window " + HandleText(hwnd) + " still exists");
        return Step::Retry;
    }
    return Step::Done;
}

VMDRIVE_VERB(VerbCount)
{
    (void)options;
    int count = 0;
    for (HWND hwnd : AllTopLevel())
        if (lstrcmpiA(ClassOf(hwnd).c_str(), args[0].c_str()) == 0)
            ++count;
    out.push_back(std::to_string(count));
    return Step::Done;
}

VMDRIVE_VERB(VerbWindows)
{
    (void)options;
    (void)args;
    for (HWND hwnd : AllTopLevel()) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        out.push_back(HandleText(hwnd) + "\t" + ClassOf(hwnd) + "\t" + std::to_string(pid) + "\t" +
                      (IsWindowVisible(hwnd) ? "1" : "0") + "\t" + Escape(WindowTextOf(hwnd)));
    }
    return Step::Done;
}

VMDRIVE_VERB(VerbPost)
{
    (void)options;
    (void)out;
    return PostCommand(args, WM_COMMAND, true);
}

namespace {
// Posts the command of `args` on the first call, then looks closely for the
// dialog `args[2]` for a while before the driver's usual pause: done once it
// has opened and, with `untilClosed`, closed again. A separate wait started
// after the post can miss a dialog that a quick operation opens for a moment.
Step PostAndWatch(const Args& args, bool& posted, bool& seen, bool untilClosed)
{
    if (!posted) {
        const Step step = PostCommand(args, WM_COMMAND, true);
        if (step != Step::Done)
            return step;
        posted = true;
    }
    for (int look = 0; look < 10; ++look) {
        HWND hwnd = nullptr;
        const Step step = Target(args[2], hwnd);
        if (step == Step::Usage)
            return step;
        if (step == Step::Done) {
            seen = true;
            if (!untilClosed)
                return Step::Done;
            SetWhy("window " + HandleText(hwnd) + " still exists");
            return Step::Retry;
        }
        if (seen)
            return Step::Done;
        Sleep(5);
    }
    SetWhy("the window has not opened");
    return Step::Retry;
}
}  // namespace

// Posts the command once, then waits until DIALOG has opened and closed again.
VMDRIVE_VERB(VerbRun)
{
    (void)options;
    (void)out;
    Attempts& attempts = CurrentAttempts();
    return PostAndWatch(args, attempts.posted, attempts.seen, true);
}

// Posts the command once, then waits until DIALOG has opened; it may be
// closed again by the time the caller looks.
VMDRIVE_VERB(VerbStart)
{
    (void)options;
    (void)out;
    Attempts& attempts = CurrentAttempts();
    return PostAndWatch(args, attempts.posted, attempts.seen, false);
}

VMDRIVE_VERB(VerbClose)
{
    (void)options;
    (void)out;
    return PostCommand(args, WM_CLOSE, false);
}

VMDRIVE_VERB(VerbKey)
{
    (void)options;
    (void)out;
    long long key = 0;
    if (!NumberArg(args[1], key, "key"))
        return Step::Usage;
    HWND hwnd = nullptr;
    Step step = Target(args[0], hwnd);
    if (step != Step::Done)
        return step;
    if (!PostMessageA(hwnd, WM_KEYDOWN, static_cast<WPARAM>(key), 1)) {
        SetWhy("PostMessage failed");
        return Step::Retry;
    }
    return Step::Done;
}

VMDRIVE_VERB(VerbChar)
{
    (void)options;
    (void)out;
    HWND hwnd = nullptr;
    Step step = Target(args[0], hwnd);
    if (step != Step::Done)
        return step;
    for (unsigned char c : args[1]) {
        if (!PostMessageA(hwnd, WM_CHAR, c, 1)) {
            SetWhy("PostMessage failed");
            return Step::Retry;
        }
    }
    return Step::Done;
}

VMDRIVE_VERB(VerbSend)
{
    (void)options;
    (void)out;
    long long command = 0;
    if (!NumberArg(args[1], command, "command"))
        return Step::Usage;
    HWND hwnd = nullptr;
    Step step = Target(args[0], hwnd);
    if (step != Step::Done)
        return step;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd, WM_COMMAND, static_cast<WPARAM>(command), 0, SMTO_NORMAL, RemainingMs(), &result)) {
        SetWhy(GetLastError() == ERROR_TIMEOUT || GetLastError() == 0 ? "no return before the time-out (a modal loop?)"
                                                                      : "SendMessageTimeout failed");
        return Step::Failed;
    }
    return Step::Done;
}

VMDRIVE_VERB(VerbText)
{
    (void)options;
    HWND hwnd = nullptr;
    Step step = Target(args[0], hwnd);
    if (step == Step::Done)
        out.push_back(Escape(WindowTextOf(hwnd)));
    return step;
}

VMDRIVE_VERB(VerbRect)
{
    (void)options;
    HWND hwnd = nullptr;
    Step step = Target(args[0], hwnd);
    RECT r{};
    if (step == Step::Done && GetWindowRect(hwnd, &r))
        out.push_back(Numbers(r.left, r.top, r.right, r.bottom, 4));
    return out.empty() && step == Step::Done ? Step::Retry : step;
}

VMDRIVE_VERB(VerbClient)
{
    (void)options;
    HWND hwnd = nullptr;
    Step step = Target(args[0], hwnd);
    RECT r{};
    if (step == Step::Done && GetClientRect(hwnd, &r))
        out.push_back(Numbers(r.right - r.left, r.bottom - r.top));
    return out.empty() && step == Step::Done ? Step::Retry : step;
}

VMDRIVE_VERB(VerbVisible)
{
    (void)options;
    HWND hwnd = nullptr;
    Step step = Target(args[0], hwnd);
    if (step == Step::Done)
        out.push_back(IsWindowVisible(hwnd) ? "1" : "0");
    return step;
}

VMDRIVE_VERB(VerbEnabled)
{
    (void)options;
    HWND hwnd = nullptr;
    Step step = Target(args[0], hwnd);
    if (step == Step::Done)
        out.push_back(IsWindowEnabled(hwnd) ? "1" : "0");
    return step;
}

VMDRIVE_VERB(VerbChildren)
{
    (void)options;
    HWND hwnd = nullptr;
    Step step = Target(args[0], hwnd);
    if (step != Step::Done)
        return step;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        out.push_back(HandleText(child) + "\t" + ClassOf(child) + "\t" + std::to_string(GetDlgCtrlID(child)) + "\t" +
                      Escape(WindowTextOf(child)));
    return Step::Done;
}

VMDRIVE_VERB(VerbMdiActive)
{
    (void)options;
    HWND client = nullptr;
    Step step = Target(args[0], client);
    if (step != Step::Done)
        return step;
    LRESULT active = 0;
    if (!Query(client, WM_MDIGETACTIVE, 0, 0, active))
        return Step::Retry;
    out.push_back(HandleText(reinterpret_cast<HWND>(active)));
    return Step::Done;
}

}  // namespace vmdrive
