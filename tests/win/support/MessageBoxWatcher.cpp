#include "support/MessageBoxWatcher.h"

#include <chrono>
#include <cstring>

#include "common/Handles.h"

namespace {
// Wine's message box controls (Windows uses 20 for the icon).
constexpr int BoxTextId = 0xFFFF;
constexpr int BoxIconId = 1088;
constexpr int IconSide = 32;

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsOwnVisibleDialog(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid == GetCurrentProcessId() && IsWindowVisible(window) && ClassOf(window) == "#32770";
}

// The icon drawn on white at 32 x 32, as 32-bit pixels.
std::vector<DWORD> IconPixels(HICON icon)
{
    std::vector<DWORD> pixels;
    if (!icon)
        return pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = IconSide;
    info.bmiHeader.biHeight = -IconSide;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const MemoryDc memory(CreateCompatibleDC(nullptr));
    const BitmapHandle bitmap(CreateDIBSection(memory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (memory && bitmap && bits) {
        HDC dc = memory.Get();
        const SelectedObject drawn(dc, bitmap.Get());
        RECT all{0, 0, IconSide, IconSide};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (DrawIconEx(dc, 0, 0, icon, IconSide, IconSide, 0, nullptr, DI_NORMAL)) {
            GdiFlush();
            pixels.resize(IconSide * IconSide);
            std::memcpy(pixels.data(), bits, pixels.size() * sizeof(DWORD));
        }
    }
    return pixels;
}
}  // namespace

bool IsMessageBox(HWND window)
{
    if (!IsOwnVisibleDialog(window))
        return false;
    HWND text = GetDlgItem(window, BoxTextId);
    HWND icon = GetDlgItem(window, BoxIconId);
    return text && icon && ClassOf(text) == "Static" && ClassOf(icon) == "Static";
}

std::string MessageBoxIcon(HWND box)
{
    HWND control = GetDlgItem(box, BoxIconId);
    if (!control || !IsWindowVisible(control))
        return "none";
    HICON icon = reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0));
    if (!icon)
        return "none";
    // Icon handles differ from one load to the next under Wine; the pictures
    // do not.
    const std::vector<DWORD> shown = IconPixels(icon);
    if (shown.empty())
        return "unknown";
    const struct {
        LPCSTR id;
        const char* name;
    } kinds[] = {{IDI_WARNING, "warning"}, {IDI_ERROR, "error"}, {IDI_INFORMATION, "information"},
                 {IDI_QUESTION, "question"}};
    for (const auto& kind : kinds)
        if (IconPixels(LoadIconA(nullptr, kind.id)) == shown)
            return kind.name;
    return "unknown";
}

std::string WindowText(HWND window)
{
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void PressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

MessageBoxWatcher::MessageBoxWatcher() : thread_([this] { Run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher()
{
    stop_ = true;
    thread_.join();
}

void MessageBoxWatcher::PressNext(int controlId)
{
    std::lock_guard<std::mutex> lock(mutex_);
    buttons_.push_back(controlId);
}

void MessageBoxWatcher::OnDialog(std::function<bool(HWND)> handler)
{
    std::lock_guard<std::mutex> lock(mutex_);
    dialogHandler_ = std::move(handler);
}

void MessageBoxWatcher::OnBox(std::function<void(const SeenWindow&)> action)
{
    std::lock_guard<std::mutex> lock(mutex_);
    boxAction_ = std::move(action);
}

std::vector<SeenWindow> MessageBoxWatcher::Seen() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

std::vector<SeenWindow> MessageBoxWatcher::Boxes() const
{
    std::vector<SeenWindow> boxes;
    for (const SeenWindow& w : Seen())
        if (w.messageBox)
            boxes.push_back(w);
    return boxes;
}

bool MessageBoxWatcher::WaitForSeen(std::size_t count, DWORD timeoutMs) const
{
    const DWORD start = GetTickCount();
    while (Seen().size() < count) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

void MessageBoxWatcher::Run()
{
    while (!stop_) {
        Scan();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

namespace {
BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}
}

void MessageBoxWatcher::Scan()
{
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    // Handles of windows gone may come back for new ones.
    for (auto it = done_.begin(); it != done_.end();)
        it = IsWindow(*it) ? std::next(it) : done_.erase(it);
    for (HWND window : windows) {
        if (done_.count(window) || !IsOwnVisibleDialog(window))
            continue;
        if (IsMessageBox(window))
            HandleBox(window);
        else
            HandleDialog(window);
    }
}

void MessageBoxWatcher::HandleBox(HWND box)
{
    SeenWindow seen;
    seen.messageBox = true;
    seen.caption = WindowText(box);
    seen.text = WindowText(GetDlgItem(box, BoxTextId));
    seen.icon = MessageBoxIcon(box);
    seen.tick = GetTickCount();
    seen.owner = GetWindow(box, GW_OWNER);
    int button = IDOK;
    std::function<void(const SeenWindow&)> action;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!buttons_.empty()) {
            button = buttons_.front();
            buttons_.pop_front();
        }
        seen_.push_back(seen);
        action = boxAction_;
    }
    done_.insert(box);
    if (action)
        action(seen);
    PressButton(box, button);
}

void MessageBoxWatcher::HandleDialog(HWND dialog)
{
    std::function<bool(HWND)> handler;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        handler = dialogHandler_;
    }
    SeenWindow seen;
    seen.caption = WindowText(dialog);
    seen.tick = GetTickCount();
    if (!handler || !handler(dialog))
        return;
    done_.insert(dialog);
    std::lock_guard<std::mutex> lock(mutex_);
    seen_.push_back(seen);
}
