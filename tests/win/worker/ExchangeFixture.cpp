#include "ExchangeFixture.h"

namespace {
HHOOK createHook = nullptr;
HHOOK initHook = nullptr;
std::vector<WatchedDialog>* watched = nullptr;

bool IsDialog(HWND window)
{
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770";
}

LRESULT CALLBACK CreateProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && watched && IsDialog(reinterpret_cast<HWND>(wParam))) {
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        const bool named = create->lpszName && !IS_INTRESOURCE(create->lpszName);
        watched->push_back({named ? create->lpszName : "", ""});
    }
    return CallNextHookEx(createHook, code, wParam, lParam);
}

LRESULT CALLBACK InitProc(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && watched && !watched->empty() && call->message == WM_INITDIALOG && IsDialog(call->hwnd))
        watched->back().firstText = ControlText(call->hwnd, IDC_PROGRESS_TEXT);
    return CallNextHookEx(initHook, code, wParam, lParam);
}
}  // namespace

bool PumpUntil(const std::function<bool()>& done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 5000)
            return false;
        PumpMessages();
        Sleep(5);
    }
    return true;
}

DialogWatch::DialogWatch()
{
    watched = new std::vector<WatchedDialog>;
    createHook = SetWindowsHookExA(WH_CBT, CreateProc, nullptr, GetCurrentThreadId());
    initHook = SetWindowsHookExA(WH_CALLWNDPROCRET, InitProc, nullptr, GetCurrentThreadId());
}

DialogWatch::~DialogWatch()
{
    UnhookWindowsHookEx(initHook);
    UnhookWindowsHookEx(createHook);
    initHook = createHook = nullptr;
    delete watched;
    watched = nullptr;
}

std::vector<WatchedDialog> DialogWatch::Dialogs() const
{
    return watched ? *watched : std::vector<WatchedDialog>{};
}

size_t DialogWatch::ProgressDialogs() const
{
    size_t n = 0;
    for (const WatchedDialog& dialog : Dialogs())
        n += dialog.caption == "Обмен данных с телефоном";
    return n;
}

namespace {
template <std::size_t... Index>
ExchangeRequest RequestOfIndex(std::size_t code, std::index_sequence<Index...>)
{
    ExchangeRequest request;
    ((code == Index ? (request.emplace<Index>(), 0) : 0), ...);
    return request;
}
}  // namespace

ExchangeRequest RequestOfCode(int code)
{
    return RequestOfIndex(static_cast<std::size_t>(code),
                          std::make_index_sequence<std::variant_size_v<ExchangeRequest>>());
}

int ScriptedWorker::Run()
{
    HWND dialog = WaitForProgressDialog();
    if (script_)
        script_(dialog);
    PostMessageA(TheApp->frame, VM_EXCHANGE_DONE, RunNumber(), 0);
    return 0;
}

void ExchangeTest::SetUp()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    static const bool registered = RegisterFrameClass(instance);
    ASSERT_TRUE(registered);
    CreateApplication(instance);
    app = TheApp;
    app->session = std::make_unique<PhoneSession>(app->sessionNotices, app->settings.phone);
    frame = CreateWindowExA(0, "KORT_MDI_application", "VelarMon", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 80,
                            800, 600, nullptr, nullptr, instance, nullptr);
    ASSERT_TRUE(frame);
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);
    PumpMessages();
}

void ExchangeTest::TearDown()
{
    // The frame's destruction frees the application and posts the quit
    // message, which the pump takes away again.
    if (frame && IsWindow(frame))
        DestroyWindow(frame);
    else
        DestroyApplication();
    PumpMessages();
}

std::string ControlText(HWND dialog, int id)
{
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
