// Verbs on dialog controls: edits, check boxes, combo boxes and list boxes.
#include "verbs.h"

namespace vmdrive {

namespace {

struct ListMessages {
    UINT count;
    UINT getCurrent;
    UINT setCurrent;
    UINT textLength;
    UINT text;
    WORD selChange;
    LRESULT error;
};

const ListMessages kCombo{CB_GETCOUNT,  CB_GETCURSEL,  CB_SETCURSEL, CB_GETLBTEXTLEN,
                          CB_GETLBTEXT, CBN_SELCHANGE, CB_ERR};
const ListMessages kList{LB_GETCOUNT, LB_GETCURSEL, LB_SETCURSEL, LB_GETTEXTLEN, LB_GETTEXT, LBN_SELCHANGE, LB_ERR};

// Tells the control's parent, as the control itself would after a user's action.
bool Notify(HWND control, WORD code)
{
    HWND parent = GetParent(control);
    int id = GetDlgCtrlID(control);
    return parent &&
           Deliver(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), reinterpret_cast<LPARAM>(control));
}

// Reads item `index` of a list or combo box whose text is `length` characters.
// Wine 8 answers LB_GETTEXT and CB_GETLBTEXT sent from another process with the
// UTF-16 text and its terminator, even to an ANSI caller; Windows answers with
// ANSI text. The buffer has room for either, and its fill pattern tells which
// one arrived: UTF-16 ends with two zero bytes where ANSI leaves the pattern.
bool ItemText(HWND control, UINT msg, WPARAM index, size_t length, std::string& text)
{
    constexpr char kFill = static_cast<char>(0xAA);
    std::vector<char> buf((length + 1) * 2 + 16, kFill);
    LRESULT copied = 0;
    if (!Query(control, msg, index, reinterpret_cast<LPARAM>(buf.data()), copied) || copied < 0 ||
        static_cast<size_t>(copied) > length + 1) {
        SetWhy("cannot read item " + std::to_string(index));
        return false;
    }
    size_t n = static_cast<size_t>(copied);
    bool wide = n > 0 && buf[2 * n] == 0 && buf[2 * n + 1] == 0;
    if (!wide) {
        text.assign(buf.data(), n);
        return true;
    }
    std::vector<WCHAR> wideText(n);
    for (size_t k = 0; k < n; ++k)
        wideText[k] = static_cast<WCHAR>(static_cast<unsigned char>(buf[2 * k]) |
                                         (static_cast<unsigned char>(buf[2 * k + 1]) << 8));
    int size = WideCharToMultiByte(CP_ACP, 0, wideText.data(), static_cast<int>(n), nullptr, 0, nullptr, nullptr);
    text.assign(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, wideText.data(), static_cast<int>(n), text.data(), size, nullptr, nullptr);
    return true;
}

Step QueryNumber(const Args& args, UINT msg, Lines& out)
{
    HWND control = nullptr;
    Step step = TargetControl(args[0], args[1], control);
    if (step != Step::Done)
        return step;
    LRESULT value = 0;
    if (!Query(control, msg, 0, 0, value))
        return Step::Retry;
    out.push_back(std::to_string(static_cast<long long>(value)));
    return Step::Done;
}

Step Items(const Args& args, const ListMessages& m, Lines& out)
{
    HWND control = nullptr;
    Step step = TargetControl(args[0], args[1], control);
    if (step != Step::Done)
        return step;
    LRESULT count = 0;
    if (!Query(control, m.count, 0, 0, count) || count < 0)
        return Step::Retry;
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = 0;
        if (!Query(control, m.textLength, static_cast<WPARAM>(i), 0, length) || length < 0)
            return Step::Retry;
        std::string text;
        if (!ItemText(control, m.text, static_cast<WPARAM>(i), static_cast<size_t>(length), text))
            return Step::Retry;
        out.push_back(Escape(text));
    }
    return Step::Done;
}

