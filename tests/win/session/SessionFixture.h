#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/Database.h"
#include "phone/PhoneSession.h"
#include "support/MessageBoxWatcher.h"
#include "support/PhoneSimulator.h"
#include "worker/NoticeBoxes.h"

// The texts the session start shows.
extern const char* const Caption;
extern const char* const InitFailed;
extern const char* const ExchangeFailed;
extern const char* const PortFailed;
// The commands of a normal start, in order.
extern const std::vector<std::string> StartCommands;

// What the watcher saw of a port dialog it answered.
struct PortDialogVisit {
    HWND dialog = nullptr;
    HWND owner = nullptr;
    bool ownerIsSplash = false;
    int selected = -2;
    int count = 0;
};

// A phone session started in this process against a simulated phone on
// COM3, with a copy of the program's database as the program-wide one and a
// watcher that answers every message box with OK.
class SessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Starts the phone on `port` with `state` (JSON) and `rules`.
    PhoneSimulator& Phone(const std::string& state, const std::vector<std::string>& rules = {}, int port = 3);
    // The port dialog will be answered: Cancel, or the port `choose` and OK.
    void AnswerPortDialog(int choose = 0);
    // Runs StartSession and notes how long it took.
    bool Start();

    // The rows of table musik, in order of mus_id.
    RowSet Melodies();

    NoticeBoxes notices;
    PhoneSettings phoneSettings;
    PhoneSession session{notices, phoneSettings};
    MessageBoxWatcher watcher;
    std::vector<std::unique_ptr<PhoneSimulator>> phones;
    std::vector<PortDialogVisit> portVisits;
    DWORD startedMs = 0;
    DWORD elapsedMs = 0;

    static std::string databaseName;
    static std::string databaseFile;
};

// The kinds of the message boxes seen, as "text|icon" lines.
std::vector<std::string> Describe(const std::vector<SeenWindow>& boxes);
