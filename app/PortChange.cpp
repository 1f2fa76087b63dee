#include "app/PortChange.h"

#include "app/Application.h"
#include "app/PortDialog.h"
#include "phone/PhoneSession.h"
#include "serial/SerialPort.h"

namespace {
// A port just closed is not opened again at once.
constexpr DWORD ReopenPauseMs = 250;
}  // namespace

void ChangePort(Application& app)
{
    if (RunPortDialog(app.frame) != IDOK)
        return;
    TheSerialPort().Close();
    Sleep(ReopenPauseMs);
    if (!app.session || !app.session->StartSession()) {
        // The frame's destruction frees the application and ends the program.
        DestroyWindow(app.frame);
        return;
    }
    // The status bar and the model's commands follow the new session.
    app.RefreshCommands();
}
