#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "phone/AtExchange.h"
#include "phone/PhoneNotices.h"
#include "phone/PhoneSettings.h"

// What the start of a session shows and asks on the way; the application
// shell supplies both.
struct SessionStartUi {
    // Moves the start-up progress to `step` (of 12) and shows it at once.
    std::function<void(int step)> showStep;
    // After a port that would not open or a phone that did not answer:
    // offers another port. True when the user chose one, to be tried next.
    std::function<bool()> choosePort;
};

// The conversation with the one phone: started when the frame is created and
// after a port change, ended when the application closes.
class PhoneSession {
public:
    // What the session has to tell the user goes to `notices`; it opens the
    // port and exchanges the way `settings` say. Both outlive the session.
    PhoneSession(PhoneNotices& notices, PhoneSettings& settings) : notices_(notices), settings_(settings) {}
    ~PhoneSession();
    PhoneSession(const PhoneSession&) = delete;
    PhoneSession& operator=(const PhoneSession&) = delete;

    // Opens the port of the settings and prepares the phone, showing
    // each step through `ui` and asking it for another port when the port or
    // the phone fails. True when the phone is ready for work; false when the
    // user chose no other port or the phone's key reply lacked its prefix.
    bool StartSession(const SessionStartUi& ui);
    // Asks the phone its model ("AT+GMM") into ModelName.
    bool QueryModel();
    // Asks the phone its melodies ("AT#PUGSN?") and refills table musik.
    bool LoadMelodyList();
    // The names of the phone's three own melody places, read from table
    // musik; "Пусто" for a place it has no row for. A failed read is shown
    // with the database's message.
    std::vector<std::string> MelodySlotNames();
    // Empties a media table (`photo` or `camera`) and refills it from the
    // phone's list of photos, or of movies when `movies` is set; a row the
    // database refuses is reported and skipped. The number of rows stored.
    int ReadMediaCatalogue(const std::string& table, bool movies);
    // A warning with the program's caption.
    void Warn(const char* text);
    // A notice to the user, as the session's owner shows them.
    void Notify(const std::string& text, const char* caption, NoticeIcon icon) { notices_.Notify(text, caption, icon); }

    // One AT exchange on the program's port: sends `command` and CR LF, then
    // gathers the answer into ReplyBuffer. True when `expected` appears in it;
    // false when "ERROR" does first, or after 20 x `timeoutUnits` idle counts
    // (about 8 s per unit) of silence.
    bool SendAtCommand(const std::string& command, const char* expected, int timeoutUnits);
    // After a record exchange that succeeded: when ReplyBuffer holds the
    // record's `marker` but no result line after it (an "OK" inside the
    // record ended the exchange early, or the record is longer than one
    // read), waits for the rest of the same answer. Sends nothing.
    void CompleteRecordReply(const char* marker);

    // The answer of the latest exchange, zero-terminated.
    char ReplyBuffer[ReplyBufferSize] = {};
    std::string ModelName;
    PhoneSettings& Settings() const { return settings_; }
    bool FastExchange() const { return settings_.fastExchange; }

    // The status bar text describing the session ("Samsung <model>, порт
    // COM<n>."); empty until a start succeeded.
    std::string Description;
    // The phone's own number, offered in the SMS panel; empty when unknown.
    std::string OwnNumber;
    // The key the phone reported at the start; sent back to it before the
    // phone book is read.
    std::int32_t PhoneKey = 0;

private:
    PhoneNotices& notices_;
    PhoneSettings& settings_;
};

