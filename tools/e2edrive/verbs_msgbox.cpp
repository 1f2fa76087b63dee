// Reading message boxes and pressing dialog buttons.
#include "verbs.h"

namespace vmdrive {

namespace {

// An icon that does not match any standard one within this time is reported as
// "unknown" instead of failing the whole read.
constexpr ULONGLONG kIconPatienceMs = 3000;

HWND MessageTextControl(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(child);
        if ((id == 0xFFFF || id == 100) && lstrcmpiA(ClassOf(child).c_str(), "Static") == 0 &&
            (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            return child;
    }
    return nullptr;
}

}  // namespace

VMDRIVE_VERB(VerbMsgBox)
{
    (void)args;
    Attempts& attempts = CurrentAttempts();
    HWND box = FindMessageBox();
    if (!box) {
        SetWhy("no message box");
        return Step::Retry;
    }
    if (box != attempts.box) {
        attempts.box = box;
        attempts.boxSince = GetTickCount64();
    }
    HWND text = MessageTextControl(box);
    std::string icon = IconKind(box);
    if (icon.empty()) {
        if (GetTickCount64() - attempts.boxSince < kIconPatienceMs) {
            SetWhy("icon of the message box not recognised");
            return Step::Retry;
        }
        icon = "unknown";
    }
    out.push_back(Escape(WindowTextOf(box)));
    out.push_back(text ? Escape(WindowTextOf(text)) : std::string());
    out.push_back(icon);
    if (options.printHandle)
        out.push_back(HandleText(box));
    return Step::Done;
}

VMDRIVE_VERB(VerbAnswer)
{
    (void)options;
    (void)out;
    long long id = 0;
    if (!NumberArg(args[1], id, "button id"))
        return Step::Usage;
    HWND dialog = nullptr;
    Step step = Target(args[0], dialog);
    if (step != Step::Done)
        return step;
    HWND button = GetDlgItem(dialog, static_cast<int>(id));
    if (!button) {
        SetWhy("no button " + args[1]);
        return Step::Retry;
    }
    if (!IsWindowEnabled(button)) {
        SetWhy("button " + args[1] + " is disabled");
        return Step::Retry;
    }
    bool messageBox = IsMessageBox(dialog);
    if (!Deliver(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button))) {
        SetWhy("dialog went away");
        return Step::Failed;
    }
    // Every button of a message box ends it; wait for that so that the next
    // "msgbox" does not read this one again.
    while (messageBox && IsWindow(dialog) && IsWindowVisible(dialog)) {
        if (RemainingMs() <= 1) {
            SetWhy("message box still open after the answer");
            return Step::Failed;
        }
        Sleep(20);
    }
    return Step::Done;
}

}  // namespace vmdrive
