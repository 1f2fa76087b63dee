#include "support/PhoneSimulator.h"

#include <cstdlib>
#include <sstream>

#include "common/Handles.h"

namespace {
bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Undoes the log's escapes: \r \n \t \\ \xHH.
std::string Unescape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'r')
            out += '\r';
        else if (c == 'n')
            out += '\n';
        else if (c == 't')
            out += '\t';
        else if (c == 'x' && i + 2 < text.size()) {
            out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else
            out += c;
    }
    return out;
}
}  // namespace

std::string UnixEnv(const char* name)
{
    char value[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? value : "";
}

std::string WindowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string ReadWholeFile(const std::string& path)
{
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return {};
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    return bytes;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    // Written aside and moved in, so a reader never sees half of it.
    const std::string temporary = path + ".tmp";
    FileHandle file(
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    // Closed before the move, which a file still open would stop.
    file.Reset();
    return ok && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::string Utf8FromAnsi(const std::string& text)
{
    if (text.empty())
        return text;
    std::wstring wide(text.size(), L'\0');
    const int n = MultiByteToWideChar(1251, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                      static_cast<int>(wide.size()));
    wide.resize(n);
    std::string utf8(wide.size() * 3, '\0');
    const int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, utf8.data(), static_cast<int>(utf8.size()),
                                      nullptr, nullptr);
    utf8.resize(m);
    return utf8;
}

bool RunLinux(const std::string& commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    // For a Linux program Wine fills the process information with no real
    // handles (closing them would close unrelated ones of this process), so
    // callers wait for the files it writes instead.
    return true;
}

PhoneSimulator::PhoneSimulator(const std::string& name, PhoneSimOptions options)
    : name_(name), options_(std::move(options))
{
    // The work folder is the test's slot (or the build folder without one).
    unixFolder_ = UnixEnv("VELARMON_WORK") + "/wintest/" + name_;
    folder_ = WindowsPath(unixFolder_);
}

PhoneSimulator::~PhoneSimulator()
{
    Stop();
}

bool PhoneSimulator::Start(DWORD timeoutMs)
{
    const std::string root = UnixEnv("VELARMON_ROOT");
    const std::string ports = UnixEnv("VELARMON_PORTS");
    if (root.empty() || ports.empty() || unixFolder_.empty())
        return false;
    CreateDirectoryA(WindowsPath(UnixEnv("VELARMON_WORK") + "/wintest").c_str(), nullptr);
    CreateDirectoryA(folder_.c_str(), nullptr);
    for (const char* file : {"\\done", "\\sim.out", "\\phone.log", "\\sim.pid", "\\received.bin"})
        DeleteFileA((folder_ + file).c_str());
    WriteWholeFile(folder_ + "\\phone.json", Utf8FromAnsi(options_.state));
    SetRules(options_.rules);

    const std::string link = ports + "/COM" + std::to_string(options_.port);
    std::ostringstream script;
    script << "exec </dev/null >/dev/null 2>&1\n"
           << "cd '" << unixFolder_ << "'\n"
           << "rm -f '" << link << "'\n"
           // The time limit ends a simulator whose test died without stopping it.
           << "timeout 900 python3 '" << root << "/tools/phonesim/phone-sim' --link '" << link
           << "' --state phone.json --log phone.log --faults faults.txt --flat phone.flat --capture received.bin --baud " << options_.baud
           << " --think " << options_.thinkMs << " --erase-ms 0 >sim.out 2>sim.err &\n"
           << "echo $! >sim.pid\n"
           << "wait\n"
           << "echo exited >done\n";
    WriteWholeFile(folder_ + "\\run.sh", script.str());
    if (!RunLinux("Z:\\bin\\sh " + unixFolder_ + "/run.sh"))
        return false;
    running_ = true;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (ReadWholeFile(folder_ + "\\sim.out").rfind("ready ", 0) == 0)
            return true;
        if (FileExists(folder_ + "\\done"))
            break;
        Sleep(20);
    }
    Stop();
    return false;
}

void PhoneSimulator::Stop()
{
    if (!running_)
        return;
    running_ = false;
    const std::string pid = ReadWholeFile(folder_ + "\\sim.pid");
    const std::string digits = pid.substr(0, pid.find_first_not_of("0123456789"));
    if (!digits.empty() && !FileExists(folder_ + "\\done"))
        RunLinux("Z:\\bin\\kill -TERM " + digits);
    const DWORD start = GetTickCount();
    while (!FileExists(folder_ + "\\done") && GetTickCount() - start < 10000)
        Sleep(20);
}

void PhoneSimulator::SetRules(const std::vector<std::string>& rules)
{
    std::string text;
    for (const std::string& rule : rules)
        text += rule + "\n";
    WriteWholeFile(folder_ + "\\faults.txt", Utf8FromAnsi(text));
}

std::vector<std::string> PhoneSimulator::Log() const
{
    std::vector<std::string> lines;
    std::istringstream in(ReadWholeFile(folder_ + "\\phone.log"));
    std::string line;
    while (std::getline(in, line))
        lines.push_back(Unescape(line));
    return lines;
}

std::string PhoneSimulator::Received() const
{
    return ReadWholeFile(folder_ + "\\received.bin");
}

std::vector<std::string> PhoneSimulator::Commands() const
{
    std::vector<std::string> commands;
    std::istringstream in(ReadWholeFile(folder_ + "\\phone.log"));
    std::string line;
    while (std::getline(in, line)) {
        // "<seconds> CMD <command>"
        const std::size_t kind = line.find(' ');
        if (kind == std::string::npos || line.compare(kind + 1, 4, "CMD ") != 0)
            continue;
        commands.push_back(Unescape(line.substr(kind + 5)));
    }
    return commands;
}
