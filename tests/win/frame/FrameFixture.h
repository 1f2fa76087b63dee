#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/Application.h"
#include "res/resource.h"
#include "support/MessageBoxWatcher.h"
#include "support/PhoneSimulator.h"
#include "support/Pump.h"
#include "support/Registry.h"

// Builds the application and its frame in this process, as the entry point
// does, starting from a settings key the test arranges. Creating the frame
// starts the phone session, so a simulated SCH-E250 answers on COM3.
class FrameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        PhoneSimOptions options;
        // Two photos for the photo window, which lists them when it opens.
        options.state = R"({"model": "SCH-E250", "photos": [
            {"id": 1, "tag": "1", "path": "/DCIM/img001.jpg", "file": "tests/e2e/data/photo_park.jpg"},
            {"id": 2, "tag": "2", "path": "/DCIM/img002.jpg", "file": "tests/e2e/data/photo_cat.jpg"}]})";
        phone = new PhoneSimulator("frame", options);
        ASSERT_TRUE(phone->Start()) << "the phone simulator did not start";
    }
    static void TearDownTestSuite()
    {
        delete phone;
        phone = nullptr;
    }

    void SetUp() override
    {
        DeleteSettingsKey();
        static const bool registered = RegisterFrameClass(GetModuleHandleA(nullptr));
        ASSERT_TRUE(registered);
    }

    void TearDown() override { Close(); }

    HWND Start(int showCommand = SW_SHOWNORMAL)
    {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        CreateApplication(instance);
        app = TheApp;
        {
            // A start that fails ends at the port dialog: cancelling it makes
            // the test fail at once instead of waiting there.
            MessageBoxWatcher watcher;
            watcher.OnDialog([](HWND dialog) {
                if (!GetDlgItem(dialog, IDC_PORT_LIST))
                    return false;
                PressButton(dialog, IDCANCEL);
                return true;
            });
            frame = app->CreateFrame(instance, showCommand);
            for (const SeenWindow& seen : watcher.Seen())
                ADD_FAILURE() << "the phone session did not start: " << seen.caption << ": " << seen.text;
        }
        PumpMessages();
        return frame;
    }

    // Ends the frame the way the program does: its destruction saves the
    // settings and frees the application.
    void Close()
    {
        if (frame && IsWindow(frame))
            DestroyWindow(frame);
        else
            DestroyApplication();
        app = nullptr;
        frame = nullptr;
        PumpMessages();
    }

    bool ButtonHidden(int command) const { return SendMessageA(app->toolBar, TB_ISBUTTONHIDDEN, command, 0) != 0; }
    bool ButtonChecked(int command) const { return SendMessageA(app->toolBar, TB_ISBUTTONCHECKED, command, 0) != 0; }
    UINT MenuState(int command) const { return GetMenuState(GetMenu(frame), command, MF_BYCOMMAND); }

    LRESULT Notify(UINT code, int item)
    {
        NMTOOLBARA info{};
        info.hdr.hwndFrom = app->toolBar;
        info.hdr.idFrom = IDC_TOOLBAR;
        info.hdr.code = code;
        info.iItem = item;
        return SendMessageA(frame, WM_NOTIFY, IDC_TOOLBAR, reinterpret_cast<LPARAM>(&info));
    }

    Application* app = nullptr;
    HWND frame = nullptr;
    inline static PhoneSimulator* phone = nullptr;
};
