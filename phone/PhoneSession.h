#pragma once
#include <string>

// The conversation with the one phone: started when the frame is created and
// after a port change, ended when the application closes.
class PhoneSession {
public:
    PhoneSession() = default;
    ~PhoneSession();
    PhoneSession(const PhoneSession&) = delete;
    PhoneSession& operator=(const PhoneSession&) = delete;

    // True when the phone is ready for work.
    bool StartSession();
    // Called on the user-interface thread when the exchange worker is done.
    void OnExchangeFinished();

    std::string ModelName;
};

// The status bar text describing the session ("Samsung <model>, порт COM<n>.").
extern std::string SessionDescription;
