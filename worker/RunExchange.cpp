#include "worker/RunExchange.h"

#include "app/Application.h"
#include "phone/PhoneSession.h"
#include "worker/ExchangeWorker.h"
#include "worker/ProgressDialog.h"

void RunExchange(int code, void* data)
{
    RunExchangeWorker(std::make_unique<ExchangeWorker>(code, data));
}

void RunExchangeWorker(std::unique_ptr<ExchangeWorker> worker)
{
    Application* app = TheApp;
    if (!app || !app->session || !worker)
        return;
    PhoneSession& session = *app->session;
    EndPreviousExchange(session);

    const int code = worker->Code();
    const bool dialogOpen = ProgressDialogHandle() != nullptr;
    if (!dialogOpen)
        ExpectProgressDialog();
    session.worker = std::move(worker);
    // When no thread starts, nothing ends the dialog but the Enter key.
    session.worker->Start();
    if (!dialogOpen)
        ShowProgressDialog(app->frame, code);
}

void EndPreviousExchange(PhoneSession& session)
{
    session.worker.reset();
}

void FinishExchange(PhoneSession& session)
{
    if (session.worker)
        session.worker->Stop();
    session.worker.reset();
    CloseProgressDialog();
}
