// Naming windows from the command line and reading their texts.
#include "drive.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace vmdrive {

namespace {

std::string g_why;
ULONGLONG g_deadline = 0;

// Wait used when reading texts: long enough for a busy program, short enough
// that a hung one does not eat the whole time-out.
constexpr UINT kQueryWaitMs = 2000;
// Wait for actions: a handler that takes longer is assumed to run a modal loop.
constexpr UINT kDeliverWaitMs = 1000;

bool AllDigits(const std::string& text)
{
    if (text.empty() || text.size() > 9)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindChildById(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (GetDlgCtrlID(hwnd) == search->id) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void SetWhy(const std::string& why)
{
    g_why = why;
}
const std::string& Why()
{
    return g_why;
}

Attempts& CurrentAttempts()
{
    static Attempts attempts;
    return attempts;
}

void StartClock(DWORD timeoutMs)
{
    g_deadline = GetTickCount64() + timeoutMs;
}

DWORD RemainingMs()
{
    ULONGLONG now = GetTickCount64();
    return now >= g_deadline ? 1 : static_cast<DWORD>(g_deadline - now);
}

bool ParseInt(const std::string& text, long long& value)
{
    if (text.empty())
        return false;
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    char* end = nullptr;
    errno = 0;
    value =
        hex ? static_cast<long long>(std::strtoull(text.c_str() + 2, &end, 16)) : std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && end && *end == '\0';
}

bool ParseWindowRef(const std::string& text, WindowRef& ref)
{
    std::string rest = text;
    size_t prefix = 0;
    if (rest.rfind("class:", 0) == 0)
        prefix = 6;
    else if (rest.rfind("title:", 0) == 0)
        prefix = 6;
    // Trailing /ID steps name descendants; the rest is the top-level window.
    std::vector<int> path;
    for (;;) {
        size_t slash = rest.rfind('/');
        if (slash == std::string::npos || slash < prefix || !AllDigits(rest.substr(slash + 1)))
            break;
        path.insert(path.begin(), std::atoi(rest.c_str() + slash + 1));
        rest.erase(slash);
    }
    ref.path = path;
    if (rest.rfind("class:", 0) == 0) {
        ref.kind = WindowRef::Kind::Class;
        ref.name = rest.substr(6);
        return !ref.name.empty();
    }
    if (rest.rfind("title:", 0) == 0) {
        ref.kind = WindowRef::Kind::Title;
        ref.name = rest.substr(6);
        return true;
    }
    if (rest == "msgbox") {
        ref.kind = WindowRef::Kind::MsgBox;
        return true;
    }
    long long value = 0;
    if (rest.size() > 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X') && ParseInt(rest, value) &&
        value != 0) {
        ref.kind = WindowRef::Kind::Handle;
        ref.handle = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(value));
        return true;
    }
    return false;
}

HWND FindControl(HWND parent, int id)
{
    if (HWND direct = GetDlgItem(parent, id))
        return direct;
    ChildSearch search{id, nullptr};
    EnumChildWindows(parent, FindChildById, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Resolve(const WindowRef& ref)
{
    HWND hwnd = nullptr;
    switch (ref.kind) {
    case WindowRef::Kind::Class:
        hwnd = FindWindowA(ref.name.c_str(), nullptr);
        break;
    case WindowRef::Kind::Title:
        hwnd = FindWindowA(nullptr, ref.name.c_str());
        break;
    case WindowRef::Kind::Handle:
        hwnd = IsWindow(ref.handle) ? ref.handle : nullptr;
        break;
    case WindowRef::Kind::MsgBox:
        hwnd = FindMessageBox();
        break;
    }
    if (!hwnd) {
        SetWhy("window not found");
        return nullptr;
    }
    for (int id : ref.path) {
        hwnd = FindControl(hwnd, id);
        if (!hwnd) {
            SetWhy("control " + std::to_string(id) + " not found");
            return nullptr;
        }
    }
    return hwnd;
}

std::string HandleText(HWND hwnd)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llX", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(hwnd)));
    return buf;
}

std::string ClassOf(HWND hwnd)
{
    char buf[256];
    int n = GetClassNameA(hwnd, buf, sizeof buf);
    return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

std::string WindowTextOf(HWND hwnd)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kQueryWaitMs, &length)) {
        // A window whose thread is busy (the program starting its phone
        // session) does not answer; its stored title is read without a
        // message. GetWindowText would send one under Wine and wait for good.
        wchar_t wide[1024];
        int n = InternalGetWindowText(hwnd, wide, 1024);
        char buf[4096];
        int m = n > 0 ? WideCharToMultiByte(1251, 0, wide, n, buf, sizeof buf, nullptr, nullptr) : 0;
        return std::string(buf, m > 0 ? static_cast<size_t>(m) : 0);
    }
    // The text may grow between the two messages (a progress line set just
    // then): a copy that fills the buffer is asked for again in a larger one.
    std::vector<char> buf(static_cast<size_t>(length) + 16, '\0');
    for (;;) {
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                                 SMTO_ABORTIFHUNG, kQueryWaitMs, &copied))
            return {};
        buf.back() = '\0';
        if (static_cast<size_t>(copied) + 1 < buf.size() || buf.size() >= (1u << 20))
            return std::string(buf.data(), static_cast<size_t>(copied) < buf.size() ? static_cast<size_t>(copied)
                                                                                     : buf.size() - 1);
        buf.assign(buf.size() * 4, '\0');
    }
}

std::string Escape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

bool Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    DWORD_PTR value = 0;
    UINT wait = RemainingMs() < kDeliverWaitMs ? RemainingMs() : kDeliverWaitMs;
    SetLastError(0);
    if (SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_NORMAL, wait, &value)) {
        if (result)
            *result = static_cast<LRESULT>(value);
        return true;
    }
    DWORD error = GetLastError();
    if (error == ERROR_TIMEOUT || error == 0) {
        std::fprintf(stderr, "vmdrive: message %u still being handled after %u ms\n", msg, wait);
        return true;
    }
    return false;
}

bool Query(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    DWORD_PTR value = 0;
    if (!SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, kQueryWaitMs, &value)) {
        SetWhy("window does not answer");
        return false;
    }
    result = static_cast<LRESULT>(value);
    return true;
}

}  // namespace vmdrive
