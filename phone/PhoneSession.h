#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "phone/AtExchange.h"

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
    PhoneSession() = default;
    ~PhoneSession();
    PhoneSession(const PhoneSession&) = delete;
    PhoneSession& operator=(const PhoneSession&) = delete;

    // Opens the port of the CommPort setting and prepares the phone, showing
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
    // A warning box with the program's caption and no owner.
    static void ShowPhoneWarning(const char* text);

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
    // The entry chosen in the box of the melody or picture file dialog: the
    // melody place or the picture size. Each upload command starts it at 0.
    int MediaChoice = 0;
    // The animation's frame count, width and height as typed in its file
    // dialog.
    std::vector<std::string> AnimationParameters{"4", "128", "128"};
    // The phone's own number, offered in the SMS panel; empty when unknown.
    std::string OwnNumber;
    // The key the phone reported at the start; sent back to it before the
    // phone book is read.
    std::int32_t PhoneKey = 0;
};

// The status bar text describing the session ("Samsung <model>, порт COM<n>.").
extern std::string SessionDescription;
