#include "worker/UploadStarters.h"

#include "phone/PhoneSession.h"
#include "worker/ExchangeHost.h"
#include "worker/RunExchange.h"
#include "worker/UploadDialogs.h"

namespace {
// The file dialog ran a message loop: go on only with the same host and
// session as before it.
bool StillThere(const ExchangeHost* host, const PhoneSession* session)
{
    return ExchangeHost::Exists(host) && host->Session() == session;
}
}  // namespace

void StartMelodyUpload(ExchangeHost& host)
{
    PhoneSession* session = host.Session();
    MelodyUpload request;
    if (!session || !ChooseMelodyUpload(host.Frame(), *session, request) || !StillThere(&host, session))
        return;
    RunExchange(host, request);
}

void StartPictureUpload(ExchangeHost& host)
{
    PhoneSession* session = host.Session();
    PictureUpload request;
    if (!session || !ChoosePictureUpload(host.Frame(), *session, request) || !StillThere(&host, session))
        return;
    RunExchange(host, request);
}

void StartAnimationUpload(ExchangeHost& host)
{
    PhoneSession* session = host.Session();
    AnimationUpload request;
    if (!session || !ChooseAnimationUpload(host.Frame(), request) || !StillThere(&host, session))
        return;
    RunExchange(host, request);
}
