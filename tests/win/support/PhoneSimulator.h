#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The project's phone simulator (tools/phonesim), started from a Windows test:
// Wine runs Linux programs too. It links its pty where the prefix maps a COM
// port and keeps its files (state, fault rules, log) in a work folder under
// $VELARMON_WORK/wintest/<name> (the test's slot folder, or the build folder).
struct PhoneSimOptions {
    int port = 3;
    // The phone's state as JSON, in the program's code page (converted to the
    // UTF-8 the simulator reads).
    std::string state = "{}";
    std::vector<std::string> rules;
    int baud = 0;  // 0: no pacing
    int thinkMs = 0;
};

class PhoneSimulator {
public:
    PhoneSimulator(const std::string& name, PhoneSimOptions options);
    ~PhoneSimulator();
    PhoneSimulator(const PhoneSimulator&) = delete;
    PhoneSimulator& operator=(const PhoneSimulator&) = delete;

    // Starts it and waits until its line is ready.
    bool Start(DWORD timeoutMs = 15000);
    // Ends it (its state is saved) and waits until it has gone.
    void Stop();

    // Replaces the fault rules; the simulator reads them at its next command.
    void SetRules(const std::vector<std::string>& rules);
    // Every command received, as sent, without its line end (code page 1251).
    std::vector<std::string> Commands() const;
    // Every byte received from the program, exactly as it came.
    std::string Received() const;
    // The lines of the log, escapes undone.
    std::vector<std::string> Log() const;

    // The work folder as a Windows path.
    const std::string& Folder() const { return folder_; }

private:
    std::string name_;
    PhoneSimOptions options_;
    std::string unixFolder_;
    std::string folder_;
    bool running_ = false;
};

// Helpers for Linux paths seen from Wine.
std::string UnixEnv(const char* name);
// "/a/b" as "Z:\a\b".
std::string WindowsPath(const std::string& unixPath);
std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// Code page 1251 text as UTF-8.
std::string Utf8FromAnsi(const std::string& text);
// Runs a Linux command line (words separated by blanks, none quoted).
bool RunLinux(const std::string& commandLine);
