#include "app/StartUp.h"

#include "common/AppMessages.h"
#include "app/Application.h"
#include "app/DataFolder.h"
#include "app/MessageLoop.h"
#include "db/Database.h"
#include "res/resource.h"

namespace {
const char FrameClassName[] = "KORT_MDI_application";

int RunMessageLoop(HINSTANCE instance)
{
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        HandleLoopMessage(msg, accelerators);
    return static_cast<int>(msg.wParam);
}
}  // namespace

int RunApplication(HINSTANCE instance, int showCommand)
{
    if (HWND running = FindWindowA(FrameClassName, nullptr)) {
        MessageBoxA(nullptr, AppMessages[AlreadyRunning], AppMessages[AppCaption], MB_ICONWARNING);
        SetForegroundWindow(running);
        return 0;
    }
    // A data folder that cannot be prepared is explained first; the
    // connection error follows as for any database that cannot be opened.
    std::string databaseName, report;
    if (!EnterDataFolder(instance, databaseName, report)) {
        const std::string text = "Не удалось подготовить базу данных программы.\n\n" + report;
        MessageBoxA(nullptr, text.c_str(), AppMessages[AppCaption], MB_ICONERROR);
        MessageBoxA(nullptr, AppMessages[NoDatabaseConnection], AppMessages[AppCaption], MB_ICONERROR);
        return 0;
    }
    if (!TheDatabase().Connect(databaseName)) {
        MessageBoxA(nullptr, AppMessages[NoDatabaseConnection], AppMessages[AppCaption], MB_ICONERROR);
        return 0;
    }

    CreateApplication(instance);
    int exitCode = 0;
    if (RegisterFrameClass(instance) && TheApp->CreateFrame(instance, showCommand)) {
        TheApp->ReleaseBackBuffer();
        exitCode = RunMessageLoop(instance);
    }

    TheDatabase().Disconnect();
    DestroyApplication();
    return exitCode;
}
