#include "verbs.h"

namespace vmdrive {

namespace {

// name, least and most arguments, prints (may be retried for --expect), function
// clang-format off
const Verb kVerbs[] = {
    {"wait", 1, 1, true, VerbWait},
    {"gone", 1, 1, false, VerbGone},
    {"count", 1, 1, true, VerbCount},
    {"windows", 0, 0, true, VerbWindows},
    {"post", 2, 2, false, VerbPost},
    {"run", 3, 3, false, VerbRun},
    {"start", 3, 3, false, VerbStart},
    {"send", 2, 2, false, VerbSend},
    {"close", 1, 1, false, VerbClose},
    {"key", 2, 2, false, VerbKey},
    {"char", 2, 2, false, VerbChar},
    {"text", 1, 1, true, VerbText},
    {"rect", 1, 1, true, VerbRect},
    {"client", 1, 1, true, VerbClient},
    {"visible", 1, 1, true, VerbVisible},
    {"enabled", 1, 1, true, VerbEnabled},
    {"children", 1, 1, true, VerbChildren},
    {"mdiactive", 1, 1, true, VerbMdiActive},
    {"msgbox", 0, 0, true, VerbMsgBox},
    {"answer", 2, 2, false, VerbAnswer},
    {"dlgtext", 2, 2, true, VerbDlgText},
    {"settext", 3, 3, false, VerbSetText},
    {"setsel", 4, 4, false, VerbSetSel},
    {"check", 3, 3, false, VerbCheck},
    {"checked", 2, 2, true, VerbChecked},
    {"cbsel", 3, 3, false, VerbCbSel},
    {"cbcount", 2, 2, true, VerbCbCount},
    {"cbcur", 2, 2, true, VerbCbCur},
    {"cbitems", 2, 2, true, VerbCbItems},
    {"lbsel", 3, 3, false, VerbLbSel},
    {"lbcount", 2, 2, true, VerbLbCount},
    {"lbcur", 2, 2, true, VerbLbCur},
    {"lbitems", 2, 2, true, VerbLbItems},
    {"tbstate", 2, 2, true, VerbTbState},
    {"tbcount", 1, 1, true, VerbTbCount},
    {"tbbuttons", 1, 1, true, VerbTbButtons},
    {"sbtext", 1, 2, true, VerbSbText},
    {"sbparts", 1, 1, true, VerbSbParts},
};
// clang-format on

}  // namespace

const Verb* FindVerb(const std::string& name)
{
    for (const auto& verb : kVerbs)
        if (name == verb.name)
            return &verb;
    return nullptr;
}

Step Target(const std::string& text, HWND& hwnd)
{
    WindowRef ref;
    if (!ParseWindowRef(text, ref)) {
        SetWhy("bad window \"" + text + "\" (use class:NAME, title:TEXT, 0xHEX or msgbox, then /ID steps)");
        return Step::Usage;
    }
    hwnd = Resolve(ref);
    return hwnd ? Step::Done : Step::Retry;
}

bool NumberArg(const std::string& text, long long& value, const char* what)
{
    if (ParseInt(text, value))
        return true;
    SetWhy(std::string(what) + " must be a number, not \"" + text + "\"");
    return false;
}

Step TargetControl(const std::string& dialog, const std::string& id, HWND& control)
{
    long long number = 0;
    if (!NumberArg(id, number, "control id"))
        return Step::Usage;
    HWND parent = nullptr;
    Step step = Target(dialog, parent);
    if (step != Step::Done)
        return step;
    control = FindControl(parent, static_cast<int>(number));
    if (!control) {
        SetWhy("control " + id + " not found");
        return Step::Retry;
    }
    return Step::Done;
}

}  // namespace vmdrive
