// Finding message boxes of other processes and telling their icon.
#include "drive.h"
#include "pixels.h"

#include <cstdio>
#include <cstdlib>

namespace vmdrive {

namespace {

bool IsStatic(HWND hwnd)
{
    return lstrcmpiA(ClassOf(hwnd).c_str(), "Static") == 0;
}

bool IsIconStatic(HWND hwnd)
{
    return IsStatic(hwnd) && (GetWindowLongPtrA(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

HWND FindIconControl(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsIconStatic(child))
            return child;
    return nullptr;
}

struct BoxSearch {
    HWND found;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM param)
{
    if (IsMessageBox(hwnd)) {
        reinterpret_cast<BoxSearch*>(param)->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The pixels can only be read while the box is uncovered. Under Wine, closing a
// nested message box can leave its owner above the box below it, so the box is
// raised (without activating it) and repainted, once per box. Both are only
// requests to the box's thread: a program busy in a long exchange must not
// hold this tool, which has a time limit of its own to keep.
void BringForward(HWND box)
{
    HWND& raised = CurrentAttempts().raised;
    if (raised == box)
        return;
    raised = box;
    SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

bool Debug()
{
    return std::getenv("VMDRIVE_DEBUG") != nullptr;
}

}  // namespace

bool IsMessageBox(HWND hwnd)
{
    if (!IsWindowVisible(hwnd) || ClassOf(hwnd) != "#32770")
        return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId())
        return false;
    bool text = false;
    bool icon = false;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsStatic(child))
            continue;
        int id = GetDlgCtrlID(child);
        if (IsIconStatic(child))
            icon = icon || id == 20 || id == 1088;
        else
            text = text || id == 0xFFFF || id == 100;
    }
    return text && icon;
}

HWND FindMessageBox()
{
    BoxSearch search{nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string IconKind(HWND box)
{
    HWND control = FindIconControl(box);
    if (!control || !IsWindowVisible(control))
        return "none";
    LRESULT icon = 0;
    if (!Query(control, STM_GETICON, 0, 0, icon))
        return {};
    if (!icon)
        return "none";
    // Icon handles are per process under Wine (each process loads its own copy
    // of the standard icons), so the handles never compare equal. The icon is
    // told by its pixels instead: the control's painted area is compared with
    // each standard icon drawn the way the static control draws it.
    RECT rect{};
    GetClientRect(control, &rect);
    Pixels shown;
    if (!CaptureScreen(control, rect, shown))
        return {};
    COLORREF background = shown.At(0, 0);
    static const struct {
        LPCSTR id;
        const char* name;
    } kinds[] = {
        {IDI_WARNING, "warning"}, {IDI_ERROR, "error"}, {IDI_INFORMATION, "information"}, {IDI_QUESTION, "question"}};
    const char* best = nullptr;
    unsigned long long bestScore = ~0ull;
    unsigned long long secondScore = ~0ull;
    for (const auto& kind : kinds) {
        Pixels drawn;
        if (!DrawStandardIcon(LoadIconA(nullptr, kind.id), shown.width, shown.height, background, drawn))
            return {};
        unsigned long long score = Difference(shown, drawn);
        if (Debug())
            std::fprintf(stderr, "icon %s: difference %llu\n", kind.name, score);
        if (score < bestScore) {
            secondScore = bestScore;
            bestScore = score;
            best = kind.name;
        } else if (score < secondScore) {
            secondScore = score;
        }
    }
    // The same icon drawn the same way matches to the pixel; allow a little for
    // drawing differences but insist that the runner-up is far away.
    unsigned long long tolerance = static_cast<unsigned long long>(shown.width) * shown.height * 6;
    if (!best || bestScore > tolerance || bestScore * 4 >= secondScore) {
        BringForward(box);
        return {};
    }
    return best;
}

}  // namespace vmdrive
