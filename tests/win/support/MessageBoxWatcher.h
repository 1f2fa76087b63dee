#pragma once
#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

// What a test saw of a window that the watcher dealt with.
struct SeenWindow {
    bool messageBox = false;
    std::string caption;
    std::string text;
    std::string icon;  // message boxes: warning, error, information, question, none or unknown
    DWORD tick = 0;    // GetTickCount when it was seen
    HWND owner = nullptr;
};

// Watches this process's windows from a thread of its own while the test's
// thread sits in a modal loop. Every message box (a visible #32770 holding
// Wine's text control 65535 and icon control 1088) is recorded with caption,
// text and icon and answered by pressing a button; the buttons queued with
// PressNext are used in turn, then OK. Other visible dialogs go to the
// handler given with OnDialog, which records them when it returns true.
class MessageBoxWatcher {
public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    void PressNext(int controlId);
    // `handler` runs on the watcher's thread; it returns true when it dealt
    // with the dialog (it is then recorded and never offered again).
    void OnDialog(std::function<bool(HWND dialog)> handler);
    // `action` runs on the watcher's thread for every message box, after it
    // is recorded and before it is answered: what the user does meanwhile.
    void OnBox(std::function<void(const SeenWindow& box)> action);

    std::vector<SeenWindow> Seen() const;
    std::vector<SeenWindow> Boxes() const;
    // Waits until `count` windows have been dealt with.
    bool WaitForSeen(std::size_t count, DWORD timeoutMs) const;

private:
    void Run();
    void Scan();
    void HandleBox(HWND box);
    void HandleDialog(HWND dialog);

    mutable std::mutex mutex_;
    std::vector<SeenWindow> seen_;
    std::deque<int> buttons_;
    std::function<bool(HWND)> dialogHandler_;
    std::function<void(const SeenWindow&)> boxAction_;
    std::set<HWND> done_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Whether `window` is a message box as Wine builds one.
bool IsMessageBox(HWND window);
// The kind of the standard icon in a message box's icon control.
std::string MessageBoxIcon(HWND box);
// The window's text.
std::string WindowText(HWND window);
// Presses button `id` of `dialog` as a click would.
void PressButton(HWND dialog, int id);