Step Select(const Args& args, const ListMessages& m)
{
    long long index = 0;
    if (!NumberArg(args[2], index, "index"))
        return Step::Usage;
    HWND control = nullptr;
    Step step = TargetControl(args[0], args[1], control);
    if (step != Step::Done)
        return step;
    // An index past the end would clear the selection, so it is refused
    // before anything changes; -1 clears it on purpose.
    LRESULT count = 0;
    if (!Query(control, m.count, 0, 0, count))
        return Step::Retry;
    if (index < -1 || index >= count) {
        SetWhy("no item " + args[2] + " among " + std::to_string(static_cast<long long>(count)));
        return Step::Retry;
    }
    LRESULT result = 0;
    if (!Query(control, m.setCurrent, static_cast<WPARAM>(index), 0, result))
        return Step::Retry;
    if (result == m.error && index != -1) {
        SetWhy("item " + args[2] + " cannot be selected");
        return Step::Failed;
    }
    if (!Notify(control, m.selChange)) {
        SetWhy("cannot notify the parent");
        return Step::Failed;
    }
    return Step::Done;
}

}  // namespace

VMDRIVE_VERB(VerbDlgText)
{
    (void)options;
    HWND control = nullptr;
    Step step = TargetControl(args[0], args[1], control);
    if (step == Step::Done)
        out.push_back(Escape(WindowTextOf(control)));
    return step;
}

VMDRIVE_VERB(VerbSetText)
{
    (void)options;
    (void)out;
    HWND control = nullptr;
    Step step = TargetControl(args[0], args[1], control);
    if (step != Step::Done)
        return step;
    if (!Deliver(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[2].c_str()))) {
        SetWhy("WM_SETTEXT failed");
        return Step::Failed;
    }
    return Step::Done;
}

VMDRIVE_VERB(VerbSetSel)
{
    (void)options;
    (void)out;
    long long start = 0;
    long long end = 0;
    if (!NumberArg(args[2], start, "start") || !NumberArg(args[3], end, "end"))
        return Step::Usage;
    HWND control = nullptr;
    Step step = TargetControl(args[0], args[1], control);
    if (step != Step::Done)
        return step;
    if (!Deliver(control, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end))) {
        SetWhy("EM_SETSEL failed");
        return Step::Failed;
    }
    return Step::Done;
}

VMDRIVE_VERB(VerbCheck)
{
    (void)options;
    (void)out;
    if (args[2] != "0" && args[2] != "1") {
        SetWhy("check state must be 0 or 1");
        return Step::Usage;
    }
    WPARAM wanted = args[2] == "1" ? BST_CHECKED : BST_UNCHECKED;
    HWND control = nullptr;
    Step step = TargetControl(args[0], args[1], control);
    if (step != Step::Done)
        return step;
    LRESULT current = 0;
    if (!Query(control, BM_GETCHECK, 0, 0, current))
        return Step::Retry;
    // A user's click changes the state and notifies the parent; when the state is
    // already the wanted one there is nothing to click.
    if (static_cast<WPARAM>(current) == wanted)
        return Step::Done;
    if (!Deliver(control, BM_SETCHECK, wanted, 0) || !Notify(control, BN_CLICKED)) {
        SetWhy("cannot set the check box");
        return Step::Failed;
    }
    return Step::Done;
}

VMDRIVE_VERB(VerbChecked)
{
    (void)options;
    return QueryNumber(args, BM_GETCHECK, out);
}

VMDRIVE_VERB(VerbCbSel)
{
    (void)options;
    (void)out;
    return Select(args, kCombo);
}

VMDRIVE_VERB(VerbCbCount)
{
    (void)options;
    return QueryNumber(args, kCombo.count, out);
}

VMDRIVE_VERB(VerbCbCur)
{
    (void)options;
    return QueryNumber(args, kCombo.getCurrent, out);
}

VMDRIVE_VERB(VerbCbItems)
{
    (void)options;
    return Items(args, kCombo, out);
}

VMDRIVE_VERB(VerbLbSel)
{
    (void)options;
    (void)out;
    return Select(args, kList);
}

VMDRIVE_VERB(VerbLbCount)
{
    (void)options;
    return QueryNumber(args, kList.count, out);
}

VMDRIVE_VERB(VerbLbCur)
{
    (void)options;
    return QueryNumber(args, kList.getCurrent, out);
}

VMDRIVE_VERB(VerbLbItems)
{
    (void)options;
    return Items(args, kList, out);
}

}  // namespace vmdrive
