#include <windows.h>

#include "common/AppMessages.h"
#include "common/PhoneMessages.h"
#include "phone/PhoneSession.h"
#include "phone/SessionReplies.h"
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

// After a port that would not open or a phone that did not answer: the port
// error, then the choice of another port. True when the user chose a port,
// to be tried next; false when the start is given up.
bool OfferAnotherPort(PhoneSession& session, const SessionStartUi& ui)
{
    session.Notify(AppMessages[PortOpenFailed], AppMessages[AppCaption], NoticeIcon::Error);
    if (!ui.choosePort || !ui.choosePort())
        return false;
    TheSerialPort().Close();
    Sleep(ReopenPauseMs);
    return true;
}

class StartSequence {
public:
    StartSequence(PhoneSession& session, const SessionStartUi& ui) : session_(session), ui_(ui) {}

    // The phone's preparation on an open port.
    StartEnd Run(int port)
    {
        ShowStep(1);
        Sleep(SettleMs);
        if (!Send("AT"))
            return StartEnd::Failed;
        ShowStep(2);
        // A phone that refuses the echo and verbose settings still works.
        if (!Send("ATE0V1"))
            session_.Warn(PhoneMessages[PhoneInitFailed]);
        ShowStep(3);
        if (!Send("AT#PMODE=1"))
            return StartEnd::Failed;
        ShowStep(4);
        if (!Send("AT#PCKEY?"))
            return StartEnd::Failed;
        const auto key = ParsePhoneKey(session_.ReplyBuffer);
        if (!key)
            return StartEnd::KeyMissing;
        session_.PhoneKey = *key;
        ShowStep(5);
        if (!session_.QueryModel())
            return StartEnd::Failed;
        ShowStep(6);
        ShowStep(7);
        if (!Send("AT#PCOUT?"))
            return StartEnd::Failed;
        ShowStep(8);
        if (!Send("AT#PCLNK?"))
            return StartEnd::Failed;
        ShowStep(9);
        if (!Send("AT#PCMIT?"))
            return StartEnd::Failed;
        session_.OwnNumber = ParseOwnNumber(session_.ReplyBuffer);
        ShowStep(10);
        if (!session_.LoadMelodyList())
            return StartEnd::Failed;
        ShowStep(11);
        session_.Description = DescribeSession(session_.ModelName, port);
        ShowStep(12);
        Send("AT*SKT*BEEP=1");
        return StartEnd::Ready;
    }

private:
    bool Send(const char* command) { return session_.SendAtCommand(command, Ok, StartTimeoutUnits); }
    void ShowStep(int step)
    {
        if (ui_.showStep)
            ui_.showStep(step);
    }

    PhoneSession& session_;
    const SessionStartUi& ui_;
};

bool RunStart(PhoneSession& session, const SessionStartUi& ui)
{
    for (;;) {
        const int port = session.Settings().commPort;
        if (!TheSerialPort().Open(port)) {
            if (TheSerialPort().LineSettingsRefused())
                session.Notify("Set comm state error.", "ERROR", NoticeIcon::None);
            if (!OfferAnotherPort(session, ui))
                return false;
            continue;
        }
        switch (StartSequence(session, ui).Run(port)) {
        case StartEnd::Ready:
            return true;
        case StartEnd::KeyMissing:
            return false;
        case StartEnd::Failed:
            session.Warn(PhoneMessages[PhoneInitFailed]);
            TheSerialPort().Close();
            if (!OfferAnotherPort(session, ui))
                return false;
            break;
        }
    }
}
}  // namespace

bool PhoneSession::StartSession(const SessionStartUi& ui)
{
    return RunStart(*this, ui);
}
