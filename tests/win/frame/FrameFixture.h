#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/Application.h"
#include "support/Pump.h"
#include "support/Registry.h"

// Builds the application and its frame in this process, as the entry point
// does, starting from a settings key the test arranges.
class FrameTest : public ::testing::Test {
protected:
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
        TheApp = new Application(instance);
        app = TheApp;
        frame = app->CreateFrame(instance, showCommand);
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
            delete TheApp;
        TheApp = nullptr;
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
        info.hdr.idFrom = 102;
        info.hdr.code = code;
        info.iItem = item;
        return SendMessageA(frame, WM_NOTIFY, 102, reinterpret_cast<LPARAM>(&info));
    }

    Application* app = nullptr;
    HWND frame = nullptr;
};
