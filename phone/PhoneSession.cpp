#include "phone/PhoneSession.h"

std::string SessionDescription;

PhoneSession::~PhoneSession() = default;

bool PhoneSession::StartSession()
{
    // The phone dialogue is not wired in yet: the session starts without it.
    return true;
}

void PhoneSession::OnExchangeFinished() {}
