#include "app/PortChange.h"

#include "app/Application.h"
#include "app/PortDialog.h"
#include "app/SplashDialog.h"
#include "phone/PhoneSession.h"
#include "serial/SerialPort.h"

namespace {
// A port just closed is not opened again at once.
constexpr DWORD ReopenPauseMs = 250;
}  // namespace

void ChangePort(Application& app)
{
    Application* const held = &app;
    if (RunPortDialog(app.frame, app.settings.phone, [held] {
            if (TheApp == held)
                held->SaveSettings();
        }) != IDOK)
        return;
    TheSerialPort().Close();
    Sleep(ReopenPauseMs);
    // The session start shows its splash and boxes without an owner; the
    // frame stays disabled meanwhile, so the user cannot close it or reach
    // the tables while the session is rebuilt under them.
    HWND frame = app.frame;
    const bool wasDisabled = EnableWindow(frame, FALSE) != FALSE;
    const bool started = app.session && StartSessionWithSplash(*app.session);
    if (!wasDisabled)
        EnableWindow(frame, TRUE);
    if (!started) {
        // The frame's destruction frees the application and ends the program.
        DestroyWindow(frame);
        return;
    }
    // The status bar and the model's commands follow the new session.
    app.RefreshCommands();
}
