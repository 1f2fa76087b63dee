#include <windows.h>

#include "app/AppMessages.h"
#include "app/PortDialog.h"
#include "app/SplashDialog.h"
#include "phone/PhoneMessages.h"
#include "phone/PhoneSession.h"
#include "phone/SessionReplies.h"
#include "serial/CommPortSetting.h"
#include "serial/SerialPort.h"

namespace {
// Every start-up exchange waits for "OK" with the shortest time-out.
const char Ok[] = "OK";
constexpr int StartTimeoutUnits = 1;
// The phone needs a moment after its port opens before it listens.
constexpr DWORD SettleMs = 1000;
// A port just closed is not opened again at once.
constexpr DWORD ReopenPauseMs = 250;

enum class StartEnd { Ready, Failed, KeyMissing };

// Moves the splash progress to `step` (of 12) and paints it at once: no
// message loop runs during the start.
void ShowStep(HWND splash, int step)
{
    SplashStep(splash, step);
    UpdateWindow(splash);
}

// After a port that would not open or a phone that did not answer: the port
// error, then the port dialog. True when the user chose a port, to be tried
// next; false when the start is given up.
bool OfferAnotherPort(HWND splash)
{
    MessageBoxA(nullptr, AppMessages[4], AppMessages[0], MB_ICONERROR | MB_OK);
    if (RunPortDialog(splash) != 1)
        return false;
    TheSerialPort().Close();
    Sleep(ReopenPauseMs);
    return true;
}

class StartSequence {
public:
    StartSequence(PhoneSession& session, HWND splash) : session_(session), splash_(splash) {}

    // The phone's preparation on an open port.
    StartEnd Run(int port)
    {
        ShowStep(splash_, 1);
        Sleep(SettleMs);
        if (!Send("AT"))
            return StartEnd::Failed;
        ShowStep(splash_, 2);
        // A phone that refuses the echo and verbose settings still works.
        if (!Send("ATE0V1"))
            PhoneSession::ShowPhoneWarning(PhoneMessages[0]);
        ShowStep(splash_, 3);
        if (!Send("AT#PMODE=1"))
            return StartEnd::Failed;
        ShowStep(splash_, 4);
        if (!Send("AT#PCKEY?"))
            return StartEnd::Failed;
        const auto key = ParsePhoneKey(session_.ReplyBuffer);
        if (!key)
            return StartEnd::KeyMissing;
        session_.PhoneKey = *key;
        ShowStep(splash_, 5);
        if (!session_.QueryModel())
            return StartEnd::Failed;
        ShowStep(splash_, 6);
        ShowStep(splash_, 7);
        if (!Send("AT#PCOUT?"))
            return StartEnd::Failed;
        ShowStep(splash_, 8);
        if (!Send("AT#PCLNK?"))
            return StartEnd::Failed;
        ShowStep(splash_, 9);
        if (!Send("AT#PCMIT?"))
            return StartEnd::Failed;
        session_.OwnNumber = ParseOwnNumber(session_.ReplyBuffer);
        ShowStep(splash_, 10);
        if (!session_.LoadMelodyList())
            return StartEnd::Failed;
        ShowStep(splash_, 11);
        SessionDescription = DescribeSession(session_.ModelName, port);
        ShowStep(splash_, 12);
        Send("AT*SKT*BEEP=1");
        return StartEnd::Ready;
    }

private:
    bool Send(const char* command) { return session_.SendAtCommand(command, Ok, StartTimeoutUnits); }

    PhoneSession& session_;
    HWND splash_;
};

bool RunStart(PhoneSession& session, HWND splash)
{
    for (;;) {
        const int port = CommPort;
        if (!TheSerialPort().Open(port)) {
            if (!OfferAnotherPort(splash))
                return false;
            continue;
        }
        switch (StartSequence(session, splash).Run(port)) {
        case StartEnd::Ready:
            return true;
        case StartEnd::KeyMissing:
            return false;
        case StartEnd::Failed:
            PhoneSession::ShowPhoneWarning(PhoneMessages[0]);
            TheSerialPort().Close();
            if (!OfferAnotherPort(splash))
                return false;
            break;
        }
    }
}
}  // namespace

bool PhoneSession::StartSession()
{
    HWND splash = CreateSplashDialog(GetModuleHandleA(nullptr));
    UpdateWindow(splash);
    const bool ready = RunStart(*this, splash);
    if (splash)
        DestroyWindow(splash);
    return ready;
}
