#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "app/Application.h"
#include "phone/PhoneSession.h"
#include "res/resource.h"
#include "support/Pump.h"
#include "worker/ExchangeWorker.h"
#include "worker/ProgressDialog.h"

// Dispatches this thread's messages until `done` holds or 5 s passed.
bool PumpUntil(const std::function<bool()>& done);
std::string ControlText(HWND dialog, int id);

// Notes the dialogs this thread creates: caption, and the progress text
// they show once WM_INITDIALOG has been handled.
struct WatchedDialog {
    std::string caption;
    std::string firstText;
};
class DialogWatch {
public:
    DialogWatch();
    ~DialogWatch();
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;
    std::vector<WatchedDialog> Dialogs() const;
    size_t ProgressDialogs() const;
};

// The operation of `code` with an empty request.
ExchangeRequest RequestOfCode(int code);

// A worker whose operation is the test's script: it waits for the progress
// dialog as the phone operations do, runs the script with the dialog's
// handle, then tells the frame it has finished, as the real worker does.
class ScriptedWorker : public ExchangeWorker {
public:
    ScriptedWorker(int code, std::function<void(HWND)> script, std::atomic<bool>* deleted = nullptr)
        : ExchangeWorker(RequestOfCode(code)), script_(std::move(script)), deleted_(deleted)
    {
    }
    ~ScriptedWorker() override
    {
        Stop();
        if (deleted_)
            *deleted_ = true;
    }
    int Run() override;

private:
    std::function<void(HWND)> script_;
    std::atomic<bool>* deleted_;
};

// The application with its real frame window and a phone session that was
// never started, so that no port is opened.
class ExchangeTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Application* app = nullptr;
    HWND frame = nullptr;
};
