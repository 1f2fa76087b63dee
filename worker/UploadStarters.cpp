#include "worker/UploadStarters.h"

#include <string>

#include "common/AppLink.h"
#include "db/DbTypes.h"
#include "phone/PhoneSession.h"
#include "phone/UploadDialogs.h"
#include "worker/ExchangeOperation.h"
#include "worker/RunExchange.h"

namespace {
// The requests handed to the worker; each lives until its next command.
TextRow MelodyRequest;
std::string PictureRequest;
TextRow AnimationRequest;

// The file dialog ran a message loop: go on only with the same application
// and session as before it.
bool StillThere(const Application* app, const PhoneSession* session)
{
    return TheApp == app && AppSession() == session;
}

void Run(ExchangeOperation operation, void* request)
{
    RunExchange(static_cast<int>(operation), request);
}
}  // namespace

void StartMelodyUpload()
{
    PhoneSession* session = AppSession();
    const Application* app = TheApp;
    if (!session)
        return;
    MelodyRequest.clear();
    session->MediaChoice = 0;
    const std::string path = ChooseMelodyFile();
    if (path.empty() || !StillThere(app, session))
        return;
    MelodyRequest = {std::to_string(session->MediaChoice), path};
    Run(ExchangeOperation::UploadMelody, &MelodyRequest);
}

void StartPictureUpload()
{
    PhoneSession* session = AppSession();
    const Application* app = TheApp;
    if (!session)
        return;
    session->MediaChoice = 0;
    PictureRequest = ChoosePictureFile();
    if (PictureRequest.empty() || !StillThere(app, session))
        return;
    Run(ExchangeOperation::UploadPicture, &PictureRequest);
}

void StartAnimationUpload()
{
    PhoneSession* session = AppSession();
    const Application* app = TheApp;
    if (!session)
        return;
    session->AnimationParameters = {"4", "128", "128"};
    AnimationRequest.clear();
    const std::string path = ChooseAnimationFile();
    if (path.empty() || !StillThere(app, session))
        return;
    AnimationRequest = {path};
    AnimationRequest.insert(AnimationRequest.end(), session->AnimationParameters.begin(),
                            session->AnimationParameters.end());
    Run(ExchangeOperation::UploadAnimation, &AnimationRequest);
}
