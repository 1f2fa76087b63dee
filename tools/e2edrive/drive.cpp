// vmdrive: drives a Win32 program from outside for end-to-end tests.
// Usage: vmdrive [--desktop NAME] VERB ARGS... [--timeout MS] [--expect TEXT] [--print-handle] [-- ARGS...]
//        vmdrive serve    (the same commands, one per line on standard input)
// The verbs and their output are described in README.md beside this file.
#include "drive.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace vmdrive;

namespace {

constexpr DWORD kPollMs = 50;

int Usage(const char* why)
{
    std::fprintf(stderr, "vmdrive: %s\n", why);
    std::fprintf(stderr, "usage: vmdrive [--desktop NAME] VERB ARGS... [--timeout MS] [--expect TEXT]"
                         " [--print-handle] [-- ARGS...]\n");
    return 2;
}

// Moves this thread onto the named desktop (a Wine virtual desktop is one), so
// that window look-ups see the windows living there.
bool AttachDesktop(const std::string& name)
{
    for (;;) {
        if (HDESK desk = OpenDesktopA(name.c_str(), 0, FALSE, GENERIC_ALL)) {
            if (SetThreadDesktop(desk))
                return true;
            std::fprintf(stderr, "vmdrive: SetThreadDesktop failed (%lu)\n", GetLastError());
            return false;
        }
        if (RemainingMs() <= 1) {
            std::fprintf(stderr, "vmdrive: desktop %s not found\n", name.c_str());
            return false;
        }
        Sleep(kPollMs);
    }
}

std::string Join(const Lines& lines)
{
    std::string all;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            all += '\n';
        all += lines[i];
    }
    return all;
}

std::string Printed(const Lines& lines)
{
    std::string all;
    for (const auto& line : lines) {
        all += line;
        all += '\n';
    }
    return all;
}

// One command: its words as on the command line, without the program's name.
// What it prints goes to `printed`; errors go to stderr.
int Command(const Args& argv, std::string& printed)
{
    Options options;
    if (const char* env = std::getenv("VMDRIVE_DESKTOP"))
        options.desktop = env;
    Args words;
    bool optionsEnded = false;
    for (size_t i = 0; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        bool hasValue = i + 1 < argv.size();
        if (optionsEnded) {
            words.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--timeout") {
            long long ms = 0;
            if (!hasValue || !ParseInt(argv[i + 1], ms) || ms < 0 || ms > 86400000)
                return Usage("--timeout needs a number of milliseconds");
            options.timeoutMs = static_cast<DWORD>(ms);
            ++i;
        } else if (arg == "--expect") {
            if (!hasValue)
                return Usage("--expect needs a text");
            options.haveExpect = true;
            options.expect = argv[++i];
        } else if (arg == "--desktop") {
            if (!hasValue)
                return Usage("--desktop needs a name");
            options.desktop = argv[++i];
        } else if (arg == "--print-handle") {
            options.printHandle = true;
        } else {
            words.push_back(arg);
        }
    }
    if (words.empty())
        return Usage("no verb");
    const Verb* verb = FindVerb(words[0]);
    if (!verb)
        return Usage(("unknown verb " + words[0]).c_str());
    Args args(words.begin() + 1, words.end());
    if (static_cast<int>(args.size()) < verb->minArgs || static_cast<int>(args.size()) > verb->maxArgs)
        return Usage(("wrong number of arguments for " + words[0]).c_str());
    if (options.haveExpect && !verb->query)
        return Usage("--expect is only for verbs that print");

    StartClock(options.timeoutMs);
    CurrentAttempts() = Attempts{};
    if (!options.desktop.empty() && !AttachDesktop(options.desktop))
        return 1;

    Lines out;
    for (;;) {
        out.clear();
        SetWhy("not found");
        Step step = verb->run(args, options, out);
        if (step == Step::Usage)
            return Usage(Why().c_str());
        if (step == Step::Done) {
            if (!options.haveExpect || Join(out) == options.expect) {
                printed = Printed(out);
                return 0;
            }
            SetWhy("got \"" + Join(out) + "\"");
        }
        if (step == Step::Failed) {
            std::fprintf(stderr, "vmdrive %s: %s\n", words[0].c_str(), Why().c_str());
            return 1;
        }
        if (RemainingMs() <= 1) {
            std::fprintf(stderr, "vmdrive %s: timed out: %s\n", words[0].c_str(), Why().c_str());
            if (options.desktop.empty())
                std::fprintf(stderr, "vmdrive: looked on desktop Default; a program started with "
                                     "explorer /desktop=NAME needs --desktop NAME\n");
            return 1;
        }
        Sleep(RemainingMs() < kPollMs ? RemainingMs() : kPollMs);
    }
}

// A line of `serve`: words separated by tabs, with \t, \n and \\ inside a word.
Args Words(const std::string& line)
{
    Args words(1);
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\t') {
            words.emplace_back();
        } else if (c == '\\' && i + 1 < line.size()) {
            char next = line[++i];
            words.back() += next == 't' ? '\t' : next == 'n' ? '\n' : next;
        } else if (c != '\r') {
            words.back() += c;
        }
    }
    return words;
}

// Serves commands until standard input ends. Starting a Wine process costs a
// good part of a second of processor time, and a test sends dozens of
// commands. Each answer is a line "RC LENGTH" and then the LENGTH bytes the
// command printed.
int Serve()
{
    _setmode(_fileno(stdin), _O_BINARY);
    HDESK home = GetThreadDesktop(GetCurrentThreadId());
    std::string line;
    for (int c; (c = std::fgetc(stdin)) != EOF;) {
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        // A command without --desktop looks on the desktop the server started on.
        SetThreadDesktop(home);
        std::string printed;
        int rc = Command(Words(line), printed);
        line.clear();
        std::fprintf(stdout, "%d %u\n", rc, static_cast<unsigned>(printed.size()));
        std::fwrite(printed.data(), 1, printed.size(), stdout);
        std::fflush(stdout);
        std::fflush(stderr);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // Raw bytes out: no CR before LF, code page 1251 texts unchanged.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc == 2 && std::strcmp(argv[1], "serve") == 0)
        return Serve();
    std::string printed;
    int rc = Command(Args(argv + 1, argv + argc), printed);
    std::fwrite(printed.data(), 1, printed.size(), stdout);
    std::fflush(stdout);
    return rc;
}
